// Compact: unchecking, bottom-up, the branches that describe nothing.
#include "model/check_states.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/paths.h"
#include "support/temp_disc.h"

namespace cartulon {
namespace {

class CompactTest : public ::testing::Test {
 protected:
  void Scan() { tree = std::make_unique<DirStructure>(disc.Path(), 6, messages); }
  DirNode* Node(std::string_view rel) const {
    return rel.empty() ? tree->RootDir : tree->FindNode(disc.Path(rel));
  }
  // Gives a node a first record with the entry text.
  DirNode* Describe(std::string_view rel, const std::string& text) {
    DirNode* node = Node(rel);
    node->Data = std::make_unique<DescrStruct>();
    node->Data->EntryText = text;
    return node;
  }

  TempDir disc;
  RecordingMessageSink messages;
  std::unique_ptr<DirStructure> tree;
};

TEST_F(CompactTest, UndescribedChainIsUncheckedFromTheBottomUp) {
  disc.MakeFolder("A/B");
  Scan();
  Describe("", "");
  Describe("A", "");
  Describe("A/B", "");

  CompactChecks(tree->RootDir);
  EXPECT_FALSE(Node("A/B")->Checked);
  EXPECT_FALSE(Node("A")->Checked);
  EXPECT_FALSE(tree->RootDir->Checked);
}

TEST_F(CompactTest, DescribedRootStaysCheckedOverAnUndescribedChain) {
  disc.MakeFolder("A/B");
  Scan();
  Describe("", "Title line");
  Describe("A", "");
  Describe("A/B", "");

  CompactChecks(tree->RootDir);
  EXPECT_FALSE(Node("A/B")->Checked);
  EXPECT_FALSE(Node("A")->Checked);
  EXPECT_TRUE(tree->RootDir->Checked);
}

TEST_F(CompactTest, FolderWithACheckedChildStaysChecked) {
  disc.MakeFolder("Drivers/Audio");
  disc.MakeFolder("Drivers/Empty");
  Scan();
  Describe("", "");
  Describe("Drivers", "");
  Describe("Drivers/Audio", "Audio Driver V1.0");
  Describe("Drivers/Empty", "");

  CompactChecks(tree->RootDir);
  EXPECT_TRUE(Node("Drivers/Audio")->Checked);
  EXPECT_FALSE(Node("Drivers/Empty")->Checked);
  EXPECT_TRUE(Node("Drivers")->Checked);
  EXPECT_TRUE(tree->RootDir->Checked);
}

TEST_F(CompactTest, NodesWithoutARecordCountAsUndescribed) {
  disc.MakeFolder("Bare/Inner");
  Scan();  // no records at all

  CompactChecks(tree->RootDir);
  EXPECT_FALSE(Node("Bare/Inner")->Checked);
  EXPECT_FALSE(Node("Bare")->Checked);
  EXPECT_FALSE(tree->RootDir->Checked);
}

TEST_F(CompactTest, OnlyTheFirstRecordsTextCounts) {
  disc.MakeFolder("Multi");
  Scan();
  DirNode* multi = Describe("Multi", "");
  multi->Data->Next = std::make_unique<DescrStruct>();
  multi->Data->Next->EntryText = "Second source";

  CompactChecks(multi);
  EXPECT_FALSE(multi->Checked);
}

TEST_F(CompactTest, NeverChecksAnything) {
  disc.MakeFolder("Off/Child");
  disc.MakeFolder("Described");
  Scan();
  Describe("", "Title");
  Describe("Described", "Utility V2");
  Describe("Off/Child", "Driver V3");
  Node("Described")->Checked = false;
  Node("Off")->Checked = false;  // its child stays checked

  CompactChecks(tree->RootDir);
  EXPECT_FALSE(Node("Described")->Checked);
  EXPECT_FALSE(Node("Off")->Checked);
  EXPECT_TRUE(Node("Off/Child")->Checked);
  EXPECT_TRUE(tree->RootDir->Checked);
}

TEST_F(CompactTest, CheckedGrandchildDoesNotKeepItsGrandparent) {
  disc.MakeFolder("P/C/G");
  Scan();
  Describe("P/C/G", "Driver V1");
  Node("P/C")->Checked = false;

  CompactChecks(Node("P"));
  EXPECT_TRUE(Node("P/C/G")->Checked);
  EXPECT_FALSE(Node("P/C")->Checked);
  EXPECT_FALSE(Node("P")->Checked);  // its only direct child is unchecked
  EXPECT_TRUE(tree->RootDir->Checked);  // outside the compacted subtree
}

TEST_F(CompactTest, DescribedFileLeafKeepsItsFolder) {
  disc.WriteFile("Bin/Ver.tag", "x");
  Scan();
  DirNode* leaf = tree->AddFileChild(disc.Path("Bin/Ver.tag"));
  ASSERT_NE(leaf, nullptr);
  leaf->Data = std::make_unique<DescrStruct>();
  leaf->Data->EntryText = "Contact block";

  CompactChecks(tree->RootDir);
  EXPECT_TRUE(leaf->Checked);
  EXPECT_TRUE(Node("Bin")->Checked);
  EXPECT_TRUE(tree->RootDir->Checked);
}

TEST_F(CompactTest, VeryDeepChainsDoNotExhaustTheStack) {
  DirStructure flat(disc.Path(), 0, messages);
  DirNode* node = flat.RootDir;
  const std::string path = disc.Path("d");  // Compact looks at no path
  for (int level = 0; level < 200000; ++level) node = flat.AddChild(path, node);
  node->Data = std::make_unique<DescrStruct>();
  node->Data->EntryText = "Deepest";
  DirNode* last = node;
  flat.AddChild(path + kPathDelimiter + "leaf", last);

  CompactChecks(flat.RootDir);
  EXPECT_FALSE(last->Children[0]->Checked);
  EXPECT_TRUE(last->Checked);
  EXPECT_TRUE(flat.RootDir->Checked);  // kept by the chain of checked children
  CompactChecks(nullptr);
}

}  // namespace
}  // namespace cartulon
