#include "platform/whole_numbers.h"

#include <limits>

namespace cartulon {

namespace {

int DigitValue(char c, int base) {
  if (c >= '0' && c <= '9') return c - '0';
  if (base == 16 && c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (base == 16 && c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Digits of `base` from `text`, all of it; nullopt when there are none, a
// byte is not a digit or the magnitude passes `limit` (the magnitude stops
// growing there when `saturate`).
std::optional<std::uint64_t> Magnitude(std::string_view text, int base, std::uint64_t limit,
                                       bool saturate) {
  if (text.empty()) return std::nullopt;
  std::uint64_t magnitude = 0;
  for (const char c : text) {
    const int digit = DigitValue(c, base);
    if (digit < 0) return std::nullopt;
    if (magnitude > (limit - static_cast<std::uint64_t>(digit)) / static_cast<std::uint64_t>(base)) {
      if (!saturate) return std::nullopt;
      magnitude = limit;
    } else {
      magnitude = magnitude * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    }
  }
  return magnitude;
}

// The sign at the start of `text`, taken off it; '+' only where `plus`.
bool TakeSign(std::string_view& text, bool plus) {
  if (!text.empty() && (text[0] == '-' || (plus && text[0] == '+'))) {
    const bool negative = text[0] == '-';
    text.remove_prefix(1);
    return negative;
  }
  return false;
}

std::optional<std::int32_t> SignedInt32(std::string_view digits, int base, bool negative) {
  // 2^31 - 1, or 2^31 for a negative number.
  const std::uint64_t limit = negative ? std::uint64_t{1} << 31 : (std::uint64_t{1} << 31) - 1;
  const std::optional<std::uint64_t> magnitude = Magnitude(digits, base, limit, false);
  if (!magnitude) return std::nullopt;
  const auto value = static_cast<std::int64_t>(*magnitude);
  return static_cast<std::int32_t>(negative ? -value : value);
}

}  // namespace

std::optional<std::int32_t> ParseSettingNumber(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  const bool negative = TakeSign(text, true);
  int base = 10;
  if (!text.empty() && text[0] == '$') {
    base = 16;
    text.remove_prefix(1);
  } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  return SignedInt32(text, base, negative);
}

std::optional<std::int32_t> ParseDecimalField(std::string_view text) {
  const bool negative = TakeSign(text, true);
  return SignedInt32(text, 10, negative);
}

std::optional<std::int64_t> ParseCommandLineNumber(std::string_view text) {
  const bool negative = TakeSign(text, false);
  const auto largest = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
  const std::optional<std::uint64_t> magnitude = Magnitude(text, 10, largest, true);
  if (!magnitude) return std::nullopt;
  const auto value = static_cast<std::int64_t>(*magnitude);
  return negative ? -value : value;
}

}  // namespace cartulon
