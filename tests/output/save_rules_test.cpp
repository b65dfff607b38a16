// The save-time list rules, step by step and as a whole, and the board
// detection from the master file's condition table.
#include "output/save_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "support/list_lines.h"
#include "support/temp_disc.h"

namespace cartulon {
namespace {

using Lines = std::vector<std::string>;

using test_support::Entry;
using test_support::Folder;

const std::string kContactLine = "-Contact" + std::string(17, ' ') + "ZOLTEK COMPUTER INC.";

Lines Filler(int count, const std::string& prefix = "filler") {
  Lines lines;
  for (int i = 0; i < count; ++i) lines.push_back(Entry("  -" + prefix + std::to_string(i), prefix + " " + std::to_string(i)));
  return lines;
}

// ---------------------------------------------------------------------------
// Literal versions of the rules that the library does in one pass, written
// the way the rules read (deletions one at a time). Only used to check that
// the fast versions give identical lists.

std::size_t RefPos(const std::string& s, const std::string& needle) {
  const auto at = s.find(needle);
  return at == std::string::npos ? 0 : at + 1;
}
std::string RefFrom(const std::string& s, std::size_t column) {
  return column - 1 < s.size() ? s.substr(column - 1, 500) : std::string();
}
std::string RefUpper(std::string s) {
  for (char& c : s) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
  return s;
}
std::string RefTrim(const std::string& s) {
  std::size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= 32) ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32) --e;
  return s.substr(b, e - b);
}
std::string RefTrimRight(std::string s) {
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= 32) s.pop_back();
  return s;
}
bool RefHas(const std::string& s, const std::string& needle) { return s.find(needle) != std::string::npos; }

// Deletes each recorded original position once.
void RefDeletePositions(Lines& lines, std::vector<int> positions) {
  std::sort(positions.begin(), positions.end());
  positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
  for (auto it = positions.rbegin(); it != positions.rend(); ++it) lines.erase(lines.begin() + *it);
}

void RefManualSection(Lines& lines) {
  int m = 0, s = 0;
  for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
    if (RefUpper(RefTrimRight(lines[i])) == "-MANUAL") m = i;
    if (RefUpper(RefTrimRight(lines[i])) == "-SOFTWARE") s = i;
  }
  if (m == 0) m = s;
  std::vector<int> marked;
  for (int i = m + 3; i < s; ++i) {
    const std::string a = RefTrim(lines[i]), b = RefTrim(lines[i + 1]);
    if (!a.empty() && a.size() <= 25 && b.size() > 25) {
      lines[i] += RefFrom(lines[i + 1], 26);
      marked.push_back(i + 1);
    }
  }
  for (int i = m; i < s; ++i) {
    const std::size_t p = RefPos(lines[i], " for ");
    if (p != 0) lines[i] = RefTrimRight(lines[i].substr(0, p - 1)) + ".";
  }
  RefDeletePositions(lines, marked);
}

bool RefAppSetup(Lines& lines) {
  int k = -1;
  for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
    if (RefHas(RefUpper(lines[i]), "-APPSETUP")) {
      k = i;
      break;
    }
  }
  const std::size_t above = k >= 1 ? lines[k - 1].size() : 0;
  const int n = static_cast<int>(lines.size());
  if (above > 100) {
    std::vector<int> table;
    for (int i = 0; i < n; ++i) {
      if (!RefHas(RefUpper(lines[i]), "-APPSETUP")) continue;
      table.push_back(i);
      std::string d = RefFrom(lines[i], 26);
      const std::size_t q = RefPos(d, "for Windows");
      if (q != 0) {
        const std::size_t p = RefPos(lines[i - 1], "for Windows");
        d = d.substr(0, q - 1) + (p ? RefFrom(lines[i - 1], p) : std::string());
      }
      const std::size_t r = RefPos(lines[i - 1], "- Zolt Trivane II");
      if (r != 0) lines[i - 1] = lines[i - 1].substr(0, r - 1) + d;
    }
    RefDeletePositions(lines, table);
    return false;
  }
  int c = 0;
  for (int i = 2; i < n; ++i) {
    if (RefHas(RefUpper(lines[i]), "-APPSETUP")) {
      ++c;
      lines[i - 1] += RefFrom(lines[i], 26);
    }
  }
  for (int round = 0; round < c + 1; ++round) {
    for (std::size_t i = 2; i < lines.size(); ++i) {
      if (RefHas(RefUpper(lines[i]), "-APPSETUP")) {
        lines.erase(lines.begin() + static_cast<long>(i));
        break;
      }
    }
  }
  std::size_t a = 0;
  std::string t;
  for (std::size_t i = 2; i < lines.size(); ++i) {
    if (RefHas(lines[i], "- Zolt Trivane II")) {
      a = i;
      const std::size_t p = RefPos(lines[i], "for Windows");
      if (p) t = RefFrom(lines[i], p);
      break;
    }
  }
  for (int j = 1; j <= c && a + j < lines.size(); ++j) {
    std::string& line = lines[a + j];
    const std::size_t p = RefPos(line, "for Windows");
    const std::string cur = p ? RefFrom(line, p) : std::string();
    if (cur != t) {
      if (p) line.erase(p - 1, cur.size());
      line += t;
    }
  }
  return true;
}

void RefRepeated(Lines& lines) {
  const int n = static_cast<int>(lines.size());
  std::vector<int> recorded;
  for (int t = 0; t < n - 1; ++t) {
    if (lines[t] == kContactLine) break;
    if (lines[t].size() <= 25) continue;
    for (int v = t + 1; v < n; ++v) {
      if (lines[v].size() > 25 && RefFrom(lines[v], 25) == RefFrom(lines[t], 25)) recorded.push_back(v);
    }
  }
  RefDeletePositions(lines, recorded);
}

void RefJoinVendor(Lines& lines) {
  const int n = static_cast<int>(lines.size());
  for (int b = 1; b < n - 60 && b < static_cast<int>(lines.size()); ++b) {
    if (!RefHas(lines[b], "- Adobe Reader") && !RefHas(lines[b], "- RealPlayer V")) continue;
    const std::string up = RefUpper(lines[b - 1]);
    if (lines[b - 1].size() <= 25 && (RefHas(up, "ADOBE") || RefHas(up, "PLAYER") || RefHas(up, "REALPLA"))) {
      lines[b - 1] += RefTrimRight(RefFrom(lines[b], 26));
      lines.erase(lines.begin() + b);
    }
  }
}

