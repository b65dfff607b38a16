#include "platform/paths.h"

#include <gtest/gtest.h>

namespace cartulon {
namespace {

TEST(PathsTest, LastComponentAndFolderPartSplitAtTheLastDelimiter) {
  EXPECT_EQ(LastComponent("/disc/Drivers/Audio"), "Audio");
  EXPECT_EQ(FolderPart("/disc/Drivers/Audio"), "/disc/Drivers/");
  EXPECT_EQ(LastComponent("/disc/Drivers/"), "");
  EXPECT_EQ(LastComponent("Ver.tag"), "Ver.tag");
  EXPECT_EQ(FolderPart("Ver.tag"), "");
}

TEST(PathsTest, StripTrailingDelimiterRemovesOneOnly) {
  EXPECT_EQ(StripTrailingDelimiter("/disc/"), "/disc");
  EXPECT_EQ(StripTrailingDelimiter("/disc//"), "/disc/");
  EXPECT_EQ(StripTrailingDelimiter("/disc"), "/disc");
  EXPECT_EQ(StripTrailingDelimiter(""), "");
}

TEST(PathsTest, UpperCasingAndComparisonTouchOnlyAsciiLetters) {
  EXPECT_EQ(AsciiUpper("Readme.ini \xE4\xB8\xAD"), "README.INI \xE4\xB8\xAD");
  EXPECT_TRUE(EqualsIgnoringAsciiCase("zoltsetup.INI", "ZoltSetup.ini"));
  EXPECT_FALSE(EqualsIgnoringAsciiCase("\xE4", "\xC4"));
  EXPECT_FALSE(EqualsIgnoringAsciiCase("Bin", "Bin2"));
}

}  // namespace
}  // namespace cartulon
