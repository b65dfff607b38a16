#pragma once
// The current user's home folder: where the selection dialog starts when the
// program does not sit on a support disc and no folder is remembered.
#include <string>

namespace cartulon {

// The home folder as the system names it, without a trailing delimiter
// (except for a root such as "/"); empty when the system cannot tell.
std::string HomeFolder();

}  // namespace cartulon
