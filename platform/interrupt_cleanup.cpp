#include "platform/interrupt_cleanup.h"

#include <algorithm>
#include <filesystem>
#include <mutex>
#include <system_error>
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

void RemoveRegisteredPaths() {
  std::lock_guard<std::recursive_mutex> lock(CleanupMutex());
  std::vector<std::string>& paths = RegisteredPaths();
  // Newest first: a file inside a registered folder goes before the folder.
  for (auto it = paths.rbegin(); it != paths.rend(); ++it) {
    std::error_code ec;
    std::filesystem::remove_all(*it, ec);
  }
  paths.clear();
}

}  // namespace cartulon
