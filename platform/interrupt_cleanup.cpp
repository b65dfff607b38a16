#include "platform/interrupt_cleanup.h"

#include <algorithm>
#include <chrono>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace cartulon {

namespace {

// A recursive mutex: a step under the lock may register a path.
std::recursive_mutex& CleanupMutex() {
  static std::recursive_mutex mutex;
  return mutex;
}

std::vector<std::string>& RegisteredPaths() {
  static std::vector<std::string> paths;
  return paths;
}

}  // namespace

void WithCleanupLock(const std::function<void()>& step) {
  std::lock_guard<std::recursive_mutex> lock(CleanupMutex());
  step();
}

void RegisterForCleanup(const std::string& path) {
  std::lock_guard<std::recursive_mutex> lock(CleanupMutex());
  RegisteredPaths().push_back(path);
}

void UnregisterFromCleanup(const std::string& path) {
  std::lock_guard<std::recursive_mutex> lock(CleanupMutex());
  std::vector<std::string>& paths = RegisteredPaths();
  const auto it = std::find(paths.rbegin(), paths.rend(), path);
  if (it != paths.rend()) paths.erase(std::next(it).base());
}

bool RemoveRegisteredPaths() {
  std::lock_guard<std::recursive_mutex> lock(CleanupMutex());
  std::vector<std::string>& paths = RegisteredPaths();
  std::vector<std::string> left;
  // Newest first: a file inside a registered folder goes before the folder.
  for (auto it = paths.rbegin(); it != paths.rend(); ++it) {
    if (!RemovePathTree(*it)) left.insert(left.begin(), *it);
  }
  paths = std::move(left);
  return paths.empty();
}

void EndInterruptedRun(int signalNumber) {
  CleanupMutex().lock();
  // The program goes on meanwhile: on Windows a file it holds open for a
  // moment (a template being read) cannot be removed at once, so a removal
  // that fails is tried again for up to a second.
  for (int attempt = 0; attempt < 50 && !RemoveRegisteredPaths(); ++attempt) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EndProcessNow(128 + signalNumber);
}

}  // namespace cartulon