// Random lists built from the pieces the rules react to, plus odd bytes.
Lines RandomList(std::mt19937& rng, int maxLines) {
  static const std::vector<std::string> pieces = {
      "", "   ", "\t", Folder("  -Adobe"), "- Adobe Reader", Folder("  -RealPlayer"),
      Entry("    -Reader", "Adobe Reader V9.0 for Windows 7.   "),
      Entry("    -RP", "RealPlayer V11 for Windows XP."), Folder("-Manual"), Folder("-SOFTWARE"),
      Folder("  -Guide"), Entry("    -EN", "User Guide for the board"),
      Entry("    -AppSetup", "Zolt Trivane II Setup for Windows 8."), Entry("    -APPSETUP", "Extra"),
      Entry("  -Pack", "Pack -AppSetup notes"),
      Entry("  -Trivane", "Zolt Trivane II V2 for Windows 7 32bit."), Entry("  -Trivane", "Zolt Trivane II V2"),
      Entry("  -Long", std::string(90, 'x') + " for Windows 7."), Entry("  -A", "Same Tool V1 for Windows 7."),
      Entry("    -B", "Same Tool V1 for Windows 7."), kContactLine, std::string(25, ' ') + "Tel: 1",
      Entry("-ABCDEFGHIJKLMNOPQRSTUVWXY", "Same Tool V1 for Windows 7.")};
  Lines lines;
  const int count = std::uniform_int_distribution<int>(0, maxLines)(rng);
  for (int i = 0; i < count; ++i) {
    if (rng() % 8 == 0) {
      std::string odd(rng() % 40, ' ');
      for (char& c : odd) c = static_cast<char>(rng() % 256);
      lines.push_back(odd);
    } else {
      lines.push_back(pieces[rng() % pieces.size()]);
    }
  }
  return lines;
}

// ---------------------------------------------------------------------------

TEST(SaveRuleNumbers, NotAnIntegerMessage) {
  EXPECT_EQ(NotAnIntegerMessage("abc"), "'abc' is not a valid integer value");
  EXPECT_EQ(NotAnIntegerMessage(""), "'' is not a valid integer value");
}

class SeriesBoardTest : public ::testing::Test {
 protected:
  // The master file in the disc's Bin folder.
  MasterFileLocations WithMaster(const std::string& text) {
    dir.WriteFile("disc/Bin/Zscdinst.ini", text);
    MasterFileLocations masters;
    masters.programFolder = dir.MakeFolder("program");
    masters.cdMasterPath = dir.Path("disc/Bin/Zscdinst.ini");
    return masters;
  }
  TempDir dir;
};

TEST_F(SeriesBoardTest, ConditionTableDecides) {
  struct Case {
    const char* table;
    bool series;
  };
  const Case cases[] = {
      {"Number=2\nCond(0)=OS_VER=WIN7\nCond(1)=MB_NAME=Y5_Z77\n", true},
      {"Number=1\ncond(0)=mb_name=y5-h75\n", true},          // upper-case form compared
      {"Number=1\nCond(0)=MB_NAME=X5_Z77\n", false},         // no Y5
      {"Number=1\nCond(0)=MB_NAME=Y5_Z68\n", false},         // neither 77 nor 75
      {"Number=1\nCond(0)=BOARD=Y5_Z77\n", false},           // no MB_NAME
      {"Number=1\nCond(1)=MB_NAME=Y5_Z77\n", false},         // index beyond Number
      {"Number=0\nCond(0)=MB_NAME=Y5_Z77\n", false},
      {"Number=-3\nCond(0)=MB_NAME=Y5_Z77\n", false},
      {"Number=10\nCond(5)=MB_NAME=Y5_Z75\n", true},         // sparse keys still found
      {"Number=10\nCond(05)=MB_NAME=Y5_Z75\n", false},       // not a name the test looks up
      {"Number=2\nCond(1)=MB_NAME=Y5_Z77\nCond(1)=OTHER\n", true},  // first duplicate wins
      {"Number=2\nCond(1)=OTHER\nCond(1)=MB_NAME=Y5_Z77\n", false},
      {"Number=$2\nCond(1)=MB_NAME=Y5_Z77\n", true},
  };
  for (const Case& c : cases) {
    const MasterFileLocations masters = WithMaster(std::string("[ConditionTable]\n") + c.table);
    bool series = !c.series;
    std::string error;
    EXPECT_TRUE(DetectSeriesBoard(masters, &series, &error)) << c.table;
    EXPECT_EQ(series, c.series) << c.table;
    EXPECT_TRUE(error.empty());
  }
}

TEST_F(SeriesBoardTest, NumberThatIsNotAnIntegerStopsTheSave) {
  const struct {
    const char* file;
    const char* message;
  } cases[] = {
      {"[ConditionTable]\nCond(0)=MB_NAME=Y5_Z77\n", "'' is not a valid integer value"},
      {"[ConditionTable]\nNumber=\n", "'' is not a valid integer value"},
      {"[ConditionTable]\nNumber=two\n", "'two' is not a valid integer value"},
      {"[Other]\nNumber=1\n", "'' is not a valid integer value"},
  };
  for (const auto& c : cases) {
    const MasterFileLocations masters = WithMaster(c.file);
    bool series = true;
    std::string error;
    EXPECT_FALSE(DetectSeriesBoard(masters, &series, &error));
    EXPECT_EQ(error, c.message);
    EXPECT_TRUE(series) << "result left as it was";

    Lines lines = {"Title", Entry("  -Pair", "Zolt PairWell V1 for Windows 7 32bit."), "end"};
    const Lines before = lines;
    SaveRuleFlags flags;
    flags.SeriesBoard = true;
    error.clear();
    EXPECT_FALSE(RewriteListForSave(lines, flags, masters, &error));
    EXPECT_EQ(error, c.message);
    EXPECT_EQ(lines, before);
    EXPECT_TRUE(flags.SeriesBoard);
  }
}

TEST_F(SeriesBoardTest, MissingMasterAndLocations) {
  MasterFileLocations none;
  none.programFolder = dir.MakeFolder("empty");
  none.cdMasterPath = dir.Path("nodisc/Bin/Zscdinst.ini");
  bool series = true;
  std::string error;
  EXPECT_TRUE(DetectSeriesBoard(none, &series, &error));
  EXPECT_FALSE(series);
  EXPECT_TRUE(error.empty());

  // The file beside the program comes before the disc's Bin folder.
  MasterFileLocations masters = WithMaster("[ConditionTable]\nNumber=1\nCond(0)=MB_NAME=Y5_Z77\n");
  dir.WriteFile("program/Zscdinst.ini", "[ConditionTable]\nNumber=1\nCond(0)=MB_NAME=X9\n");
  EXPECT_TRUE(DetectSeriesBoard(masters, &series, &error));
  EXPECT_FALSE(series);
}

