// The check and the list run prepare a run alike: a master file the list
// run cannot use fails both, and a folder the platform cannot open, or one
// too long for the disc's installers, is named by both instead of dropped.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "support/test_system.h"

namespace cartulon::cli_test {
namespace {

struct MasterCase {
  const char* name;
  // Spoils the master file at `path`; false where the system cannot.
  bool (*spoil)(const TempDir& dir, const std::string& path);
  const char* listMessage;   // in the list run's standard error
  const char* checkMessage;  // in the check's master-file finding
};

const MasterCase kMasterCases[] = {
    {"Number not a whole number",
     [](const TempDir& dir, const std::string&) {
       dir.WriteFile("disc/Bin/Zscdinst.ini", Crlf({"[OS_Language_Tag]", "WNT_6.1P_32=Win7x86",
                                                    "WNT_6.1P_64=Win7x64", "[InstAll]", "Win7x86=1",
                                                    "Win7x64=1", "[ConditionTable]", "Number=2x"}));
       return true;
     },
     "Zolt Cartulon: '2x' is not a valid integer value",
     "error master-file Bin: Zscdinst.ini gives Number=2x in [ConditionTable], which is not a "
     "whole number"},
    {"larger than 64 MiB",
     [](const TempDir&, const std::string& path) {
       std::filesystem::resize_file(path, (std::uintmax_t{64} << 20) + 1);
       return true;
     },
     "Zscdinst.ini is larger than 64 MiB",
     "error master-file Bin: Zscdinst.ini is larger than 64 MiB; the master file is not read"},
    {"a named pipe",
     [](const TempDir&, const std::string& path) {
       std::filesystem::remove(path);
       return test_support::MakePipe(path);
     },
     "Zscdinst.ini is not a regular file",
     "error master-file Bin: Zscdinst.ini is not a regular file; the master file is not read"},
};

TEST(CliRunAgreement, AMasterFileTheListRunCannotUseFailsTheCheckToo) {
  for (const MasterCase& c : kMasterCases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    WriteSmallDisc(dir);
    if (!c.spoil(dir, dir.Path("disc/Bin/Zscdinst.ini"))) continue;
    const CliResult list = RunCli({"--stdout", dir.Path("disc")});
    EXPECT_EQ(list.exitCode, 1);
    EXPECT_NE(list.err.find(c.listMessage), std::string::npos) << list.err;
    EXPECT_TRUE(list.out.empty());

    const CliResult check = RunCli({"--check", dir.Path("disc")});
    EXPECT_EQ(check.exitCode, 1) << check.err;
    EXPECT_EQ(check.out.rfind(c.checkMessage, 0), 0u) << check.out;
    // No false finding about every package's systems besides it.
    EXPECT_EQ(check.out.find("no OS group qualifies"), std::string::npos) << check.out;
  }
}

// A driver below a chain of folders longer than the system opens, and a
// folder whose path from a drive root is longer than Windows installers
// open. Neither can be made on Windows itself, whose ANSI functions stop
// at 259 characters.
TEST(CliRunAgreement, PathsTooLongAreReportedNotDropped) {
  TempDir dir;
  WriteSmallDisc(dir);
  // Two chains of folders, each short enough to make, one then moved below
  // the other: the package at the bottom lies 4,400 bytes deep.
  const std::string longName(200, 'L');
  std::string chain;
  for (int level = 0; level < 11; ++level) chain += "/" + longName;
  if (!test_support::MakeFolders(dir.Path("disc/Drivers/Deep" + chain)) ||
      !test_support::MakeFolders(dir.Path("spare" + chain))) {
    GTEST_SKIP() << "no folder names this long here";
  }
  dir.WriteFile("spare" + chain + "/ZoltSetup.ini", Crlf({"[Root]", "InstallType=0"}));
  std::filesystem::rename(dir.Path("spare/" + longName),
                          dir.Path("disc/Drivers/Deep" + chain + "/" + longName));
  const std::string wideName = std::string(240, 'W') + "/" + std::string(20, 'w');
  ASSERT_TRUE(test_support::MakeFolders(dir.Path("disc/Drivers/" + wideName)));

  const CliResult check = RunCli({"--check", "--depth", "40", dir.Path("disc")});
  EXPECT_EQ(check.exitCode, 1) << check.err;
  EXPECT_NE(check.out.find("error long-path Drivers\\Deep"), std::string::npos) << check.out;
  EXPECT_NE(check.out.find("characters this system can open; nothing in it or below it is in "
                           "the list"),
            std::string::npos)
      << check.out;
  const std::string wide = "Drivers\\" + std::string(240, 'W');
  EXPECT_NE(check.out.find("warning long-path " + wide + "\\" + std::string(20, 'w') +
                           ": the folder's path on the disc is 272 characters long from a "
                           "drive root such as E:\\, more than the 259 Windows installers can "
                           "open"),
            std::string::npos)
      << check.out;
  // The folder above it fits.
  EXPECT_EQ(check.out.find("warning long-path " + wide + ":"), std::string::npos);

  const CliResult list = RunCli({"--stdout", "--depth", "40", dir.Path("disc")});
  EXPECT_EQ(list.exitCode, 0) << list.err;
  EXPECT_NE(list.err.find("Zolt Cartulon: Left out \"" + longName + "\" in "), std::string::npos)
      << list.err;
  EXPECT_NE(list.err.find(": its path is longer than the "), std::string::npos) << list.err;
}

}  // namespace
}  // namespace cartulon::cli_test
