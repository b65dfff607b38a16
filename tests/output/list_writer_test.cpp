#include "output/list_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "output/layout_rules.h"
#include "platform/disc_files.h"
#include "platform/paths.h"
#include "support/scripted_prompts.h"
#include "support/temp_disc.h"
#include "support/test_system.h"

namespace cartulon {
namespace {

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

// A hand-built tree: nodes with one record each unless told otherwise.
class NodeTree {
 public:
  NodeTree() { root_ = Make(nullptr, "", ""); }

  DirNode* Root() { return root_; }

  DirNode* Add(DirNode* parent, const std::string& name, const std::string& text) {
    DirNode* node = Make(parent, name, text);
    parent->Children.push_back(node);
    return node;
  }

 private:
  DirNode* Make(DirNode* parent, const std::string& name, const std::string& text) {
    DirNode& node = nodes_.emplace_back();
    node.Name = name;
    node.Parent = parent;
    node.Depth = parent == nullptr ? 0 : parent->Depth + 1;
    node.Data = std::make_unique<DescrStruct>();
    node.Data->EntryText = text;
    return &node;
  }

  std::deque<DirNode> nodes_;
  DirNode* root_ = nullptr;
};

using test_support::ScriptedPrompts;

class ListWriterTest : public ::testing::Test {
 protected:
  ListWriterTest() {
    context_.scdPath = disc_.Root();
    context_.workingFolder = work_.Root();
    // Neither master file exists unless a test writes one.
    context_.masters.programFolder = work_.Root();
    context_.masters.cdMasterPath = disc_.Path("Bin/Zscdinst.ini");
    context_.settings.month = "3";
    context_.settings.day = "7";
    context_.settings.year = "2013";
  }

  std::vector<std::string> Emit(DirNode* node) {
    PreviewMap map;
    EmitNodeLines(node, map, context_);
    EXPECT_EQ(map.PreviewLines.size(), map.LineNodes.size());
    return map.PreviewLines;
  }

