#include "platform/paths.h"

#include <climits>

namespace cartulon {

// '/' alone delimits; a '\' is an ordinary byte of a name here (FromDiscPath
// turns the disc's own '\' into '/').
const char kPathDelimiter = '/';

const std::size_t kLongestOpenablePath = PATH_MAX - 1;
const std::size_t kLongestListablePath = PATH_MAX - 1;

bool IsPathDelimiter(char c) { return c == '/'; }

// No drive letters: only the delimiter ends a prefix.
bool EndsPathPrefix(char c) { return c == '/'; }

std::string SystemPath(std::string_view path) { return std::string(path); }

std::string ResolveDriveRelative(std::string_view path) { return std::string(path); }

}  // namespace cartulon
