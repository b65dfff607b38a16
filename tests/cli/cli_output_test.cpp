// What the command writes: the whole FileList.txt of a small disc byte for
// byte, the CSV rows, the other targets, the settings, the template
// replacements, the refusal to replace existing files, and that no template
// or scratch file is left behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_runner.h"
#include "platform/program_path.h"

namespace cartulon::cli_test {
namespace {

const std::string kTitle = "File List for the included support software for Q1-Test Motherboard";
const std::string kChipsetText =
    "- Zoltek Chipset Driver V1.2.3 for Windows Win7 32bit & Win7 64bit---(WHQL).";
const std::string kNetText = "- Zoltek Net Driver V4.5 for Windows Win7 32bit---(Beta).";

// The list of the small disc with its three-line contact block, Indent 25,
// Group Depth 2 and the date 7/4/2014, worked out by hand from the list
// format: heading, one line per checked folder, blank lines after the
// groups of depth 1 and 2 and after the root, the contact block in place of
// Ver.tag, the footer.
std::string GoldenSmallList() {
  return Crlf({
      kTitle,
      std::string(kTitle.size(), '='),
      "File Name" + Blanks(16) + "Description",
      std::string(kTitle.size(), '-'),
      "-Drivers" + Blanks(17),
      "  -Chipset" + Blanks(15) + kChipsetText,
      "",
      "  -Net" + Blanks(19) + kNetText,
      "",
      "",
      "-Software" + Blanks(16),
      "  -Tool" + Blanks(18) + "- Zolt Tool V2.0 Handy helper.",
      "",
      "",
      "-Contact" + Blanks(17) + "ZOLTEK COMPUTER INC.",
      Blanks(25),
      Blanks(25) + "Web site: www.zoltek.example",
      "",
      "",
      "-FileList.txt" + Blanks(12) + "The file you are now reading.",
      Blanks(25) + "7/4/2014",
  });
}

const std::string kGoldenCsv =
    "Zoltek,Chipset Driver,1.2.3,Win7 32bit & Win7 64bit\r\n"
    "Zoltek,Net Driver,4.5,Win7 32bit\r\n";

class CliOutput : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteSmallDisc(dir);
    contact = dir.WriteFile("contact.ini", SmallContact());
  }
  std::string Disc() const { return dir.Path("disc"); }
  std::string ListPath() const { return dir.Path("disc/FileList.txt"); }
  std::string CsvPath() const { return dir.Path("disc/DriverInformation.csv"); }
  // The usual arguments: fixed date and the small contact block.
  std::vector<std::string> Args(std::vector<std::string> extra = {}) const {
    std::vector<std::string> args = {"--date", "7/4/2014", "--contact", contact};
    args.insert(args.end(), extra.begin(), extra.end());
    args.push_back(Disc());
    return args;
  }
  std::string WrittenList() const { return ReadBytes(ListPath()).value_or("<missing>"); }

  TempDir dir;
  std::string contact;
};

TEST_F(CliOutput, GoldenListOfASmallDisc) {
  const CliResult r = RunCli(Args());
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(r.out.empty()) << r.out;
  EXPECT_TRUE(r.err.empty()) << r.err;
  EXPECT_EQ(WrittenList(), GoldenSmallList());
  EXPECT_FALSE(Exists(CsvPath()));
}

TEST_F(CliOutput, CsvHasTheWhqlAndBetaRowsAndLiesBesideTheList) {
  const CliResult r = RunCli(Args({"--csv"}));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(WrittenList(), GoldenSmallList());
  EXPECT_EQ(ReadBytes(CsvPath()).value_or("<missing>"), kGoldenCsv);
}

TEST_F(CliOutput, CsvWithoutDriversFolderFailsAfterTheList) {
  std::filesystem::remove_all(dir.Path("disc/Drivers"));
  const CliResult r = RunCli(Args({"--csv"}));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("Zolt Cartulon: No Drivers folder found, load drivers information into "
                       "csv file fail!"),
            std::string::npos)
      << r.err;
  EXPECT_TRUE(Exists(ListPath()));
  EXPECT_FALSE(Exists(CsvPath()));
}