// How long such a table takes is measured by bench/save_rules_bench.
TEST_F(SeriesBoardTest, HugeCountReachesItsLastCondition) {
  const MasterFileLocations masters =
      WithMaster("[ConditionTable]\nNumber=2000000000\nCond(0)=OS\nCond(1999999999)=MB_NAME=Y5 77\n");
  bool series = false;
  std::string error;
  EXPECT_TRUE(DetectSeriesBoard(masters, &series, &error));
  EXPECT_TRUE(series);
}

TEST_F(SeriesBoardTest, RewriteSetsTheFlagAndApplies) {
  const MasterFileLocations masters = WithMaster("[ConditionTable]\nNumber=1\nCond(0)=MB_NAME=Y5_Z77\n");
  Lines lines = {"Title", Entry("  -Pair", "Zolt PairWell V1 for Windows 7 32bit."), "end"};
  SaveRuleFlags flags;
  std::string error;
  ASSERT_TRUE(RewriteListForSave(lines, flags, masters, &error));
  EXPECT_TRUE(flags.SeriesBoard);
  EXPECT_EQ(lines[1], Entry("  -Pair", "Zolt PairWell V1 for Windows ") + kOsTextW2);

  // The detection is redone at every save.
  const MasterFileLocations plain = WithMaster("[ConditionTable]\nNumber=1\nCond(0)=MB_NAME=X1\n");
  lines = {"Title", Entry("  -Pair", "Zolt PairWell V1 for Windows 7 32bit."), "end"};
  ASSERT_TRUE(RewriteListForSave(lines, flags, plain, &error));
  EXPECT_FALSE(flags.SeriesBoard);
  EXPECT_EQ(lines[1], Entry("  -Pair", "Zolt PairWell V1 for Windows ") + kOsTextV2);
}

// --- steps 1 and 2 -----------------------------------------------------------

TEST(BlankPairRule, RemovesTheTwoBlankLinesAfterTheFirstDriverLine) {
  const std::string realtek = Entry("    -Audio", "Realtek Audio Driver V6.0 for Windows 7.");
  Lines lines = {"Title", realtek, "", " \t", realtek, "", "", "a", "b", "c", "d"};
  RemoveBlankPairAfter(lines, "REALTEK AUDIO DRIVER");
  EXPECT_EQ(lines, (Lines{"Title", realtek, realtek, "", "", "a", "b", "c", "d"}));

  // Only one blank line: nothing there; the search goes on.
  lines = {"Title", realtek, "", "x", realtek, "", "\r", "a", "b", "c", "d", "e"};
  RemoveBlankPairAfter(lines, "REALTEK AUDIO DRIVER");
  EXPECT_EQ(lines, (Lines{"Title", realtek, "", "x", realtek, "a", "b", "c", "d", "e"}));

  // The line must be followed by at least five lines.
  lines = {realtek, "", "", "a", "b"};
  RemoveBlankPairAfter(lines, "REALTEK AUDIO DRIVER");
  EXPECT_EQ(lines.size(), 5u);
  lines = {realtek, "", "", "a", "b", "c"};
  RemoveBlankPairAfter(lines, "REALTEK AUDIO DRIVER");
  EXPECT_EQ(lines, (Lines{realtek, "a", "b", "c"}));
  lines = {"t", realtek, "", "", "a", "b"};
  RemoveBlankPairAfter(lines, "REALTEK AUDIO DRIVER");
  EXPECT_EQ(lines.size(), 6u);
}

TEST(BlankPairRule, BothDriverGroupsThroughTheWholeRewrite) {
  const std::string chipset = Entry("    -Chipset", "intel chipset driver V9 for Windows 7.");
  const std::string audio = Entry("    -Audio", "REALTEK audio DRIVER V6 for Windows 7.");
  Lines lines = {"Title", chipset, "", "", audio, "", "", "a", "b", "c", "d", "e"};
  SaveRuleFlags flags;
  ApplySaveRules(lines, flags);
  EXPECT_EQ(lines, (Lines{"Title", chipset, audio, "a", "b", "c", "d", "e"}));
}

// --- step 3 -------------------------------------------------------------------

TEST(ManualSectionRule, JoinsSplitEntriesAndShortens) {
  Lines lines = {
      "Title",
      Folder("-Manual"),
      Folder("  -Quick"),                                  // M + 1: not joined
      Entry("    -EN", "Quick Guide for the board"),       // M + 2
      Folder("  -Guide"),                                  // M + 3: joined
      Entry("    -EN", "User Guide for Z77 board"),
      Folder("-Software"),
      Entry("  -Tool", "Tool V1 for Windows 7."),
  };
  RewriteManualSection(lines);
  EXPECT_EQ(lines, (Lines{
                       "Title",
                       Folder("-Manual"),
                       Folder("  -Quick"),
                       Entry("    -EN", "Quick Guide."),
                       Folder("  -Guide") + "- User Guide.",
                       Folder("-Software"),
                       Entry("  -Tool", "Tool V1 for Windows 7."),
                   }));
}

TEST(ManualSectionRule, FolderLineTakesTheDescriptionOfTheDeeperLine) {
  // Two blanks, -Guide and padding to 25, then a deeper line whose text from
  // column 26 is "- User Guide for some board".
  Lines lines = {"Title", Folder("-MANUAL"), "", "", Folder("  -Guide"),
                 Folder("    -English") + "- User Guide for some board", Folder("-SOFTWARE"), "x"};
  RewriteManualSection(lines);
  EXPECT_EQ(lines, (Lines{"Title", Folder("-MANUAL"), "", "", Folder("  -Guide") + "- User Guide.",
                          Folder("-SOFTWARE"), "x"}));
}

TEST(ManualSectionRule, ListWithoutManualStartsAtSoftware) {
  const Lines original = {"Title", Entry("-Drivers", "Drivers for the board"), Folder("  -Short"),
                          Entry("    -Long", "Long text for Windows 7"), Folder("-Software"),
                          Folder("  -Tool"), Entry("    -Sub", "Tool for Windows 7")};
  Lines lines = original;
  RewriteManualSection(lines);
  EXPECT_EQ(lines, original);
}

TEST(ManualSectionRule, LastMarkersAndPairConditions) {
  Lines lines = {
      Folder("-Manual"),                                    // an earlier marker: the last one counts
      Entry("  -X", "Kept for now"),
      Folder("-MANUAL  "),                                  // M = 2
      "", "",
      Folder("  -A"), Folder("   -B"),                      // b not longer than 25: no join
      "                         ", Entry("    -C", "blank line above is empty after trimming"),
      Folder("  -D"), Entry("    -E", "one"), Folder("  -F"), Entry("    -G", "two"),  // both join
      Folder("-Software"),
  };
  RewriteManualSection(lines);
  EXPECT_EQ(lines, (Lines{
                       Folder("-Manual"), Entry("  -X", "Kept for now"), Folder("-MANUAL  "), "", "",
                       Folder("  -A"), Folder("   -B"), "                         ",
                       Entry("    -C", "blank line above is empty after trimming"),
                       Folder("  -D") + "- one", Folder("  -F") + "- two", Folder("-Software")}));
}

