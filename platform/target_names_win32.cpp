#include "platform/target_names.h"

#include <windows.h>

#include <array>
#include <cctype>
#include <string>
#include <string_view>

#include "platform/paths.h"
#include "platform/text.h"
#include "platform/wide_text_win32.h"
#include "platform/windows_names.h"

namespace cartulon {

namespace {

// The longest full path the ANSI file functions open: MAX_PATH characters
// with the terminating NUL.
constexpr std::size_t kLongestPath = MAX_PATH - 1;

// The path after its "\\?\" prefix and drive, where a ':' has no place.
std::string_view AfterDrive(std::string_view path) {
  if (path.starts_with("\\\\?\\")) path.remove_prefix(4);
  if (path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':') {
    path.remove_prefix(2);
  }
  return path;
}

// Characters of the full path the system would open, as the wide file
// functions count them (the ANSI full-path function itself stops at the
// limit); the path's own length when no full path can be made.
std::size_t FullPathLength(const std::string& path) {
  const std::wstring wide = win32::WideFromAnsi(path);
  if (wide.empty()) return path.size();
  const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  // Without room to spare, the count includes the terminating NUL.
  return needed == 0 ? wide.size() : static_cast<std::size_t>(needed) - 1;
}

}  // namespace

std::string TargetNameProblem(const std::string& path) {
  if (AfterDrive(path).find(':') != std::string_view::npos) {
    return "has a ':' after its drive, which names a stream of a file, not a file";
  }
  if (const std::string device = WindowsDeviceName(LastComponent(path)); !device.empty()) {
    return "names the device " + device + ", not a file";
  }
  if (FullPathLength(path) > kLongestPath) {
    return "is longer than the " + std::to_string(kLongestPath) +
           " characters Windows programs can open";
  }
  return {};
}

bool IsReadOnlyTarget(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(SystemPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
         (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

}  // namespace cartulon