TEST_F(CliOutput, StdoutGivesTheBytesAWriteGivesAndWritesNoList) {
  const CliResult written = RunCli(Args({"--output", dir.Path("written.txt")}));
  ASSERT_EQ(written.exitCode, 0) << written.err;
  const CliResult printed = RunCli(Args({"--stdout"}));
  ASSERT_EQ(printed.exitCode, 0) << printed.err;
  EXPECT_EQ(printed.out, ReadBytes(dir.Path("written.txt")).value_or("<missing>"));
  EXPECT_EQ(printed.out, GoldenSmallList());
  EXPECT_FALSE(Exists(ListPath()));
  EXPECT_FALSE(Exists(CsvPath()));
}

TEST_F(CliOutput, StdoutWithCsvWritesTheSameRowsBesideTheRoot) {
  const CliResult r = RunCli(Args({"--stdout", "--csv"}));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, GoldenSmallList());
  EXPECT_FALSE(Exists(ListPath()));
  EXPECT_EQ(ReadBytes(CsvPath()).value_or("<missing>"), kGoldenCsv);

  const CliResult again = RunCli(Args({"--stdout", "--csv"}));
  EXPECT_EQ(again.exitCode, 1) << "the earlier CSV must not be replaced";
  EXPECT_TRUE(again.out.empty());

  const CliResult missingFolder =
      RunCli(Args({"--stdout", "--csv", "--csv-output", dir.Path("out/rows.csv")}));
  EXPECT_EQ(missingFolder.exitCode, 1) << "a CSV target in a missing folder cannot be written";
  EXPECT_FALSE(Exists(dir.Path("out")));

  const CliResult elsewhere =
      RunCli(Args({"--stdout", "--csv", "--csv-output", dir.Path("rows.csv")}));
  ASSERT_EQ(elsewhere.exitCode, 0) << elsewhere.err;
  EXPECT_EQ(elsewhere.out, GoldenSmallList());
  EXPECT_EQ(ReadBytes(dir.Path("rows.csv")).value_or("<missing>"), kGoldenCsv);
}

TEST_F(CliOutput, OutputAndCsvOutputTargets) {
  dir.MakeFolder("out");
  const CliResult r = RunCli(Args({"--csv", "--output", dir.Path("out/list.txt")}));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadBytes(dir.Path("out/list.txt")).value_or("<missing>"), GoldenSmallList());
  EXPECT_EQ(ReadBytes(dir.Path("out/DriverInformation.csv")).value_or("<missing>"), kGoldenCsv);
  EXPECT_FALSE(Exists(ListPath()));
  EXPECT_FALSE(Exists(CsvPath()));

  const CliResult both = RunCli(Args(
      {"--csv", "--output", dir.Path("out/second.txt"), "--csv-output", dir.Path("drivers.csv")}));
  ASSERT_EQ(both.exitCode, 0) << both.err;
  EXPECT_EQ(ReadBytes(dir.Path("out/second.txt")).value_or("<missing>"), GoldenSmallList());
  EXPECT_EQ(ReadBytes(dir.Path("drivers.csv")).value_or("<missing>"), kGoldenCsv);
  EXPECT_EQ(FolderNames(dir.Path("out")),
            (std::vector<std::string>{"DriverInformation.csv", "list.txt", "second.txt"}));
}

TEST_F(CliOutput, OutputInAMissingFolderFails) {
  const CliResult r = RunCli(Args({"--csv", "--output", dir.Path("missing/list.txt")}));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_FALSE(r.err.empty());
  EXPECT_FALSE(Exists(dir.Path("missing")));
  EXPECT_FALSE(Exists(ListPath()));
  EXPECT_FALSE(Exists(CsvPath()));
}

TEST_F(CliOutput, ReadOnlyDiscRootFails) {
  if (!test_support::FolderPermissionsBind()) {
    GTEST_SKIP() << "a read-only folder does not stop this process from writing";
  }
  namespace fs = std::filesystem;
  fs::permissions(Disc(), fs::perms::owner_write, fs::perm_options::remove);
  const CliResult r = RunCli(Args({"--csv"}));
  fs::permissions(Disc(), fs::perms::owner_write, fs::perm_options::add);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_FALSE(r.err.empty());
  EXPECT_FALSE(Exists(ListPath()));
  EXPECT_FALSE(Exists(CsvPath()));
}

