#include "platform/cleanup_win32.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace cartulon::win32 {

namespace {

struct CleanupState {
  CleanupState() { InitializeCriticalSection(&lock); }
  CRITICAL_SECTION lock;
  std::vector<std::string> pending;
};

CleanupState& State() {
  static CleanupState state;
  return state;
}

// `path` holds `length` bytes and room for `capacity`; it is extended in
// place for the entries below it and restored before returning.
bool RemoveTreeAt(char* path, std::size_t length, std::size_t capacity) {
  const DWORD attributes = GetFileAttributesA(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
  }
  if (attributes & FILE_ATTRIBUTE_READONLY) {
    SetFileAttributesA(path, attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
  }
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return DeleteFileA(path) != 0;
  // A junction or folder link: remove the link, not what it leads to.
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return RemoveDirectoryA(path) != 0;

  bool removed = true;
  if (length + 3 > capacity) return false;
  std::memcpy(path + length, "\\*", 3);
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA(path, &entry);
  path[length] = '\0';
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const char* name = entry.cFileName;
      if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
      const std::size_t nameLength = std::strlen(name);
      if (length + 1 + nameLength + 1 > capacity) {
        removed = false;
        continue;
      }
      path[length] = '\\';
      std::memcpy(path + length + 1, name, nameLength + 1);
      removed = RemoveTreeAt(path, length + 1 + nameLength, capacity) && removed;
      path[length] = '\0';
    } while (FindNextFileA(find, &entry));
    FindClose(find);
  }
  return RemoveDirectoryA(path) != 0 && removed;
}

}  // namespace

CleanupLock::CleanupLock() { EnterCriticalSection(&State().lock); }
CleanupLock::~CleanupLock() { LeaveCriticalSection(&State().lock); }

void AddPendingRemoval(const std::string& path) { State().pending.push_back(path); }

void DropPendingRemoval(const std::string& path) {
  std::vector<std::string>& pending = State().pending;
  for (auto it = pending.begin(); it != pending.end(); ++it) {
    if (*it == path) {
      pending.erase(it);
      return;
    }
  }
}

bool RemoveTree(const char* path) {
  char buffer[4 * MAX_PATH];
  std::size_t length = std::strlen(path);
  if (length == 0 || length >= sizeof buffer) return false;
  std::memcpy(buffer, path, length + 1);
  while (length > 3 && (buffer[length - 1] == '\\' || buffer[length - 1] == '/')) {
    buffer[--length] = '\0';
  }
  return RemoveTreeAt(buffer, length, sizeof buffer);
}

void RemovePendingAndExit(unsigned exitCode) {
  CleanupState& state = State();
  EnterCriticalSection(&state.lock);
  // The program goes on meanwhile and may still hold one of the files open
  // for a moment (reading a template): try again for up to a second.
  for (int attempt = 0; attempt < 50; ++attempt) {
    bool allGone = true;
    for (const std::string& path : state.pending) {
      allGone = RemoveTree(path.c_str()) && allGone;
    }
    if (allGone) break;
    Sleep(20);
  }
  TerminateProcess(GetCurrentProcess(), exitCode);
  for (;;) Sleep(INFINITE);
}

}  // namespace cartulon::win32
