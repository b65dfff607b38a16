#pragma once
// Where the running program file lies, and today's local date.
#include <string>

namespace cartulon {

// The folder of the running program file, without a trailing delimiter.
// `argv0` is the fallback where the system cannot tell.
std::string RunningProgramFolder(const char* argv0);

struct LocalDate {
  int month = 1;
  int day = 1;
  int year = 2000;
};

// Today in the local time zone.
LocalDate LocalToday();

}  // namespace cartulon
