#include "platform/interrupt_cleanup.h"

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>
#include <thread>

namespace cartulon {

void InstallInterruptCleanup() {
  // The interrupt signals are blocked in every thread (threads started later
  // inherit the mask) and taken by a watcher thread with sigwait, so the
  // clean-up runs as ordinary code, not in a signal handler.
  //
  // SIGQUIT, SIGUSR1, SIGUSR2 and SIGALRM end a program as SIGTERM does, so
  // they clean up as it does.
  sigset_t signals;
  sigemptyset(&signals);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM}) {
    sigaddset(&signals, signal);
  }
  // A file-size limit (ulimit -f) makes the write that passes it fail with
  // EFBIG, an ordinary write error, instead of killing the program with its
  // temporary file left.
  ::signal(SIGXFSZ, SIG_IGN);
  if (pthread_sigmask(SIG_BLOCK, &signals, nullptr) != 0) return;
  std::thread([signals] {
    int signal = 0;
    while (sigwait(&signals, &signal) != 0) {
    }
    EndInterruptedRun(signal);
  }).detach();
}

bool RemovePathTree(const std::string& path) {
  std::error_code ec;
  std::filesystem::remove_all(path, ec);
  return !ec;
}

void EndProcessNow(int status) { _exit(status); }

}  // namespace cartulon
