// The home folder on Windows: the user's profile folder, else the home drive
// and path of older set-ups.
#include "platform/home_folder.h"

#include <gtest/gtest.h>

#include "support/test_system.h"

namespace cartulon {
namespace {

TEST(HomeFolderWindows, TheProfileFolderFirstThenTheHomeDriveAndPath) {
  ScopedEnvironment drive("HOMEDRIVE", std::string("D:"));
  ScopedEnvironment path("HOMEPATH", std::string("\\Users\\zolt"));
  {
    ScopedEnvironment profile("USERPROFILE", std::string("C:\\Users\\Zolt\\"));
    EXPECT_EQ(HomeFolder(), "C:\\Users\\Zolt");
  }
  {
    ScopedEnvironment profile("USERPROFILE", std::nullopt);
    EXPECT_EQ(HomeFolder(), "D:\\Users\\zolt");
  }
  ScopedEnvironment profile("USERPROFILE", std::string("E:\\"));
  EXPECT_EQ(HomeFolder(), "E:\\");  // a drive root keeps its delimiter
}

}  // namespace
}  // namespace cartulon
