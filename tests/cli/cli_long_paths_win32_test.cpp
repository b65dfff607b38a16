// Paths past what the ANSI functions take are named, in the left-out message
// and as long-path findings, instead of a package vanishing: a file past
// the 259 characters they open, and a folder past the 257 whose listing
// ("...\*") they take. (Wine lists such a folder; the limit is the
// program's own.)
#include <gtest/gtest.h>

#include <string>

#include "cli/cli_runner.h"

namespace cartulon::cli_test {
namespace {

TEST(CliLongPathsWin32, PathsPastTheLimitsAreNamedNotDropped) {
  struct Case {
    std::size_t folderLength;  // of the package folder's path
    const char* fileName;
    const char* leftOutOf;  // "folder" when the folder itself is left out
    const char* limit;
  };
  const Case cases[] = {
      {250, "ZoltSetup.ini", "file", "259"},  // the file's path is 264 characters
      {258, "a", "folder", "257"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    WriteSmallDisc(dir);
    const std::string drivers = dir.Path("disc/Drivers");
    const std::string name(c.folderLength - drivers.size() - 1, 'D');
    ASSERT_TRUE(test_support::MakeFolderAsWritten(drivers, name, c.fileName,
                                                  Crlf({"[Root]", "InstallType=0"})));
    struct Removed {
      std::string drivers, name, file;
      ~Removed() { test_support::RemoveFolderAsWritten(drivers, name, file); }
    } removed{drivers, name, c.fileName};

    const CliResult list = RunCli({"--stdout", dir.Path("disc")});
    const CliResult check = RunCli({"--check", dir.Path("disc")});
    const bool file = std::string(c.leftOutOf) == "file";
    const std::string leftOut =
        file ? "\"" + std::string(c.fileName) + "\" in " + drivers + "\\" + name
             : "\"" + name + "\" in " + drivers;
    const std::string finding =
        file ? "error long-path Drivers\\" + name + ": the file \"" + c.fileName + "\""
             : "error long-path Drivers: the folder \"" + name + "\"";
    EXPECT_EQ(list.exitCode, 0) << list.err;
    EXPECT_NE(list.err.find("Left out " + leftOut + ": its path is longer than the " + c.limit +
                            " characters"),
              std::string::npos)
        << list.err;
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_NE(check.out.find(finding + " has a path longer than the " + c.limit), std::string::npos)
        << check.out;
  }
}

}  // namespace
}  // namespace cartulon::cli_test
