#pragma once
// Keeps the program to one running instance per user.
//
// The lock is named. On POSIX (instance_lock_posix.cpp) it is an advisory
// lock (flock) on a file named after the lock in a folder of the user's own:
// the kernel drops it when the holder ends, also when it crashes, so a dead
// instance never blocks the next start. On Windows (instance_lock_win32.cpp)
// it is the named mutex of the program's start-up, which ends with its last
// handle in the same way.
#include <cstdint>
#include <string>
#include <string_view>

namespace cartulon {

inline constexpr const char* kInstanceLockName = "Zolt Cartulon";

enum class LockResult {
  Acquired,       // this process holds the lock now
  HeldElsewhere,  // another process holds it: this start is a second instance
  Unavailable,    // no lock could be set up (folder missing, not ours, ...)
};

class InstanceLock {
 public:
  InstanceLock() = default;
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // Takes the lock `name`. On POSIX the lock file lies in `folder` (which is
  // created with owner-only access when missing); an empty folder means
  // DefaultLockFolder(). Windows ignores the folder. Releases a lock this
  // object held before.
  LockResult Acquire(std::string_view name, const std::string& folder = {});

  bool Held() const;
  void Release();

 private:
  // The lock file's descriptor (POSIX) or the mutex handle (Windows); -1
  // while no lock is held.
  std::intptr_t native_ = -1;
};

// POSIX: $XDG_RUNTIME_DIR when it is set and absolute, otherwise a folder
// "cartulon-<uid>" in the system's temporary directory.
std::string DefaultLockFolder();

// POSIX: the lock file of `name` in `folder`: the name with ".lock" appended;
// delimiters in the name are replaced by '_'.
std::string LockFilePath(std::string_view name, const std::string& folder);

}  // namespace cartulon
