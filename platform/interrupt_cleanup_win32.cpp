#include "platform/interrupt_cleanup.h"

#include <windows.h>

#include <cstring>
#include <string_view>
#include <vector>

#include "platform/paths.h"

namespace cartulon {

namespace {

// The POSIX signal numbers the console events stand for.
constexpr int kSigHup = 1;
constexpr int kSigInt = 2;
constexpr int kSigTerm = 15;

// Runs in a thread of its own that the system starts for the event.
BOOL WINAPI OnConsoleEvent(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
      EndInterruptedRun(kSigInt);
    case CTRL_CLOSE_EVENT:
      EndInterruptedRun(kSigHup);
    case CTRL_BREAK_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
      EndInterruptedRun(kSigTerm);
    default:
      return FALSE;
  }
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

// Ctrl-C 130 (SIGINT), a closed console window 129 (SIGHUP), Ctrl-Break,
// log-off and shut-down 143 (SIGTERM).
void InstallInterruptCleanup() { SetConsoleCtrlHandler(OnConsoleEvent, TRUE); }

// Through the ANSI functions, so that names stay bytes in the system code
// page (std::filesystem would convert them).
bool RemovePathTree(const std::string& path) {
  std::vector<char> buffer(path.begin(), path.end());
  std::size_t length = buffer.size();
  while (length > 3 && EndsInDelimiter(std::string_view(buffer.data(), length))) --length;
  if (length == 0) return false;
  buffer.resize(length + 4 * MAX_PATH);
  buffer[length] = '\0';
  return RemoveTreeAt(buffer.data(), length, buffer.size());
}

void EndProcessNow(int status) {
  TerminateProcess(GetCurrentProcess(), static_cast<UINT>(status));
  for (;;) Sleep(INFINITE);
}

}  // namespace cartulon
