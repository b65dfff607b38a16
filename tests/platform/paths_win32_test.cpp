// Paths on Windows: '\' delimits ('/' as well), drive letters and UNC roots,
// and the disc's own paths need no conversion.
#include "platform/paths.h"

#include <gtest/gtest.h>

namespace cartulon {
namespace {

TEST(PathsWindows, BackslashJoinsAndTheDiscsPathsStayAsWritten) {
  EXPECT_EQ(JoinPath("E:\\Disc", "Bin"), "E:\\Disc\\Bin");
  EXPECT_EQ(JoinPath("E:\\", "Bin"), "E:\\Bin");
  EXPECT_EQ(JoinPath("E:/Disc/", "Bin"), "E:/Disc/Bin");
  EXPECT_EQ(FromDiscPath("Sub\\Win7\\Setup.ini"), "Sub\\Win7\\Setup.ini");
  EXPECT_EQ(FromDiscPath("..\\Common/Setup.ini"), "..\\Common/Setup.ini");
}

TEST(PathsWindows, DriveRootsHaveNoLastComponent) {
  EXPECT_EQ(LastComponent("E:\\"), "");
  EXPECT_EQ(LastComponent("E:"), "");
  EXPECT_EQ(FolderPart("E:"), "E:");
  EXPECT_EQ(LastComponent("E:Drivers"), "Drivers");
  EXPECT_EQ(StripTrailingDelimiter("E:\\"), "E:");
  EXPECT_EQ(LastComponent("E:\\Drivers\\LAN"), "LAN");
  EXPECT_EQ(FolderPart("E:\\Drivers\\LAN"), "E:\\Drivers\\");
}

TEST(PathsWindows, UncRootsSplitLikeFolders) {
  EXPECT_EQ(LastComponent("\\\\server\\share"), "share");
  EXPECT_EQ(StripTrailingDelimiter("\\\\server\\share\\"), "\\\\server\\share");
  EXPECT_EQ(JoinPath("\\\\server\\share", "Drivers"), "\\\\server\\share\\Drivers");
}

}  // namespace
}  // namespace cartulon
