#include "shell/analysis.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "output/layout_rules.h"
#include "platform/disc_files.h"
#include "platform/paths.h"
#include "resources/embedded.h"
#include "shell/templates.h"
#include "shell/ui_text.h"
#include "support/temp_disc.h"

namespace cartulon {
namespace {

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

class NoPrompts : public UserPrompts {
 public:
  bool AskYesNo(const std::string&, const std::string&) override {
    ++asked;
    return false;
  }
  std::optional<SaveDialogChoice> AskSaveFile(const std::string&, const std::string&) override {
    ++asked;
    return std::nullopt;
  }
  int asked = 0;
};

// A support disc with drivers, software, a manual, the Bin folder with the
// board name and the master file, and the Ver.tag file.
class AnalysisTest : public ::testing::Test {
 protected:
  void SetUp() override {
    disc_.WriteFile("Bin/English.ini", "[Default]\r\n<%1>=X99 Pro\r\n");
    disc_.WriteFile("Bin/Zscdinst.ini",
                    "[OS_Language_Tag]\r\nWNT_6.1P_32=Win7_32 ; comment\r\nWNT_6.1P_64=Win7_64\r\n"
                    "[InstAll]\r\nWin7_32=1\r\nWin7_64=1\r\n[ConditionTable]\r\nNumber=0\r\n");
    disc_.WriteFile("Drivers/Audio/ZoltSetup.ini",
                    "[Root]\r\nInstallType=0\r\n[InstAllInfo]\r\nVersion=6.0\r\nPassWHQL=1\r\n"
                    "[OS_Language_Tag]\r\nWNT_6.1P_32=\r\nWNT_6.1P_32_MCE=\r\nWNT_6.1H_32=\r\n"
                    "WNT_6.1H_32_MCE=\r\nWNT_6.1P_64=\r\nWNT_6.1P_64_MCE=\r\nWNT_6.1H_64=\r\n"
                    "WNT_6.1H_64_MCE=\r\n");
    disc_.WriteFile("Drivers/Audio/English.ini", "[Default]\r\nTitle=Zolt Sound Driver\r\n");
    disc_.WriteFile("Drivers/LAN/Readme.ini",
                    "[Information]\r\nTool_Name=LAN Tool\r\nTool_Version=1.2\r\n");
    disc_.MakeFolder("Manual/Board");
    disc_.MakeFolder("Software/AOD");
    disc_.MakeFolder("Software/Spare");
    disc_.WriteFile("Software/Utility/AppSetup.ini", "[Setup]\r\nName=Gadget\r\nVersion=3.0\r\n");
    disc_.WriteFile("Ver.tag", "4.0\r\n");

    context_.scdPath = StripTrailingDelimiter(disc_.Root() + kPathDelimiter);
    context_.workingFolder = work_.Root();
    context_.masters.programFolder = program_.Root();
    context_.masters.cdMasterPath = BuildCDMasterPath(disc_.Root());
    context_.settings.month = "3";
    context_.settings.day = "7";
    context_.settings.year = "2013";
    rulesPath_ = work_.Path(kRulesFileName);
  }

  void ExtractTemplates() {
    ASSERT_TRUE(ExtractTemplate(work_.Root(), "TECHSUPP", "TXTFILE", sink_));
    ASSERT_TRUE(ExtractTemplate(work_.Root(), "FileList_Exp", "TXTFILE", sink_));
  }