// --- step 4 -------------------------------------------------------------------

TEST(MakeDiskRule, FirstMakeDiskLineOnly) {
  Lines lines = {
      "Title",
      Entry("  -Tools", "Disk Tool V1 for Windows XP."),           // " FOR " but no keyword
      Entry("  -MakeDisk", "MakeDisk Utility V1.0 for Windows XP."),
      Entry("  -Other", "Make Disk V2 for Windows 7."),
      "end",
  };
  RewriteMakeDiskLine(lines);
  EXPECT_EQ(lines[1], Entry("  -Tools", "Disk Tool V1 for Windows XP."));
  EXPECT_EQ(lines[2], Folder("  -MakeDisk") + "- Make MakeDisk Utility V1.0.");
  EXPECT_EQ(lines[3], Entry("  -Other", "Make Disk V2 for Windows 7."));

  lines = {Entry("  -Raid", "RAID Driver x86_x64_xp FOR Windows"), "end"};
  RewriteMakeDiskLine(lines);
  EXPECT_EQ(lines[0], Folder("  -Raid") + "- Make RAID Driver x86_x64_xp.");

  // The last line is not looked at; a keyword without " FOR " does nothing.
  lines = {Entry("  -Disk", "make_disk tool"), Entry("  -MakeDisk", "MakeDisk Utility for Windows XP.")};
  const Lines before = lines;
  RewriteMakeDiskLine(lines);
  EXPECT_EQ(lines, before);
}

// --- step 5 -------------------------------------------------------------------

TEST(DiagnosticsRule, TakesTheTailOfTheSuiteLineAbove) {
  Lines lines = {
      "Title",
      Entry("  -Suite", "Zolt Trivane II V2.0 for Windows 7 32bit & Win7 64bit."),
      Entry("  -Adobe", "Adobe Reader V9 for Windows XP."),  // tail already taken
      Entry("  -Health", "PC HealthCheck Platform V1.0 for Windows XP."),
      "end",
  };
  CopyDiagnosticsOsTail(lines);
  // "FOR" is looked for anywhere, also inside a word ("PlatFORm").
  EXPECT_EQ(lines[3], Entry("  -Health", "PC HealthCheck Plat") + "for Windows 7 32bit & Win7 64bit.");

  lines = {Entry("  -Suite", "zolt trivane iii v3 FOR WINDOWS 8 32bit."),
           Entry("  -Health", "PC HealthCheck V1.0 for Windows XP."),
           Entry("  -Health2", "PC HealthCheck V1.0 for Windows XP."), "end"};
  CopyDiagnosticsOsTail(lines);
  EXPECT_EQ(lines[1], Entry("  -Health", "PC HealthCheck V1.0 ") + "FOR WINDOWS 8 32bit.");
  EXPECT_EQ(lines[2], Entry("  -Health2", "PC HealthCheck V1.0 for Windows XP."));  // step ended
}

TEST(DiagnosticsRule, NothingWithoutAnEarlierSuiteLine) {
  Lines lines = {
      Entry("  -Health", "PC HealthCheck V1.0 for Windows XP."),
      Entry("  -Suite", "Zolt Trivane II V2.0 for Windows 7."),
      Entry("  -Suite2", "Zolt Trivane II V2.0 without a tail"),
      "end",
  };
  const Lines before = lines;
  CopyDiagnosticsOsTail(lines);
  EXPECT_EQ(lines, before);

  // A suite line without "FOR WINDOWS" gives no tail; the Adobe line after it does.
  lines = {Entry("  -Suite", "Zolt Trivane II V2"), Entry("  -Adobe", "Adobe Flash for Windows 7."),
           Entry("  -Health", "PC HealthCheck for Windows XP."), "end"};
  CopyDiagnosticsOsTail(lines);
  EXPECT_EQ(lines[2], Entry("  -Health", "PC HealthCheck ") + "for Windows 7.");
}

// --- step 6 -------------------------------------------------------------------

TEST(AppSetupRule, LongLineAboveMovesDescriptionIntoTrivaneLine) {
  const std::string suite =
      Entry("  -Trivane", "Zolt Trivane II V2.0.1 Utility Suite for the whole board for Windows 7 32bit & Win7 64bit.");
  ASSERT_GT(suite.size(), 100u);
  Lines lines = {
      "Title", suite, Entry("    -AppSetup", "Zolt Trivane II AppSetup V2.1 for Windows 8 32bit."),
      Entry("  -Update", "Zolt Update V2.1 for Windows 7."),
      Entry("  -Plain", "Plain Tool"), Entry("    -appsetup", "Plain Setup for Windows 8"),
  };
  EXPECT_FALSE(MergeAppSetupLines(lines));
  EXPECT_EQ(lines, (Lines{
                       "Title",
                       Folder("  -Trivane") + "- Zolt Trivane II AppSetup V2.1 for Windows 7 32bit & Win7 64bit.",
                       Entry("  -Update", "Zolt Update V2.1 for Windows 7."),
                       Entry("  -Plain", "Plain Tool"),
                   }));

  // Through the whole rewrite: step 7 does not run after this variant.
  lines = {"Title", suite, Entry("    -AppSetup", "Setup"), Entry("  -Update", "Zolt Update V2.1 for Windows 7."), "end"};
  SaveRuleFlags flags;
  ApplySaveRules(lines, flags);
  EXPECT_EQ(lines[2], Entry("  -Update", "Zolt Update V2.1 for Windows 7."));
  EXPECT_EQ(lines[1], Folder("  -Trivane") + "- Setup");
}

TEST(AppSetupRule, ShortLineAboveAppendsAndAlignsTails) {
  Lines lines = {
      "Title",
      Folder("-Software"),
      Folder("  -Trivane"),
      Entry("    -AppSetup", "Zolt Trivane II V2.0 for Windows 7 32bit."),
      Folder("  -Extra"),
      Entry("    -AppSetup", "Extra Pack"),
      Entry("  -Other", "Other V1 for Windows XP."),
      Folder("  -Plain"),
  };
  EXPECT_TRUE(MergeAppSetupLines(lines));
  EXPECT_EQ(lines, (Lines{
                       "Title",
                       Folder("-Software"),
                       Folder("  -Trivane") + "- Zolt Trivane II V2.0 for Windows 7 32bit.",
                       Folder("  -Extra") + "- Extra Packfor Windows 7 32bit.",
                       Entry("  -Other", "Other V1 for Windows 7 32bit."),
                       Folder("  -Plain"),
                   }));
}