TEST_F(CliOutput, ConditionTableWithoutANumberStopsTheSave) {
  dir.WriteFile("disc/Bin/Zscdinst.ini",
                Crlf({"[OS_Language_Tag]", "WNT_6.1P_32=Win7x86", "[InstAll]", "Win7x86=1",
                      "[ConditionTable]", "Number=three"}));
  for (const std::vector<std::string>& extra :
       {std::vector<std::string>{"--csv"}, std::vector<std::string>{"--stdout", "--csv"}}) {
    const CliResult r = RunCli(Args(extra));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Zolt Cartulon: 'three' is not a valid integer value\n");
    EXPECT_TRUE(r.out.empty()) << r.out;
    EXPECT_FALSE(Exists(ListPath()));
    EXPECT_FALSE(Exists(CsvPath()));
  }
}

class CliExistingTargets : public CliOutput {
 protected:
  const std::string oldList = "old list\r\n";
  const std::string oldCsv = "old,rows\r\n";
};

TEST_F(CliExistingTargets, ExistingListIsKeptAndNothingIsWritten) {
  dir.WriteFile("disc/FileList.txt", oldList);
  const CliResult r = RunCli(Args({"--csv"}));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find(ListPath()), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("--force"), std::string::npos) << r.err;
  EXPECT_EQ(WrittenList(), oldList);
  EXPECT_FALSE(Exists(CsvPath())) << "the CSV must not be written when the list is refused";
}

TEST_F(CliExistingTargets, ExistingCsvStopsTheRunBeforeTheList) {
  dir.WriteFile("disc/DriverInformation.csv", oldCsv);
  const CliResult r = RunCli(Args({"--csv"}));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find(CsvPath()), std::string::npos) << r.err;
  EXPECT_FALSE(Exists(ListPath()));
  EXPECT_EQ(ReadBytes(CsvPath()).value_or("<missing>"), oldCsv);

  // Without --csv the CSV is no target, and the list is written.
  EXPECT_EQ(RunCli(Args()).exitCode, 0);
  EXPECT_EQ(WrittenList(), GoldenSmallList());
  EXPECT_EQ(ReadBytes(CsvPath()).value_or("<missing>"), oldCsv);
}

TEST_F(CliExistingTargets, ExistingOutputTargetIsKept) {
  const std::string target = dir.WriteFile("mine.txt", oldList);
  EXPECT_EQ(RunCli(Args({"--output", target})).exitCode, 1);
  EXPECT_EQ(ReadBytes(target).value_or("<missing>"), oldList);
  EXPECT_FALSE(Exists(ListPath()));
}

TEST_F(CliExistingTargets, ForceReplacesBoth) {
  dir.WriteFile("disc/FileList.txt", oldList);
  dir.WriteFile("disc/DriverInformation.csv", oldCsv);
  const CliResult r = RunCli(Args({"--csv", "--force"}));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(WrittenList(), GoldenSmallList());
  EXPECT_EQ(ReadBytes(CsvPath()).value_or("<missing>"), kGoldenCsv);
}

TEST_F(CliExistingTargets, TargetsDifferingInLetterCaseAreKeptOrReplacedUnderTheirNames) {
  const std::string list = dir.WriteFile("disc/FILELIST.TXT", oldList);
  const std::string csv = dir.WriteFile("disc/driverinformation.csv", oldCsv);
  const std::vector<std::string> names = FolderNames(Disc());
  const CliResult kept = RunCli(Args({"--csv"}));
  EXPECT_EQ(kept.exitCode, 1);
  EXPECT_EQ(kept.err, "cartulon-cli: " + list + " already exists; use --force to replace it\n" +
                          "cartulon-cli: " + csv + " already exists; use --force to replace it\n" +
                          "cartulon-cli: nothing written\n");
  EXPECT_EQ(ReadBytes(list).value_or("<missing>"), oldList);
  EXPECT_EQ(ReadBytes(csv).value_or("<missing>"), oldCsv);
  EXPECT_EQ(FolderNames(Disc()), names);

  const CliResult forced = RunCli(Args({"--csv", "--force"}));
  ASSERT_EQ(forced.exitCode, 0) << forced.err;
  EXPECT_EQ(ReadBytes(list).value_or("<missing>"), GoldenSmallList());
  EXPECT_EQ(ReadBytes(csv).value_or("<missing>"), kGoldenCsv);
  EXPECT_EQ(FolderNames(Disc()), names) << "no second list or table beside the existing ones";
}

