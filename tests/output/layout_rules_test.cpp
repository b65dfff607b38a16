#include "output/layout_rules.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "describe/classify.h"
#include "platform/message_sink.h"
#include "platform/paths.h"
#include "resources/embedded.h"
#include "support/temp_disc.h"

namespace cartulon {
namespace {

std::string CrLfLines(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

// A small support disc: Bin, Drivers\Audio, Drivers\LAN, Manual\Guide,
// Software\AOD, the root file Ver.tag and a file in Manual.
class LayoutRulesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    disc_.MakeFolder("Bin");
    disc_.MakeFolder("Drivers/Audio");
    disc_.MakeFolder("Drivers/LAN");
    disc_.MakeFolder("Manual/Guide");
    disc_.MakeFolder("Software/AOD");
    disc_.WriteFile("Ver.tag", "version\r\n");
    disc_.WriteFile("Manual/Notes.txt", "notes\r\n");
    rulesPath_ = work_.Path(kRulesFileName);
  }

  void Analyse() {
    tree_ = std::make_unique<DirStructure>(disc_.Root(), 6, sink_);
    ASSERT_NE(tree_->RootDir, nullptr);
    AttachDescriptions(tree_->RootDir, 6);
  }

  void WriteRules(const std::string& text) { work_.WriteFile(kRulesFileName, text); }

  DirNode* Node(const std::string& rel) const { return tree_->FindNode(disc_.Path(rel)); }

  std::vector<std::string> Title(int indent) const {
    std::vector<std::string> list;
    BuildTitleBlock(list, disc_.Root(), indent, rulesPath_);
    return list;
  }