  TempDir disc_;
  TempDir work_;
  ListContext context_;
  NodeTree tree_;
  RecordingMessageSink sink_;
};

// ---- entry lines ---------------------------------------------------------

TEST_F(ListWriterTest, DriversGroupWithTwoPackages) {
  DirNode* drivers = tree_.Add(tree_.Root(), "Drivers", "D");
  DirNode* audio = tree_.Add(drivers, "Audio", "T");
  DirNode* lan = tree_.Add(drivers, "LAN", "T");

  PreviewMap map;
  EmitNodeLines(tree_.Root(), map, context_);

  EXPECT_EQ(map.PreviewLines, (std::vector<std::string>{
                                  "-Drivers" + Blanks(17) + "D",
                                  "  -Audio" + Blanks(17) + "T",
                                  "",
                                  "  -LAN" + Blanks(19) + "T",
                                  "",
                                  "",
                                  "",
                              }));
  EXPECT_EQ(map.LineNodes, (std::vector<DirNode*>{drivers, audio, nullptr, lan, nullptr, nullptr,
                                                  nullptr}));
}

TEST_F(ListWriterTest, UncheckedFolderHidesItsWholeSubtree) {
  DirNode* drivers = tree_.Add(tree_.Root(), "Drivers", "D");
  DirNode* audio = tree_.Add(drivers, "Audio", "T");
  tree_.Add(audio, "Win7", "W");
  tree_.Add(tree_.Root(), "Software", "S");
  drivers->Checked = false;

  EXPECT_EQ(Emit(tree_.Root()),
            (std::vector<std::string>{"-Software" + Blanks(16) + "S", "", ""}));
}

TEST_F(ListWriterTest, LongNamesGetExactlyTwoBlanks) {
  tree_.Add(tree_.Root(), std::string(23, 'a'), "x");  // a 24-byte name part
  tree_.Add(tree_.Root(), std::string(24, 'b'), "y");  // a 25-byte name part
  tree_.Add(tree_.Root(), std::string(30, 'c'), "z");
  context_.settings.groupDepth = 0;

  EXPECT_EQ(Emit(tree_.Root()), (std::vector<std::string>{
                                    "-" + std::string(23, 'a') + " x",
                                    "-" + std::string(24, 'b') + "  y",
                                    "-" + std::string(30, 'c') + "  z",
                                    "",
                                }));
}

TEST_F(ListWriterTest, RecordChainGivesOneLinePerSourceInOneColumn) {
  DirNode* folder = tree_.Add(tree_.Root(), "Chipset", "- First.");
  DescrStruct* first = folder->Data.get();
  first->Next = std::make_unique<DescrStruct>();
  first->Next->EntryText = "- Second.";
  first->Next->Next = std::make_unique<DescrStruct>();
  first->Next->Next->EntryText = "- Third.";
  first->Next->Next->Repeats = 2;  // stands for two sources in a row
  DirNode* deep = tree_.Add(folder, "VeryLongSubInstallFolderName", "- A.");
  deep->Data->Next = std::make_unique<DescrStruct>();
  deep->Data->Next->EntryText = "- B.";
  context_.settings.groupDepth = 0;

  PreviewMap map;
  EmitNodeLines(tree_.Root(), map, context_);
  const std::string longName = "  -VeryLongSubInstallFolderName";
  EXPECT_EQ(map.PreviewLines, (std::vector<std::string>{
                                  "-Chipset" + Blanks(17) + "- First.",
                                  Blanks(25) + "- Second.",
                                  Blanks(25) + "- Third.",
                                  Blanks(25) + "- Third.",
                                  longName + "  - A.",
                                  Blanks(longName.size() + 2) + "- B.",
                                  "",
                              }));
  EXPECT_EQ(map.LineNodes,
            (std::vector<DirNode*>{folder, folder, folder, folder, deep, deep, nullptr}));
}

TEST_F(ListWriterTest, DisabledRecordKeepsItsLineWithoutDescription) {
  DirNode* folder = tree_.Add(tree_.Root(), "Tools", "");
  folder->Data->Enabled = false;
  folder->Data->ToolName = "Foo";  // would compose to a text if enabled
  context_.settings.groupDepth = 0;

  EXPECT_EQ(Emit(tree_.Root()), (std::vector<std::string>{"-Tools" + Blanks(19), ""}));
  EXPECT_TRUE(folder->Data->EntryText.empty());
}

TEST_F(ListWriterTest, EmptyEntryTextIsComposedOnceAndKept) {
  DirNode* folder = tree_.Add(tree_.Root(), "LAN", "");
  folder->Data->ToolName = "Foo";
  folder->Data->ToolVersion = "1.2";
  context_.settings.groupDepth = 0;

  EXPECT_EQ(Emit(tree_.Root()).front(), "-LAN" + Blanks(21) + "- Foo V1.2.");
  EXPECT_EQ(folder->Data->EntryText, "- Foo V1.2.");
  // A stored text is used as it is, not composed again.
  folder->Data->EntryText = "- Kept.";
  EXPECT_EQ(Emit(tree_.Root()).front(), "-LAN" + Blanks(21) + "- Kept.");
}

TEST_F(ListWriterTest, NodeWithoutRecordStillListsItsSubtree) {
  DirNode* drivers = tree_.Add(tree_.Root(), "Drivers", "D");
  drivers->Data.reset();
  DirNode* audio = tree_.Add(drivers, "Audio", "T");
  DirNode* codec = tree_.Add(audio, "Codec", "C");
  context_.settings.groupDepth = 1;

  PreviewMap map;
  EmitNodeLines(tree_.Root(), map, context_);
  EXPECT_EQ(map.PreviewLines, (std::vector<std::string>{
                                  "  -Audio" + Blanks(17) + "T",
                                  "    -Codec" + Blanks(15) + "C",
                                  "",
                                  "",
                              }));
  EXPECT_EQ(map.LineNodes, (std::vector<DirNode*>{audio, codec, nullptr, nullptr}));
}

TEST_F(ListWriterTest, IndentZeroPutsTwoBlanksAfterEveryName) {
  DirNode* drivers = tree_.Add(tree_.Root(), "Drivers", "D");
  tree_.Add(drivers, "Audio", "T");
  context_.settings.indent = 0;
  context_.settings.groupDepth = 0;
  EXPECT_EQ(Emit(tree_.Root()),
            (std::vector<std::string>{"-Drivers  D", "  -Audio  T", ""}));
}

TEST_F(ListWriterTest, GroupDepthDecidesWhereBlankLinesGo) {
  DirNode* drivers = tree_.Add(tree_.Root(), "Drivers", "D");
  DirNode* audio = tree_.Add(drivers, "Audio", "A");
  tree_.Add(audio, "Win7", "W");
  tree_.Add(tree_.Root(), "Manual", "M");

  context_.settings.groupDepth = 0;
  EXPECT_EQ(Emit(tree_.Root()), (std::vector<std::string>{
                                    "-Drivers" + Blanks(17) + "D",
                                    "  -Audio" + Blanks(17) + "A",
                                    "    -Win7" + Blanks(16) + "W",
                                    "-Manual" + Blanks(18) + "M",
                                    "",
                                }));

  context_.settings.groupDepth = 3;
  EXPECT_EQ(Emit(tree_.Root()), (std::vector<std::string>{
                                    "-Drivers" + Blanks(17) + "D",
                                    "  -Audio" + Blanks(17) + "A",
                                    "    -Win7" + Blanks(16) + "W",
                                    "",
                                    "",
                                    "",
                                    "-Manual" + Blanks(18) + "M",
                                    "",
                                    "",
                                }));
}

TEST_F(ListWriterTest, UncheckedRootGivesNoLinesAtAll) {
  tree_.Add(tree_.Root(), "Drivers", "D");
  tree_.Root()->Checked = false;
  EXPECT_TRUE(Emit(tree_.Root()).empty());
}

// ---- contact block -------------------------------------------------------

class ContactBlockTest : public ListWriterTest {
 protected:
  // Entry lines with the Ver.tag leaf between two folders.
  void BuildList() {
    tree_.Add(tree_.Root(), "Drivers", "D");
    verTag_ = tree_.Add(tree_.Root(), "Ver.tag", "- Zolt Technical Support Information.");
    tree_.Add(tree_.Root(), "Zzz", "Z");
    context_.settings.groupDepth = 1;
    EmitNodeLines(tree_.Root(), map_, context_);
  }