TEST_F(CliExistingTargets, OutputTargetsDifferingInLetterCaseAreTheExistingFiles) {
  const std::string list = dir.WriteFile("out/Mine.TXT", oldList);
  const std::string csv = dir.WriteFile("out/ROWS.csv", oldCsv);
  const std::vector<std::string> args = {"--output", dir.Path("out/mine.txt"), "--csv",
                                         "--csv-output", dir.Path("out/rows.CSV")};
  const CliResult kept = RunCli(Args(args));
  EXPECT_EQ(kept.exitCode, 1);
  EXPECT_NE(kept.err.find(list + " already exists"), std::string::npos) << kept.err;
  EXPECT_NE(kept.err.find(csv + " already exists"), std::string::npos) << kept.err;
  EXPECT_EQ(ReadBytes(list).value_or("<missing>"), oldList);

  std::vector<std::string> forcedArgs = args;
  forcedArgs.push_back("--force");
  const CliResult forced = RunCli(Args(forcedArgs));
  ASSERT_EQ(forced.exitCode, 0) << forced.err;
  EXPECT_EQ(ReadBytes(list).value_or("<missing>"), GoldenSmallList());
  EXPECT_EQ(ReadBytes(csv).value_or("<missing>"), kGoldenCsv);
  EXPECT_EQ(FolderNames(dir.Path("out")), (std::vector<std::string>{"Mine.TXT", "ROWS.csv"}));

  // Two spellings of one existing file are one target.
  const CliResult same =
      RunCli(Args({"--output", dir.Path("out/mine.txt"), "--csv", "--csv-output", list}));
  EXPECT_EQ(same.exitCode, 2);
  EXPECT_NE(same.err.find("name the same file"), std::string::npos) << same.err;
}

// --force replaces an earlier list or table, never one output with the
// other, nor a file the run reads, nor what a link to a device leads to.
TEST_F(CliExistingTargets, ForceNeverReplacesTheOtherTargetAnInputOrADevice) {
  const std::string rules = dir.WriteFile("rules.ini", Crlf({"[Title]", "FileTitle=T"}));
  dir.MakeFolder("out");
  const bool links = test_support::CanCreateSymbolicLinks();
  if (links) {
    std::filesystem::create_directory_symlink(dir.Path("out"), dir.Path("via"));
    std::filesystem::create_symlink("/dev/null", dir.Path("null-link"));
  }
  struct Case {
    const char* what;
    std::vector<std::string> args;
    int exitCode;
    std::string message;
    bool needsLinks = false;
  };
  const std::string chipset = dir.Path("disc/Drivers/Chipset/");
  const std::vector<Case> cases = {
      {"letter case",
       {"--output", dir.Path("out/List.txt"), "--csv", "--csv-output", dir.Path("out/list.TXT")},
       2,
       "name the same file"},
      {"dot folder",
       {"--output", dir.Path("out/l.txt"), "--csv", "--csv-output", dir.Path("out/./L.txt")},
       2,
       "name the same file"},
      {"folder link",
       {"--output", dir.Path("out/l.txt"), "--csv", "--csv-output", dir.Path("via/l.txt")},
       2,
       "name the same file",
       true},
      {"master file", {"--output", dir.Path("disc/Bin/Zscdinst.ini")}, 1, "is the master file"},
      {"rules file", {"--rules", rules, "--output", rules}, 1, "is the rules file"},
      {"contact file", {"--csv", "--csv-output", contact}, 1, "is the contact file"},
      {"package file",
       {"--csv", "--csv-output", chipset + "English.ini"},
       1,
       "is read by this run"},
      {"package file, other case",
       {"--output", chipset + "ZOLTSETUP.INI"},
       1,
       "is read by this run"},
      {"name past the system's limit",
       {"--csv", "--csv-output", dir.Path("out/" + std::string(300, 'n') + ".csv")},
       1,
       "longer than"},
      {"link to a device",
       {"--output", dir.Path("null-link")},
       1,
       "is a link to something that is not a regular file; it is not replaced (--stdout",
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.needsLinks && !links) continue;
    std::vector<std::string> args = c.args;
    args.push_back("--force");
    const std::string master = *ReadBytes(dir.Path("disc/Bin/Zscdinst.ini"));
    const std::string english = *ReadBytes(chipset + "English.ini");
    const CliResult r = RunCli(Args(args));
    EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_EQ(FolderNames(dir.Path("out")), std::vector<std::string>{}) << "nothing written";
    EXPECT_FALSE(Exists(ListPath()));
    EXPECT_FALSE(Exists(CsvPath()));
    EXPECT_EQ(ReadBytes(dir.Path("disc/Bin/Zscdinst.ini")), master);
    EXPECT_EQ(ReadBytes(chipset + "English.ini"), english);
    EXPECT_EQ(ReadBytes(rules), Crlf({"[Title]", "FileTitle=T"}));
    EXPECT_EQ(ReadBytes(contact), SmallContact());
  }
  if (links) {
    EXPECT_TRUE(std::filesystem::is_symlink(dir.Path("null-link"))) << "the link stays";
  }
}

