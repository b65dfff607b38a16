#include "platform/ini_profile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "support/temp_disc.h"

namespace cartulon {
namespace {

using namespace std::string_literals;
using Strings = std::vector<std::string>;

// ---------------------------------------------------------------------------
// Reference vectors: tests/data/ini-vectors/expected.tsv holds the answers of
// the Windows profile functions as Wine gives them; windows.tsv overrides the
// rows where Windows is known to answer differently, and marks with '?' the
// rows where the Windows answer is unknown (those are not checked).

const std::string kVectorDir = std::string(CARTULON_TEST_DATA) + "/ini-vectors/";
constexpr std::string_view kDefault = "<def>";

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Undoes the escapes of the vector files: \\ \t \r \n \0 and \xHH. Sets `ok`
// to false on an escape it does not know.
std::string Unescape(std::string_view text, bool& ok) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (i + 1 >= text.size()) {
      ok = false;
      break;
    }
    const char c = text[++i];
    switch (c) {
      case '\\': out += '\\'; break;
      case 't': out += '\t'; break;
      case 'r': out += '\r'; break;
      case 'n': out += '\n'; break;
      case '0': out += '\0'; break;
      case 'x': {
        const int high = i + 1 < text.size() ? HexDigit(text[i + 1]) : -1;
        const int low = i + 2 < text.size() ? HexDigit(text[i + 2]) : -1;
        if (high < 0 || low < 0) {
          ok = false;
          return out;
        }
        out += static_cast<char>(high * 16 + low);
        i += 2;
        break;
      }
      default: ok = false; return out;
    }
  }
  return out;
}

struct VectorRow {
  int line = 0;  // line number in expected.tsv
  std::string file, call, section, key, expected;
  bool windowsOverride = false;
};

// Keeps test listings short: a row is named by its place in the table.
void PrintTo(const VectorRow& row, std::ostream* os) { *os << "expected.tsv line " << row.line; }

using RowKey = std::tuple<std::string, std::string, std::string, std::string>;

std::vector<std::vector<std::string>> ReadTable(const std::string& name) {
  std::ifstream in(kVectorDir + name, std::ios::binary);
  std::vector<std::vector<std::string>> rows;
  std::string line;
  bool header = true;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (header) {
      header = false;
      continue;
    }
    if (!line.empty()) rows.push_back(SplitTabs(line));
  }
  return rows;
}

struct VectorSet {
  std::vector<VectorRow> rows;    // the rows to check, Windows answers applied
  std::size_t expectedRows = 0;   // rows of expected.tsv
  std::size_t skippedRows = 0;    // rows whose Windows answer is unknown
  std::vector<std::string> unmatchedOverrides;  // windows.tsv rows with no partner
};

const VectorSet& Vectors() {
  static const VectorSet set = [] {
    VectorSet result;
    std::map<RowKey, std::string> windows;
    std::map<RowKey, bool> used;
    for (const auto& fields : ReadTable("windows.tsv")) {
      if (fields.size() < 5) continue;
      const RowKey key{fields[0], fields[1], fields[2], fields[3]};
      windows[key] = fields[4];
      used[key] = false;
    }
    int lineNo = 1;
    for (const auto& fields : ReadTable("expected.tsv")) {
      ++lineNo;
      ++result.expectedRows;
      if (fields.size() < 5) continue;
      VectorRow row;
      row.line = lineNo;
      row.file = fields[0];
      row.call = fields[1];
      row.section = fields[2];
      row.key = fields[3];
      row.expected = fields[4];
      const RowKey key{fields[0], fields[1], fields[2], fields[3]};
      if (auto it = windows.find(key); it != windows.end()) {
        used[key] = true;
        if (it->second == "?") {
          ++result.skippedRows;
          continue;
        }
        row.expected = it->second;
        row.windowsOverride = true;
      }
      result.rows.push_back(row);
    }
    for (const auto& [key, seen] : used) {
      if (!seen) {
        result.unmatchedOverrides.push_back(std::get<0>(key) + " " + std::get<1>(key) + " " +
                                            std::get<2>(key) + " " + std::get<3>(key));
      }
    }
    return result;
  }();
  return set;
}

// The list form the vectors show: every item followed by a NUL, then one
// more NUL; an empty list is a single NUL.
std::string NulJoined(const Strings& items) {
  if (items.empty()) return "\0"s;
  std::string out;
  for (const auto& item : items) {
    out += item;
    out += '\0';
  }
  return out + '\0';
}

