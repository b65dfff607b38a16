// The targets of the desktop program's TXT File and TXT + CSV Files runs go
// through the same checks as the batch command's: a target that is not a
// regular file is refused with nothing written, a list or table whose name
// differs only in letter case is the existing file, and the names the scan
// leaves out come in one message.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "gui_test_support.h"
#include "ui/select_scd.h"

namespace cartulon {
namespace {

namespace fs = std::filesystem;
using gui_test::Exists;
using gui_test::ReadFile;
using gui_test::RunProgramOn;
using gui_test::ScriptedDialogs;
using gui_test::TestDisc;

const std::string kReplaceQuestion = "Do you want to overwrite the existed file ?\n";

void ClickTxt(SCDSelector& d) { QTest::mouseClick(d.btnGen(), Qt::LeftButton); }
void ClickTxtCsv(SCDSelector& d) { QTest::mouseClick(d.btnxls(), Qt::LeftButton); }

// The entries of the disc root, sorted: a write that failed or replaced a
// file leaves no other entry behind.
std::vector<std::string> RootNames(const TestDisc& disc) {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(disc.Root())) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class OneShotTargets : public ::testing::Test {
 protected:
  void SetUp() override {
    if (gui_test::SampleDiscPath().empty()) GTEST_SKIP() << "the sample disc is missing";
  }
  // The one message of a run, which must be the failed write of `path`.
  void ExpectFailedWriteOf(const std::string& path) {
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0].kind, MessageKind::Error);
    const std::string prefix = "Cannot create file \"" + path + "\". ";
    EXPECT_EQ(dialogs_.messages[0].text.substr(0, prefix.size()), prefix)
        << dialogs_.messages[0].text;
  }

  TestDisc disc_;
  ScriptedDialogs dialogs_;
};

TEST_F(OneShotTargets, AListTargetThatIsAFolderIsRefusedAndNothingIsWritten) {
  const std::string kept = disc_.AddFile("FileList.txt/keep.txt", "kept\r\n");
  const std::vector<std::string> before = RootNames(disc_);
  auto run = RunProgramOn(disc_, dialogs_, ClickTxt);
  EXPECT_EQ(run->exitCode, 0);
  EXPECT_TRUE(dialogs_.questions.empty());
  ExpectFailedWriteOf(disc_.InRoot("FileList.txt"));
  EXPECT_TRUE(fs::is_directory(disc_.InRoot("FileList.txt")));
  EXPECT_EQ(ReadFile(kept), "kept\r\n");
  EXPECT_EQ(RootNames(disc_), before);
  EXPECT_FALSE(Exists(disc_.InWorking("TECHSUPP.ini")));
  EXPECT_FALSE(run->windows.Saw("cartulon::MainWindow"));
}

TEST_F(OneShotTargets, AListTargetThatIsAPipeIsRefusedAndNoTableIsBuilt) {
  const std::string pipe = disc_.InRoot("FileList.txt");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const std::vector<std::string> before = RootNames(disc_);
  auto run = RunProgramOn(disc_, dialogs_, ClickTxtCsv);
  EXPECT_EQ(run->exitCode, 0);
  // TXT + CSV Files replaces the list without asking, but only a file.
  EXPECT_TRUE(dialogs_.questions.empty());
  ExpectFailedWriteOf(pipe);
  EXPECT_TRUE(fs::is_fifo(fs::symlink_status(pipe)));
  EXPECT_FALSE(Exists(disc_.InRoot("DriverInformation.csv")));
  EXPECT_EQ(RootNames(disc_), before);
}

TEST_F(OneShotTargets, AListDifferingInLetterCaseIsAskedAboutAndKeptOnNo) {
  const std::string list = disc_.AddFile("FILELIST.TXT", "old list\r\n");
  dialogs_.yesNoAnswers = {false};
  dialogs_.saveAnswers = {std::nullopt};
  auto run = RunProgramOn(disc_, dialogs_, ClickTxt);
  EXPECT_EQ(run->exitCode, 0);
  ASSERT_EQ(dialogs_.questions.size(), 1u);
  EXPECT_EQ(dialogs_.questions[0].text, kReplaceQuestion + list);
  EXPECT_EQ(dialogs_.saveDialogFolders.size(), 1u);
  EXPECT_EQ(ReadFile(list), "old list\r\n");
  EXPECT_FALSE(Exists(disc_.InRoot("FileList.txt")));
  EXPECT_EQ(dialogs_.unexpected, 0);
}

TEST_F(OneShotTargets, ListAndTableDifferingInLetterCaseAreReplacedUnderTheirOwnNames) {
  const std::string list = disc_.AddFile("FILELIST.TXT", "old list\r\n");
  const std::string table = disc_.AddFile("driverinformation.csv", "old table\r\n");
  const std::vector<std::string> before = RootNames(disc_);
  dialogs_.yesNoAnswers = {true};
  auto run = RunProgramOn(disc_, dialogs_, ClickTxtCsv);
  EXPECT_EQ(run->exitCode, 0);
  // The list is replaced without a question; the table is asked about by
  // the name it has.
  ASSERT_EQ(dialogs_.questions.size(), 1u);
  EXPECT_EQ(dialogs_.questions[0].text, kReplaceQuestion + table);
  EXPECT_EQ(ReadFile(list).rfind(
                "File List for the included support software for Z77X-Zolt Motherboard\r\n", 0),
            0u);
  // Built from the list just written under its own name.
  EXPECT_EQ(ReadFile(table).rfind("Intel,Chipset Driver,9.3.0.1019,", 0), 0u);
  EXPECT_EQ(RootNames(disc_), before);
  EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(OneShotTargets, FoldersTheScanLeavesOutAreNamedInOneMessage) {
  disc_.AddFolder("Drivers/Bad\x01Name");
  disc_.AddFolder("Software/Star*Tool");
  auto run = RunProgramOn(disc_, dialogs_, ClickTxt);
  EXPECT_EQ(run->exitCode, 0);
  ASSERT_EQ(dialogs_.messages.size(), 1u);
  const gui_test::ScriptedDialogs::Shown& shown = dialogs_.messages[0];
  EXPECT_EQ(shown.caption, "Zolt Cartulon");
  EXPECT_EQ(shown.kind, MessageKind::Warning);
  EXPECT_FALSE(shown.owned);
  EXPECT_NE(shown.text.find("Left out \"Bad\\x01Name\" in " + disc_.InRoot("Drivers")),
            std::string::npos)
      << shown.text;
  EXPECT_NE(shown.text.find("Left out \"Star*Tool\" in " + disc_.InRoot("Software")),
            std::string::npos)
      << shown.text;
  // The run goes on: the list is written without the two folders.
  const std::string written = ReadFile(disc_.InRoot("FileList.txt"));
  EXPECT_NE(written.find("-Drivers"), std::string::npos);
  EXPECT_EQ(written.find("Bad\x01Name"), std::string::npos);
  EXPECT_EQ(written.find("Star*"), std::string::npos);
  EXPECT_TRUE(dialogs_.questions.empty());
}

}  // namespace
}  // namespace cartulon
