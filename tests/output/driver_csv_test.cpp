// DriverInformation.csv: splitting driver lines into rows, finding the
// Drivers section of FileList.txt, and the export with its questions.
#include "output/driver_csv.h"

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/disc_files.h"
#include "support/list_lines.h"
#include "support/temp_disc.h"

namespace cartulon {
namespace {

using Lines = std::vector<std::string>;

using test_support::Entry;
using test_support::Folder;

const std::string kDriversMarker = "-DRIVERS" + std::string(17, ' ');
const std::string kManualMarker = "-MANUAL" + std::string(18, ' ');
const std::string kSoftwareMarker = "-SOFTWARE" + std::string(18, ' ');
const std::string kLinuxMarker = "-LINUXDRIVERS" + std::string(12, ' ') + "- SUPPORT LINUX DRIVERS.";

const std::string kChipsetLine =
    Entry("  -Chipset", "Intel Chipset Driver V9.4.0.1026 for Windows XP 32bit & XP 64bit---(WHQL).");
const std::string kLanLine = Entry("  -LAN", "Realtek LAN Driver V7.2 for Windows 7 32bit---(Beta).");

TEST(DriverRow, WorkedExample) {
  const DriverInfo info = ParseDriverLine(kChipsetLine);
  EXPECT_EQ(info.Vendor, "Intel");
  EXPECT_EQ(info.DriverName, "Chipset Driver");
  EXPECT_EQ(info.DriverVersion, "9.4.0.1026");
  EXPECT_EQ(info.SupportedOS, "XP 32bit & XP 64bit");
  EXPECT_EQ(ComposeDriverRow(kChipsetLine), "Intel,Chipset Driver,9.4.0.1026,XP 32bit & XP 64bit");
}

TEST(DriverRow, TitlesWithoutVersionOrOsPart) {
  // No "V" followed by a digit: empty version and empty name, four fields.
  EXPECT_EQ(ComposeDriverRow(Entry("  -LAN", "Realtek LAN Driver for Windows 7 32bit---(WHQL).")),
            "Realtek,,,7 32bit");
  // A "V" that opens the description does not count either.
  EXPECT_EQ(ComposeDriverRow(Entry("  -V", "V9 Driver for Windows 7---(WHQL).")), "V9,,,7");
  // Without " for Windows ": the OS field starts at position 13 of the
  // description, the version is empty.
  const DriverInfo info = ParseDriverLine(Entry("  -Thing", "Intel Thing V1.2 Windows 7---(Beta)."));
  EXPECT_EQ(info.SupportedOS, "V1.2 Windows 7");
  EXPECT_EQ(info.DriverVersion, "");
  EXPECT_EQ(info.DriverName, "Thing");
  EXPECT_EQ(info.Vendor, "Intel");
  // A one-word title: the vendor is all of it.
  EXPECT_EQ(ComposeDriverRow(Entry("  -X", "Solo V1 for Windows 8---(WHQL).")), "Solo,,1,8");
}

TEST(DriverRow, LongFieldsAreCut) {
  const std::string name(70, 'n');
  const std::string os(120, 'o');
  const DriverInfo info = ParseDriverLine(Entry("  -Long", "Acme " + name + " V1.0 for Windows " + os + "---(WHQL)."));
  EXPECT_EQ(info.DriverName, name.substr(0, 60));
  EXPECT_EQ(info.SupportedOS, os.substr(0, 100));
  EXPECT_EQ(info.DriverVersion, "1.0");
}

TEST(DriverRow, WideNameColumnKeepsTheStatusStart) {
  // A 32-byte name written with two blanks before "- ": the description
  // window is still n - 37 bytes, so the OS field runs into the status.
  const std::string line = "    -VeryLongPackageFolderName01  - Acme Net Driver V2.5 for Windows 7 32bit---(WHQL).";
  const DriverInfo info = ParseDriverLine(line);
  EXPECT_EQ(info.SupportedOS, "7 32bit---(WHQL)");
  EXPECT_EQ(info.DriverVersion, "2.5");
  EXPECT_EQ(info.DriverName, "Net Driver");
}

TEST(DriverRow, ShortAndOddLines) {
  EXPECT_EQ(ComposeDriverRow("---(WHQL)"), ",,,");
  EXPECT_EQ(ComposeDriverRow(""), ",,,");
  // No "- " at all: the window starts at position 2.
  const std::string line = "xIntel Net V1 for Windows 7." + std::string(36, ' ');
  EXPECT_EQ(ComposeDriverRow(line), "Intel,Net,1,7.");
}

TEST(DriverSection, RowsInListingOrder) {
  const Lines lines = {
      "File List for the included support software for Z77 Motherboard",
      kDriversMarker,
      Folder("  -Audio"),
      kChipsetLine,
      Entry("  -Tool", "Some Tool V1 for Windows 7."),
      Entry("  -Odd", "Lower Case V1 for Windows 7---(whql)."),  // status is case-sensitive
      kLanLine,
      kManualMarker,
      Entry("  -Late", "Late Driver V1 for Windows 7---(WHQL)."),
  };
  Lines rows = {"left over"};
  ASSERT_TRUE(BuildDriverRows(lines, rows));
  EXPECT_EQ(rows, (Lines{"Intel,Chipset Driver,9.4.0.1026,XP 32bit & XP 64bit", "Realtek,LAN Driver,7.2,7 32bit"}));
}

TEST(DriverSection, Markers) {
  // Letter case is ignored, the run of blanks is not.
  Lines rows;
  EXPECT_TRUE(BuildDriverRows({"Title", "-drivers" + std::string(17, ' '), kLanLine}, rows));
  EXPECT_EQ(rows.size(), 1u);
  EXPECT_FALSE(BuildDriverRows({"Title", "-DRIVERS" + std::string(16, ' '), kLanLine}, rows));
  EXPECT_FALSE(BuildDriverRows({"Title", Entry("-Drivers", "All drivers"), kLanLine}, rows));
  // A marker on the first line does not count.
  EXPECT_FALSE(BuildDriverRows({kDriversMarker, kLanLine}, rows));
  // A marker after the end marker is never reached.
  EXPECT_FALSE(BuildDriverRows({"Title", kManualMarker, kDriversMarker, kLanLine}, rows));
  EXPECT_FALSE(BuildDriverRows({}, rows));

  // Each end marker ends the section; "-SOFTWARE" padded to 25 does not.
  for (const std::string& end : {kManualMarker, kSoftwareMarker, kLinuxMarker,
                                 std::string("-LinuxDrivers            - Support Linux drivers.")}) {
    ASSERT_TRUE(BuildDriverRows({"Title", kDriversMarker, kLanLine, end, kChipsetLine}, rows));
    EXPECT_EQ(rows.size(), 1u) << end;
  }
  ASSERT_TRUE(BuildDriverRows({"Title", kDriversMarker, kLanLine, Folder("-SOFTWARE"), kChipsetLine}, rows));
  EXPECT_EQ(rows.size(), 2u);
  ASSERT_TRUE(BuildDriverRows(
      {"Title", kDriversMarker, kLanLine, Folder("-Software"), kChipsetLine, kLinuxMarker, kLanLine}, rows));
  EXPECT_EQ(rows.size(), 2u);

  // A later Drivers marker starts the section again.
  ASSERT_TRUE(BuildDriverRows({"Title", kDriversMarker, kLanLine, kDriversMarker, kChipsetLine}, rows));
  EXPECT_EQ(rows, (Lines{ComposeDriverRow(kChipsetLine)}));

  // A section without driver lines is still found.
  ASSERT_TRUE(BuildDriverRows({"Title", kDriversMarker, Folder("  -Audio"), kManualMarker}, rows));
  EXPECT_TRUE(rows.empty());
}

TEST(DriverCsvText, SplitsLinesAndWritesRows) {
  EXPECT_EQ(SplitTextLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitTextLines("a\r\n"), (Lines{"a"}));
  EXPECT_EQ(SplitTextLines(""), Lines{});
  EXPECT_EQ(SplitTextLines("\r\n\r\n"), (Lines{"", ""}));
  EXPECT_EQ(SplitTextLines("a\n\rb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(SplitTextLines(std::string("x\0y\r\n", 5)), (Lines{std::string("x\0y", 3)}));

  EXPECT_EQ(CsvBytes({"a,b,c,d", "e,f,g,h"}), "a,b,c,d\r\ne,f,g,h\r\n");
  EXPECT_EQ(CsvBytes({}), "");
}

// Answers questions and the save dialog from a script and records them.
class ScriptedPrompts : public UserPrompts {
 public:
  bool AskYesNo(const std::string& caption, const std::string& text) override {
    questions.push_back(caption + "|" + text);
    return yes;
  }
  std::optional<SaveDialogChoice> AskSaveFile(const std::string& initialFolder, const std::string& filter) override {
    dialogs.push_back(initialFolder + "|" + filter);
    return choice;
  }
  bool yes = true;
  std::optional<SaveDialogChoice> choice;
  std::vector<std::string> questions;
  std::vector<std::string> dialogs;
};

class DriverExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    request.fileListPath = dir.Path("cd/FileList.txt");
    request.defaultTarget = dir.Path("cd/DriverInformation.csv");
    request.initialFolder = dir.Path("disc");
    request.caption = "Zolt Cartulon";
    request.overwriteText = "Do you want to overwrite the existed file ?";
    request.noFileListText = "No FileList.txt file found!";
    request.noDriversText = "No Drivers folder found, load drivers information into csv file fail!";
  }
  void WriteList(const Lines& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    dir.WriteFile("cd/FileList.txt", bytes);
  }
  std::string Read(const std::string& path) { return ReadFileBytes(path).value_or("<missing>"); }

  TempDir dir;
  ExportRequest request;
  ScriptedPrompts prompts;
  RecordingMessageSink messages;
  const Lines list = {"Title", kDriversMarker, kChipsetLine, kLanLine, kManualMarker};
  const std::string csv =
      "Intel,Chipset Driver,9.4.0.1026,XP 32bit & XP 64bit\r\nRealtek,LAN Driver,7.2,7 32bit\r\n";
};

TEST_F(DriverExportTest, LoadsTheGivenList) {
  Lines lines;
  EXPECT_FALSE(LoadDriverLines(request.fileListPath, lines));
  dir.MakeFolder("cd/FileList.txt.d");
  EXPECT_FALSE(LoadDriverLines(dir.Path("cd/FileList.txt.d"), lines));
  WriteList({"a", "", "b"});
  ASSERT_TRUE(LoadDriverLines(request.fileListPath, lines));
  EXPECT_EQ(lines, (Lines{"a", "", "b"}));
}

TEST_F(DriverExportTest, NoListOrNoDriversSection) {
  std::string written = "unset";
  EXPECT_EQ(ExportDriverCsv(request, prompts, messages, &written), ExportOutcome::NoFileList);
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].caption, "Zolt Cartulon");
  EXPECT_EQ(messages.messages[0].text, "No FileList.txt file found!");
  EXPECT_EQ(messages.messages[0].kind, MessageKind::Error);