  void WriteContact(std::string_view bytes) { work_.WriteFile(kContactFileName, bytes); }

  DirNode* verTag_ = nullptr;
  PreviewMap map_;
};

TEST_F(ContactBlockTest, ReplacesTheVerTagLineAtTheDefaultIndent) {
  WriteContact("ZOLTEK COMPUTER INC.\r\n\r\nHeadquarters\r\nAddress: 1 Road\r\n");
  BuildList();
  ASSERT_TRUE(InsertContactBlock(map_, context_, sink_));

  EXPECT_EQ(map_.PreviewLines, (std::vector<std::string>{
                                   "-Drivers" + Blanks(17) + "D",
                                   "",
                                   "-Contact" + Blanks(17) + "ZOLTEK COMPUTER INC.",
                                   Blanks(25),
                                   Blanks(25) + "Headquarters",
                                   Blanks(25) + "Address: 1 Road",
                                   "",
                                   "-Zzz" + Blanks(21) + "Z",
                                   "",
                                   "",
                               }));
  for (std::size_t i = 2; i < 6; ++i) EXPECT_EQ(map_.LineNodes[i], verTag_) << i;
  EXPECT_EQ(map_.LineNodes[6], nullptr);
  EXPECT_TRUE(sink_.messages.empty());
}

TEST_F(ContactBlockTest, AnyLineEndEndsATemplateLine) {
  // CR, LF and CR LF each end one line; CR LF CR LF is two line ends with an
  // empty line between; LF CR is two line ends; the last line needs no end.
  WriteContact("a\rb\nc\r\nd\r\n\r\ne\n\rf");
  BuildList();
  ASSERT_TRUE(InsertContactBlock(map_, context_, sink_));
  const std::vector<std::string> block(map_.PreviewLines.begin() + 2,
                                       map_.PreviewLines.begin() + 10);
  EXPECT_EQ(block, (std::vector<std::string>{
                       "-Contact" + Blanks(17) + "a", Blanks(25) + "b", Blanks(25) + "c",
                       Blanks(25) + "d", Blanks(25), Blanks(25) + "e", Blanks(25),
                       Blanks(25) + "f"}));
  EXPECT_EQ(map_.PreviewLines[10], "");
}

TEST_F(ContactBlockTest, IndentShiftsTheBlock) {
  WriteContact("first\r\nsecond\r\n");
  BuildList();
  context_.settings.indent = 8;
  PreviewMap atEight = map_;
  ASSERT_TRUE(InsertContactBlock(atEight, context_, sink_));
  EXPECT_EQ(atEight.PreviewLines[2], "-Contactfirst");
  EXPECT_EQ(atEight.PreviewLines[3], Blanks(8) + "second");

  context_.settings.indent = 5;
  PreviewMap atFive = map_;
  ASSERT_TRUE(InsertContactBlock(atFive, context_, sink_));
  EXPECT_EQ(atFive.PreviewLines[2], "-Contact" + Blanks(4) + "first");
  EXPECT_EQ(atFive.PreviewLines[3], Blanks(5) + "second");
}

TEST_F(ContactBlockTest, OnlyTheLastVerTagLineBecomesTheBlock) {
  WriteContact("only line");
  DirNode* first = tree_.Add(tree_.Root(), "Old", "- see -Ver.tag");
  BuildList();
  ASSERT_TRUE(InsertContactBlock(map_, context_, sink_));
  EXPECT_EQ(map_.PreviewLines[0], "-Old" + Blanks(21) + "- see -Ver.tag");
  EXPECT_EQ(map_.LineNodes[0], first);
  const int contact = map_.SelectLineOfItem(verTag_);
  ASSERT_GE(contact, 0);
  EXPECT_EQ(map_.PreviewLines[static_cast<std::size_t>(contact)], "-Contact" + Blanks(17) + "only line");
}

TEST_F(ContactBlockTest, EmptyTemplateLeavesTheBareContactLine) {
  WriteContact("");
  BuildList();
  const std::size_t lines = map_.PreviewLines.size();
  ASSERT_TRUE(InsertContactBlock(map_, context_, sink_));
  EXPECT_EQ(map_.PreviewLines.size(), lines);
  EXPECT_EQ(map_.PreviewLines[2], "-Contact");
}

TEST_F(ContactBlockTest, NoVerTagLineNeedsNoTemplate) {
  tree_.Add(tree_.Root(), "Drivers", "D");
  EmitNodeLines(tree_.Root(), map_, context_);
  const PreviewMap before = map_;
  EXPECT_TRUE(InsertContactBlock(map_, context_, sink_));  // TECHSUPP.ini is absent
  EXPECT_EQ(map_.PreviewLines, before.PreviewLines);
  EXPECT_TRUE(sink_.messages.empty());
}

TEST_F(ContactBlockTest, MissingTemplateIsReported) {
  BuildList();
  EXPECT_FALSE(InsertContactBlock(map_, context_, sink_));
  ASSERT_EQ(sink_.messages.size(), 1u);
  EXPECT_EQ(sink_.messages[0].caption, "Zolt Cartulon");
  EXPECT_EQ(sink_.messages[0].kind, MessageKind::Error);
  EXPECT_EQ(sink_.messages[0].text, "Cannot open file \"" + work_.Path(kContactFileName) +
                                        "\". No such file or directory");
}

// ---- generate ------------------------------------------------------------

class GenerateTest : public ListWriterTest {
 protected:
  GenerateTest() : structure_(disc_.Root(), 0, sink_) {
    structure_.RootDir->Data = std::make_unique<DescrStruct>();
    disc_.WriteFile("Ver.tag", "1");
    DirNode* drivers = structure_.AddChild(disc_.Path("Drivers"), structure_.RootDir);
    drivers->Data = std::make_unique<DescrStruct>();
    drivers->Data->EntryText = "- Drivers.";
    DirNode* verTag = structure_.AddFileChild(disc_.Path("Ver.tag"));
    verTag->Data = std::make_unique<DescrStruct>();
    verTag->Data->EntryText = "- Support.";
    work_.WriteFile(kRulesFileName, "[Title]\r\nFileTitle=Heading\r\n");
    work_.WriteFile(kContactFileName, "ZOLTEK COMPUTER INC.\r\nline two\r\n");
  }