TEST(AppSetupRule, ShortLineAboveCanTakeTheMarkerAlong) {
  // The appended description itself names "-AppSetup", so the line above
  // holds the marker too and is among the c + 1 lines deleted.
  Lines lines = {"Title", "x", Folder("  -Tool"), Entry("    -AppSetup", "Setup -AppSetup notes"), "end"};
  EXPECT_TRUE(MergeAppSetupLines(lines));
  EXPECT_EQ(lines, (Lines{"Title", "x", "end"}));
}

TEST(AppSetupRule, TopLinesAndMissingTrivane) {
  // A "-APPSETUP" line at the very top has no line above: the short-line
  // variant runs, which starts at position 2 and leaves lines 0 and 1.
  const std::string longLine = Entry("  -Long", std::string(120, 'x'));
  Lines lines = {Entry("-AppSetup", "Setup for Windows 7"), longLine, "x"};
  const Lines before = lines;
  EXPECT_TRUE(MergeAppSetupLines(lines));
  EXPECT_EQ(lines, before);

  lines = {"Title", Entry("-AppSetup", "Setup"), "x"};
  EXPECT_TRUE(MergeAppSetupLines(lines));
  EXPECT_EQ(lines, (Lines{"Title", Entry("-AppSetup", "Setup"), "x"}));

  // Without a Trivane line the lines below position 0 lose their tails.
  lines = {"Title", Folder("  -A"), Entry("    -AppSetup", "Setup for Windows 8."), Entry("  -B", "B for Windows XP.")};
  EXPECT_TRUE(MergeAppSetupLines(lines));
  EXPECT_EQ(lines, (Lines{"Title", Entry("  -A", "Setup "), Entry("  -B", "B for Windows XP.")}));
}

// --- step 7 -------------------------------------------------------------------

TEST(UtilityLineRule, TitleRenames) {
  Lines lines = {
      Entry("  -Update", "Zolt Update V2.1 for Windows 7."),  // line 0 is not looked at
      Entry("  -Update", "Zolt Update V2.1.3 for Windows 7."),
      Entry("  -Update3", "Zolt Update V3 for Windows 8."),
      Entry("  -Update4", "Zolt Update V4 for Windows 8."),
      Entry("  -Caps", "ZOLT UPDATE V2 lacks the exact letters"),
      Entry("  -Perf", "VEX4 Tuner V1 for Windows 7."),
      Entry("  -Perf2", "Vex4 Tuner without the exact letters"),
  };
  SaveRuleFlags flags;
  ApplyUtilityLineRules(lines, flags);
  EXPECT_EQ(lines, (Lines{
                       Entry("  -Update", "Zolt Update V2.1 for Windows 7."),
                       Entry("  -Update", "Zolt Update ( Lumo Update ) V2.1.3 for Windows 7."),
                       Entry("  -Update3", "Zolt Update ( Lumo Update ) V3 for Windows 8."),
                       Entry("  -Update4", "Zolt Update V4 for Windows 8."),
                       Entry("  -Caps", "ZOLT UPDATE V2 lacks the exact letters"),
                       Entry("  -Perf", "Performance and Power Saving Utilities Tuner V1 for Windows 7."),
                       Entry("  -Perf2", "Vex4 Tuner without the exact letters"),
                   }));
  EXPECT_TRUE(flags.VexRenameEnabled);
}

TEST(UtilityLineRule, VexFolderLineTurnsTheRenameOff) {
  Lines lines = {
      "Title",
      Entry("  -Perf", "VEX4 Tuner V1 for Windows 7."),
      Entry("  -VEX4", "VEX4 Tuner V1 for Windows 7."),  // turns it off for itself too
      Entry("  -Perf", "VEX4 Tuner V1 for Windows 7."),
  };
  SaveRuleFlags flags;
  ApplyUtilityLineRules(lines, flags);
  EXPECT_FALSE(flags.VexRenameEnabled);
  EXPECT_EQ(lines[1], Entry("  -Perf", "Performance and Power Saving Utilities Tuner V1 for Windows 7."));
  EXPECT_EQ(lines[2], Entry("  -VEX4", "VEX4 Tuner V1 for Windows 7."));
  EXPECT_EQ(lines[3], Entry("  -Perf", "VEX4 Tuner V1 for Windows 7."));
}

TEST(UtilityLineRule, FlagsFromDriverLines) {
  struct Case {
    const char* description;
    bool SaveRuleFlags::*flag;
  };
  const Case cases[] = {
      {"ASMedia USB 3.0 Driver V1 for Windows 7.", &SaveRuleFlags::AsmediaUsb3Seen},
      {"Intel USB 3.0 Driver V1 for Windows 7.", &SaveRuleFlags::IntelUsb3Seen},
      {"LAN Driver V1 for Windows win8 32bit.", &SaveRuleFlags::Win8Seen},
      {"LAN Driver V1 for Windows Win8 64bit.", &SaveRuleFlags::Win8Seen},
      {"LAN Driver V1 for Windows Win8.1 32bit.", &SaveRuleFlags::Win81Seen},
      {"LAN Driver V1 for Windows Win8.1 64bit.", &SaveRuleFlags::Win81Seen},
  };
  for (const Case& c : cases) {
    SaveRuleFlags flags;
    Lines lines = {"Title", Entry("  -Drv", c.description)};
    const Lines before = lines;
    ApplyUtilityLineRules(lines, flags);
    EXPECT_TRUE(flags.*(c.flag)) << c.description;
    EXPECT_EQ(lines, before);
    SaveRuleFlags untouched;
    lines = {Entry("  -Drv", c.description)};  // line 0 is not looked at
    ApplyUtilityLineRules(lines, untouched);
    EXPECT_FALSE(untouched.*(c.flag));
  }
}

