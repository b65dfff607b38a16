// A disc whose root is a drive root (E:\ on a real disc), or a folder on a
// drive named as the drive's current folder: the sample disc on the spare
// drive that the Wine set-up of the build maps to an empty folder gives the
// golden list and CSV, written into the disc's root, however the root is
// typed and whatever the drive's current folder is.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "cli/cli_runner.h"

namespace cartulon::cli_test {
namespace {

struct DriveCase {
  const char* discFolder;     // where on the drive the disc is copied
  const char* workingFolder;  // the current folder of the run, on the drive
  const char* typedRoot;      // ROOT as typed, X in the drive letter's place
};

// "X:" alone is the drive's current folder, as Windows reads it; a root
// with its delimiter is the drive's root wherever the run is started. One
// test for all the ways of typing it, since they share the one spare drive.
constexpr DriveCase kTypedRoots[] = {
    {"", "", "X:\\"},
    {"", "Bin", "X:\\"},
    {"", "Bin", "X:/"},
    {"", "Bin", "\\\\?\\X:\\"},
    {"discs\\SupportCD", "discs\\SupportCD", "X:"},
    {"discs\\SupportCD", "discs", "X:SupportCD"},
};

TEST(CliDriveRoot, SampleDiscGivesTheGoldenFilesHoweverTheRootIsTyped) {
  const char* drive = std::getenv("CARTULON_TEST_DRIVE");
  if (drive == nullptr || drive[0] == '\0') {
    GTEST_SKIP() << "no spare drive letter mapped to an empty folder (CARTULON_TEST_DRIVE)";
  }
  const std::string driveRoot = std::string(drive) + "\\";
  const std::string golden = std::string(CARTULON_TEST_DATA) + "/golden/SupportCD/";
  for (const DriveCase& c : kTypedRoots) {
    std::string root;
    for (const char* t = c.typedRoot; *t != '\0'; ++t) root += *t == 'X' ? drive[0] : *t;
    SCOPED_TRACE(root + " run in " + driveRoot + c.workingFolder);
    ASSERT_TRUE(FolderNames(driveRoot).empty()) << "the drive must be empty";
    // The drive is emptied again however the case ends.
    struct Emptied {
      std::string root;
      ~Emptied() {
        for (const std::string& name : FolderNames(root)) {
          std::error_code ec;
          std::filesystem::remove_all(root + name, ec);
        }
      }
    } emptied{driveRoot};
    const std::string disc = driveRoot + c.discFolder;
    std::filesystem::create_directories(disc);
    std::filesystem::copy(std::string(CARTULON_EXAMPLES) + "/SupportCD", disc,
                          std::filesystem::copy_options::recursive);

    RunSettings settings;
    settings.cwd = driveRoot + c.workingFolder;
    const CliResult r = RunCli({"--csv", "--date", "3/7/2014", root}, settings);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const std::string written = disc.back() == '\\' ? disc : disc + "\\";
    EXPECT_EQ(ReadBytes(written + "FileList.txt"), ReadBytes(golden + "FileList.txt"));
    EXPECT_EQ(ReadBytes(written + "DriverInformation.csv"),
              ReadBytes(golden + "DriverInformation.csv"));
  }
}

}  // namespace
}  // namespace cartulon::cli_test