TEST_F(CliExistingTargets, StdoutIgnoresAnExistingListButNotAnExistingCsv) {
  dir.WriteFile("disc/FileList.txt", oldList);
  const CliResult r = RunCli(Args({"--stdout"}));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, GoldenSmallList());
  EXPECT_EQ(WrittenList(), oldList);

  dir.WriteFile("disc/DriverInformation.csv", oldCsv);
  const CliResult csv = RunCli(Args({"--stdout", "--csv"}));
  EXPECT_EQ(csv.exitCode, 1);
  EXPECT_TRUE(csv.out.empty()) << "nothing is printed when a target is refused";
  EXPECT_EQ(ReadBytes(CsvPath()).value_or("<missing>"), oldCsv);
}

class CliSettings : public CliOutput {
 protected:
  std::vector<std::string> ListLines(std::vector<std::string> extra) const {
    const CliResult r = RunCli(Args(std::move(extra)));
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return CrlfLines(r.out);
  }
};

TEST_F(CliSettings, DateGoesIntoTheFooterAsGiven) {
  const CliResult r = RunCli({"--stdout", "--date", "07/04/2014", Disc()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::vector<std::string> lines = CrlfLines(r.out);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), Blanks(25) + "07/04/2014");
}

TEST_F(CliSettings, DefaultDateIsTodayWithoutLeadingZeros) {
  auto today = [] {
    const LocalDate local = LocalToday();
    return std::to_string(local.month) + "/" + std::to_string(local.day) + "/" +
           std::to_string(local.year);
  };
  const std::string before = today();
  const CliResult r = RunCli({"--stdout", Disc()});
  const std::string after = today();
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::vector<std::string> lines = CrlfLines(r.out);
  ASSERT_FALSE(lines.empty());
  EXPECT_TRUE(lines.back() == Blanks(25) + before || lines.back() == Blanks(25) + after)
      << lines.back();
}

