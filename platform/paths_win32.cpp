#include "platform/paths.h"

#include <windows.h>

#include <cctype>

namespace cartulon {

// The system's own delimiter; the disc's paths need no conversion.
const char kPathDelimiter = '\\';

// The ANSI functions take no "\\?\" long paths.
const std::size_t kLongestOpenablePath = MAX_PATH - 1;
const std::size_t kLongestListablePath = kLongestOpenablePath - 2;  // "\\*"

// The Windows API accepts '/' as a delimiter as well.
bool IsPathDelimiter(char c) { return c == '\\' || c == '/'; }

// "E:Name" names Name on drive E, so the drive colon ends a prefix too.
bool EndsPathPrefix(char c) { return IsPathDelimiter(c) || c == ':'; }

namespace {

bool IsDriveLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

// "E:" or "\\?\E:" and nothing after the colon.
bool IsBareDrive(std::string_view path) {
  if (path.size() >= 4 && path.substr(0, 4) == "\\\\?\\") path.remove_prefix(4);
  return path.size() == 2 && IsDriveLetter(path[0]) && path[1] == ':';
}

}  // namespace

std::string SystemPath(std::string_view path) {
  std::string result(path);
  if (IsBareDrive(path)) result.push_back('\\');
  return result;
}

std::string ResolveDriveRelative(std::string_view path) {
  const bool driveRelative = path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == ':' &&
                             (path.size() == 2 || !IsPathDelimiter(path[2]));
  if (!driveRelative) return std::string(path);
  const std::string typed(path);
  const DWORD needed = GetFullPathNameA(typed.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return typed;
  std::string full(needed, '\0');
  const DWORD length = GetFullPathNameA(typed.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return typed;
  full.resize(length);
  return full;
}

}  // namespace cartulon
