// The remembered folders' move-to-front rule and the proposed disc root.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "shell/folder_history.h"

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

TEST(DefaultDiscRoot, IsTheParentOfTheProgramFolder) {
  EXPECT_EQ(DefaultDiscRoot("/media/disc/Bin"), "/media/disc/");
  EXPECT_EQ(DefaultDiscRoot("/media/disc/Bin/"), "/media/disc/");
  EXPECT_EQ(DefaultDiscRoot("/Bin"), "/");
}

}  // namespace
}  // namespace cartulon
