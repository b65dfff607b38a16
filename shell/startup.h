#pragma once
// What a start-up of either front end needs before the first analysis: the
// fixed settings of a start, the environment it runs in, and the footer
// date.
#include <optional>
#include <string>
#include <string_view>

namespace cartulon {

// Search depth of the analysis that follows the selection dialog (and the
// batch command's default).
inline constexpr int kStartupDepth = 6;
// M/D/YYYY, read at start-up in place of today's date (for tests).
inline constexpr const char* kTodayOverrideVariable = "CARTULON_TODAY";

struct CalendarDate {
  int month = 1;
  int day = 1;
  int year = 2000;
};

struct StartupEnvironment {
  std::string programFolder;  // folder of the program file, no trailing delimiter
  std::string workingFolder;  // the current folder at start-up
  CalendarDate today;
};

// "M/D/YYYY" (leading zeros allowed); nullopt when it is not a real date.
std::optional<CalendarDate> ParseCalendarDate(std::string_view text);

// "M/D/YYYY" without leading zeros, as the footer shows a date.
std::string DateText(const CalendarDate& date);

}  // namespace cartulon
