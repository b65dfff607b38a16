#include "platform/text.h"

#include <gtest/gtest.h>

namespace cartulon {
namespace {

TEST(TextTest, TrimIniBlanksRemovesSpaceTabAndVerticalTabOnly) {
  EXPECT_EQ(TrimIniBlanks(" \t\vSub\\Setup.ini \v\t "), "Sub\\Setup.ini");
  EXPECT_EQ(TrimIniBlanks("\xA0x\xA0"), "\xA0x\xA0");
  EXPECT_EQ(TrimIniBlanks("\fx\r"), "\fx\r");
  EXPECT_EQ(TrimIniBlanks("a  b"), "a  b");
  EXPECT_EQ(TrimIniBlanks("   "), "");
}

TEST(TextTest, TrimSpaceAndControlsRemovesEveryByteUpToTheSpace) {
  const std::string controls("\0\x01\r\n\f\x1F ", 7);
  EXPECT_EQ(TrimSpaceAndControls(controls + "a b" + controls), "a b");
  EXPECT_EQ(TrimRightSpaceAndControls(controls + "a b" + controls), controls + "a b");
  EXPECT_EQ(TrimSpaceAndControls("\x7F\xA0x\xA0"), "\x7F\xA0x\xA0");
  EXPECT_EQ(TrimSpaceAndControls(controls), "");
  EXPECT_EQ(TrimRightSpaceAndControls(controls), "");
}

TEST(TextTest, FindPositionCountsFromOneAndGivesZeroWhenAbsent) {
  EXPECT_EQ(FindPosition("- Zolt for Windows 7", "- "), 1);
  EXPECT_EQ(FindPosition("a for Windows for Windows", "for Windows"), 3);
  EXPECT_EQ(FindPosition("abc", "x"), 0);
  EXPECT_EQ(FindPosition("", "x"), 0);
  EXPECT_EQ(FindPosition("abc", ""), 1);
}

TEST(TextTest, CopyAtClampsItsRangeToTheText) {
  EXPECT_EQ(CopyAt("abcdef", 2, 3), "bcd");
  EXPECT_EQ(CopyAt("abcdef", 4, 100), "def");
  EXPECT_EQ(CopyAt("abcdef", 0, 2), "ab");
  EXPECT_EQ(CopyAt("abcdef", -5, 2), "ab");
  EXPECT_EQ(CopyAt("abcdef", 7, 1), "");
  EXPECT_EQ(CopyAt("abcdef", 1, 0), "");
  EXPECT_EQ(CopyAt("abcdef", 1, -1), "");
  EXPECT_EQ(CopyAt("", 1, 1), "");
}

TEST(TextTest, CaseFoldingTouchesOnlyAsciiLetters) {
  EXPECT_EQ(AsciiUpper("Readme.ini \xE4\xB8\xAD"), "README.INI \xE4\xB8\xAD");
  EXPECT_EQ(AsciiUpper("[_]`{"), "[_]`{");
  EXPECT_EQ(AsciiLowerChar('Q'), 'q');
  EXPECT_EQ(AsciiLowerChar('_'), '_');
  EXPECT_EQ(AsciiUpperChar('\xE4'), '\xE4');
  std::string buffer = "a much longer earlier line";
  EXPECT_EQ(AsciiUpperInto(buffer, "Zolt v2"), "ZOLT V2");
  EXPECT_EQ(buffer, "ZOLT V2");
  EXPECT_TRUE(EqualsIgnoringAsciiCase("zoltsetup.INI", "ZoltSetup.ini"));
  EXPECT_FALSE(EqualsIgnoringAsciiCase("\xE4", "\xC4"));
  EXPECT_FALSE(EqualsIgnoringAsciiCase("Bin", "Bin2"));
  EXPECT_FALSE(EqualsIgnoringAsciiCase("[", "{"));
}

TEST(TextTest, SplitTextLinesTakesEveryLineEndingAndKeepsEmptyLines) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(SplitTextLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitTextLines("a\r\n\r\nb\r\n"), (Lines{"a", "", "b"}));
  EXPECT_EQ(SplitTextLines("\n\r"), (Lines{"", ""}));
  EXPECT_EQ(SplitTextLines("\r\n"), (Lines{""}));
  EXPECT_EQ(SplitTextLines(""), Lines{});
  EXPECT_EQ(SplitTextLines(std::string("x\0y", 3)), (Lines{std::string("x\0y", 3)}));
}

}  // namespace
}  // namespace cartulon
