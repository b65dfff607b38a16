// Targets Windows cannot write as files: device names, streams and
// read-only files are refused before anything is written, so that a run
// never replaces the list and then fails on the table.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "cli/cli_runner.h"

namespace cartulon::cli_test {
namespace {

TEST(CliTargetNames, UnwritableCsvTargetStopsTheRunBeforeTheList) {
  TempDir dir;
  WriteSmallDisc(dir);
  const std::string contact = dir.WriteFile("contact.ini", SmallContact());
  const std::string oldList = "old list\r\n";
  const std::string list = dir.WriteFile("disc/FileList.txt", oldList);
  const std::string readOnly = dir.WriteFile("kept.csv", "old,rows\r\n");
  ASSERT_TRUE(SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));

  struct Case {
    std::string target;
    const char* message;
  };
  const std::vector<Case> cases = {
      {dir.Path("CON"), "names the device CON, not a file"},
      {dir.Path("lpt1.txt"), "names the device LPT1, not a file"},
      {dir.Path("Aux .csv"), "names the device AUX, not a file"},
      {dir.Path("com9"), "names the device COM9, not a file"},
      {dir.Path("x.txt:s"), "names a stream of a file"},
      {dir.Path(std::string(250, 'n') + ".csv"), "longer than the 259 characters"},
      {readOnly, "is read-only; it is not replaced"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target);
    const CliResult r = RunCli({"--date", "7/4/2014", "--contact", contact, "--force", "--csv",
                                "--csv-output", c.target, dir.Path("disc")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("nothing written"), std::string::npos) << r.err;
    EXPECT_EQ(ReadBytes(list), oldList);
  }
  EXPECT_EQ(ReadBytes(readOnly), "old,rows\r\n");
  EXPECT_EQ(FolderNames(dir.Path()), (std::vector<std::string>{"contact.ini", "disc", "kept.csv"}));
  SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
}  // namespace cartulon::cli_test
