#include "platform/interrupt_cleanup.h"

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <thread>

namespace cartulon {

void InstallInterruptCleanup() {
  // The interrupt signals are blocked in every thread (threads started later
  // inherit the mask) and taken by a watcher thread with sigwait, so the
  // clean-up runs as ordinary code, not in a signal handler.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  sigaddset(&signals, SIGHUP);
  if (pthread_sigmask(SIG_BLOCK, &signals, nullptr) != 0) return;
  std::thread([signals] {
    int signal = 0;
    while (sigwait(&signals, &signal) != 0) {
    }
    WithCleanupLock([signal] {
      RemoveRegisteredPaths();
      // The lock stays held: no other thread creates or renames a file now.
      _exit(128 + signal);
    });
  }).detach();
}

}  // namespace cartulon
