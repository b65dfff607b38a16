#include <windows.h>

#include <string>

#include "platform/code_page.h"

namespace cartulon {

unsigned SystemCodePage() { return GetACP(); }

std::optional<std::string> NameInCodePage(std::string_view name, unsigned /*codePage*/) {
  // The ANSI functions list a name in the system code page and put '?'
  // where it has no character; a real name never holds one.
  if (name.find('?') != std::string_view::npos) return std::nullopt;
  return std::string(name);
}

std::string CodePageToUtf8(std::string_view text, unsigned codePage) {
  if (IsAscii(text) || text.size() > 0x3FFFFFFF) return std::string(text);
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
  if (length <= 0) return std::string(text);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
  const int bytes =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
  if (bytes > 0) {
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, out.data(), bytes, nullptr, nullptr);
  }
  return out;
}

}  // namespace cartulon