  TempDir disc_;
  TempDir work_;
  TempDir program_;
  ListContext context_;
  std::string rulesPath_;
  RecordingMessageSink sink_;
};

TEST_F(AnalysisTest, NegativeDepthRunsNoPassAfterTheRefusedScan) {
  ExtractTemplates();
  auto tree = RunAnalysis(context_.scdPath, -1, rulesPath_, sink_);
  ASSERT_NE(tree, nullptr);
  EXPECT_EQ(tree->RootDir, nullptr);
  ASSERT_EQ(sink_.messages.size(), 1u);
  EXPECT_EQ(sink_.messages[0].caption, "DirStructure");
}

TEST_F(AnalysisTest, DepthZeroIsTheRootAloneAndDepthOneItsFolders) {
  auto root = RunAnalysis(context_.scdPath, 0, rulesPath_, sink_);
  ASSERT_NE(root->RootDir, nullptr);
  EXPECT_TRUE(root->RootDir->Children.empty());
  EXPECT_NE(root->RootDir->Data, nullptr);

  auto shallow = RunAnalysis(context_.scdPath, 1, rulesPath_, sink_);
  ASSERT_NE(shallow->RootDir, nullptr);
  EXPECT_EQ(shallow->RootDir->Children.size(), 4u);
  for (const DirNode* child : shallow->RootDir->Children) {
    EXPECT_TRUE(child->Children.empty()) << child->Name;
    EXPECT_NE(child->Data, nullptr) << child->Name;
  }
  EXPECT_TRUE(sink_.messages.empty());
}

TEST_F(AnalysisTest, InitialPreviewFailsWithoutTheContactTemplate) {
  ASSERT_TRUE(ExtractTemplate(work_.Root(), "FileList_Exp", "TXTFILE", sink_));
  auto tree = RunAnalysis(context_.scdPath, 6, rulesPath_, sink_);
  Preview preview;
  EXPECT_FALSE(PrepareInitialPreview(*tree, preview, context_, sink_));
  EXPECT_FALSE(sink_.messages.empty());
  EXPECT_EQ(preview.titleLines.size(), 4u);
  EXPECT_TRUE(preview.map.PreviewLines.empty());
}

TEST_F(AnalysisTest, DiscToFileListEndToEnd) {
  ExtractTemplates();
  auto tree = RunAnalysis(context_.scdPath, 6, rulesPath_, sink_);
  ASSERT_NE(tree->RootDir, nullptr);
  Preview preview;
  ASSERT_TRUE(PrepareInitialPreview(*tree, preview, context_, sink_));

  // Compact unchecked the folder that describes nothing.
  EXPECT_FALSE(tree->FindNode(disc_.Path("Software/Spare"))->Checked);
  DirNode* verTag = tree->FindNode(disc_.Path("Ver.tag"));
  ASSERT_NE(verTag, nullptr);
  const int contact = preview.map.SelectLineOfItem(verTag);
  EXPECT_EQ(contact, 12);

  SaveRuleFlags flags;
  SaveRequest request;
  request.caption = LoadUiText(UiText::ProgramCaption, kEnglishOffset);
  request.overwriteText = LoadUiText(UiText::OverwriteQuestion, kEnglishOffset);
  NoPrompts prompts;
  std::string written;
  ASSERT_EQ(SaveFileList(preview.map, preview.titleLines, flags, context_, request, prompts, sink_,
                         &written),
            SaveOutcome::Written);
  EXPECT_EQ(prompts.asked, 0);
  EXPECT_EQ(written, disc_.Root() + kPathDelimiter + "FileList.txt");
  EXPECT_TRUE(sink_.messages.empty());
  EXPECT_FALSE(FileExists(work_.Path("TECHSUPP.ini")));
  EXPECT_FALSE(FileExists(work_.Path("FileList_Exp.ini")));

  const std::string title = "File List for the included support software for X99 Pro Motherboard";
  std::vector<std::string> expected = {
      title,
      std::string(title.size(), '='),
      "File Name" + Blanks(16) + "Description",
      std::string(title.size(), '-'),
      "-Drivers" + Blanks(17),
      "  -Audio" + Blanks(17) +
          "- Zolt Sound Driver V6.0 for Windows Win7 32bit & Win7 64bit---(WHQL).",
      "",
      "  -LAN" + Blanks(19) + "- LAN Tool V1.2.",
      "",
      "",
      "-Software" + Blanks(16),
      "  -AOD" + Blanks(19) + "- AMD OverDrive Utility (AOD) Readme file.",
      "",
      "  -Utility" + Blanks(15) +
          "- Gadget V3.0 for Windows XP 32bit & XP 64bit & Vista 32bit & Vista 64bit & "
          "Win7 32bit & Win7 64bit.",
      "",
      "",
  };
  const std::vector<std::string> contactLines =
      CrlfLines(*resources::EmbeddedFile("TECHSUPP.ini"));
  expected.push_back("-Contact" + Blanks(17) + contactLines[0]);
  for (std::size_t i = 1; i < contactLines.size(); ++i) {
    expected.push_back(Blanks(25) + contactLines[i]);
  }
  expected.push_back("");
  expected.push_back("");
  expected.push_back("-FileList.txt" + Blanks(12) + "The file you are now reading.");
  expected.push_back(Blanks(25) + "3/7/2013");

  std::string bytes;
  for (const std::string& line : expected) bytes += line + "\r\n";
  const std::optional<std::string> file = ReadFileBytes(written);
  ASSERT_TRUE(file.has_value());
  EXPECT_EQ(CrlfLines(*file), expected);  // a readable difference first
  EXPECT_EQ(*file, bytes);
}

}  // namespace
}  // namespace cartulon
