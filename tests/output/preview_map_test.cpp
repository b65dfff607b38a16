#include "output/preview_map.h"

#include <gtest/gtest.h>

namespace cartulon {
namespace {

class PreviewMapTest : public ::testing::Test {
 protected:
  DirNode drivers_, audio_, lan_;
  PreviewMap map_;
};

TEST_F(PreviewMapTest, AppendingKeepsLinesAndNodesInStep) {
  map_.AddPreviewLine("-Drivers", &drivers_, -1);
  map_.AddPreviewLine("  -Audio", &audio_, -1);
  map_.AddPreviewLine("", nullptr, -1);

  EXPECT_EQ(map_.PreviewLines, (std::vector<std::string>{"-Drivers", "  -Audio", ""}));
  EXPECT_EQ(map_.LineNodes, (std::vector<DirNode*>{&drivers_, &audio_, nullptr}));
}

TEST_F(PreviewMapTest, InsertingAtZeroMovesEveryEntryDown) {
  map_.AddPreviewLine("second", &audio_);
  map_.AddPreviewLine("third", &lan_);
  map_.AddPreviewLine("first", &drivers_, 0);

  EXPECT_EQ(map_.PreviewLines, (std::vector<std::string>{"first", "second", "third"}));
  EXPECT_EQ(map_.LineNodes, (std::vector<DirNode*>{&drivers_, &audio_, &lan_}));
}

TEST_F(PreviewMapTest, InsertingInsideAndPastTheEndKeepsBothListsEqualInLength) {
  map_.AddPreviewLine("a", &drivers_);
  map_.AddPreviewLine("c", nullptr);
  map_.AddPreviewLine("b", &audio_, 1);
  map_.AddPreviewLine("d", &lan_, 3);   // the position just past the end
  map_.AddPreviewLine("e", &lan_, 40);  // far past the end

  EXPECT_EQ(map_.PreviewLines, (std::vector<std::string>{"a", "b", "c", "d", "e"}));
  EXPECT_EQ(map_.LineNodes, (std::vector<DirNode*>{&drivers_, &audio_, nullptr, &lan_, &lan_}));
}

TEST_F(PreviewMapTest, ClearEmptiesBothLists) {
  map_.AddPreviewLine("a", &drivers_);
  map_.AddPreviewLine("", nullptr);
  map_.Clear();
  EXPECT_TRUE(map_.PreviewLines.empty());
  EXPECT_TRUE(map_.LineNodes.empty());
}

TEST_F(PreviewMapTest, EmptyMapSelectsNoLine) {
  EXPECT_EQ(map_.SelectLineOfItem(&drivers_), -1);
  EXPECT_EQ(map_.SelectLineOfItem(nullptr), -1);
}

TEST_F(PreviewMapTest, SelectsTheFirstLineOfTheItem) {
  map_.AddPreviewLine("-Drivers", &drivers_);
  map_.AddPreviewLine("  -Audio   first record", &audio_);
  map_.AddPreviewLine("           second record", &audio_);
  map_.AddPreviewLine("", nullptr);
  map_.AddPreviewLine("", nullptr);

  EXPECT_EQ(map_.SelectLineOfItem(&drivers_), 0);
  EXPECT_EQ(map_.SelectLineOfItem(&audio_), 1);
  // No selected item matches the first blank separator line.
  EXPECT_EQ(map_.SelectLineOfItem(nullptr), 3);
}

TEST_F(PreviewMapTest, ItemWithoutLineSelectsNothing) {
  map_.AddPreviewLine("-Drivers", &drivers_);
  map_.AddPreviewLine("  -Audio", &audio_);
  // lan_ stands for an unchecked item that produced no line.
  EXPECT_EQ(map_.SelectLineOfItem(&lan_), -1);
  // Without blank lines, no selection finds no line either.
  EXPECT_EQ(map_.SelectLineOfItem(nullptr), -1);
}

}  // namespace
}  // namespace cartulon