std::string LengthSummary(const std::string& value) {
  const std::size_t part = value.size() < 4 ? value.size() : 4;
  return "len=" + std::to_string(value.size()) + ";head=" + value.substr(0, part) +
         ";tail=" + value.substr(value.size() - part);
}

class IniVectorTest : public ::testing::TestWithParam<VectorRow> {};

TEST_P(IniVectorTest, MatchesWindows) {
  const VectorRow& row = GetParam();
  SCOPED_TRACE("expected.tsv line " + std::to_string(row.line) +
               (row.windowsOverride ? " (Windows answer from windows.tsv)" : ""));
  bool ok = true;
  const std::string section = Unescape(row.section, ok);
  const std::string key = Unescape(row.key, ok);
  const std::string expected = Unescape(row.expected, ok);
  ASSERT_TRUE(ok) << "bad escape in the vector row";

  const IniFile ini = IniFile::Load(kVectorDir + row.file);
  ASSERT_EQ(ini.Exists(), row.file != "missing.ini");

  std::string actual;
  if (row.call == "get") {
    actual = ini.Get(section, key, kDefault);
  } else if (row.call == "getlen") {
    actual = LengthSummary(ini.Get(section, key, kDefault));
  } else if (row.call == "keys") {
    ASSERT_EQ(row.key, "(null)");
    actual = NulJoined(ini.KeyNames(section));
  } else if (row.call == "section") {
    actual = NulJoined(ini.SectionLines(section));
  } else if (row.call == "names") {
    actual = NulJoined(ini.SectionNames());
  } else {
    FAIL() << "unknown call " << row.call;
  }
  EXPECT_EQ(actual, expected);
}

std::string RowName(const ::testing::TestParamInfo<VectorRow>& info) {
  std::string name = "line" + std::to_string(info.param.line) + "_";
  for (char c : info.param.file + "_" + info.param.call) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) name += c;
    else if (c == '_') name += '_';
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(Vectors, IniVectorTest, ::testing::ValuesIn(Vectors().rows), RowName);

// The vector tables themselves: present, consistent with each other, and
// not mostly skipped.
TEST(IniVectorTables, AreCompleteAndConsistent) {
  const VectorSet& set = Vectors();
  EXPECT_GE(set.expectedRows, 200u);
  EXPECT_TRUE(set.unmatchedOverrides.empty())
      << "windows.tsv row without an expected.tsv row: " << set.unmatchedOverrides.front();
  EXPECT_GT(set.rows.size(), 150u);
  EXPECT_EQ(set.rows.size() + set.skippedRows, set.expectedRows);
}

// ---------------------------------------------------------------------------
// Behaviour beyond the vectors.

TEST(IniLookup, DefaultIsReturnedExactlyAsGiven) {
  const IniFile ini = IniFile::FromBytes("[S]\r\nk=v\r\n");
  EXPECT_EQ(ini.Get("S", "missing", "  padded  "), "  padded  ");
  EXPECT_EQ(ini.Get("Nope", "k", "x "), "x ");
  EXPECT_EQ(ini.Get("S", "missing"), "");
  EXPECT_EQ(ini.Get("S", "k", "unused"), "v");
}

TEST(IniLookup, ArgumentsLoseSpacesButNotTabs) {
  const IniFile ini = IniFile::FromBytes("[Main]\nkey=1\n");
  EXPECT_EQ(ini.Get("   main ", "  KEY  ", "d"), "1");
  EXPECT_EQ(ini.Get("main\t", "key", "d"), "d");
  EXPECT_EQ(ini.Get("main", "\tkey", "d"), "d");
  EXPECT_EQ(ini.KeyNames("  MAIN  "), Strings{"key"});
  EXPECT_EQ(ini.SectionLines(" Main"), Strings{"key=1"});
}

TEST(IniLookup, FirstEntryOfANameDecidesEvenWithoutValue) {
  // The bare line comes first, so the later value is not reached.
  const IniFile ini = IniFile::FromBytes("[S]\nflag\nflag=1\nother=2\nother\n");
  EXPECT_EQ(ini.Get("S", "flag", "d"), "d");
  EXPECT_EQ(ini.Get("S", "other", "d"), "2");
  EXPECT_EQ(ini.KeyNames("S"), (Strings{"flag", "other"}));
  EXPECT_EQ(ini.SectionLines("S"), (Strings{"flag", "flag=1", "other=2", "other"}));
}

TEST(IniLookup, EmptyKeyNeedsAnEqualsLineWithoutName) {
  EXPECT_EQ(IniFile::FromBytes("[S]\nk=v\n").Get("S", "", "d"), "d");
  EXPECT_EQ(IniFile::FromBytes("[S]\n  = v \nk=v\n").Get("S", "  ", "d"), "v");
}