  DirStructure structure_;
};

TEST_F(GenerateTest, BuildsHeadingEntriesAndContactBlock) {
  Preview preview;
  ASSERT_TRUE(GeneratePreview(structure_, preview, context_, sink_));
  EXPECT_EQ(preview.titleLines,
            (std::vector<std::string>{"Heading", "=======",
                                      "File Name" + Blanks(16) + "Description", "-------"}));
  EXPECT_EQ(preview.map.PreviewLines, (std::vector<std::string>{
                                          "-Drivers" + Blanks(17) + "- Drivers.",
                                          "",
                                          "-Contact" + Blanks(17) + "ZOLTEK COMPUTER INC.",
                                          Blanks(25) + "line two",
                                          "",
                                          "",
                                      }));
}

TEST_F(GenerateTest, FailedContactBlockKeepsThePreviousEntryLines) {
  Preview preview;
  ASSERT_TRUE(GeneratePreview(structure_, preview, context_, sink_));
  const std::vector<std::string> before = preview.map.PreviewLines;

  std::filesystem::remove(work_.Path(kContactFileName));
  context_.settings.indent = 30;
  EXPECT_FALSE(GeneratePreview(structure_, preview, context_, sink_));
  ASSERT_EQ(sink_.messages.size(), 1u);
  EXPECT_EQ(preview.map.PreviewLines, before);
  EXPECT_EQ(preview.map.LineNodes.size(), before.size());
  // The heading is already rebuilt with the new indent.
  EXPECT_EQ(preview.titleLines[2], "File Name" + Blanks(21) + "Description");
}

TEST_F(GenerateTest, RemovedTemplatesLeaveNoHeading) {
  std::filesystem::remove(work_.Path(kRulesFileName));
  structure_.FindNode(disc_.Path("Ver.tag"))->Checked = false;
  Preview preview;
  preview.titleLines = {"stale"};
  ASSERT_TRUE(GeneratePreview(structure_, preview, context_, sink_));
  EXPECT_TRUE(preview.titleLines.empty());
  EXPECT_EQ(preview.map.PreviewLines.front(), "-Drivers" + Blanks(17) + "- Drivers.");
}

// ---- footer and file bytes ----------------------------------------------

TEST_F(ListWriterTest, FooterFollowsTheIndent) {
  EXPECT_EQ(BuildFooter(context_.settings),
            (std::vector<std::string>{"-FileList.txt" + Blanks(12) + "The file you are now reading.",
                                      Blanks(25) + "3/7/2013"}));
  context_.settings.indent = 0;
  EXPECT_EQ(BuildFooter(context_.settings),
            (std::vector<std::string>{"-FileList.txt" + Blanks(4) + "The file you are now reading.",
                                      "3/7/2013"}));
  context_.settings.indent = 13;
  EXPECT_EQ(BuildFooter(context_.settings)[0], "-FileList.txtThe file you are now reading.");
  context_.settings.indent = 12;
  EXPECT_EQ(BuildFooter(context_.settings)[0],
            "-FileList.txt" + Blanks(4) + "The file you are now reading.");
}

TEST(AssembleFileListTest, EveryLineEndsInCrLf) {
  EXPECT_EQ(AssembleFileList({"Title", "====="}, {"-A  x", "", "  "}, {"foot"}),
            "Title\r\n=====\r\n-A  x\r\n\r\n  \r\nfoot\r\n");
  EXPECT_EQ(AssembleFileList({}, {}, {}), "");
  EXPECT_EQ(AssembleFileList({}, {"caf\xC3\xA9"}, {}), "caf\xC3\xA9\r\n");
}

// ---- save ----------------------------------------------------------------

class SaveTest : public ListWriterTest {
 protected:
  SaveTest() {
    target_ = disc_.Path("FileList.txt");
    work_.WriteFile(kRulesFileName, "[Title]\r\n");
    work_.WriteFile(kContactFileName, "ZOLTEK COMPUTER INC.\r\n");
    request_.caption = "Zolt Cartulon";
    request_.overwriteText = "Do you want to overwrite the existed file ?";
  }

