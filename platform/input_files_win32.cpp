#include "platform/input_files.h"

#include <windows.h>

#include <utility>

#include "platform/error_text_win32.h"

namespace cartulon {

namespace {

// What an open file is: a file on disk of a size the program reads, or not.
// Device names (NUL, CON, COM1) and pipes open as something else than a
// file on disk.
InputFileState StateOfOpen(HANDLE file) {
  LARGE_INTEGER size{};
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size)) {
    return InputFileState::NotAFile;
  }
  if (static_cast<unsigned long long>(size.QuadPart) > kLargestInputFile) {
    return InputFileState::TooLarge;
  }
  return InputFileState::Readable;
}

// Why an open failed: missing, a folder (which opens only with backup
// semantics), or there but not to be opened (sharing, permission).
InputFileState StateOfFailedOpen(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return InputFileState::Missing;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return InputFileState::NotAFile;
  return InputFileState::Readable;
}

}  // namespace

InputFileState CheckInputFile(const std::string& path) {
  if (path.empty()) return InputFileState::Missing;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return InputFileState::Missing;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return InputFileState::NotAFile;
  HANDLE file = CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return InputFileState::Missing;
  const InputFileState state = StateOfOpen(file);
  CloseHandle(file);
  return state;
}

OpenedInputFile ReadOpenedInputFile(const std::string& path) {
  OpenedInputFile file;
  if (path.empty()) return file;
  // Opening a pipe or a device does not wait; what the file is then shows
  // on the open handle.
  HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    file.state = StateOfFailedOpen(path);
    if (file.state == InputFileState::Readable) file.failure = win32::ErrorText(error);
    return file;
  }
  file.state = StateOfOpen(handle);
  BY_HANDLE_FILE_INFORMATION info;
  if (GetFileInformationByHandle(handle, &info)) {
    file.identity = FileIdentity{
        info.dwVolumeSerialNumber,
        (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
  }
  if (file.state != InputFileState::Readable) {
    CloseHandle(handle);
    return file;
  }
  std::string bytes;
  char buffer[1 << 16];
  bool failed = false;
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(handle, buffer, sizeof buffer, &got, nullptr)) {
      file.failure = win32::ErrorText(GetLastError());
      failed = true;
      break;
    }
    if (got == 0) break;
    if (bytes.size() + got > kLargestInputFile) {
      // It grew past the limit while it was read.
      file.state = InputFileState::TooLarge;
      CloseHandle(handle);
      return file;
    }
    bytes.append(buffer, got);
  }
  CloseHandle(handle);
  if (!failed) file.bytes = std::move(bytes);
  return file;
}

}  // namespace cartulon