TEST(IniLookup, CommentsAreInvisibleEverywhere) {
  const IniFile ini = IniFile::FromBytes("[S]\n;a=1\n \t;b\nc=;2\n");
  EXPECT_EQ(ini.Get("S", ";a", "d"), "d");
  EXPECT_EQ(ini.Get("S", "c", "d"), ";2");
  EXPECT_EQ(ini.KeyNames("S"), Strings{"c"});
  EXPECT_EQ(ini.SectionLines("S"), Strings{"c=;2"});
}

TEST(IniLookup, DuplicateSectionsAreListedButNeverMerged) {
  const IniFile ini = IniFile::FromBytes("[A]\nx=1\n[B]\n[a]\nx=2\ny=3\n[]\nz=4\n");
  EXPECT_EQ(ini.SectionNames(), (Strings{"A", "B", "a"}));
  EXPECT_EQ(ini.Get("a", "x"), "1");
  EXPECT_EQ(ini.Get("A", "y", "d"), "d");
  EXPECT_EQ(ini.KeyNames("A"), Strings{"x"});
  EXPECT_TRUE(ini.KeyNames("B").empty());
  EXPECT_EQ(ini.Get("", "z"), "4");
}

TEST(IniLookup, MissingSectionGivesEmptyLists) {
  const IniFile ini = IniFile::FromBytes("[S]\nk=v\n");
  EXPECT_TRUE(ini.KeyNames("T").empty());
  EXPECT_TRUE(ini.SectionLines("T").empty());
  const IniFile nothing;
  EXPECT_FALSE(nothing.Exists());
  EXPECT_EQ(nothing.Get("S", "k", "d"), "d");
  EXPECT_TRUE(nothing.SectionNames().empty());
}

// ---------------------------------------------------------------------------
// Hostile and damaged input.

// What every parse must give, whatever the input: names and values are
// single trimmed lines without NUL.
void ExpectCleanText(const std::string& text) {
  EXPECT_EQ(text.find_first_of("\r\n"s + '\0'), std::string::npos);
  if (!text.empty()) {
    EXPECT_EQ(std::string_view(" \t\v").find(text.front()), std::string_view::npos);
    EXPECT_EQ(std::string_view(" \t\v").find(text.back()), std::string_view::npos);
  }
}

void ExpectCleanParse(const IniFile& ini) {
  for (const auto& section : ini.SectionNames()) {
    ExpectCleanText(section);
    for (const auto& key : ini.KeyNames(section)) {
      ExpectCleanText(key);
      ExpectCleanText(ini.Get(section, key));
    }
    for (const auto& line : ini.SectionLines(section)) ExpectCleanText(line);
  }
}

TEST(IniHostileInput, BinaryBytesParseToCleanNames) {
  std::string bytes;
  for (int round = 0; round < 64; ++round) {
    for (int b = 0; b < 256; ++b) bytes += static_cast<char>((b * 37 + round * 11) & 0xFF);
  }
  // Some structure inside the noise, so that sections and keys exist.
  unsigned state = 12345;
  for (int i = 0; i < 20000; ++i) {
    state = state * 1103515245u + 12345u;
    const char pick[] = {'[', ']', '=', '\r', '\n', ' ', '\t', '\0', ';', 'a', 'B', '"'};
    bytes += pick[(state >> 16) % sizeof pick];
  }
  const IniFile ini = IniFile::FromBytes(bytes);
  EXPECT_TRUE(ini.Exists());
  EXPECT_FALSE(ini.SectionNames().empty());
  ExpectCleanParse(ini);
}

TEST(IniHostileInput, NulCutsNamesAndValuesButNotLines) {
  const std::string bytes =
      "[S]\nk1=ab\0cd\nk\0x=y\n\0junk=1\n\0bare\n  v = \0x\nlast=ok\n[T\0U]\nm=1\n[Z]\0tail\nz=2"s;
  const IniFile ini = IniFile::FromBytes(bytes);
  EXPECT_EQ(ini.Get("S", "k1"), "ab");
  EXPECT_EQ(ini.Get("S", "k"), "y");
  EXPECT_EQ(ini.Get("S", "v", "d"), "");
  EXPECT_EQ(ini.Get("S", "last"), "ok");
  EXPECT_EQ(ini.KeyNames("S"), (Strings{"k1", "k", "", "v", "last"}));
  EXPECT_EQ(ini.SectionLines("S"), (Strings{"k1=ab", "k=y", "=1", "v=", "last=ok"}));
  EXPECT_EQ(ini.SectionNames(), (Strings{"S", "T", "Z"}));
  EXPECT_EQ(ini.Get("T", "m"), "1");
  EXPECT_EQ(ini.Get("Z", "z"), "2");
}