TEST(UtilityLineRule, NetworkUtilitiesFollowTheDriversAbove) {
  const std::string marshal = Entry("  -Marshal", "Network Marshal V1.0 for Windows 7 32bit & Win7 64bit.");
  const std::string dash = Entry("  -BTDash", "BT Dash! V2 for Windows 7 32bit.");
  Lines lines = {
      "Title",
      marshal,
      Entry("  -Lan", "LAN Driver V1 for Windows Win7 32bit & Win8 32bit."),
      dash,
      Entry("  -Wifi", "Wi-Fi Foundry V3 for Windows Win8.1 64bit."),  // sets the flag itself
      Entry("  -Remote", "Remote Dash! & - Zolt Wi-Fi Dash! & NFC Remote for Windows 7."),
      Entry("  -NoTail", "Wi-Fi Dash! V1 without a tail"),
  };
  SaveRuleFlags flags;
  ApplyUtilityLineRules(lines, flags);
  EXPECT_EQ(lines[1], Entry("  -Marshal", "Network Marshal V1.0 for Windows ") + kOsTextW2);
  EXPECT_EQ(lines[3], Entry("  -BTDash", "BT Dash! V2 for Windows ") + kOsTextW4);
  EXPECT_EQ(lines[4], Entry("  -Wifi", "Wi-Fi Foundry V3 for Windows ") + kOsTextW6);
  EXPECT_EQ(lines[5], Entry("  -Remote", "Remote Dash! & - Zolt Wi-Fi Dash! & NFC Remote for Windows 7."));
  EXPECT_EQ(lines[6], Entry("  -NoTail", "Wi-Fi Dash! V1 without a tail"));
}

TEST(UtilityLineRule, PairingUtilityByBoardAndDrivers) {
  const std::string pair = Entry("  -Pair", "Zolt PairWell V1 for Windows 7 32bit.");
  const std::string prefix = Entry("  -Pair", "Zolt PairWell V1 for Windows ");
  struct Case {
    bool series, win8, win81;
    const char* os;
  };
  const Case cases[] = {
      {true, false, false, kOsTextW2},  {true, true, false, kOsTextW4},  {true, true, true, kOsTextW6},
      {false, false, false, kOsTextV2}, {false, true, false, kOsTextV4}, {false, false, true, kOsTextV6},
  };
  for (const Case& c : cases) {
    SaveRuleFlags flags;
    flags.SeriesBoard = c.series;
    flags.Win8Seen = c.win8;
    flags.Win81Seen = c.win81;
    Lines lines = {"Title", pair};
    ApplyUtilityLineRules(lines, flags);
    EXPECT_EQ(lines[1], prefix + c.os);
  }
}

TEST(OsTailReplacement, KeepsWindowsAndOneCharacter) {
  std::string line = "abc for Windows 7 32bit.";
  EXPECT_TRUE(ReplaceOsTail(line, "X."));
  EXPECT_EQ(line, "abc for Windows X.");
  line = "for Windows";
  EXPECT_TRUE(ReplaceOsTail(line, "X"));
  EXPECT_EQ(line, "for WindowsX");
  line = "for windows 7";
  EXPECT_FALSE(ReplaceOsTail(line, "X"));
  EXPECT_EQ(line, "for windows 7");
}

// --- step 8 -------------------------------------------------------------------

TEST(UsbSurgeRule, NeedsSeriesBoardOrIntelDriverAndNoAsmedia) {
  const std::string surge = Entry("  -Surge", "USB 3.0 Surge V1.0 for Windows 7 32bit.");
  const std::string updated = Entry("  -Surge", "USB 3.0 Surge V1.0 for Windows ") + kOsTextW6;
  struct Case {
    bool series, intel, asmedia;
    bool changes;
  };
  const Case cases[] = {{true, false, false, true},  {false, true, false, true}, {false, false, false, false},
                        {true, true, true, false}};
  for (const Case& c : cases) {
    SaveRuleFlags flags;
    flags.SeriesBoard = c.series;
    flags.IntelUsb3Seen = c.intel;
    flags.AsmediaUsb3Seen = c.asmedia;
    Lines lines = {surge, "x", Entry("  -Surge2", "usb 3.0 surge for Windows XP.")};
    ApplyUsbSurgeRule(lines, flags);
    EXPECT_EQ(lines[0], c.changes ? updated : surge);
    EXPECT_EQ(lines[2], c.changes ? Entry("  -Surge2", "usb 3.0 surge for Windows ") + kOsTextW6
                                  : Entry("  -Surge2", "usb 3.0 surge for Windows XP."));
  }
}

TEST(UsbSurgeRule, DriverLinesAboveSetTheFlagsInTheSameSave) {
  Lines lines = {"Title", Entry("  -Usb", "Intel USB 3.0 Driver V1 for Windows 7."),
                 Entry("  -Surge", "USB 3.0 Surge V1.0 for Windows 7 32bit."), "end"};
  SaveRuleFlags flags;
  ApplySaveRules(lines, flags);
  EXPECT_EQ(lines[2], Entry("  -Surge", "USB 3.0 Surge V1.0 for Windows ") + kOsTextW6);
}

// --- step 9 -------------------------------------------------------------------

TEST(RepeatedDescriptionRule, LaterRepeatsGo) {
  Lines lines = {
      "Title",
      Folder("  -Tools"),
      Entry("    -A", "Same Tool V1 for Windows 7."),
      Folder("  -Tools"),                                        // short lines always stay
      Entry("      -B", "Same Tool V1 for Windows 7."),          // repeat
      Entry("-ABCDEFGHIJKLMNOPQRSTUVWX", "Same Tool V1 for Windows 7."),  // column 25 differs
      Entry("    -C", "Other Tool"),
      Entry("    -A", "Same Tool V1 for Windows 7."),           // repeat again
  };
  RemoveRepeatedDescriptions(lines);
  EXPECT_EQ(lines, (Lines{"Title", Folder("  -Tools"), Entry("    -A", "Same Tool V1 for Windows 7."),
                          Folder("  -Tools"), Entry("-ABCDEFGHIJKLMNOPQRSTUVWX", "Same Tool V1 for Windows 7."),
                          Entry("    -C", "Other Tool")}));
}

TEST(RepeatedDescriptionRule, ContactBlockAtIndent25) {
  const std::string support = std::string(25, ' ') + "Technical support";
  Lines lines = {
      "Title",
      Entry("  -Tool", "Tool V1"),
      std::string(24, ' ') + " Taipei office",  // an entry line with the key of a contact line
      kContactLine,
      support,
      std::string(24, ' ') + " Taipei office",  // repeat of an earlier entry line: removed
      support,                                  // repeat inside the block only: kept
      "end",
  };
  RemoveRepeatedDescriptions(lines);
  EXPECT_EQ(lines, (Lines{"Title", Entry("  -Tool", "Tool V1"), std::string(24, ' ') + " Taipei office",
                          kContactLine, support, support, "end"}));
}

TEST(RepeatedDescriptionRule, OtherIndentDoesNotStopTheScan) {
  const std::string contact = "-Contact" + std::string(21, ' ') + "ZOLTEK COMPUTER INC.";
  const std::string support = std::string(29, ' ') + "Technical support";
  Lines lines = {"Title", contact, support, std::string(29, ' ') + "Phone", support, "end"};
  RemoveRepeatedDescriptions(lines);
  EXPECT_EQ(lines, (Lines{"Title", contact, support, std::string(29, ' ') + "Phone", "end"}));
}

