// The display order of folder names: the byte comparison and the exchange
// sort that decides where names that compare equal end up.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "model/dir_structure.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "support/temp_disc.h"

namespace cartulon {
namespace {

bool Before(std::string_view a, std::string_view b) { return DirStructure::NameSortsBefore(a, b); }

TEST(NameSortsBeforeTest, FoldsCapitalsToSmallLetters) {
  EXPECT_TRUE(Before("Audio", "bin"));
  EXPECT_TRUE(Before("bin", "Drivers"));
  EXPECT_TRUE(Before("Drivers", "LAN"));
  EXPECT_FALSE(Before("LAN", "Drivers"));
  // Capitals weigh as small letters, so '_' (between them) comes first.
  EXPECT_TRUE(Before("_Tools", "Audio"));
  EXPECT_TRUE(Before("_Tools", "audio"));
  EXPECT_TRUE(Before("Zulu", "{brace"));
  EXPECT_TRUE(Before("9", "A"));
}

TEST(NameSortsBeforeTest, NamesEqualIgnoringCaseAreNeitherBefore) {
  EXPECT_FALSE(Before("Drivers", "DRIVERS"));
  EXPECT_FALSE(Before("DRIVERS", "Drivers"));
  EXPECT_FALSE(Before("x", "x"));
  EXPECT_FALSE(Before("", ""));
}

TEST(NameSortsBeforeTest, HighBytesAreNegative) {
  const std::string gbk = "\xB3\xCC\xD0\xF2";
  EXPECT_TRUE(Before(gbk, "Audio"));
  EXPECT_TRUE(Before(gbk, "0"));
  EXPECT_TRUE(Before(gbk, "!"));
  EXPECT_FALSE(Before("Audio", gbk));
  EXPECT_TRUE(Before("\x80", "\xFF"));  // -128 before -1
  // Only ASCII letters fold: 0xC9 (-55) and 0xE9 (-23) stay apart.
  EXPECT_TRUE(Before("\xC9", "\xE9"));
  EXPECT_FALSE(Before("\xE9", "\xC9"));
}

TEST(NameSortsBeforeTest, TheEndOfANameWeighsAsZero) {
  EXPECT_TRUE(Before("Bin", "Bin2"));
  EXPECT_TRUE(Before("Bin", "Bin_"));
  EXPECT_FALSE(Before("Bin2", "Bin"));
  // A continuation with a high byte sorts before the shorter name.
  EXPECT_TRUE(Before("Bin\xB3\xCC", "Bin"));
  EXPECT_FALSE(Before("Bin", "Bin\xB3\xCC"));
  EXPECT_TRUE(Before("", "a"));
  EXPECT_TRUE(Before("\xA1", ""));
}

// The procedure itself, written out plainly: the order every sort must
// reproduce, ties included.
std::vector<std::string> ExchangeSorted(std::vector<std::string> names) {
  for (std::size_t i = 0; i < names.size(); ++i) {
    for (std::size_t j = i + 1; j < names.size(); ++j) {
      if (Before(names[j], names[i])) std::swap(names[i], names[j]);
    }
  }
  return names;
}

class SortChildrenTest : public ::testing::Test {
 protected:
  SortChildrenTest() : tree(disc.Path(), 0, messages) {}

  DirNode* Folder(const std::vector<std::string>& names) {
    DirNode* folder = tree.AddChild(disc.Path("F" + std::to_string(serial++)), tree.RootDir);
    for (const std::string& name : names) {
      tree.AddChild(folder->FullPath + kPathDelimiter + name, folder);
    }
    return folder;
  }
  static std::vector<std::string> Names(const DirNode* node) {
    std::vector<std::string> names;
    for (const DirNode* child : node->Children) names.push_back(child->Name);
    return names;
  }

