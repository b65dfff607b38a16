// The one-shot runs both front ends share: the save and export of a prepared
// list, and the whole batch run from a disc root.
#include "shell/list_run.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "output/layout_rules.h"
#include "platform/disc_files.h"
#include "platform/paths.h"
#include "shell/analysis.h"
#include "shell/templates.h"
#include "shell/ui_text.h"
#include "support/scripted_prompts.h"
#include "support/temp_disc.h"

namespace cartulon {
namespace {

class ListRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    disc_.WriteFile("Bin/English.ini", "[Default]\r\n<%1>=X99 Pro\r\n");
    disc_.WriteFile("Bin/Zscdinst.ini",
                    "[OS_Language_Tag]\r\nWNT_6.1P_64=Win7_64\r\n[InstAll]\r\nWin7_64=1\r\n"
                    "[ConditionTable]\r\nNumber=0\r\n");
    disc_.WriteFile("Drivers/Audio/ZoltSetup.ini",
                    "[Root]\r\nInstallType=0\r\n[InstAllInfo]\r\nVersion=6.0\r\nPassWHQL=1\r\n"
                    "[OS_Language_Tag]\r\nWNT_6.1P_64=\r\nWNT_6.1P_64_MCE=\r\nWNT_6.1H_64=\r\n"
                    "WNT_6.1H_64_MCE=\r\n");
    disc_.WriteFile("Drivers/Audio/English.ini", "[Default]\r\nTitle=Zolt Sound Driver\r\n");
    disc_.WriteFile("Software/Utility/AppSetup.ini", "[Setup]\r\nName=Gadget\r\nVersion=3.0\r\n");
    disc_.WriteFile("Ver.tag", "4.0\r\n");

    settings_.root = disc_.Root();
    settings_.list.month = "3";
    settings_.list.day = "7";
    settings_.list.year = "2013";
    settings_.programFolder = program_.Root();
    settings_.reporter = "batch";
  }

  // A prepared preview of the disc, as the desktop program has it before a
  // one-shot run writes it.
  Preview Prepare(ListContext& context) {
    EXPECT_TRUE(ExtractTemplate(work_.Root(), kTechSuppResource, kTemplateType, sink_));
    EXPECT_TRUE(ExtractTemplate(work_.Root(), kRulesResource, kTemplateType, sink_));
    context.scdPath = disc_.Root();
    context.workingFolder = work_.Root();
    context.masters = {program_.Root(), BuildCDMasterPath(disc_.Root())};
    context.settings = settings_.list;
    tree_ = RunAnalysis(context.scdPath, 6, work_.Path(kRulesFileName), sink_);
    Preview preview;
    EXPECT_TRUE(PrepareInitialPreview(*tree_, preview, context, sink_));
    return preview;
  }

  TempDir disc_;
  TempDir work_;
  TempDir program_;
  BatchSettings settings_;
  RecordingMessageSink sink_;
  std::unique_ptr<DirStructure> tree_;
};

TEST_F(ListRunTest, StreamedListAndItsTableMatchTheFilesOfAFileRun) {
  settings_.targets.writeCsv = true;
  ASSERT_EQ(RunBatch(settings_, sink_), BatchStatus::Succeeded);
  const std::optional<std::string> list = ReadFileBytes(disc_.Path("FileList.txt"));
  const std::optional<std::string> table = ReadFileBytes(disc_.Path("DriverInformation.csv"));
  ASSERT_TRUE(list && table);
  EXPECT_NE(table->find("Zolt,Sound Driver,6.0,"), std::string::npos) << *table;

  std::string streamed;
  settings_.targets.listStream = [&streamed](std::string_view bytes) {
    streamed = bytes;
    return true;
  };
  settings_.targets.csv = disc_.Path("streamed.csv");
  ASSERT_EQ(RunBatch(settings_, sink_), BatchStatus::Succeeded);
  EXPECT_EQ(streamed, *list);
  EXPECT_EQ(ReadFileBytes(disc_.Path("streamed.csv")), table);
  EXPECT_TRUE(sink_.messages.empty());
}

TEST_F(ListRunTest, ExistingTargetsStopTheBatchRunBeforeAnythingIsWritten) {
  disc_.WriteFile("DriverInformation.csv", "old table\r\n");
  settings_.targets.writeCsv = true;
  ASSERT_EQ(RunBatch(settings_, sink_), BatchStatus::Failed);
  EXPECT_FALSE(FileExists(disc_.Path("FileList.txt")));
  EXPECT_EQ(ReadFileBytes(disc_.Path("DriverInformation.csv")), "old table\r\n");
  ASSERT_EQ(sink_.messages.size(), 2u);
  EXPECT_EQ(sink_.messages[0].caption, "batch");
  EXPECT_NE(sink_.messages[0].text.find(disc_.Path("DriverInformation.csv")), std::string::npos);

  settings_.targets.replaceList = true;
  settings_.targets.askBeforeReplacingCsv = false;
  EXPECT_EQ(RunBatch(settings_, sink_), BatchStatus::Succeeded);
  EXPECT_NE(ReadFileBytes(disc_.Path("DriverInformation.csv")), "old table\r\n");
}

TEST_F(ListRunTest, TargetsThatAreNotRegularFilesAreRefusedEvenWithReplacing) {
  disc_.MakeFolder("table.csv");
  settings_.targets.writeCsv = true;
  settings_.targets.csv = disc_.Path("table.csv");
  settings_.targets.replaceList = true;
  settings_.targets.askBeforeReplacingCsv = false;
  ASSERT_EQ(RunBatch(settings_, sink_), BatchStatus::Failed);
  EXPECT_FALSE(FileExists(disc_.Path("FileList.txt")));  // nothing written
  ASSERT_FALSE(sink_.messages.empty());
  EXPECT_NE(sink_.messages[0].text.find(disc_.Path("table.csv")), std::string::npos);
}

TEST_F(ListRunTest, NoTableIsBuiltFromAnOlderListWhenTheListWasNotWritten) {
  ListContext context;
  Preview preview = Prepare(context);
  disc_.WriteFile("FileList.txt", "an older list\r\n");
  ListRunTargets targets;
  targets.list = disc_.Path("missing/FileList.txt");  // its folder does not exist
  targets.replaceList = true;
  targets.writeCsv = true;
  SaveRuleFlags flags;
  test_support::ScriptedPrompts prompts;
  prompts.answerYes = false;
  const ListRunResult result = SaveListAndCsv(preview.map, preview.titleLines, flags, context,
                                              targets, kEnglishOffset, prompts, sink_);
  EXPECT_FALSE(result.Succeeded());
  EXPECT_EQ(result.list, SaveOutcome::Failed);
  EXPECT_FALSE(result.csv.has_value());
  EXPECT_FALSE(FileExists(disc_.Path("missing/DriverInformation.csv")));
  ASSERT_EQ(sink_.messages.size(), 1u);  // the failed write, nothing about a table
  EXPECT_NE(sink_.messages[0].text.find("Cannot create file"), std::string::npos);
}

}  // namespace
}  // namespace cartulon
