#pragma once
// The desktop program's command line: an optional disc root that the
// selection dialog proposes, and the batch command's --rules and --contact
// for files to use instead of the carried templates.
#include <string>
#include <variant>

#include "desktop/desktop_session.h"

namespace cartulon {

inline constexpr const char* kDesktopUsage =
    "Usage: cartulon [--rules FILE] [--contact FILE] [ROOT]";

struct ArgumentError {
  std::string text;  // what is wrong, then the usage line
};
struct HelpRequested {
  std::string text;  // the usage with every option
};

// The arguments after the program name (those the toolkit took out of the
// list already gone).
std::variant<DesktopOptions, ArgumentError, HelpRequested> ParseDesktopArguments(int argc,
                                                                                  char** argv);

}  // namespace cartulon
