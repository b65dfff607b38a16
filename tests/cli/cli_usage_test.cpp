// The command line itself: help and version, usage errors and bad option
// values (exit status 2, message naming the option), the master-file check
// and the depth check (exit status 1). None of these writes a file.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "platform/paths.h"
#include "support/test_system.h"

namespace cartulon::cli_test {
namespace {

TEST(CliHelp, ListsEveryOptionAndExitsZero) {
  const CliResult r = RunCli({"--help"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  for (const char* option :
       {"--csv", "--depth", "--indent", "--group-depth", "--date", "--rules", "--contact",
        "--output", "--csv-output", "--stdout", "--force", "--version", "ROOT"}) {
    EXPECT_NE(r.out.find(option), std::string::npos) << option << " missing from\n" << r.out;
  }
}

TEST(CliHelp, VersionPrintsProgramNameAndNumber) {
  const CliResult r = RunCli({"--version"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(std::regex_search(r.out, std::regex("^cartulon-cli [0-9]+\\.[0-9]+\\.[0-9]+\\s*$")))
      << r.out;
}

// A usage error leaves the disc as it was: no list, no CSV.
class CliUsageErrors : public ::testing::Test {
 protected:
  void SetUp() override { WriteSmallDisc(dir); }
  std::string Disc() const { return dir.Path("disc"); }
  void ExpectNothingWritten() const {
    EXPECT_FALSE(Exists(dir.Path("disc/FileList.txt")));
    EXPECT_FALSE(Exists(dir.Path("disc/DriverInformation.csv")));
  }
  // Runs and expects exit status 2 with `name` in the message.
  void ExpectRejected(const std::vector<std::string>& args, const std::string& name) const {
    const CliResult r = RunCli(args);
    EXPECT_EQ(r.exitCode, 2) << r.err;
    EXPECT_NE(r.err.find(name), std::string::npos) << "message does not name " << name << ":\n"
                                                   << r.err;
    EXPECT_TRUE(r.out.empty()) << r.out;
    ExpectNothingWritten();
  }
  TempDir dir;
};

TEST_F(CliUsageErrors, MissingRootUnknownOptionAndExtraArgument) {
  EXPECT_EQ(RunCli({}).exitCode, 2);
  EXPECT_EQ(RunCli({"--csv"}).exitCode, 2);
  ExpectRejected({"--frobnicate", Disc()}, "--frobnicate");
  EXPECT_EQ(RunCli({Disc(), dir.Path("other")}).exitCode, 2);
  EXPECT_EQ(RunCli({""}).exitCode, 2);
  ExpectNothingWritten();
}

TEST_F(CliUsageErrors, NumbersThatAreNotNumbers) {
  ExpectRejected({"--depth", "six", Disc()}, "--depth");
  ExpectRejected({"--depth", "2.5", Disc()}, "--depth");
  ExpectRejected({"--indent", "wide", Disc()}, "--indent");
  ExpectRejected({"--group-depth", "x", Disc()}, "--group-depth");
  ExpectRejected({Disc(), "--depth"}, "--depth");
}

TEST_F(CliUsageErrors, NumbersArePlainDecimalAndNoValueIsEmpty) {
  ExpectRejected({"--depth", "0x10", Disc()}, "--depth: '0x10'");
  ExpectRejected({"--depth", "", Disc()}, "--depth: ''");
  ExpectRejected({"--indent", " 25", Disc()}, "--indent");
  ExpectRejected({"--output", "", Disc()}, "--output: ''");
  ExpectRejected({"--csv", "--csv-output", "", Disc()}, "--csv-output: ''");
  ExpectRejected({"--depth", "6\x01", Disc()}, "'6\\x01'");  // shown in plain ASCII
  // A leading zero is decimal: "010" is ten, never eight.
  const CliResult ten = RunCli({"--stdout", "--date", "1/1/2014", "--indent", "010", Disc()});
  const CliResult plain = RunCli({"--stdout", "--date", "1/1/2014", "--indent", "10", Disc()});
  EXPECT_EQ(ten.exitCode, 0) << ten.err;
  EXPECT_EQ(ten.out, plain.out);
}

TEST_F(CliUsageErrors, NegativeIndentAndGroupDepth) {
  ExpectRejected({"--indent=-5", Disc()}, "--indent");
  ExpectRejected({"--group-depth=-1", Disc()}, "--group-depth");
}

TEST_F(CliUsageErrors, DatesOfTheWrongShape) {
  for (const char* bad : {"2014-07-04", "7/4/14", "7/4/20145", "123/4/2014", "7/123/2014",
                          "a/b/cccc", "7/4", "7//2014", " 7/4/2014", "7/4/2014 "}) {
    SCOPED_TRACE(bad);
    ExpectRejected({"--date", bad, Disc()}, "--date");
  }
}

TEST_F(CliUsageErrors, RulesAndContactFilesMustExist) {
  ExpectRejected({"--rules", dir.Path("no-such.ini"), Disc()}, "--rules");
  ExpectRejected({"--contact", dir.Path("no-such.ini"), Disc()}, "--contact");
  ExpectRejected({"--rules", dir.Path("disc/Bin"), Disc()}, "--rules");
  // Devices and pipes in the file system (POSIX) are refused at once: they
  // would never end or block.
  if (test_support::MakePipe(dir.Path("pipe"))) {
    ExpectRejected({"--rules", "/dev/zero", Disc()}, "--rules: '/dev/zero' is not a regular file");
    ExpectRejected({"--contact", dir.Path("pipe"), Disc()}, "--contact");
  }
  ExpectRejected({"--rules", "", Disc()}, "--rules: ''");
}

TEST_F(CliUsageErrors, RootMustBeAnExistingFolder) {
  ExpectRejected({dir.Path("disc/Bin/Zscdinst.ini")}, "is not a folder");
  ExpectRejected({dir.Path("nowhere")}, "ROOT: '" + dir.Path("nowhere") + "' does not exist");
}

TEST_F(CliUsageErrors, ConflictingOptions) {
  ExpectRejected({"--csv-output", dir.Path("d.csv"), Disc()}, "--csv");
  ExpectRejected({"--stdout", "--output", dir.Path("l.txt"), Disc()}, "--output");
  const std::string same = dir.Path("same.txt");
  ExpectRejected({"--csv", "--output", same, "--csv-output", same, Disc()}, "--csv-output");
  EXPECT_FALSE(Exists(same));
}

class CliMasterFile : public ::testing::Test {
 protected:
  // The folder of the real program file, as the command sees itself.
  static std::string ProgramFolder() {
    return std::filesystem::canonical(CARTULON_CLI).parent_path().string();
  }
  static std::string MasterOnDisc(const std::string& disc) {
    return JoinPath(JoinPath(disc, "Bin"), "Zscdinst.ini");
  }
  TempDir dir;
};

TEST_F(CliMasterFile, MissingEverywhereGivesTheStartUpMessage) {
  ASSERT_FALSE(Exists(JoinPath(ProgramFolder(), "Zscdinst.ini")))
      << "a master file beside the program would hide this case";
  dir.WriteFile("disc/Drivers/Chipset/Readme.ini", Crlf({"[Information]", "Tool_Name=X"}));
  dir.WriteFile("disc/Bin/English.ini", Crlf({"[Default]", "<%1>=Q1"}));
  const std::string disc = dir.Path("disc");
  const std::string expected = "Zolt Cartulon: " + MasterOnDisc(disc) + " or \n" +
                               JoinPath(ProgramFolder(), "Zscdinst.ini") + " not found!\n";
  for (const std::string& root : {disc, disc + kPathDelimiter}) {
    SCOPED_TRACE(root);
    const CliResult r = RunCli({root});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, expected);
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(FolderNames(disc), (std::vector<std::string>{"Bin", "Drivers"}));
  }
}

TEST_F(CliMasterFile, MissingRootFolderIsABadArgumentNamingIt) {
  const std::string root = dir.Path("nowhere");
  const CliResult r = RunCli({root});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_EQ(r.err, "cartulon-cli: ROOT: '" + root + "' does not exist\n");
  EXPECT_FALSE(Exists(root));
}

TEST_F(CliMasterFile, BinFolderAndMasterFileFoundWhateverTheirLetterCase) {
  WriteSmallDisc(dir);
  std::filesystem::rename(dir.Path("disc/Bin/Zscdinst.ini"), dir.Path("disc/Bin/ZSCDINST.INI"));
  std::filesystem::rename(dir.Path("disc/Bin"), dir.Path("disc/bin"));
  const CliResult r = RunCli({"--date", "1/1/2014", dir.Path("disc")});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  const auto list = ReadBytes(dir.Path("disc/FileList.txt"));
  ASSERT_TRUE(list.has_value());
  // The master file was read: the drivers have their supported systems.
  EXPECT_NE(
      list->find("- Zoltek Chipset Driver V1.2.3 for Windows Win7 32bit & Win7 64bit---(WHQL)."),
      std::string::npos)
      << *list;
}

// Every usage error names its option, tells a number out of range from text
// that is no number, and carries no raw byte of another code page (nor a
// control character) to the console: such bytes are written as \xHH.
TEST_F(CliUsageErrors, ValuesOutOfRangeAndBytesOfAnotherCodePage) {
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const std::vector<Case> cases = {
      {{"--depth", "-1", "--csv", Disc()}, "--depth: '-1' is out of range"},
      {{"--indent", "2147483647", Disc()}, "--indent: '2147483647' is out of range"},
      {{"--group-depth", "99999999999999999999", Disc()}, "--group-depth: '99999999999999999999' is out of range"},
      {{"--indent", "\xB0\xAA", Disc()}, "--indent: '\\xB0\\xAA' is not a whole number"},
      {{"--date", "1/1/2014\xA1\xA1", Disc()}, "--date: '1/1/2014\\xA1\\xA1'"},
      {{"--bogus\xB0\xAA", Disc()}, "--bogus\\xB0\\xAA"},
      {{Disc() + "\xB0\xAA"}, "\\xB0\\xAA' does not exist"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    ExpectRejected(c.args, c.message);
    const std::string err = RunCli(c.args).err;
    for (const char byte : err) {
      const auto code = static_cast<unsigned char>(byte);
      EXPECT_TRUE(code == '\n' || (code >= 0x20 && code < 0x7F)) << "raw byte " << int(code);
    }
  }
}

}  // namespace
}  // namespace cartulon::cli_test