TEST(RepeatedDescriptionRule, ContactLineAsLastLine) {
  // The contact line as the last line is never reached by the scan; the two
  // lines before it still pair up.
  const std::string a = Entry("  -A", "Twin");
  Lines lines = {a, a, kContactLine};
  RemoveRepeatedDescriptions(lines);
  EXPECT_EQ(lines, (Lines{a, kContactLine}));
  lines = {a};
  RemoveRepeatedDescriptions(lines);
  EXPECT_EQ(lines, (Lines{a}));
}

// --- step 10 ------------------------------------------------------------------

TEST(VendorApplicationRule, JoinsTheApplicationLineToItsFolder) {
  Lines lines = Filler(70);
  lines[4] = Folder("  -Adobe");
  lines[5] = Entry("    -Reader", "Adobe Reader V9.0 for Windows 7.   ");
  lines[7] = Folder("  -RealPlayer");
  lines[8] = Entry("    -RP", "RealPlayer V11 for Windows XP.");
  lines[11] = Entry("  -RealPlayer2", "Player");  // a folder line with a description is too long
  lines[12] = Entry("    -RP", "RealPlayer V12");
  Lines expected = lines;
  expected[4] = Folder("  -Adobe") + "- Adobe Reader V9.0 for Windows 7.";
  expected[7] = Folder("  -RealPlayer") + "- RealPlayer V11 for Windows XP.";
  expected.erase(expected.begin() + 8);
  expected.erase(expected.begin() + 5);
  JoinVendorApplicationLines(lines);
  EXPECT_EQ(lines, expected);
}

TEST(VendorApplicationRule, LineMovedUpIsNotExamined) {
  Lines lines = Filler(70);
  lines[1] = Folder("  -Adobe");
  lines[2] = "- Adobe Reader";  // joins, adding nothing: the folder line stays short
  lines[3] = "- Adobe Reader";  // moves up into position 2 and is skipped
  lines[4] = "- Adobe Reader";  // joins to the skipped line
  Lines expected = lines;
  expected.erase(expected.begin() + 4);
  expected.erase(expected.begin() + 2);
  JoinVendorApplicationLines(lines);
  EXPECT_EQ(lines, expected);
}

TEST(VendorApplicationRule, LastSixtyLinesAreNotExamined) {
  for (int count : {61, 62, 70}) {
    Lines lines = Filler(count);
    const int at = count - 60;  // first position not examined
    lines[at - 1] = Folder("  -Adobe");
    lines[at] = Entry("    -Reader", "Adobe Reader V9");
    const Lines before = lines;
    JoinVendorApplicationLines(lines);
    EXPECT_EQ(lines, before) << count;
    if (count > 62) {
      lines[at - 2] = Folder("  -Adobe");
      lines[at - 1] = Entry("    -Reader", "Adobe Reader V9");
      JoinVendorApplicationLines(lines);
      EXPECT_EQ(lines.size(), static_cast<std::size_t>(count - 1));
      EXPECT_EQ(lines[at - 2], Folder("  -Adobe") + "- Adobe Reader V9");
    }
  }
}

// --- the fast rules against their literal versions --------------------------

TEST(SaveRulesAgainstLiteralVersions, RandomLists) {
  std::mt19937 rng(20240611);
  for (int round = 0; round < 3000; ++round) {
    const Lines original = RandomList(rng, round % 3 == 0 ? 200 : 40);
    {
      Lines fast = original, literal = original;
      RewriteManualSection(fast);
      RefManualSection(literal);
      ASSERT_EQ(fast, literal) << "manual section, round " << round;
    }
    {
      Lines fast = original, literal = original;
      const bool fastVariant = MergeAppSetupLines(fast);
      const bool literalVariant = RefAppSetup(literal);
      ASSERT_EQ(fastVariant, literalVariant) << "round " << round;
      ASSERT_EQ(fast, literal) << "appsetup, round " << round;
    }
    {
      Lines fast = original, literal = original;
      RemoveRepeatedDescriptions(fast);
      RefRepeated(literal);
      ASSERT_EQ(fast, literal) << "repeats, round " << round;
    }
    {
      Lines fast = original, literal = original;
      JoinVendorApplicationLines(fast);
      RefJoinVendor(literal);
      ASSERT_EQ(fast, literal) << "vendor lines, round " << round;
    }
  }
}

TEST(SaveRulesAgainstLiteralVersions, LongListsAreHandledWhole) {
  // Far more lines than the original position tables held; everything is
  // handled. That the repeat rule does not compare every pair is measured
  // by bench/save_rules_bench.
  Lines lines;
  for (int i = 0; i < 60000; ++i) lines.push_back(Entry("  -Pkg" + std::to_string(i % 30000), "Tool " + std::to_string(i % 30000)));
  SaveRuleFlags flags;
  ApplySaveRules(lines, flags);
  EXPECT_EQ(lines.size(), 30000u);
}

// --- whole rewrite ------------------------------------------------------------

TEST(SaveRulesTwoSaves, FlagsCarryOver) {
  SaveRuleFlags flags;
  Lines first = {"Title", Folder("  -VEX4"), Entry("    -Drv", "LAN Driver V1 for Windows Win8.1 64bit."), "end"};
  ApplySaveRules(first, flags);
  EXPECT_FALSE(flags.VexRenameEnabled);
  EXPECT_TRUE(flags.Win81Seen);

  // The VEX4 folder was unchecked since; the rename stays off and the
  // network utility still sees the Win8.1 driver of the first save.
  Lines second = {"Title", Entry("  -Perf", "VEX4 Tuner V1 for Windows 7."),
                  Entry("  -Marshal", "Network Marshal V1 for Windows 7."), "end"};
  ApplySaveRules(second, flags);
  EXPECT_EQ(second[1], Entry("  -Perf", "VEX4 Tuner V1 for Windows 7."));
  EXPECT_EQ(second[2], Entry("  -Marshal", "Network Marshal V1 for Windows ") + kOsTextW6);

  // Applying the rules again to rewritten lines leaves them as they are.
  const Lines once = second;
  ApplySaveRules(second, flags);
  EXPECT_EQ(second, once);
}