  WriteList({"Title", Folder("-Software"), kLanLine});
  EXPECT_EQ(ExportDriverCsv(request, prompts, messages, &written), ExportOutcome::NoDrivers);
  ASSERT_EQ(messages.messages.size(), 2u);
  EXPECT_EQ(messages.messages[1].text, request.noDriversText);
  EXPECT_EQ(messages.messages[1].kind, MessageKind::Error);
  EXPECT_FALSE(FileExists(request.defaultTarget));
  EXPECT_EQ(written, "unset");
  EXPECT_TRUE(prompts.questions.empty());
}

TEST_F(DriverExportTest, WritesTheDefaultTarget) {
  WriteList(list);
  std::string written;
  EXPECT_EQ(ExportDriverCsv(request, prompts, messages, &written), ExportOutcome::Written);
  EXPECT_EQ(written, request.defaultTarget);
  EXPECT_EQ(Read(request.defaultTarget), csv);
  EXPECT_TRUE(prompts.questions.empty());
  EXPECT_TRUE(messages.messages.empty());

  // A Drivers section without driver lines gives an empty file.
  WriteList({"Title", kDriversMarker, Folder("  -Audio"), kManualMarker});
  DeleteFileQuietly(request.defaultTarget);
  EXPECT_EQ(ExportDriverCsv(request, prompts, messages), ExportOutcome::Written);
  EXPECT_EQ(Read(request.defaultTarget), "");
}

