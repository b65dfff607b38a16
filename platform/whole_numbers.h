#pragma once
// The whole numbers the program reads, one parser per way of writing them.
// Each takes the text as it stands and says whether it is a number of its
// kind; what range a caller accepts is the caller's to check.
#include <cstdint>
#include <optional>
#include <string_view>

namespace cartulon {

// A setting as the main window's fields and the master file's counts give
// it: optional spaces and tabs around it, an optional "+" or "-", then
// decimal digits, or hexadecimal digits after "$" or "0x"/"0X". It must fit
// a signed 32-bit integer.
std::optional<std::int32_t> ParseSettingNumber(std::string_view text);

// A number field of a package file (the certification status): an optional
// "+" or "-", then decimal digits only, within the signed 32-bit range.
std::optional<std::int32_t> ParseDecimalField(std::string_view text);

// A number typed on the command line (an option's value, a part of a date):
// an optional "-", then decimal digits only; no blanks, no "+", no other
// base. Any count of digits is a number: one too large for 64 bits comes
// back as the largest (or smallest) 64-bit value, so that a range check
// calls it out of range rather than not a number.
std::optional<std::int64_t> ParseCommandLineNumber(std::string_view text);

}  // namespace cartulon