TEST(SaveRulesWholeList, TypicalList) {
  Lines lines = {
      "File List for the included support software for Z77 Motherboard",
      Folder("-Drivers"),
      Folder("  -Audio"),
      Entry("    -Realtek", "Realtek Audio Driver V6.0.1 for Windows 7 32bit & Win7 64bit---(WHQL)."),
      "",
      "",
      Folder("  -LAN"),
      Entry("    -Intel", "Intel LAN Driver V17 for Windows Win8 32bit & Win8 64bit---(WHQL)."),
      Folder("-Manual"),
      "",
      "",
      Folder("  -Guide"),
      Entry("    -English", "User Guide for the Z77 board"),
      Folder("-Software"),
      Entry("  -Marshal", "Network Marshal V1.0 for Windows 7 32bit."),
      Entry("  -Marshal2", "Network Marshal V1.0 for Windows 7 32bit."),
      Entry("  -Update", "Zolt Update V2.0.5 for Windows 7 32bit."),
  };
  for (const std::string& line : Filler(62, "contact")) lines.push_back(line);
  SaveRuleFlags flags;
  ApplySaveRules(lines, flags);
  const Lines head(lines.begin(), lines.begin() + 13);
  EXPECT_EQ(head, (Lines{
                      "File List for the included support software for Z77 Motherboard",
                      Folder("-Drivers"),
                      Folder("  -Audio"),
                      Entry("    -Realtek", "Realtek Audio Driver V6.0.1 for Windows 7 32bit & Win7 64bit---(WHQL)."),
                      Folder("  -LAN"),
                      Entry("    -Intel", "Intel LAN Driver V17 for Windows Win8 32bit & Win8 64bit---(WHQL)."),
                      Folder("-Manual"),
                      "",
                      "",
                      Folder("  -Guide") + "- User Guide.",
                      Folder("-Software"),
                      Entry("  -Marshal", "Network Marshal V1.0 for Windows ") + kOsTextW4,
                      Entry("  -Update", "Zolt Update ( Lumo Update ) V2.0.5 for Windows 7 32bit."),
                  }));
  EXPECT_EQ(lines.size(), 13u + 62u);
}

// --- other Indents and the line map --------------------------------------------

// A line's name part, its text after the padding, and its node (0: none).
struct Row {
  std::string name, text;
  int node;
};

// The lines as the writer lays them out at `indent`, each with its node.
PreviewMap Written(const std::vector<Row>& rows, int indent, std::vector<DirNode>& nodes) {
  PreviewMap map;
  for (const auto& [name, text, node] : rows) {
    map.AddPreviewLine(
        name.empty() && text.empty() ? "" : ListColumns::ForIndent(indent).Padded(name) + text,
        node == 0 ? nullptr : &nodes[static_cast<std::size_t>(node)]);
  }
  return map;
}

TEST(SaveRulesAtAnyIndent, ListIsTheDefaultListWithAnotherNameColumnAndKeepsItsNodes) {
  // Blank pair, make-disk line, repeat, vendor join, manual join, APPSETUP
  // appended to the short line above; the contact block long enough for the
  // vendor rule to look at the lines above it.
  std::vector<Row> rules = {{"Title", "", 1},
                            {"-Drivers", "", 2},
                            {"  -Realtek", "- Realtek Audio Driver V6.", 3},
                            {"", "", 0},
                            {"", "", 0},
                            {"  -Disk", "- RAID MakeDisk utility for Windows XP", 4},
                            {"  -Tool", "- Same Tool V1.", 5},
                            {"  -Tool2", "- Same Tool V1.", 6},
                            {"  -Adobe", "", 7},
                            {"    -Reader", "- Adobe Reader V9 for Windows 7.", 8},
                            {"-Manual", "", 9},
                            {"", "", 0},
                            {"", "", 0},
                            {"  -Guide", "", 10},
                            {"    -English", "- User Guide for the Z77 board", 11},
                            {"-Software", "", 12},
                            {"  -Suite", "- Zolt Trivane II V1 for Windows 7 32bit.", 13},
                            {"    -AppSetup", "- Setup Part for Windows 8", 14},
                            {"    -Monitor", "- Zolt Monitor V2 for Windows 7 32bit.", 15},
                            {"-Contact", "ZOLTEK COMPUTER INC.", 16},
                            {"", "Support:", 16},
                            {"", "Support:", 16}};
  for (int i = 0; i < 60; ++i) rules.push_back({"", "Contact line " + std::to_string(i), 16});
  std::vector<int> rulesNodes = {1, 2, 3, 4, 5, 7, 9, 0, 0, 10, 12, 13, 15};
  rulesNodes.resize(rulesNodes.size() + 63, 16);
  // The line above the first APPSETUP line is long: its description moves up.
  const std::vector<Row> longAbove = {
      {"Title", "", 1},
      {"  -Trivane", "- Zolt Trivane II V2.0.1 for Windows 7 " + std::string(60, 'x'), 2},
      {"    -AppSetup", "- Zolt Trivane II AppSetup V2.1 for Windows 8 32bit.", 3},
      {"", "", 0}};
  const std::pair<std::vector<Row>, std::vector<int>> cases[] = {{rules, rulesNodes},
                                                                 {longAbove, {1, 2, 0}}};
  std::vector<DirNode> nodes(17);
  for (const auto& [rows, expectedNodes] : cases) {
    SaveRuleFlags flags;
    PreviewMap reference = Written(rows, kDefaultIndent, nodes);
    ApplySaveRules(reference, flags, ListColumns{});
    std::vector<DirNode*> nodesAtDefault;
    for (int id : expectedNodes) nodesAtDefault.push_back(id == 0 ? nullptr : &nodes[id]);
    ASSERT_EQ(reference.LineNodes, nodesAtDefault);
    for (const int indent : {14, 31, 60}) {
      PreviewMap map = Written(rows, indent, nodes);
      SaveRuleFlags again;
      ApplySaveRules(map, again, ListColumns::ForIndent(indent));
      Lines expected;
      for (const std::string& line : reference.PreviewLines) {
        expected.push_back(test_support::Repadded(line, kDefaultIndent, indent));
      }
      EXPECT_EQ(map.PreviewLines, expected) << "Indent " << indent;
      EXPECT_EQ(map.LineNodes, nodesAtDefault) << "Indent " << indent;
    }
  }
}

TEST(SaveRulesWholeList, EmptyAndTinyLists) {
  const std::pair<Lines, Lines> cases[] = {
      {{}, {}},
      {{""}, {""}},
      {{"", ""}, {"", ""}},
      {{"-APPSETUP"}, {"-APPSETUP"}},
      {{"x", "-appsetup", "-AppSetup"}, {"x", "-appsetup"}},
      {{"- Adobe Reader", "- Adobe Reader"}, {"- Adobe Reader", "- Adobe Reader"}},
  };
  for (const auto& [start, expected] : cases) {
    SaveRuleFlags flags;
    Lines lines = start;
    ApplySaveRules(lines, flags);
    EXPECT_EQ(lines, expected);
  }
}

}  // namespace
}  // namespace cartulon