  TempDir disc_;
  TempDir work_;
  std::string rulesPath_;
  RecordingMessageSink sink_;
  std::unique_ptr<DirStructure> tree_;
};

TEST_F(LayoutRulesTest, KeysResolveBelowTheRoot) {
  Analyse();
  const std::string root = disc_.Root();
  const std::string d(1, kPathDelimiter);
  EXPECT_EQ(ResolveRulePath(*tree_, ".\\Drivers"), root + d + "Drivers");
  EXPECT_EQ(ResolveRulePath(*tree_, "Drivers"), root + d + "Drivers");
  // A '/' stays as written: the delimiter on POSIX; on Windows a path the
  // system accepts but no node's FullPath.
  EXPECT_EQ(ResolveRulePath(*tree_, "./Drivers"), root + "/Drivers");
  EXPECT_EQ(ResolveRulePath(*tree_, ".\\Software\\AOD"), root + d + "Software" + d + "AOD");
  // No normalisation beyond the delimiter: such keys name no node.
  EXPECT_EQ(ResolveRulePath(*tree_, "..\\Drivers"), root + d + ".." + d + "Drivers");
  EXPECT_EQ(ResolveRulePath(*tree_, ".\\\\Drivers"), root + d + d + "Drivers");
  EXPECT_EQ(ResolveRulePath(*tree_, "."), root + d + ".");
  EXPECT_EQ(tree_->FindNode(ResolveRulePath(*tree_, ".")), nullptr);
  EXPECT_EQ(tree_->FindNode(ResolveRulePath(*tree_, ".\\\\Drivers")), nullptr);
}

TEST_F(LayoutRulesTest, ShippedTemplateShapesTheStartingChecks) {
  WriteRules(std::string(*resources::EmbeddedFile("FileList_Exp.ini")));
  Analyse();
  // Start from the opposite of what the rules should give.
  DirStructure::SetCheckedSubtree(tree_->RootDir, false);
  DirStructure::SetCheckedSubtree(Node("Bin"), true);
  DirStructure::SetCheckedSubtree(Node("Manual"), true);
  tree_->RootDir->Checked = false;

  ApplyLayoutRules(tree_.get(), rulesPath_);

  EXPECT_TRUE(tree_->RootDir->Checked);
  for (const char* rel : {"Drivers", "Drivers/Audio", "Drivers/LAN", "Software", "Software/AOD"}) {
    EXPECT_TRUE(Node(rel)->Checked) << rel;
  }
  for (const char* rel : {"Bin", "Manual", "Manual/Guide"}) {
    EXPECT_FALSE(Node(rel)->Checked) << rel;
  }
  DirNode* verTag = Node("Ver.tag");
  ASSERT_NE(verTag, nullptr);
  EXPECT_EQ(verTag->Parent, tree_->RootDir);
  EXPECT_TRUE(verTag->Checked);
  ASSERT_NE(verTag->Data, nullptr);
  EXPECT_EQ(verTag->Data->EntryText, "- Zolt Technical Support Information.");
  EXPECT_EQ(Node("Software/AOD")->Data->EntryText, "- AMD OverDrive Utility (AOD) Readme file.");
  EXPECT_TRUE(sink_.messages.empty());
}

TEST_F(LayoutRulesTest, KeysMatchFolderNamesCaseSensitively) {
  WriteRules(CrLfLines({"[HideSubDir]", ".\\drivers=", ".\\DRIVERS="}));
  Analyse();
  ApplyLayoutRules(tree_.get(), rulesPath_);
  EXPECT_TRUE(Node("Drivers")->Checked);
  EXPECT_TRUE(Node("Drivers/Audio")->Checked);
}

TEST_F(LayoutRulesTest, BareKeyActsLikeDotBackslashKey) {
  WriteRules(CrLfLines({"[HideSubDir]", "Drivers=", "Software\\AOD="}));
  Analyse();
  ApplyLayoutRules(tree_.get(), rulesPath_);
  EXPECT_FALSE(Node("Drivers")->Checked);
  EXPECT_FALSE(Node("Drivers/LAN")->Checked);
  EXPECT_FALSE(Node("Software/AOD")->Checked);
  EXPECT_TRUE(Node("Software")->Checked);  // unchecking leaves ancestors alone
}

TEST_F(LayoutRulesTest, HideSubDirWinsOverShowAllDirWhateverTheFileOrder) {
  WriteRules(CrLfLines({"[HideSubDir]", ".\\Drivers=", "[ShowAllDir]", ".\\Drivers=",
                        ".\\Manual\\Guide="}));
  Analyse();
  DirStructure::SetCheckedSubtree(tree_->RootDir, false);
  ApplyLayoutRules(tree_.get(), rulesPath_);
  EXPECT_FALSE(Node("Drivers")->Checked);
  EXPECT_FALSE(Node("Drivers/Audio")->Checked);
  // ShowAllDir checks the ancestors of what it names.
  EXPECT_TRUE(Node("Manual/Guide")->Checked);
  EXPECT_TRUE(Node("Manual")->Checked);
  EXPECT_TRUE(tree_->RootDir->Checked);
}

TEST_F(LayoutRulesTest, ConstantFolderKeepsItsChildrenAndTheirRecords) {
  WriteRules(CrLfLines({"[Constant]", ".\\Drivers=- Fixed drivers text."}));
  Analyse();
  DirNode* drivers = Node("Drivers");
  drivers->Data->Title = "old title";
  drivers->Data->Next = std::make_unique<DescrStruct>();
  Node("Drivers/Audio")->Data->EntryText = "- Audio text.";
  const std::size_t childCount = drivers->Children.size();

  ApplyLayoutRules(tree_.get(), rulesPath_);

  ASSERT_NE(drivers->Data, nullptr);
  EXPECT_EQ(drivers->Data->EntryText, "- Fixed drivers text.");
  EXPECT_TRUE(drivers->Data->Title.empty());
  EXPECT_EQ(drivers->Data->Next, nullptr);
  EXPECT_TRUE(drivers->Data->Enabled);
  EXPECT_EQ(drivers->Children.size(), childCount);
  EXPECT_EQ(Node("Drivers/Audio")->Data->EntryText, "- Audio text.");
}

TEST_F(LayoutRulesTest, ConstantChecksOnlyItsOwnNode) {
  WriteRules(CrLfLines({"[HideSubDir]", ".\\Drivers=", "[Constant]",
                        ".\\Drivers\\Audio=- Audio text.", ".\\Manual\\Notes.txt=- Notes."}));
  Analyse();
  DirStructure::SetCheckedSubtree(Node("Manual"), false);
  ApplyLayoutRules(tree_.get(), rulesPath_);

  EXPECT_TRUE(Node("Drivers/Audio")->Checked);
  EXPECT_FALSE(Node("Drivers")->Checked);
  EXPECT_FALSE(Node("Drivers/LAN")->Checked);

  // A file below an unchecked folder becomes a checked leaf after the
  // folder's sub-folders; its folder stays unchecked.
  DirNode* manual = Node("Manual");
  DirNode* notes = Node("Manual/Notes.txt");
  ASSERT_NE(notes, nullptr);
  EXPECT_TRUE(notes->Checked);
  EXPECT_FALSE(manual->Checked);
  ASSERT_FALSE(manual->Children.empty());
  EXPECT_EQ(manual->Children.back(), notes);
  EXPECT_EQ(notes->Data->EntryText, "- Notes.");
}

TEST_F(LayoutRulesTest, ConstantWithEmptyValueLeavesAnEmptyRecord) {
  WriteRules(CrLfLines({"[Constant]", ".\\Ver.tag="}));
  Analyse();
  ApplyLayoutRules(tree_.get(), rulesPath_);
  DirNode* verTag = Node("Ver.tag");
  ASSERT_NE(verTag, nullptr);
  ASSERT_NE(verTag->Data, nullptr);
  EXPECT_TRUE(verTag->Data->EntryText.empty());
  EXPECT_TRUE(verTag->Checked);
}

TEST_F(LayoutRulesTest, KeysThatMatchNothingAreSkippedSilently) {
  WriteRules(CrLfLines({"[ShowAllDir]", ".\\Nowhere=", "[Constant]", ".\\Missing.tag=- x.",
                        ".\\Drivers\\Audio\\Deep\\File.txt=- y.", ".=- z."}));
  Analyse();
  const std::size_t nodes = tree_->NodeCount();
  ApplyLayoutRules(tree_.get(), rulesPath_);
  EXPECT_EQ(tree_->NodeCount(), nodes);
  EXPECT_TRUE(sink_.messages.empty());
  EXPECT_TRUE(tree_->RootDir->Data->EntryText.empty());
}

TEST_F(LayoutRulesTest, MissingRulesFileOrTreeChangesNothing) {
  Analyse();
  DirStructure::SetCheckedSubtree(Node("Bin"), false);
  const std::size_t nodes = tree_->NodeCount();
  ApplyLayoutRules(tree_.get(), rulesPath_);  // the file was never written
  EXPECT_EQ(tree_->NodeCount(), nodes);
  EXPECT_FALSE(Node("Bin")->Checked);
  EXPECT_TRUE(Node("Drivers")->Checked);

  WriteRules(CrLfLines({"[HideSubDir]", ".\\Drivers="}));
  ApplyLayoutRules(nullptr, rulesPath_);
  DirStructure noRoot(disc_.Root(), -1, sink_);
  ApplyLayoutRules(&noRoot, rulesPath_);
  EXPECT_EQ(noRoot.RootDir, nullptr);
}

TEST_F(LayoutRulesTest, TitleBlockOfTheShippedTemplate) {
  WriteRules(std::string(*resources::EmbeddedFile("FileList_Exp.ini")));
  disc_.WriteFile("Bin/English.ini", CrLfLines({"[Default]", "<%1>=X99 Pro"}));
  const std::string title = "File List for the included support software for X99 Pro Motherboard";
  EXPECT_EQ(Title(25), (std::vector<std::string>{
                           title, std::string(title.size(), '='),
                           "File Name" + std::string(16, ' ') + "Description",
                           std::string(title.size(), '-')}));
}

TEST_F(LayoutRulesTest, BoardFileIsFoundWhateverItsLetterCase) {
  WriteRules(CrLfLines({"[Title]", "FileTitle=Board <%1>"}));
  disc_.WriteFile("Bin/ENGLISH.INI", CrLfLines({"[default]", "<%1>=Z77 Deluxe"}));
  EXPECT_EQ(Title(25).front(), "Board Z77 Deluxe");

  TempDir other;  // a disc whose Bin folder is spelt in capitals
  other.WriteFile("BIN/english.ini", CrLfLines({"[Default]", "<%1>=H61M"}));
  std::vector<std::string> list;
  BuildTitleBlock(list, other.Root(), 25, rulesPath_);
  ASSERT_FALSE(list.empty());
  EXPECT_EQ(list.front(), "Board H61M");
}

TEST_F(LayoutRulesTest, BoardNameDefaultsToZolt) {
  WriteRules(CrLfLines({"[Title]", "FileTitle=Board <%1>"}));
  EXPECT_EQ(Title(25).front(), "Board Zolt");  // no Bin/English.ini at all

  disc_.WriteFile("Bin/English.ini", CrLfLines({"[Default]", "Title=Something else"}));
  EXPECT_EQ(Title(25).front(), "Board Zolt");  // the key is missing
}

TEST_F(LayoutRulesTest, OnlyTheFirstPlaceholderIsReplaced) {
  WriteRules(CrLfLines({"[Title]", "FileTitle=<%1> and <%1>"}));
  disc_.WriteFile("Bin/English.ini", CrLfLines({"[Default]", "<%1>=B85M"}));
  const std::vector<std::string> lines = Title(25);
  EXPECT_EQ(lines[0], "B85M and <%1>");
  EXPECT_EQ(lines[1], std::string(13, '='));
  EXPECT_EQ(lines[3], std::string(13, '-'));

  WriteRules(CrLfLines({"[Title]", "FileTitle=Plain heading <%2>"}));
  EXPECT_EQ(Title(25).front(), "Plain heading <%2>");
}

TEST_F(LayoutRulesTest, LabelPaddingFollowsTheIndent) {
  WriteRules(CrLfLines({"[Title]", "FileTitle=T"}));
  const std::vector<std::pair<int, int>> cases = {{25, 16}, {15, 6}, {20, 11}, {18, 9},
                                                  {10, 6},  {0, 6},  {30, 21}};
  for (const auto& [indent, blanks] : cases) {
    EXPECT_EQ(Title(indent)[2], "File Name" + std::string(blanks, ' ') + "Description")
        << "indent " << indent;
  }
}

TEST_F(LayoutRulesTest, DefaultsApplyWhenTitleKeysAreMissing) {
  WriteRules(CrLfLines({"[ShowAllDir]", ".\\Drivers="}));
  const std::vector<std::string> lines = Title(25);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "File List for Zolt ");
  EXPECT_EQ(lines[1], std::string(19, '='));
  EXPECT_EQ(lines[2], "File Name" + std::string(16, ' ') + "Description");

  WriteRules(CrLfLines({"[Title]", "LabelForName=Name", "LabelForDescription=Text"}));
  EXPECT_EQ(Title(25)[2], "Name" + std::string(21, ' ') + "Text");
}

TEST_F(LayoutRulesTest, EmptyTitleGivesEmptyRuleLines) {
  WriteRules(CrLfLines({"[Title]", "FileTitle="}));
  EXPECT_EQ(Title(25), (std::vector<std::string>{
                           "", "", "File Name" + std::string(16, ' ') + "Description", ""}));
}

TEST_F(LayoutRulesTest, MissingRulesFileGivesNoHeading) {
  std::vector<std::string> list = {"kept"};
  BuildTitleBlock(list, disc_.Root(), 25, rulesPath_);
  EXPECT_EQ(list, std::vector<std::string>{"kept"});
}

}  // namespace
}  // namespace cartulon
