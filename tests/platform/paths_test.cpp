#include "platform/paths.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/code_page.h"

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
  // A disc root given with its delimiter loses it; a lone one leaves nothing.
  const std::string d(1, kPathDelimiter);
  EXPECT_EQ(StripTrailingDelimiter(d), "");
  EXPECT_EQ(StripTrailingDelimiter(d + "disc" + d), d + "disc");
  EXPECT_EQ(StripTrailingDelimiter(d + "disc"), d + "disc");
  EXPECT_EQ(StripTrailingDelimiter(d + "disc" + d + d), d + "disc" + d);
}

// Names whose second byte is 0x5C, the byte of '\', in their code page
// (功能 and 許 in 950, 乗 and 俓 in 936, 表 in 932) are not split there.
TEST(PathsTest, DoubleByteNamesAreNotSplitAtTheirSecondByte) {
  const std::pair<unsigned, std::string> names[] = {
      {950, "\xA5\x5C\xAF\xE0"}, {950, "\xB3\x5C"}, {936, "\x81\x5C"},
      {936, "A\x82\x5C"},        {932, "\x95\x5C"},
  };
  const std::string d(1, kPathDelimiter);
  for (const auto& [codePage, name] : names) {
    SetRunCodePage(codePage);
    const std::string path = FromDiscPath("Drivers\\" + name);
    EXPECT_EQ(path, "Drivers" + d + name) << codePage;
    EXPECT_EQ(LastComponent(path), name) << codePage;
    EXPECT_EQ(FolderPart(path), "Drivers" + d) << codePage;
    EXPECT_EQ(StripTrailingDelimiter(path + d), path) << codePage;
    EXPECT_EQ(JoinPath(name, "x.csv"), name + d + "x.csv") << codePage;
  }
  SetRunCodePage(1252);  // in 1252 the byte is a '\'
  EXPECT_EQ(FromDiscPath("\xB3\x5C"), "\xB3" + d);
  SetRunCodePage(0);
}

}  // namespace
}  // namespace cartulon
