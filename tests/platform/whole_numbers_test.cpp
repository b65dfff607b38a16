// The three ways the program's inputs write whole numbers: each accepts its
// own forms only and keeps to its range.
#include "platform/whole_numbers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace cartulon {
namespace {

using Int32 = std::optional<std::int32_t>;
using Int64 = std::optional<std::int64_t>;

TEST(WholeNumbers, SettingsTakeBlanksSignsAndHexWithin32Bits) {
  EXPECT_EQ(ParseSettingNumber("12"), Int32(12));
  EXPECT_EQ(ParseSettingNumber(" \t-7 "), Int32(-7));
  EXPECT_EQ(ParseSettingNumber("+0"), Int32(0));
  EXPECT_EQ(ParseSettingNumber("$1F"), Int32(31));
  EXPECT_EQ(ParseSettingNumber("0x10"), Int32(16));
  EXPECT_EQ(ParseSettingNumber("-$10"), Int32(-16));
  EXPECT_EQ(ParseSettingNumber("2147483647"), Int32(2147483647));
  EXPECT_EQ(ParseSettingNumber("-2147483648"), Int32(std::numeric_limits<std::int32_t>::min()));
  EXPECT_EQ(ParseSettingNumber("0x7FFFFFFF"), Int32(2147483647));
  for (const char* bad : {"", "  ", "+", "-", "1 2", "12a", "1.5", "$", "0x", "2147483648",
                          "0x80000000", "0xG", "--1", "99999999999999999999"}) {
    EXPECT_EQ(ParseSettingNumber(bad), std::nullopt) << bad;
  }
}

TEST(WholeNumbers, PackageFieldsAreDecimalWithin32Bits) {
  EXPECT_EQ(ParseDecimalField("1"), Int32(1));
  EXPECT_EQ(ParseDecimalField("+0"), Int32(0));
  EXPECT_EQ(ParseDecimalField("-2147483648"), Int32(std::numeric_limits<std::int32_t>::min()));
  for (const char* bad : {"", " 1", "1 ", "0x1", "$1", "Yes", "2147483648", "-2147483649", "+"}) {
    EXPECT_EQ(ParseDecimalField(bad), std::nullopt) << bad;
  }
}

TEST(WholeNumbers, CommandLineNumbersAreDecimalAndTooLargeOnesStayNumbers) {
  EXPECT_EQ(ParseCommandLineNumber("010"), Int64(10));
  EXPECT_EQ(ParseCommandLineNumber("-1"), Int64(-1));
  EXPECT_EQ(ParseCommandLineNumber("2147483647"), Int64(2147483647));
  // Out of any range a caller has, but a number: the caller says "out of range".
  EXPECT_EQ(ParseCommandLineNumber("99999999999999999999999"),
            Int64(std::numeric_limits<std::int64_t>::max()));
  EXPECT_EQ(ParseCommandLineNumber("-99999999999999999999999"),
            Int64(-std::numeric_limits<std::int64_t>::max()));
  for (const char* bad : {"", "-", "+1", " 1", "1 ", "0x10", "$1", "1.5", "six", "6\x01"}) {
    EXPECT_EQ(ParseCommandLineNumber(bad), std::nullopt) << bad;
  }
}

}  // namespace
}  // namespace cartulon
