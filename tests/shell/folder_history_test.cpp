// The remembered folders' move-to-front rule and the disc root the
// selection dialog proposes.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "platform/paths.h"
#include "shell/folder_history.h"
#include "support/temp_disc.h"

namespace cartulon {
namespace {

std::array<std::string, 5> Five(std::string a, std::string b, std::string c, std::string d,
                                std::string e) {
  return {std::move(a), std::move(b), std::move(c), std::move(d), std::move(e)};
}

FolderHistory Loaded(const std::array<std::string, 5>& values) {
  FolderHistory history;
  history.Load(values);
  return history;
}

TEST(FolderHistory, ExamplesOfTheMoveToFront) {
  {
    FolderHistory h = Loaded(Five("A", "B", "C", "", ""));
    EXPECT_EQ(h.HistoryCount, 3);
    h.UpdateHistory("B");
    EXPECT_EQ(h.Stored(), Five("B", "A", "C", "", ""));
  }
  {
    FolderHistory h = Loaded(Five("A", "B", "C", "", ""));
    h.UpdateHistory("D");
    EXPECT_EQ(h.Stored(), Five("D", "A", "B", "C", ""));
  }
  {
    FolderHistory h = Loaded(Five("A", "B", "C", "D", "E"));
    EXPECT_EQ(h.HistoryCount, 5);
    h.UpdateHistory("F");
    EXPECT_EQ(h.Stored(), Five("F", "A", "B", "C", "D"));
    EXPECT_EQ(h.History[5], "E");  // the entry that dropped off
  }
  {
    FolderHistory h = Loaded(Five("A", "B", "C", "D", "E"));
    h.UpdateHistory("E");
    EXPECT_EQ(h.Stored(), Five("E", "A", "B", "C", "D"));
  }
}

TEST(FolderHistory, SameFolderAsLastTimeAndCaseSensitiveEntries) {
  FolderHistory h = Loaded(Five("/d/x/", "/d/y/", "", "", ""));
  h.UpdateHistory("/d/x/");
  EXPECT_EQ(h.Stored(), Five("/d/x/", "/d/y/", "", "", ""));
  // Stored as typed: another spelling is another entry.
  h.UpdateHistory("/D/x/");
  EXPECT_EQ(h.Stored(), Five("/D/x/", "/d/x/", "/d/y/", "", ""));
  h.UpdateHistory("/d/x");
  EXPECT_EQ(h.Stored(), Five("/d/x", "/D/x/", "/d/x/", "/d/y/", ""));
}

TEST(FolderHistory, EmptyPathAndFirstRun) {
  FolderHistory first = Loaded(Five("", "", "", "", ""));
  EXPECT_EQ(first.HistoryCount, 0);
  first.UpdateHistory("/media/disc/");
  EXPECT_EQ(first.Stored(), Five("/media/disc/", "", "", "", ""));

  FolderHistory h = Loaded(Five("A", "B", "C", "", ""));
  h.UpdateHistory("");
  EXPECT_EQ(h.Stored(), Five("", "A", "B", "C", ""));
  // A gap in the stored values counts only the non-empty ones.
  FolderHistory gap = Loaded(Five("A", "", "C", "", ""));
  EXPECT_EQ(gap.HistoryCount, 2);
  gap.UpdateHistory("C");
  EXPECT_EQ(gap.Stored(), Five("C", "A", "", "", ""));
}

// The dialog's first proposal, for a program on a disc and for an
// installed one, on folders built in a scratch folder.
class DefaultDiscRootTest : public ::testing::Test {
 protected:
  const std::array<std::string, 5> kNone = Five("", "", "", "", "");
  const std::string kSep = std::string(1, kPathDelimiter);
  TempDir dir_;
};

TEST_F(DefaultDiscRootTest, ProgramInTheDiscsBinFolderProposesTheDiscRoot) {
  const std::string bin = dir_.MakeFolder("SupportCD/Bin");
  dir_.WriteFile("SupportCD/Bin/Zscdinst.ini", "[InstAll]\r\n");
  const std::string root = dir_.Path("SupportCD") + kSep;
  // Remembered folders and the home folder do not matter on a disc.
  EXPECT_EQ(DefaultDiscRoot(bin, Five("/a/", "", "", "", ""), "/home/u"), root);
  EXPECT_EQ(DefaultDiscRoot(bin + kSep, kNone, "/home/u"), root);
}

TEST_F(DefaultDiscRootTest, TheDiscIsRecognisedWhateverTheLetterCase) {
  const std::string bin = dir_.MakeFolder("disc/BIN");
  dir_.WriteFile("disc/BIN/ZSCDINST.INI", "");
  EXPECT_EQ(DefaultDiscRoot(bin, kNone, "/home/u"), dir_.Path("disc") + kSep);

  // The parent's Bin folder counts even when the program lies beside it.
  const std::string tools = dir_.MakeFolder("other/Tools");
  dir_.WriteFile("other/bin/zscdinst.ini", "");
  EXPECT_EQ(DefaultDiscRoot(tools, kNone, "/home/u"), dir_.Path("other") + kSep);
}

TEST_F(DefaultDiscRootTest, AMasterFileBesideTheProgramMakesItsParentTheRoot) {
  const std::string program = dir_.MakeFolder("image/Setup");
  dir_.WriteFile("image/Setup/Zscdinst.ini", "");
  EXPECT_EQ(DefaultDiscRoot(program, Five("/a/", "", "", "", ""), "/home/u"),
            dir_.Path("image") + kSep);
}

TEST_F(DefaultDiscRootTest, InstalledProgramProposesTheFirstRememberedFolder) {
  const std::string bin = dir_.MakeFolder("usr/bin");
  dir_.MakeFolder("usr/lib");
  // Stored as typed, delimiter or not; empty slots are passed over.
  EXPECT_EQ(DefaultDiscRoot(bin, Five("", "/media/disc", "/b/", "", ""), "/home/u"),
            "/media/disc");
  EXPECT_EQ(DefaultDiscRoot(bin, Five("/a/", "/b/", "", "", ""), "/home/u"), "/a/");
}

TEST_F(DefaultDiscRootTest, InstalledProgramWithoutHistoryProposesTheHomeFolder) {
  const std::string bin = dir_.MakeFolder("usr/bin");
  EXPECT_EQ(DefaultDiscRoot(bin, kNone, "/home/u"), "/home/u" + kSep);
  EXPECT_EQ(DefaultDiscRoot(bin, kNone, "/home/u/"), "/home/u/");
  EXPECT_EQ(DefaultDiscRoot(bin, kNone, "/"), "/");
  // With no home folder known, the parent of the program's folder as before.
  EXPECT_EQ(DefaultDiscRoot(bin, kNone, ""), dir_.Path("usr") + kSep);
}

TEST_F(DefaultDiscRootTest, OnlyARegularMasterFileMarksADisc) {
  // A folder of that name is not the master file.
  const std::string bin = dir_.MakeFolder("fake/Bin");
  dir_.MakeFolder("fake/Bin/Zscdinst.ini");
  EXPECT_EQ(DefaultDiscRoot(bin, kNone, "/home/u"), "/home/u" + kSep);
  // Nor is a master file elsewhere on the disc.
  const std::string deep = dir_.MakeFolder("deep/Bin/Tools");
  dir_.WriteFile("deep/Zscdinst.ini", "");
  EXPECT_EQ(DefaultDiscRoot(deep, kNone, "/home/u"), "/home/u" + kSep);
}

}  // namespace
}  // namespace cartulon