  TempDir disc;
  RecordingMessageSink messages;
  DirStructure tree;
  int serial = 0;
};

TEST_F(SortChildrenTest, OrdersOneLevel) {
  DirNode* folder = Folder({"Drivers", "bin", "Audio", "LAN"});
  DirNode* drivers = folder->Children[0];
  for (const char* name : {"Z", "Y", "X"}) tree.AddChild(drivers->FullPath + "/" + name, drivers);

  DirStructure::SortChildren(folder);
  EXPECT_EQ(Names(folder), (std::vector<std::string>{"Audio", "bin", "Drivers", "LAN"}));
  EXPECT_EQ(Names(drivers), (std::vector<std::string>{"Z", "Y", "X"}));  // not below
  for (const DirNode* child : folder->Children) EXPECT_EQ(child->Parent, folder);
}

TEST_F(SortChildrenTest, EqualNamesEndWhereTheExchangeSortLeavesThem) {
  // A stable sort would give a, b, B: the exchange moves b behind B.
  DirNode* folder = Folder({"b", "B", "a"});
  DirStructure::SortChildren(folder);
  EXPECT_EQ(Names(folder), (std::vector<std::string>{"a", "B", "b"}));

  DirNode* kept = Folder({"Bin", "BIN", "bin"});
  DirStructure::SortChildren(kept);
  EXPECT_EQ(Names(kept), (std::vector<std::string>{"Bin", "BIN", "bin"}));
}

TEST_F(SortChildrenTest, HandlesEmptyAndSingleFolders) {
  DirNode* empty = Folder({});
  DirNode* single = Folder({"Only"});
  DirStructure::SortChildren(empty);
  DirStructure::SortChildren(single);
  DirStructure::SortChildren(nullptr);
  EXPECT_TRUE(empty->Children.empty());
  EXPECT_EQ(Names(single), std::vector<std::string>{"Only"});
}

TEST_F(SortChildrenTest, MatchesTheExchangeSortOnRandomNames) {
  std::mt19937 random(20240611);
  // A small alphabet makes case variants and shared prefixes frequent.
  const std::string alphabet = "aAbB_1\xB3\xCC";
  for (int round = 0; round < 300; ++round) {
    std::vector<std::string> names(1 + random() % 40);
    for (std::string& name : names) {
      const std::size_t length = 1 + random() % 3;
      for (std::size_t k = 0; k < length; ++k) name += alphabet[random() % alphabet.size()];
    }
    DirNode* folder = Folder(names);
    DirStructure::SortChildren(folder);
    ASSERT_EQ(Names(folder), ExchangeSorted(names)) << "round " << round;
  }
}

TEST_F(SortChildrenTest, LargeGroupsOfCaseVariantsGiveTheSameOrder) {
  // Few distinct names under the comparison, each in many letter-case
  // spellings, so that every group of equal names is large and interleaved
  // with the others.
  std::mt19937 random(424242);
  for (int round = 0; round < 4; ++round) {
    std::vector<std::string> names(1500);
    for (std::string& name : names) {
      const std::size_t length = 1 + random() % 3;
      for (std::size_t k = 0; k < length; ++k) name += "aAbB"[random() % 4];
    }
    DirNode* folder = Folder(names);
    DirStructure::SortChildren(folder);
    ASSERT_EQ(Names(folder), ExchangeSorted(names)) << "round " << round;
  }
}

TEST_F(SortChildrenTest, LargeFoldersGiveTheSameOrder) {
  std::mt19937 random(7);
  std::vector<std::string> distinct;
  std::vector<std::string> withTies;
  for (int k = 0; k < 3000; ++k) {
    std::string name = "Pkg" + std::to_string(random() % 1000000) + "_" + std::to_string(k);
    if (k % 3 == 0) name = AsciiUpper(name);
    distinct.push_back(name);
    withTies.push_back(k % 100 == 0 ? AsciiUpper(distinct[k / 2]) : name);
  }
  DirNode* a = Folder(distinct);
  DirNode* b = Folder(withTies);
  DirStructure::SortChildren(a);
  DirStructure::SortChildren(b);
  EXPECT_EQ(Names(a), ExchangeSorted(distinct));
  EXPECT_EQ(Names(b), ExchangeSorted(withTies));
}

}  // namespace
}  // namespace cartulon
