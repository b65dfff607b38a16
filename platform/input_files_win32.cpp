#include "platform/input_files.h"

#include <windows.h>

namespace cartulon {

InputFileState CheckInputFile(const std::string& path) {
  if (path.empty()) return InputFileState::Missing;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return InputFileState::Missing;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return InputFileState::NotAFile;
  // Device names (NUL, CON, COM1) and pipes open as something else than a
  // file on disk.
  HANDLE file = CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return InputFileState::Missing;
  LARGE_INTEGER size{};
  const bool onDisk = GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &size);
  CloseHandle(file);
  if (!onDisk) return InputFileState::NotAFile;
  if (static_cast<unsigned long long>(size.QuadPart) > kLargestInputFile) {
    return InputFileState::TooLarge;
  }
  return InputFileState::Readable;
}

}  // namespace cartulon
