#include "platform/text.h"

#include <gtest/gtest.h>

namespace cartulon {
namespace {

TEST(TextTest, TrimBlanksRemovesSpaceTabAndVerticalTabOnly) {
  EXPECT_EQ(TrimBlanks(" \t\vSub\\Setup.ini \v\t "), "Sub\\Setup.ini");
  EXPECT_EQ(TrimBlanks("\xA0x\xA0"), "\xA0x\xA0");
  EXPECT_EQ(TrimBlanks("a  b"), "a  b");
  EXPECT_EQ(TrimBlanks("   "), "");
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
