#pragma once
// The system's own text for a Windows error code (Windows only), in the
// system code page, without the line end the system puts after it.
#include <windows.h>

#include <string>

namespace cartulon::win32 {

inline std::string ErrorText(DWORD code) {
  char buffer[512];
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                code, 0, buffer, sizeof buffer, nullptr);
  while (length > 0 && (buffer[length - 1] == '\r' || buffer[length - 1] == '\n' ||
                        buffer[length - 1] == ' ')) {
    --length;
  }
  if (length == 0) return "Windows error " + std::to_string(code);
  return std::string(buffer, length);
}

}  // namespace cartulon::win32
