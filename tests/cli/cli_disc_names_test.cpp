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

// Names Windows opens as another entry or as a device, and one the code
// page spells only as a look-alike, are left out and named, in the left-out
// message and as findings, with the reason. (The folders are made as
// written, and removed so too: the scratch folder's removal cannot.)
TEST_F(CliDiscNames, NamesWindowsCannotOpenAsWrittenAreNamedNotDropped) {
  struct Case {
    std::u8string name;
    std::string reason;  // in the left-out message and the finding
  };
  const Case cases[] = {
      {u8"Trail.", "ends in a dot, which Windows drops"},
      {u8"Space ", "ends in a space, which Windows drops"},
      {u8"AUX", "is the device name AUX on Windows"},
      {u8"lpt1.log", "is the device name LPT1 on Windows"},
      {u8"\u03A9mega", "cannot be written in code page 1252"},  // Ωmega
      {u8"Plain", ""},
  };
  struct Removed {
    const Case* cases;
    std::string software;
    ~Removed() {
      for (const Case* c = cases; c != cases + 6; ++c) {
        test_support::RemoveFolderAsWritten(software, std::string(c->name.begin(), c->name.end()),
                                            "Readme.ini");
      }
    }
  } removed{cases, dir.Path("disc/Software")};
  for (const Case& c : cases) {
    const std::string name(c.name.begin(), c.name.end());
    ASSERT_TRUE(test_support::MakeFolderAsWritten(dir.Path("disc/Software"), name, "Readme.ini",
                                                  "[Information]\r\nTool_Name=Tool " + name));
  }
  RunSettings settings;
  settings.env = {{"LC_ALL", ""}, {"LC_MESSAGES", ""}, {"LANG", "en_US.UTF-8"}};
  const CliResult list = RunCli({"--stdout", "--codepage", "1252", dir.Path("disc")}, settings);
  const CliResult check = RunCli({"--check", "--codepage", "1252", dir.Path("disc")}, settings);
  ASSERT_EQ(list.exitCode, 0) << list.err;
  EXPECT_EQ(check.exitCode, 1);
  for (const Case& c : cases) {
    const std::string name(c.name.begin(), c.name.end());
    SCOPED_TRACE(name);
    EXPECT_EQ(list.out.find("Tool " + name) == std::string::npos, !c.reason.empty()) << list.out;
    if (c.reason.empty()) continue;
    EXPECT_NE(
        list.err.find(name.substr(name.size() - 3) + "\" in " + dir.Path("disc/Software") + ": "),
        std::string::npos)
        << list.err;
    EXPECT_NE(list.err.find(c.reason), std::string::npos) << list.err;
  }
  std::size_t findings = 0;
  for (std::size_t at = 0;
       (at = check.out.find("error bad-name Software: the entry", at)) != std::string::npos; ++at) {
    ++findings;
  }
  EXPECT_EQ(findings, 5u) << check.out;
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
