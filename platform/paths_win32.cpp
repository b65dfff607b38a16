#include "platform/paths.h"

#include <windows.h>

namespace cartulon {

// The system's own delimiter; the disc's paths need no conversion.
const char kPathDelimiter = '\\';

// The ANSI functions take no "\\?\" long paths.
const std::size_t kLongestOpenablePath = MAX_PATH - 1;

// The Windows API accepts '/' as a delimiter as well.
bool IsPathDelimiter(char c) { return c == '\\' || c == '/'; }

// "E:Name" names Name on drive E, so the drive colon ends a prefix too.
bool EndsPathPrefix(char c) { return IsPathDelimiter(c) || c == ':'; }

}  // namespace cartulon
