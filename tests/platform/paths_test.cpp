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
  // A disc root given with its delimiter loses it; a lone one leaves nothing.
  const std::string d(1, kPathDelimiter);
  EXPECT_EQ(StripTrailingDelimiter(d), "");
  EXPECT_EQ(StripTrailingDelimiter(d + "disc" + d), d + "disc");
  EXPECT_EQ(StripTrailingDelimiter(d + "disc"), d + "disc");
  EXPECT_EQ(StripTrailingDelimiter(d + "disc" + d + d), d + "disc" + d);
}

}  // namespace
}  // namespace cartulon