  SaveOutcome Save(std::vector<std::string>& lines, std::string* written = nullptr) {
    PreviewMap entries;
    for (std::string& line : lines) entries.AddPreviewLine(std::move(line), nullptr);
    const SaveOutcome outcome =
        SaveFileList(entries, titles_, flags_, context_, request_, prompts_, sink_, written);
    lines = std::move(entries.PreviewLines);
    return outcome;
  }

  std::string Expected(const std::vector<std::string>& entries) const {
    return AssembleFileList(titles_, entries, BuildFooter(context_.settings));
  }

  bool TemplatesPresent() const {
    return FileExists(work_.Path(kRulesFileName)) && FileExists(work_.Path(kContactFileName));
  }

  std::vector<std::string> FolderNames(const std::string& folder) const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  std::string target_;
  std::vector<std::string> titles_ = {"Title", "=====", "File Name", "-----"};
  std::vector<std::string> entries_ = {"-Drivers" + Blanks(17) + "- Drivers package.", ""};
  SaveRuleFlags flags_;
  SaveRequest request_;
  ScriptedPrompts prompts_;
};

TEST_F(SaveTest, NewFileIsWrittenWithoutAQuestion) {
  std::string written;
  EXPECT_EQ(Save(entries_, &written), SaveOutcome::Written);
  EXPECT_EQ(written, target_);
  EXPECT_EQ(ReadFileBytes(target_), Expected(entries_));
  EXPECT_TRUE(prompts_.questions.empty());
  EXPECT_TRUE(prompts_.dialogs.empty());
  EXPECT_FALSE(FileExists(work_.Path(kRulesFileName)));
  EXPECT_FALSE(FileExists(work_.Path(kContactFileName)));
  EXPECT_TRUE(sink_.messages.empty());
}

TEST_F(SaveTest, PreviewRunKeepsTheTemplates) {
  request_.removeTemplates = false;
  EXPECT_EQ(Save(entries_), SaveOutcome::Written);
  EXPECT_TRUE(TemplatesPresent());
}

TEST_F(SaveTest, ExplicitTargetPathIsUsed) {
  request_.targetPath = disc_.Path("Other.txt");
  std::string written;
  EXPECT_EQ(Save(entries_, &written), SaveOutcome::Written);
  EXPECT_EQ(written, request_.targetPath);
  EXPECT_TRUE(FileExists(request_.targetPath));
  EXPECT_FALSE(FileExists(target_));
}

TEST_F(SaveTest, SaveRulesRewriteTheEntryLinesInPlace) {
  // The second line repeats the first one's description: the save drops it.
  std::vector<std::string> lines = {"  -Audio" + Blanks(17) + "- Same package text.",
                                    "  -Codec" + Blanks(17) + "- Same package text.", ""};
  EXPECT_EQ(Save(lines), SaveOutcome::Written);
  const std::vector<std::string> kept = {"  -Audio" + Blanks(17) + "- Same package text.", ""};
  EXPECT_EQ(lines, kept);
  EXPECT_EQ(ReadFileBytes(target_), Expected(kept));
}

TEST_F(SaveTest, YesReplacesTheExistingFile) {
  disc_.WriteFile("FileList.txt", "old list\r\n");
  prompts_.answerYes = true;
  EXPECT_EQ(Save(entries_), SaveOutcome::Written);
  ASSERT_EQ(prompts_.questions.size(), 1u);
  EXPECT_EQ(prompts_.questions[0].first, "Zolt Cartulon");
  EXPECT_EQ(prompts_.questions[0].second,
            "Do you want to overwrite the existed file ?\n" + target_);
  EXPECT_TRUE(prompts_.dialogs.empty());
  EXPECT_EQ(ReadFileBytes(target_), Expected(entries_));
}

TEST_F(SaveTest, NoOpensTheSaveDialogAndWritesTheChosenFile) {
  disc_.WriteFile("FileList.txt", "old list\r\n");
  prompts_.answerYes = false;
  prompts_.choice = SaveDialogChoice{disc_.Path("Board list"), 1};
  std::string written;
  EXPECT_EQ(Save(entries_, &written), SaveOutcome::Written);
  ASSERT_EQ(prompts_.dialogs.size(), 1u);
  EXPECT_EQ(prompts_.dialogs[0].first, disc_.Root());
  EXPECT_EQ(prompts_.dialogs[0].second, kSaveDialogFilter);
  EXPECT_EQ(written, disc_.Path("Board list.txt"));
  EXPECT_EQ(ReadFileBytes(written), Expected(entries_));
  EXPECT_EQ(ReadFileBytes(target_), "old list\r\n");
  EXPECT_FALSE(TemplatesPresent());
}

TEST_F(SaveTest, DecliningAndCancellingWritesAndDeletesNothing) {
  disc_.WriteFile("FileList.txt", "old list\r\n");
  prompts_.answerYes = false;
  prompts_.choice.reset();
  EXPECT_EQ(Save(entries_), SaveOutcome::Declined);
  EXPECT_EQ(ReadFileBytes(target_), "old list\r\n");
  EXPECT_EQ(FolderNames(disc_.Root()), std::vector<std::string>{"FileList.txt"});
  EXPECT_TRUE(TemplatesPresent());
  EXPECT_TRUE(sink_.messages.empty());
}

TEST_F(SaveTest, OutputModeTwoReplacesWithoutAsking) {
  disc_.WriteFile("FileList.txt", "old list\r\n");
  request_.outputMode = 2;
  EXPECT_EQ(Save(entries_), SaveOutcome::Written);
  EXPECT_TRUE(prompts_.questions.empty());
  EXPECT_TRUE(prompts_.dialogs.empty());
  EXPECT_EQ(ReadFileBytes(target_), Expected(entries_));
}

TEST_F(SaveTest, UncreatableTargetIsReportedAndKeepsTheTemplates) {
  context_.scdPath = disc_.Path("gone");  // a folder that does not exist
  const std::string target = context_.scdPath + kPathDelimiter + "FileList.txt";
  EXPECT_EQ(Save(entries_), SaveOutcome::Failed);
  ASSERT_EQ(sink_.messages.size(), 1u);
  EXPECT_EQ(sink_.messages[0].caption, "Zolt Cartulon");
  EXPECT_EQ(sink_.messages[0].kind, MessageKind::Error);
  EXPECT_EQ(sink_.messages[0].text.rfind("Cannot create file \"" + target + "\". ", 0), 0u)
      << sink_.messages[0].text;
  EXPECT_GT(sink_.messages[0].text.size(), target.size() + 23);
  EXPECT_TRUE(TemplatesPresent());
  EXPECT_TRUE(FolderNames(disc_.Root()).empty());
}

TEST_F(SaveTest, FailedWriteLeavesNoPartialFile) {
  disc_.MakeFolder("FileList.txt");  // the target name is taken by a folder
  disc_.WriteFile("Keep.txt", "keep");
  EXPECT_EQ(Save(entries_), SaveOutcome::Failed);
  EXPECT_EQ(FolderNames(disc_.Root()), (std::vector<std::string>{"FileList.txt", "Keep.txt"}));
  EXPECT_TRUE(std::filesystem::is_empty(disc_.Path("FileList.txt")));
  EXPECT_TRUE(TemplatesPresent());
}

TEST_F(SaveTest, ReadOnlyDiscFolderFailsAndKeepsTheEarlierFile) {
  if (!test_support::FolderPermissionsBind()) {
    GTEST_SKIP() << "a read-only folder does not stop this process from writing";
  }
  disc_.WriteFile("FileList.txt", "old list\r\n");
  std::filesystem::permissions(disc_.Root(), std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  request_.outputMode = 2;
  EXPECT_EQ(Save(entries_), SaveOutcome::Failed);
  std::filesystem::permissions(disc_.Root(), std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add);
  EXPECT_EQ(ReadFileBytes(target_), "old list\r\n");
  EXPECT_EQ(FolderNames(disc_.Root()), std::vector<std::string>{"FileList.txt"});
  EXPECT_TRUE(TemplatesPresent());
  ASSERT_EQ(sink_.messages.size(), 1u);
}

TEST_F(SaveTest, UnreadableBoardNumberStopsTheSave) {
  TempDir program;
  program.WriteFile("Zscdinst.ini", "[ConditionTable]\r\nNumber=abc\r\n");
  context_.masters.programFolder = program.Root();
  std::vector<std::string> lines = entries_;
  EXPECT_EQ(Save(lines), SaveOutcome::Failed);
  ASSERT_EQ(sink_.messages.size(), 1u);
  EXPECT_EQ(sink_.messages[0].caption, "Zolt Cartulon");
  EXPECT_EQ(sink_.messages[0].kind, MessageKind::Error);
  EXPECT_NE(sink_.messages[0].text.find("abc"), std::string::npos);
  EXPECT_NE(sink_.messages[0].text.find("is not a valid integer value"), std::string::npos);
  EXPECT_EQ(lines, entries_);
  EXPECT_FALSE(FileExists(target_));
  EXPECT_TRUE(TemplatesPresent());
}

}  // namespace
}  // namespace cartulon
