#include "shell/startup.h"

#include <chrono>
#include <cstdint>
#include <limits>

#include "platform/whole_numbers.h"

namespace cartulon {

namespace {

bool ParseNumber(std::string_view text, int* value) {
  const std::optional<std::int64_t> number = ParseCommandLineNumber(text);
  if (!number || *number < std::numeric_limits<int>::min() ||
      *number > std::numeric_limits<int>::max()) {
    return false;
  }
  *value = static_cast<int>(*number);
  return true;
}

bool IsRealDate(int year, int month, int day) {
  if (year < 1 || month < 1 || month > 12 || day < 1 || day > 31) return false;
  const std::chrono::year_month_day date{std::chrono::year(year),
                                         std::chrono::month(static_cast<unsigned>(month)),
                                         std::chrono::day(static_cast<unsigned>(day))};
  return date.ok();
}

}  // namespace

std::optional<CalendarDate> ParseCalendarDate(std::string_view text) {
  const std::size_t first = text.find('/');
  if (first == std::string_view::npos) return std::nullopt;
  const std::size_t second = text.find('/', first + 1);
  if (second == std::string_view::npos) return std::nullopt;
  CalendarDate date;
  if (!ParseNumber(text.substr(0, first), &date.month) ||
      !ParseNumber(text.substr(first + 1, second - first - 1), &date.day) ||
      !ParseNumber(text.substr(second + 1), &date.year)) {
    return std::nullopt;
  }
  if (!IsRealDate(date.year, date.month, date.day)) return std::nullopt;
  return date;
}

std::string DateText(const CalendarDate& date) {
  return std::to_string(date.month) + "/" + std::to_string(date.day) + "/" +
         std::to_string(date.year);
}

}  // namespace cartulon
