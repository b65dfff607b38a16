#include "platform/paths.h"

namespace cartulon {

// The system's own delimiter; the disc's paths need no conversion.
const char kPathDelimiter = '\\';

// The Windows API accepts '/' as a delimiter as well.
bool IsPathDelimiter(char c) { return c == '\\' || c == '/'; }

// "E:Name" names Name on drive E, so the drive colon ends a prefix too.
bool EndsPathPrefix(char c) { return IsPathDelimiter(c) || c == ':'; }

}  // namespace cartulon