TEST_F(DriverExportTest, ExistingTargetYesReplaces) {
  WriteList(list);
  dir.WriteFile("cd/DriverInformation.csv", "old");
  prompts.yes = true;
  EXPECT_EQ(ExportDriverCsv(request, prompts, messages), ExportOutcome::Written);
  ASSERT_EQ(prompts.questions.size(), 1u);
  EXPECT_EQ(prompts.questions[0],
            "Zolt Cartulon|Do you want to overwrite the existed file ?\n" + request.defaultTarget);
  EXPECT_TRUE(prompts.dialogs.empty());
  EXPECT_EQ(Read(request.defaultTarget), csv);
}

TEST_F(DriverExportTest, ExistingTargetWithoutQuestion) {
  WriteList(list);
  dir.WriteFile("cd/DriverInformation.csv", "old");
  request.askBeforeReplace = false;
  EXPECT_EQ(ExportDriverCsv(request, prompts, messages), ExportOutcome::Written);
  EXPECT_TRUE(prompts.questions.empty());
  EXPECT_EQ(Read(request.defaultTarget), csv);
}

TEST_F(DriverExportTest, ExistingTargetNoOffersTheSaveDialog) {
  WriteList(list);
  dir.WriteFile("cd/DriverInformation.csv", "old");
  prompts.yes = false;

  prompts.choice = std::nullopt;
  EXPECT_EQ(ExportDriverCsv(request, prompts, messages), ExportOutcome::Cancelled);
  ASSERT_EQ(prompts.dialogs.size(), 1u);
  EXPECT_EQ(prompts.dialogs[0], request.initialFolder + "|" + kSaveDialogFilter);
  EXPECT_EQ(Read(request.defaultTarget), "old");

  struct Case {
    std::string typed;
    int filter;
    std::string file;
  };
  const Case cases[] = {
      {"drivers", 2, "drivers.csv"},
      {"drivers.csv", 2, "drivers.csv"},  // no second extension
      {"DRIVERS.CSV", 2, "DRIVERS.CSV"},
      {"list", 1, "list.txt"},
      {"any.dat", 3, "any.dat"},
  };
  for (const Case& c : cases) {
    const std::string typed = dir.Path("out/" + c.typed);
    dir.MakeFolder("out");
    prompts.choice = SaveDialogChoice{typed, c.filter};
    std::string written;
    EXPECT_EQ(ExportDriverCsv(request, prompts, messages, &written), ExportOutcome::Written) << c.typed;
    EXPECT_EQ(written, dir.Path("out/" + c.file));
    EXPECT_EQ(Read(written), csv);
  }
  EXPECT_EQ(Read(request.defaultTarget), "old");
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(DriverExportTest, WriteFailureIsReported) {
  WriteList(list);
  request.defaultTarget = dir.Path("missing/folder/DriverInformation.csv");
  EXPECT_EQ(ExportDriverCsv(request, prompts, messages), ExportOutcome::Failed);
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].caption, "Zolt Cartulon");
  const std::string prefix = "Cannot create file \"" + request.defaultTarget + "\". ";
  EXPECT_EQ(messages.messages[0].text.substr(0, prefix.size()), prefix);
  EXPECT_GT(messages.messages[0].text.size(), prefix.size());
  EXPECT_EQ(messages.messages[0].kind, MessageKind::Error);
}

}  // namespace
}  // namespace cartulon
