#include "output/save_target.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/disc_files.h"
#include "support/scripted_prompts.h"
#include "support/temp_disc.h"
#include "support/test_system.h"

namespace cartulon {
namespace {

using test_support::ScriptedPrompts;

class SaveTargetTest : public ::testing::Test {
 protected:
  SaveTargetTest() {
    target_.path = dir_.Path("cd/FileList.txt");
    target_.caption = "Question caption";
    target_.overwriteText = "Replace?";
    target_.dialogFolder = dir_.Path("cd");
    target_.failureCaption = "Failure caption";
    dir_.MakeFolder("cd");
  }
  std::string Read(const std::string& path) { return ReadFileBytes(path).value_or("<missing>"); }

  TempDir dir_;
  SaveTarget target_;
  ScriptedPrompts prompts_;
  RecordingMessageSink messages_;
};

TEST_F(SaveTargetTest, NoOnAnExistingTargetWritesWhereTheDialogSays) {
  dir_.WriteFile("cd/FileList.txt", "old");
  prompts_.answerYes = false;
  prompts_.choice = SaveDialogChoice{dir_.Path("cd/other"), 2};
  std::string written;
  EXPECT_EQ(WriteToTarget(target_, "new", prompts_, messages_, &written), SaveOutcome::Written);
  ASSERT_EQ(prompts_.questions.size(), 1u);
  EXPECT_EQ(prompts_.questions[0].first, "Question caption");
  EXPECT_EQ(prompts_.questions[0].second, "Replace?\n" + target_.path);
  ASSERT_EQ(prompts_.dialogs.size(), 1u);
  EXPECT_EQ(prompts_.dialogs[0].first, dir_.Path("cd"));
  EXPECT_EQ(written, dir_.Path("cd/other.csv"));
  EXPECT_EQ(Read(written), "new");
  EXPECT_EQ(Read(target_.path), "old");
}

TEST_F(SaveTargetTest, CancelledDialogOrUnaskedReplaceLeaveTheRightFile) {
  dir_.WriteFile("cd/FileList.txt", "old");
  prompts_.answerYes = false;
  std::string written = "untouched";
  EXPECT_EQ(WriteToTarget(target_, "new", prompts_, messages_, &written), SaveOutcome::Declined);
  EXPECT_EQ(written, "untouched");
  EXPECT_EQ(Read(target_.path), "old");

  target_.askBeforeReplace = false;
  EXPECT_EQ(WriteToTarget(target_, "new", prompts_, messages_, &written), SaveOutcome::Written);
  EXPECT_EQ(prompts_.questions.size(), 1u);  // only the first call asked
  EXPECT_EQ(Read(target_.path), "new");
  EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(SaveTargetTest, FailedWriteIsReportedUnderTheFailureCaption) {
  target_.path = dir_.Path("missing/FileList.txt");
  EXPECT_EQ(WriteToTarget(target_, "new", prompts_, messages_), SaveOutcome::Failed);
  EXPECT_TRUE(prompts_.questions.empty());
  ASSERT_EQ(messages_.messages.size(), 1u);
  EXPECT_EQ(messages_.messages[0].caption, "Failure caption");
  const std::string prefix = "Cannot create file \"" + target_.path + "\". ";
  EXPECT_EQ(messages_.messages[0].text.substr(0, prefix.size()), prefix);
  EXPECT_EQ(messages_.messages[0].kind, MessageKind::Error);
}

TEST_F(SaveTargetTest, ExistingTargetIsFoundByTheLetterCaseRule) {
  // No entry of that name: the path as given.
  EXPECT_EQ(ExistingTargetPath(target_.path), target_.path);
  EXPECT_EQ(ExistingTargetPath(dir_.Path("missing/FileList.txt")),
            dir_.Path("missing/FileList.txt"));

  const std::string upper = dir_.WriteFile("cd/FILELIST.TXT", "old");
  EXPECT_EQ(ExistingTargetPath(target_.path), upper);
  EXPECT_EQ(ExistingTargetPath(upper), upper);
  // The exact name wins over a case variant (where both can exist).
  if (test_support::NamesDifferingOnlyInCaseCoexist()) {
    dir_.WriteFile("cd/FileList.txt", "exact");
    EXPECT_EQ(ExistingTargetPath(target_.path), target_.path);
  }
  // A folder is an entry like any other: the write then refuses it.
  const std::string folder = dir_.MakeFolder("cd/DRIVERINFORMATION.CSV");
  EXPECT_EQ(ExistingTargetPath(dir_.Path("cd/DriverInformation.csv")), folder);
}

TEST(SaveDialogExtensionTest, AddsTheFilterExtensionOnlyWhenMissing) {
  EXPECT_EQ(ApplySaveDialogExtension({"list", 1}), "list.txt");
  EXPECT_EQ(ApplySaveDialogExtension({"list.txt", 1}), "list.txt");
  EXPECT_EQ(ApplySaveDialogExtension({"LIST.TXT", 1}), "LIST.TXT");
  EXPECT_EQ(ApplySaveDialogExtension({"list.csv", 1}), "list.csv.txt");
  EXPECT_EQ(ApplySaveDialogExtension({"list.txt.bak", 1}), "list.txt.bak.txt");
  EXPECT_EQ(ApplySaveDialogExtension({"drivers", 2}), "drivers.csv");
  EXPECT_EQ(ApplySaveDialogExtension({"drivers.Csv", 2}), "drivers.Csv");
  EXPECT_EQ(ApplySaveDialogExtension({"anything", 3}), "anything");
  EXPECT_EQ(ApplySaveDialogExtension({"txt", 1}), "txt.txt");
}

}  // namespace
}  // namespace cartulon