TEST_F(CliSettings, IndentWidensEveryColumn) {
  // The save rules read the columns of the indent: at 30 no folder line or
  // blank contact line is taken for a repeat of "-Drivers", and the contact
  // line still stops the comparison.
  const std::vector<std::string> lines = ListLines({"--stdout", "--indent", "30"});
  const std::vector<std::string> expected = {
      kTitle,
      std::string(kTitle.size(), '='),
      "File Name" + Blanks(21) + "Description",
      std::string(kTitle.size(), '-'),
      "-Drivers" + Blanks(22),
      "  -Chipset" + Blanks(20) + kChipsetText,
      "",
      "  -Net" + Blanks(24) + kNetText,
      "",
      "",
      "-Software" + Blanks(21),
      "  -Tool" + Blanks(23) + "- Zolt Tool V2.0 Handy helper.",
      "",
      "",
      "-Contact" + Blanks(22) + "ZOLTEK COMPUTER INC.",
      Blanks(30),
      Blanks(30) + "Web site: www.zoltek.example",
      "",
      "",
      "-FileList.txt" + Blanks(17) + "The file you are now reading.",
      Blanks(30) + "7/4/2014",
  };
  EXPECT_EQ(lines, expected);
}

TEST_F(CliSettings, NarrowIndentKeepsTwoBlanksAfterNames) {
  const std::vector<std::string> lines = ListLines({"--stdout", "--indent", "0"});
  ASSERT_GE(lines.size(), 8u);
  EXPECT_EQ(lines[2], "File Name" + Blanks(6) + "Description");
  EXPECT_EQ(lines[5], "  -Chipset  " + kChipsetText);
  EXPECT_EQ(lines[lines.size() - 2], "-FileList.txt    The file you are now reading.");
  EXPECT_EQ(lines.back(), "7/4/2014");
}

TEST_F(CliSettings, GroupDepthDecidesTheBlankLines) {
  const std::vector<std::string> none = ListLines({"--stdout", "--group-depth", "0"});
  const std::vector<std::string> expected = {
      kTitle,
      std::string(kTitle.size(), '='),
      "File Name" + Blanks(16) + "Description",
      std::string(kTitle.size(), '-'),
      "-Drivers" + Blanks(17),
      "  -Chipset" + Blanks(15) + kChipsetText,
      "  -Net" + Blanks(19) + kNetText,
      "-Software" + Blanks(16),
      "  -Tool" + Blanks(18) + "- Zolt Tool V2.0 Handy helper.",
      "-Contact" + Blanks(17) + "ZOLTEK COMPUTER INC.",
      Blanks(25),
      Blanks(25) + "Web site: www.zoltek.example",
      "",
      "-FileList.txt" + Blanks(12) + "The file you are now reading.",
      Blanks(25) + "7/4/2014",
  };
  EXPECT_EQ(none, expected);

  const std::vector<std::string> one = ListLines({"--stdout", "--group-depth", "1"});
  const std::vector<std::string> expectedOne = {
      "-Drivers" + Blanks(17),          "  -Chipset" + Blanks(15) + kChipsetText,
      "  -Net" + Blanks(19) + kNetText, "",
      "-Software" + Blanks(16),
  };
  ASSERT_GE(one.size(), 9u);
  EXPECT_EQ(std::vector<std::string>(one.begin() + 4, one.begin() + 9), expectedOne);
}

TEST_F(CliSettings, DepthLimitsTheScan) {
  // At depth 1 the package folders are not scanned: Drivers and Software
  // describe nothing, Compact drops them, only the contact block is left.
  const std::vector<std::string> lines = ListLines({"--stdout", "--depth", "1"});
  ASSERT_GE(lines.size(), 5u);
  EXPECT_EQ(lines[4], "-Contact" + Blanks(17) + "ZOLTEK COMPUTER INC.");
  for (const std::string& line : lines) {
    EXPECT_EQ(line.find("-Drivers"), std::string::npos) << line;
    EXPECT_EQ(line.find("-Software"), std::string::npos) << line;
  }
}

TEST_F(CliSettings, RulesFileReplacesTheCarriedOne) {
  const std::string rules = dir.WriteFile(
      "rules.ini",
      Crlf({"[HideSubDir]", ".\\Drivers=", "", "[Title]", "FileTitle=Disc <%1> contents",
            "LabelForName=Folder", "LabelForDescription=What"}));
  const std::vector<std::string> lines = ListLines({"--stdout", "--rules", rules});
  // No constant for Ver.tag: no contact block; Drivers hidden.
  const std::vector<std::string> expected = {
      "Disc Q1-Test contents",
      std::string(21, '='),
      "Folder" + Blanks(19) + "What",
      std::string(21, '-'),
      "-Software" + Blanks(16),
      "  -Tool" + Blanks(18) + "- Zolt Tool V2.0 Handy helper.",
      "",
      "",
      "",
      "-FileList.txt" + Blanks(12) + "The file you are now reading.",
      Blanks(25) + "7/4/2014",
  };
  EXPECT_EQ(lines, expected);
}

