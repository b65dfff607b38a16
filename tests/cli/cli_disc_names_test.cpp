// Entries of a disc that the list leaves out: names the disc's home file
// system cannot hold (a folder name with a line break would otherwise add
// its own line to the list) and links that lead off the disc or back up.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "platform/paths.h"

namespace cartulon::cli_test {
namespace {

class CliDiscNames : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteSmallDisc(dir);
    contact = dir.WriteFile("contact.ini", SmallContact());
  }
  // A run with the fixed date and the small contact block; the list goes to
  // standard output and the CSV beside the disc root.
  CliResult Run() const {
    return RunCli({"--date", "7/4/2014", "--contact", contact, "--stdout", "--csv", "--force",
                   dir.Path("disc")});
  }
  std::string Csv() const { return ReadBytes(dir.Path("disc/DriverInformation.csv")).value_or(""); }

  TempDir dir;
  std::string contact;
};

TEST_F(CliDiscNames, HostileNamesAndLinksChangeNeitherTheListNorTheCsv) {
  if (!test_support::ForbiddenNamesCanExist()) GTEST_SKIP() << "the system refuses such names";
  if (!test_support::CanCreateSymbolicLinks()) GTEST_SKIP() << "no symbolic links here";
  const CliResult plain = Run();
  ASSERT_EQ(plain.exitCode, 0) << plain.err;
  const std::string plainCsv = Csv();
  ASSERT_FALSE(plainCsv.empty());

  // A certified driver package whose folder name carries a list line.
  const std::string injected =
      "Fake\r\n  -Injected  - Evil Corp Rootkit Driver V6.6 for Windows Win7 32bit---(WHQL).";
  dir.WriteFile("disc/Drivers/" + injected + "/ZoltSetup.ini",
                Crlf({"[Root]", "InstallType=0", "[InstAllInfo]", "Version=6.6", "PassWHQL=1",
                      "[OS_Language_Tag]"}) +
                    Win7Tags());
  dir.WriteFile("disc/Drivers/" + injected + "/English.ini",
                Crlf({"[Default]", "Title=Evil Corp Rootkit Driver"}));
  dir.MakeFolder("disc/Drivers/Pipe|Name");
  // A dozen links back up and one off the disc, to a package outside.
  for (int k = 0; k < 12; ++k) {
    std::filesystem::create_directory_symlink("..",
                                              dir.Path("disc/Drivers/up" + std::to_string(k)));
  }
  dir.WriteFile("elsewhere/Pkg/Readme.ini", Crlf({"[Information]", "Tool_Name=Stranger"}));
  std::filesystem::create_directory_symlink(dir.Path("elsewhere"), dir.Path("disc/Software/Away"));

  const CliResult hostile = Run();
  ASSERT_EQ(hostile.exitCode, 0) << hostile.err;
  EXPECT_EQ(hostile.out, plain.out);
  EXPECT_EQ(Csv(), plainCsv);
  // One message for the analysis, one line per left-out name (in listing
  // order).
  const std::string suffix =
      "\" in " + dir.Path("disc/Drivers") + ": the name holds a character a disc cannot hold.";
  const std::string first =
      "Left out \"Fake\\x0D\\x0A  -Injected  - Evil Corp Rootkit Driver "
      "V6.6 for Windows Win7 32bit---(WHQL)." +
      suffix;
  const std::string second = "Left out \"Pipe|Name" + suffix;
  EXPECT_TRUE(hostile.err == "Zolt Cartulon: " + first + "\n" + second + "\n" ||
              hostile.err == "Zolt Cartulon: " + second + "\n" + first + "\n")
      << hostile.err;
}

// The file-system root given as ROOT is the disc root, listed and read as
// any other, not the empty path (which would be the working folder). A copy
// of the command carries the master file beside it, since the machine's
// root has no Bin folder of a disc; the working folder holds a disc's
// English.ini that must not be read.
TEST(CliFileSystemRoot, RootOfTheFileSystemIsTheDiscRoot) {
  if (kPathDelimiter != '/') GTEST_SKIP() << "a drive root is another case";
  TempDir dir;
  WriteSmallDisc(dir, "copy");
  const std::string program = dir.Path("copy/Bin/cartulon-cli");
  std::filesystem::copy_file(CARTULON_CLI, program);
  dir.WriteFile("work/Bin/English.ini", Crlf({"[Default]", "<%1>=Working-Folder"}));
  const std::string rules = dir.WriteFile(
      "rules.ini", Crlf({"[Title]", "FileTitle=List for <%1>", "[Constant]",
                         ".\\tmp=- The temporary folder."}));
  RunSettings settings;
  settings.cwd = dir.Path("work");
  const CliResult r = test_support::RunProcess(
      program, {"--stdout", "--depth", "1", "--date", "1/1/2014", "--rules", rules, "/"}, settings);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::vector<std::string> lines = CrlfLines(r.out);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0].find("Working-Folder"), std::string::npos) << lines[0];
  EXPECT_NE(std::find(lines.begin(), lines.end(), "-tmp" + Blanks(21) + "- The temporary folder."),
            lines.end())
      << r.out;
}

}  // namespace
}  // namespace cartulon::cli_test
