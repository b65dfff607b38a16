// Paths on POSIX: '/' alone delimits, and the disc's '\\' becomes '/'.
#include "platform/paths.h"

#include <gtest/gtest.h>

namespace cartulon {
namespace {

TEST(PathsTest, JoinPathAddsOneDelimiter) {
  EXPECT_EQ(JoinPath("/disc", "Bin"), "/disc/Bin");
  EXPECT_EQ(JoinPath("/disc/", "Bin"), "/disc/Bin");
  EXPECT_EQ(JoinPath("", "Bin"), "Bin");
}

TEST(PathsTest, DiscPathsWrittenWithBackslashesBecomeNative) {
  EXPECT_EQ(FromDiscPath("Sub\\Win7\\Setup.ini"), "Sub/Win7/Setup.ini");
  EXPECT_EQ(FromDiscPath(".\\Drivers"), "./Drivers");
}

TEST(PathsTest, BackslashIsAnOrdinaryByteOfANativeName) {
  EXPECT_FALSE(IsPathDelimiter('\\'));
  EXPECT_EQ(LastComponent("/disc/a\\b"), "a\\b");
  EXPECT_EQ(LastComponent("E:x"), "E:x");
}

}  // namespace
}  // namespace cartulon