TEST_F(CliSettings, CarriedContactBlockReplacesVerTag) {
  const std::vector<std::string> block = CarriedContactLines();
  ASSERT_FALSE(block.empty());
  ASSERT_EQ(block[0], "ZOLTEK COMPUTER INC.");

  const CliResult r = RunCli({"--stdout", "--date", "7/4/2014", Disc()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::vector<std::string> golden = CrlfLines(GoldenSmallList());
  std::vector<std::string> expected(golden.begin(), golden.begin() + 14);
  expected.push_back("-Contact" + Blanks(17) + block[0]);
  for (std::size_t i = 1; i < block.size(); ++i) expected.push_back(Blanks(25) + block[i]);
  expected.insert(expected.end(), golden.end() - 4, golden.end());
  EXPECT_EQ(CrlfLines(r.out), expected);
}

// The run leaves neither templates in the current folder nor its scratch
// folder in the temporary folder, whether it succeeds or fails.
class CliLeavesNoFiles : public CliOutput {
 protected:
  CliResult RunIsolated(std::vector<std::string> args) const {
    RunSettings settings;
    settings.cwd = work.Root();
    // The temporary folder: TMPDIR on POSIX, TMP and TEMP on Windows.
    settings.env = {{"TMPDIR", scratch.Root()}, {"TMP", scratch.Root()}, {"TEMP", scratch.Root()}};
    return RunCli(args, settings);
  }
  void ExpectEmpty() const {
    EXPECT_EQ(FolderNames(work.Root()), std::vector<std::string>{}) << "working folder";
    EXPECT_EQ(FolderNames(scratch.Root()), std::vector<std::string>{}) << "temporary folder";
  }
  TempDir work;
  TempDir scratch;
};

TEST_F(CliLeavesNoFiles, AfterSuccessfulRuns) {
  EXPECT_EQ(RunIsolated({"--csv", Disc()}).exitCode, 0);
  ExpectEmpty();
  EXPECT_EQ(RunIsolated({"--stdout", "--csv", "--force", Disc()}).exitCode, 0);
  ExpectEmpty();
  const std::string rules = dir.WriteFile("rules.ini", Crlf({"[Title]", "FileTitle=T"}));
  EXPECT_EQ(RunIsolated({"--force", "--rules", rules, "--contact", contact, Disc()}).exitCode, 0);
  ExpectEmpty();
  EXPECT_TRUE(Exists(ListPath()));
  EXPECT_TRUE(Exists(CsvPath()));
}

TEST_F(CliLeavesNoFiles, EmptyTemporaryFolderSettingMeansTheSystemsOwn) {
  RunSettings settings;
  settings.cwd = work.Root();
  settings.env = {{"TMPDIR", ""}};  // POSIX; Windows takes TMP and TEMP
  const CliResult r = RunCli(Args({"--csv"}), settings);
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(WrittenList(), GoldenSmallList());
  ExpectEmpty();
}

TEST_F(CliLeavesNoFiles, AfterFailedRuns) {
  EXPECT_EQ(RunIsolated({"--depth", "-3", Disc()}).exitCode, 2);
  ExpectEmpty();
  EXPECT_EQ(RunIsolated({dir.Path("nowhere")}).exitCode, 2);
  ExpectEmpty();
  std::filesystem::remove_all(dir.Path("disc/Drivers"));
  EXPECT_EQ(RunIsolated({"--csv", Disc()}).exitCode, 1);
  ExpectEmpty();
  EXPECT_EQ(RunIsolated({"--csv", Disc()}).exitCode, 1) << "the list now exists";
  ExpectEmpty();
}

}  // namespace
}  // namespace cartulon::cli_test
