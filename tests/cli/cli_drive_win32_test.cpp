// A disc whose root is a drive root (E:\ on a real disc): the sample disc on
// the spare drive that the Wine set-up of the build maps to an empty folder
// gives the golden list and CSV, written into the drive's root.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "cli/cli_runner.h"

namespace cartulon::cli_test {
namespace {

TEST(CliDriveRoot, SampleDiscOnADriveRootGivesTheGoldenFiles) {
  const char* drive = std::getenv("CARTULON_TEST_DRIVE");
  if (drive == nullptr || drive[0] == '\0') {
    GTEST_SKIP() << "no spare drive letter mapped to an empty folder (CARTULON_TEST_DRIVE)";
  }
  const std::string root = std::string(drive) + "\\";
  ASSERT_TRUE(FolderNames(root).empty()) << "the drive must be empty";
  // The drive is emptied again however the test ends.
  struct Emptied {
    std::string root;
    ~Emptied() {
      for (const std::string& name : FolderNames(root)) {
        std::error_code ec;
        std::filesystem::remove_all(root + name, ec);
      }
    }
  } emptied{root};
  std::filesystem::copy(std::string(CARTULON_EXAMPLES) + "/SupportCD", root,
                        std::filesystem::copy_options::recursive);

  const CliResult r = RunCli({"--csv", "--date", "3/7/2014", root});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  const std::string golden = std::string(CARTULON_TEST_DATA) + "/golden/SupportCD/";
  EXPECT_EQ(ReadBytes(root + "FileList.txt"), ReadBytes(golden + "FileList.txt"));
  EXPECT_EQ(ReadBytes(root + "DriverInformation.csv"), ReadBytes(golden + "DriverInformation.csv"));
}

}  // namespace
}  // namespace cartulon::cli_test