TEST(IniHostileInput, VeryLongLinesAreKeptWhole) {
  const std::string name(70000, 'n');
  const std::string value = "A" + std::string(99998, 'x') + "Z";
  const IniFile ini = IniFile::FromBytes("[" + std::string(80000, 's') + "]\r\n" + name + "=" +
                                         value + "\r\nafter=ok");
  const std::string section(80000, 's');
  EXPECT_EQ(ini.SectionNames(), Strings{section});
  EXPECT_EQ(ini.Get(section, name), value);
  EXPECT_EQ(ini.Get(section, "after"), "ok");
  EXPECT_EQ(ini.KeyNames(section), (Strings{name, "after"}));

  const IniFile vector = IniFile::Load(kVectorDir + "case18.ini");
  const std::string big = vector.Get("Long", "big");
  EXPECT_EQ(big.size(), 70000u);
  EXPECT_EQ(big.front(), 'A');
  EXPECT_EQ(big.back(), 'Z');
}

TEST(IniHostileInput, FilesWithoutLineEndsOrCutShort) {
  EXPECT_EQ(IniFile::FromBytes("[S] k=v").SectionNames(), Strings{"S"});
  EXPECT_EQ(IniFile::FromBytes("[S] k=v").Get("S", "k", "d"), "d");
  EXPECT_EQ(IniFile::FromBytes("\r\r\n\n\r[S]\rk=v").Get("S", "k"), "v");
  EXPECT_EQ(IniFile::FromBytes("[Sec").SectionNames(), Strings{"Sec"});
  EXPECT_EQ(IniFile::FromBytes("[S]\nkey=va").Get("S", "key"), "va");
  EXPECT_EQ(IniFile::FromBytes("[S]\nkey").Get("S", "key", "d"), "d");
  EXPECT_EQ(IniFile::FromBytes("[S]\nkey=\"abc").Get("S", "key"), "\"abc");
  EXPECT_EQ(IniFile::FromBytes("[S]\nkey=\"").Get("S", "key"), "\"");
  EXPECT_EQ(IniFile::FromBytes("[").SectionNames(), Strings{});
  EXPECT_EQ(IniFile::FromBytes("[").Get("", "x", "d"), "d");
  EXPECT_EQ(IniFile::FromBytes("=").SectionNames(), Strings{});
  const IniFile empty = IniFile::FromBytes("");
  EXPECT_TRUE(empty.Exists());
  EXPECT_TRUE(empty.SectionNames().empty());
  EXPECT_EQ(empty.Get("S", "k", "d"), "d");
}

std::string Utf16Le(std::u16string_view text) {
  std::string out = "\xFF\xFE";
  for (char16_t unit : text) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
  }
  return out;
}

TEST(IniHostileInput, Utf16LittleEndianIsNarrowedToBytes) {
  // e-acute stays one byte; the euro sign and a surrogate pair (one code
  // point) each become one '?'; a lone trailing byte is dropped.
  const IniFile ini = IniFile::FromBytes(
      Utf16Le(u"[W]\r\nname=Caf\u00e9\u20ac\U0001F600!\r\n\u00c4=\u00ff") + "\x41");
  EXPECT_EQ(ini.Get("W", "name"), "Caf\xE9?" "?!");
  EXPECT_EQ(ini.Get("W", "\xC4"), "\xFF");
  EXPECT_EQ(ini.KeyNames("W"), (Strings{"name", "\xC4"}));

  // Lone surrogates and a NUL code unit.
  const IniFile odd = IniFile::FromBytes(Utf16Le(u"[W]\nk=a\xD800" u"b\xDC00" u"c\nn=x") +
                                         std::string("\0\0y\0"s));
  EXPECT_EQ(odd.Get("W", "k"), "a?b?c");
  EXPECT_EQ(odd.Get("W", "n"), "x");

  EXPECT_TRUE(IniFile::FromBytes("\xFF\xFE").SectionNames().empty());
  EXPECT_TRUE(IniFile::FromBytes("\xFF\xFE[").SectionNames().empty());
}

TEST(IniHostileInput, Utf8ByteOrderMarkBelongsToTheFirstLine) {
  const IniFile spoiled = IniFile::FromBytes("\xEF\xBB\xBF[First]\r\nk=v1\r\n[Second]\r\nk=v2\r\n");
  EXPECT_EQ(spoiled.Get("First", "k", "d"), "d");
  EXPECT_EQ(spoiled.Get("Second", "k"), "v2");
  EXPECT_EQ(spoiled.SectionNames(), Strings{"Second"});
  const IniFile harmless = IniFile::FromBytes("\xEF\xBB\xBF\r\n[First]\r\nk=v1\r\n");
  EXPECT_EQ(harmless.Get("First", "k"), "v1");
}

