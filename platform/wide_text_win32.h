#pragma once
// Text in the system's ANSI code page as wide text, for the wide functions
// of Windows (Windows only): the console's, the full-path function's and
// the listing's.
#include <windows.h>

#include <string>
#include <string_view>

namespace cartulon::win32 {

// Empty for an empty text or one the system cannot convert.
inline std::wstring WideFromAnsi(std::string_view ansi) {
  if (ansi.empty() || ansi.size() > 0x3FFFFFFF) return {};
  const int size = static_cast<int>(ansi.size());
  const int length = MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, wide.data(), length);
  return wide;
}

}  // namespace cartulon::win32
