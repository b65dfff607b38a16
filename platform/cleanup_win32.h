#pragma once
// What an interrupted batch run must not leave behind (Windows only): the
// private scratch folder and the temporary file of an unfinished write. The
// files that create them list them here; the console handler of the batch
// command (console_win32.cpp) removes whatever is listed before the process
// ends.
//
// The handler runs in a thread of its own while the program goes on, so the
// list and the file system change together under one lock: a temporary file
// is created and listed, or renamed into place and dropped, as one step that
// an interruption either waits for or comes before.
#include <string>

namespace cartulon::win32 {

// Holds the clean-up lock for its lifetime.
class CleanupLock {
 public:
  CleanupLock();
  ~CleanupLock();
  CleanupLock(const CleanupLock&) = delete;
  CleanupLock& operator=(const CleanupLock&) = delete;
};

// Lists or drops a path; the caller holds a CleanupLock. A folder is removed
// with everything in it.
void AddPendingRemoval(const std::string& path);
void DropPendingRemoval(const std::string& path);

// Removes every listed path, then ends the process with `exitCode`. Takes
// the lock for good: no rename can follow.
[[noreturn]] void RemovePendingAndExit(unsigned exitCode);

// Removes a file, or a folder with everything below it (a link to a folder
// is removed itself, never what it leads to). Needs no heap memory. True
// when nothing is left.
bool RemoveTree(const char* path);

}  // namespace cartulon::win32