// A parser that rescans lines would need minutes for these shapes; how long
// this one takes is measured by bench/ini_profile_bench.
TEST(IniHostileInput, PathologicalShapesParse) {
  std::string manyLines = "[S]\n";
  for (int i = 0; i < 200000; ++i) manyLines += "k=v\n";
  std::string manyHeaders;
  for (int i = 0; i < 200000; ++i) manyHeaders += "[x]\r";
  const std::string openBrackets(2000000, '[');
  const std::string equalsSigns = "[S]\n" + std::string(2000000, '=');
  const std::string blanks = "[S]\n" + std::string(2000000, ' ') + "k" + std::string(2000000, '\t');
  const std::string breaks = "[S]" + std::string(2000000, '\r') + "k=v";

  const IniFile a = IniFile::FromBytes(manyLines);
  const IniFile b = IniFile::FromBytes(manyHeaders);
  const IniFile c = IniFile::FromBytes(openBrackets);
  const IniFile d = IniFile::FromBytes(equalsSigns);
  const IniFile e = IniFile::FromBytes(blanks);
  const IniFile f = IniFile::FromBytes(breaks);

  EXPECT_EQ(a.KeyNames("S").size(), 200000u);
  EXPECT_EQ(b.SectionNames().size(), 200000u);
  EXPECT_EQ(c.SectionNames(), Strings{std::string(1999999, '[')});
  EXPECT_EQ(d.Get("S", ""), std::string(1999999, '='));
  EXPECT_EQ(e.SectionLines("S"), Strings{"k"});
  EXPECT_EQ(f.Get("S", "k"), "v");
}

// ---------------------------------------------------------------------------
// Reading files.

TEST(IniLoad, ReadsAFileByteForByte) {
  TempDir dir;
  const std::string path = dir.WriteFile("pkg/Readme.ini", "[Information]\r\nTool_Name = \"Foo\" \r\n"s +
                                                               "Tool_Version=1.2\0junk\r\n"s);
  const IniFile ini = IniFile::Load(path);
  EXPECT_TRUE(ini.Exists());
  EXPECT_EQ(ini.Get("information", "TOOL_NAME"), "Foo");
  EXPECT_EQ(ini.Get("Information", "Tool_Version"), "1.2");
  EXPECT_EQ(ini.SectionLines("Information"), (Strings{"Tool_Name=\"Foo\"", "Tool_Version=1.2"}));
}

TEST(IniLoad, EmptyFileExists) {
  TempDir dir;
  const IniFile ini = IniFile::Load(dir.WriteFile("empty.ini", ""));
  EXPECT_TRUE(ini.Exists());
  EXPECT_TRUE(ini.SectionNames().empty());
}

void ExpectNoFile(const IniFile& ini) {
  EXPECT_FALSE(ini.Exists());
  EXPECT_EQ(ini.Get("S", "k", "d"), "d");
  EXPECT_TRUE(ini.KeyNames("S").empty());
  EXPECT_TRUE(ini.SectionLines("S").empty());
  EXPECT_TRUE(ini.SectionNames().empty());
}

TEST(IniLoad, MissingFileFolderAndEmptyPathGiveNoFile) {
  TempDir dir;
  {
    SCOPED_TRACE("missing file");
    ExpectNoFile(IniFile::Load(dir.Path("nothing.ini")));
  }
  {
    SCOPED_TRACE("missing folder");
    ExpectNoFile(IniFile::Load(dir.Path("no/such/folder/x.ini")));
  }
  {
    SCOPED_TRACE("folder");
    ExpectNoFile(IniFile::Load(dir.MakeFolder("Readme.ini")));
  }
  {
    SCOPED_TRACE("empty path");
    ExpectNoFile(IniFile::Load(""));
  }
}

TEST(IniLoad, UnreadableFileGivesNoFile) {
  TempDir dir;
  const std::string path = dir.WriteFile("locked.ini", "[S]\nk=v\n");
  std::filesystem::permissions(path, std::filesystem::perms::none);
  if (std::FILE* probe = std::fopen(path.c_str(), "rb")) {
    std::fclose(probe);
    GTEST_SKIP() << "permissions do not stop this user from reading";
  }
  ExpectNoFile(IniFile::Load(path));
}

}  // namespace
}  // namespace cartulon
