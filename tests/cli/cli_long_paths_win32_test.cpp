// A package folder Windows opens whose files lie past the 259 characters
// the ANSI functions open: the files are named, in the left-out message
// and as long-path findings, instead of the package vanishing.
#include <gtest/gtest.h>

#include <string>

#include "cli/cli_runner.h"

namespace cartulon::cli_test {
namespace {

TEST(CliLongPathsWin32, FilesPastThePathLimitAreNamedNotDropped) {
  TempDir dir;
  WriteSmallDisc(dir);
  const std::string drivers = dir.Path("disc/Drivers");
  // The folder's path is 250 characters; its ZoltSetup.ini's is 264.
  const std::string name(250 - drivers.size() - 1, 'D');
  ASSERT_TRUE(test_support::MakeFolderAsWritten(drivers, name, "ZoltSetup.ini",
                                                Crlf({"[Root]", "InstallType=0"})));
  struct Removed {
    std::string drivers, name;
    ~Removed() { test_support::RemoveFolderAsWritten(drivers, name, "ZoltSetup.ini"); }
  } removed{drivers, name};

  const CliResult list = RunCli({"--stdout", dir.Path("disc")});
  const CliResult check = RunCli({"--check", dir.Path("disc")});
  EXPECT_EQ(list.exitCode, 0) << list.err;
  EXPECT_NE(list.err.find("Left out \"ZoltSetup.ini\" in " + drivers + "\\" + name +
                          ": its path is longer than the 259 characters"),
            std::string::npos)
      << list.err;
  EXPECT_EQ(check.exitCode, 1);
  EXPECT_NE(check.out.find("error long-path Drivers\\" + name +
                           ": the file \"ZoltSetup.ini\" has a path longer than the 259"),
            std::string::npos)
      << check.out;
}

// A folder of 258 characters opens, but its listing ("...\\*") is past the
// limit: Windows lists nothing in it, so it is named rather than shown
// empty. (Wine lists such a folder; the limit is the program's own.)
TEST(CliLongPathsWin32, FoldersTooLongToListAreNamedNotShownEmpty) {
  TempDir dir;
  WriteSmallDisc(dir);
  const std::string drivers = dir.Path("disc/Drivers");
  const std::string name(258 - drivers.size() - 1, 'F');
  ASSERT_TRUE(test_support::MakeFolderAsWritten(drivers, name, "a", "x"));
  struct Removed {
    std::string drivers, name;
    ~Removed() { test_support::RemoveFolderAsWritten(drivers, name, "a"); }
  } removed{drivers, name};

  const CliResult list = RunCli({"--stdout", dir.Path("disc")});
  const CliResult check = RunCli({"--check", dir.Path("disc")});
  EXPECT_NE(list.err.find("Left out \"" + name + "\" in " + drivers +
                          ": its path is longer than the 257 characters"),
            std::string::npos)
      << list.err;
  EXPECT_EQ(list.out.find(name), std::string::npos);
  EXPECT_NE(check.out.find("error long-path Drivers: the folder \"" + name +
                           "\" has a path longer than the 257"),
            std::string::npos)
      << check.out;
}

}  // namespace
}  // namespace cartulon::cli_test
