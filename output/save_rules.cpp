// The save-time rewrite of the entry lines.
//
// Conventions used throughout:
// - Positions inside a line count from 1, as the list format is described
//   (output/list_columns.h). A "position" of 0 means "not found".
// - "The text of a line from column c" is at most 500 bytes from c on, and
//   empty for a line shorter than c. Every substring helper below clamps its
//   range to the line, so no line (empty, short, any bytes) is read out of
//   range.
// - Upper-casing changes ASCII letters only; "blanks" when trimming are the
//   space and control bytes (platform/text.h), as the platform's trimming
//   treats them.
// - The lines a rule marks or records are kept in growable vectors and sets,
//   not in position tables of fixed size, so a very long list can neither
//   overflow them nor have part of its work dropped.
// - Where several lines are deleted, exactly the lines at the recorded
//   original positions go, each once; the list is compacted in one pass
//   instead of erasing line by line, which keeps every rule linear in the
//   number of lines.
// - The rules work on the preview map: every deletion removes the line's
//   node with it, so each remaining line keeps the node it came from; a line
//   that takes another line's text keeps its own node.
// - Columns follow the Indent the list was written with (ListColumns); at
//   Indent 25 they are 25, 26 and 28.
#include "output/save_rules.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string_view>
#include <type_traits>
#include <unordered_set>
#include <utility>

#include "platform/ini_profile.h"
#include "platform/text.h"
#include "platform/whole_numbers.h"

namespace cartulon {

namespace {

using Lines = std::vector<std::string>;
using Nodes = std::vector<DirNode*>;

constexpr long long kColumnTextLimit = 500;
constexpr const char* kConditionSection = "ConditionTable";

bool Contains(std::string_view hay, std::string_view needle) {
  return hay.find(needle) != std::string_view::npos;
}

// The first `count` bytes (all of them when the line is shorter; none for a
// count of zero or less).
std::string Left(std::string_view text, long long count) {
  return std::string(CopyAt(text, 1, count));
}

// The text from column `column`, at most 500 bytes.
std::string FromColumn(std::string_view text, long long column) {
  return std::string(CopyAt(text, column, kColumnTextLimit));
}

std::string TrimRight(std::string_view text) {
  return std::string(TrimRightSpaceAndControls(text));
}

long long Count(const Lines& lines) { return static_cast<long long>(lines.size()); }
long long Length(std::string_view line) { return static_cast<long long>(line.size()); }

// Removes the lines whose flag is set, with their nodes, keeping the order
// of the others.
void RemoveFlagged(PreviewMap& map, const std::vector<bool>& remove) {
  Lines& lines = map.PreviewLines;
  Nodes& nodes = map.LineNodes;
  std::size_t out = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (remove[i]) continue;
    if (out != i) {
      lines[out] = std::move(lines[i]);
      nodes[out] = nodes[i];
    }
    ++out;
  }
  lines.resize(out);
  nodes.resize(out);
}

// Runs a rule on bare lines: each gets a null node, dropped afterwards.
template <typename Rule>
auto OnBareLines(Lines& lines, Rule&& rule) {
  PreviewMap map;
  map.PreviewLines = std::move(lines);
  map.LineNodes.assign(map.PreviewLines.size(), nullptr);
  if constexpr (std::is_void_v<decltype(rule(map))>) {
    rule(map);
    lines = std::move(map.PreviewLines);
  } else {
    auto result = rule(map);
    lines = std::move(map.PreviewLines);
    return result;
  }
}

bool ContainsAppSetup(std::string& buffer, const std::string& line) {
  return Contains(AsciiUpperInto(buffer, line), "-APPSETUP");
}

// The index i of a ConditionTable key named "Cond(i)" (any letter case, i in
// decimal without leading zeros, as the board test spells the names it looks
// up); false for any other name.
bool ParseConditionIndex(std::string_view name, long long* index) {
  constexpr std::string_view kPrefix = "COND(";
  if (name.size() < kPrefix.size() + 2 || name.back() != ')') return false;
  if (!EqualsIgnoringAsciiCase(name.substr(0, kPrefix.size()), kPrefix)) return false;
  const std::string_view digits = name.substr(kPrefix.size(), name.size() - kPrefix.size() - 1);
  // Digits only: no sign, no leading zero. An index past 32 bits is never
  // below a Number.
  if (digits[0] < '0' || digits[0] > '9' || (digits.size() > 1 && digits[0] == '0')) return false;
  const std::optional<std::int32_t> value = ParseDecimalField(digits);
  if (!value) return false;
  *index = *value;
  return true;
}

bool IsSeriesCondition(const std::string& value) {
  const std::string upper = AsciiUpper(value);
  return Contains(upper, "MB_NAME") && Contains(upper, "Y5") &&
         (Contains(upper, "77") || Contains(upper, "75"));
}

}  // namespace

std::string NotAnIntegerMessage(const std::string& text) {
  return "'" + text + "' is not a valid integer value";
}

bool DetectSeriesBoard(const MasterFileLocations& masters, bool* seriesBoard, std::string* error) {
  const std::shared_ptr<const IniFile> contents = masters.Contents();
  if (!contents->Exists()) {
    // Without a master file the board is taken as not a series board.
    *seriesBoard = false;
    return true;
  }
  const IniFile& master = *contents;
  const std::string numberText = master.Get(kConditionSection, "Number", "");
  const std::optional<std::int32_t> parsed = ParseSettingNumber(numberText);
  if (!parsed) {
    if (error) *error = NotAnIntegerMessage(numberText);
    return false;
  }
  const long long number = *parsed;
  // The conditions are Cond(0) .. Cond(number - 1). Instead of looking up
  // every index (a count like 2000000000 would take ages), only the indexes
  // that some key of the section names are looked up: a Cond(i) that no key
  // names reads as empty and can never match, so the result is the same.
  std::unordered_set<long long> tried;
  for (const std::string& name : master.KeyNames(kConditionSection)) {
    long long index = 0;
    if (!ParseConditionIndex(name, &index) || index >= number) continue;
    if (!tried.insert(index).second) continue;
    if (IsSeriesCondition(master.Get(kConditionSection, "Cond(" + std::to_string(index) + ")", ""))) {
      *seriesBoard = true;
      return true;
    }
  }
  *seriesBoard = false;
  return true;
}

namespace {

// The line with its OS tail replaced: kept up to and including the first
// "Windows" and the byte after it (a blank in composed texts), then the OS
// text; nullopt when it has no "Windows".
std::optional<std::string> WithOsTail(std::string_view line, std::string_view osText) {
  constexpr std::string_view kWindows = "Windows";
  const long long p = FindPosition(line, kWindows);
  if (p == 0) return std::nullopt;
  const long long throughWindows = p - 1 + TextLength(kWindows);
  return Left(line, throughWindows + 1) + std::string(osText);
}

}  // namespace

bool ReplaceOsTail(std::string& line, const std::string& osText) {
  std::optional<std::string> replaced = WithOsTail(line, osText);
  if (!replaced) return false;
  line = std::move(*replaced);
  return true;
}

namespace {

void BlankPairAfter(PreviewMap& map, const std::string& title) {
  Lines& lines = map.PreviewLines;
  std::string upper;
  for (long long i = 0; i < Count(lines) - 5; ++i) {
    if (!Contains(AsciiUpperInto(upper, lines[i]), title)) continue;
    if (!TrimSpaceAndControls(lines[i + 1]).empty()) continue;
    if (!TrimSpaceAndControls(lines[i + 2]).empty()) continue;
    lines.erase(lines.begin() + (i + 1), lines.begin() + (i + 3));
    map.LineNodes.erase(map.LineNodes.begin() + (i + 1), map.LineNodes.begin() + (i + 3));
    return;
  }
}

void ManualSection(PreviewMap& map, const ListColumns& columns) {
  Lines& lines = map.PreviewLines;
  const long long n = Count(lines);
  long long manual = 0;
  long long software = 0;
  for (long long i = 0; i < n; ++i) {
    const std::string_view trimmed = TrimRightSpaceAndControls(lines[i]);
    if (EqualsIgnoringAsciiCase(trimmed, "-MANUAL")) manual = i;
    if (EqualsIgnoringAsciiCase(trimmed, "-SOFTWARE")) software = i;
  }
  if (manual == 0) manual = software;

  // Joining: a short folder line takes the description of the deeper line
  // below it, which is marked for deletion. Both are compared without their
  // leading blanks, so the test reads the same at every Indent.
  std::vector<bool> marked(lines.size(), false);
  bool anyMarked = false;
  for (long long i = manual + 3; i < software; ++i) {
    const std::string_view a = TrimSpaceAndControls(lines[i]);
    const std::string_view b = TrimSpaceAndControls(lines[i + 1]);
    if (!a.empty() && Length(a) <= columns.nameWidth && Length(b) > columns.nameWidth) {
      lines[i] += FromColumn(lines[i + 1], columns.DashColumn());
      marked[i + 1] = true;
      anyMarked = true;
    }
  }

  // Shortening: the description ends before " for ".
  for (long long i = manual; i < software; ++i) {
    const long long p = FindPosition(lines[i], " for ");
    if (p == 0) continue;
    lines[i] = TrimRight(Left(lines[i], p - 1)) + ".";
  }

  if (anyMarked) RemoveFlagged(map, marked);
}

void MakeDiskLine(Lines& lines, const ListColumns& columns) {
  std::string upper;
  for (long long i = 0; i < Count(lines) - 1; ++i) {
    AsciiUpperInto(upper, lines[i]);
    const long long f = FindPosition(upper, " FOR ");
    if (f == 0) continue;
    if (!Contains(upper, "MAKEDISK") && !Contains(upper, "MAKE DISK") && !Contains(upper, "MAKE_DISK") &&
        !Contains(upper, "X86_X64_XP")) {
      continue;
    }
    const std::string t = Left(lines[i], f - 1);
    lines[i] =
        Left(t, columns.nameWidth) + "- Make " + FromColumn(t, columns.DescriptionColumn()) + ".";
    return;
  }
}

}  // namespace

void RemoveBlankPairAfter(Lines& lines, const std::string& title) {
  OnBareLines(lines, [&](PreviewMap& map) { BlankPairAfter(map, title); });
}

void RewriteManualSection(Lines& lines, const ListColumns& columns) {
  OnBareLines(lines, [&](PreviewMap& map) { ManualSection(map, columns); });
}

void RewriteMakeDiskLine(Lines& lines, const ListColumns& columns) { MakeDiskLine(lines, columns); }

void CopyDiagnosticsOsTail(Lines& lines) {
  std::string upper;
  std::string tail;
  for (long long i = 0; i < Count(lines) - 1; ++i) {
    const std::string& line = lines[i];
    AsciiUpperInto(upper, line);
    if (tail.empty() && (Contains(upper, "- ZOLT TRIVANE II V") || Contains(upper, "- ADOBE") ||
                         Contains(upper, "- ZOLT TRIVANE III V"))) {
      const long long p = FindPosition(upper, "FOR WINDOWS");
      if (p != 0) tail = FromColumn(line, p);
    }
    if (!tail.empty() && Contains(upper, "- PC HEALTHCHECK")) {
      const long long p = FindPosition(upper, "FOR");
      if (p != 0) {
        lines[i] = Left(lines[i], p - 1) + tail;
        return;
      }
    }
  }
}

namespace {

// Variant A: the line above the first "-APPSETUP" line is long. Each
// "-APPSETUP" line gives its description (with the OS tail of the line
// above) to a "- Zolt Trivane II" line above it, and every "-APPSETUP" line
// goes.
void MergeAppSetupIntoLongLines(PreviewMap& map, const ListColumns& columns) {
  Lines& lines = map.PreviewLines;
  std::string upper;
  const long long n = Count(lines);
  // The positions of the "-APPSETUP" lines as the loop sees them; only the
  // line above the current one is rewritten, so a line is looked at before
  // anything can change it.
  std::vector<bool> appSetup(lines.size(), false);
  bool any = false;
  for (long long i = 0; i < n; ++i) {
    if (!ContainsAppSetup(upper, lines[i])) continue;
    appSetup[i] = true;
    any = true;
    if (i == 0) continue;  // no line above to merge into
    std::string d = FromColumn(lines[i], columns.DashColumn());
    const long long q = FindPosition(d, "for Windows");
    if (q != 0) {
      const long long above = FindPosition(lines[i - 1], "for Windows");
      d = Left(d, q - 1) + (above == 0 ? std::string() : FromColumn(lines[i - 1], above));
    }
    const long long r = FindPosition(lines[i - 1], "- Zolt Trivane II");
    if (r != 0) lines[i - 1] = Left(lines[i - 1], r - 1) + d;
  }
  if (any) RemoveFlagged(map, appSetup);
}

// Variant B: the line above is short. Each "-APPSETUP" line from position 2
// on appends its description to the line above; then the "-APPSETUP" lines
// go and the lines below the first "- Zolt Trivane II" line take its OS
// tail.
void MergeAppSetupIntoShortLines(PreviewMap& map, const ListColumns& columns) {
  Lines& lines = map.PreviewLines;
  std::string upper;
  const long long n = Count(lines);
  long long c = 0;
  for (long long i = 2; i < n; ++i) {
    if (!ContainsAppSetup(upper, lines[i])) continue;
    ++c;
    lines[i - 1] += FromColumn(lines[i], columns.DashColumn());
  }

  // "Delete the first line at position 2 or later that contains -APPSETUP",
  // c + 1 times: deleting a line at position 2 or later keeps every other
  // line of that range in it, so this removes the first c + 1 such lines in
  // list order, found in one pass.
  if (c > 0) {
    // (With c = 0 no line from position 2 on holds "-APPSETUP".)
    std::vector<bool> remove(lines.size(), false);
    long long left = c + 1;
    for (long long i = 2; i < n && left > 0; ++i) {
      if (!ContainsAppSetup(upper, lines[i])) continue;
      remove[i] = true;
      --left;
    }
    RemoveFlagged(map, remove);
  }

  long long a = 0;
  std::string tail;
  for (long long i = 2; i < Count(lines); ++i) {
    if (!Contains(lines[i], "- Zolt Trivane II")) continue;
    a = i;
    const long long p = FindPosition(lines[i], "for Windows");
    if (p != 0) tail = FromColumn(lines[i], p);
    break;
  }

  for (long long j = 1; j <= c; ++j) {
    if (a + j >= Count(lines)) break;  // the list ended earlier
    std::string& line = lines[a + j];
    const long long p = FindPosition(line, "for Windows");
    const std::string current = p == 0 ? std::string() : FromColumn(line, p);
    if (current == tail) continue;
    // Drop the compared text (at most 500 bytes from "for Windows") and
    // append the Trivane line's tail.
    if (p != 0) line.erase(static_cast<std::size_t>(p - 1), current.size());
    line += tail;
  }
}

bool AppSetupLines(PreviewMap& map, const ListColumns& columns) {
  const Lines& lines = map.PreviewLines;
  std::string upper;
  long long k = -1;
  for (long long i = 0; i < Count(lines); ++i) {
    if (ContainsAppSetup(upper, lines[i])) {
      k = i;
      break;
    }
  }
  // No "-APPSETUP" line, or one at the very top with no line above it:
  // taken as a short line above. The line above is long when its text after
  // the name column is (a line of more than 100 bytes at Indent 25).
  constexpr long long kLongDescription = 75;
  const long long above = k >= 1 ? Length(lines[k - 1]) : 0;
  if (above > columns.nameWidth + kLongDescription) {
    MergeAppSetupIntoLongLines(map, columns);
    return false;
  }
  MergeAppSetupIntoShortLines(map, columns);
  return true;
}

}  // namespace

bool MergeAppSetupLines(Lines& lines, const ListColumns& columns) {
  return OnBareLines(lines, [&](PreviewMap& map) { return AppSetupLines(map, columns); });
}

void ApplyUtilityLineRules(Lines& lines, SaveRuleFlags& flags) {
  std::string upper;
  for (long long u = 1; u < Count(lines); ++u) {
    // Every rewrite below starts from the line as it was when the work on
    // this position began (`line` stays untouched until the end); a later
    // rewrite replaces an earlier one. A line that lacks the anchor text a
    // rewrite needs is left as it is.
    const std::string& line = lines[u];
    AsciiUpperInto(upper, line);
    std::optional<std::string> rewritten;

    if (Contains(upper, "- ZOLT UPDATE V2") || Contains(upper, "- ZOLT UPDATE V3")) {
      // The version after "- Zolt Update" (" V2...") stays, after the
      // inserted words.
      const long long p = FindPosition(line, "- Zolt Update V");
      if (p != 0) {
        rewritten = Left(line, p - 1) + "- Zolt Update ( Lumo Update )" +
                    FromColumn(line, p + TextLength("- Zolt Update"));
      }
    }
    if (Contains(upper, "-VEX4")) flags.VexRenameEnabled = false;
    if (Contains(upper, "- VEX4") && flags.VexRenameEnabled) {
      constexpr std::string_view kVexTitle = "- VEX4";
      const long long p = FindPosition(line, kVexTitle);
      if (p != 0) {
        rewritten = Left(line, p - 1) + "- Performance and Power Saving Utilities" +
                    FromColumn(line, p + TextLength(kVexTitle));
      }
    }
    if (Contains(upper, "- ASMEDIA USB 3.0 DRIVER")) flags.AsmediaUsb3Seen = true;
    if (Contains(upper, "- INTEL USB 3.0 DRIVER")) flags.IntelUsb3Seen = true;
    if (Contains(upper, "WIN8 32BIT") || Contains(upper, "WIN8 64BIT")) flags.Win8Seen = true;
    if (Contains(upper, "WIN8.1 32BIT") || Contains(upper, "WIN8.1 64BIT")) flags.Win81Seen = true;

    const bool networkUtility =
        (Contains(upper, "- NETWORK MARSHAL") || Contains(upper, "- BT DASH!") ||
         Contains(upper, "- WI-FI DASH!") || Contains(upper, "- REMOTE DASH!") ||
         Contains(upper, "- WI-FI FOUNDRY")) &&
        !Contains(upper, "- ZOLT WI-FI DASH! & NFC REMOTE");
    if (networkUtility) {
      const char* os = flags.Win81Seen ? kOsTextW6 : flags.Win8Seen ? kOsTextW4 : kOsTextW2;
      if (std::optional<std::string> tail = WithOsTail(line, os)) rewritten = std::move(tail);
    }
    if (Contains(upper, "- ZOLT PAIRWELL")) {
      const char* os = flags.SeriesBoard
                           ? (flags.Win81Seen ? kOsTextW6 : flags.Win8Seen ? kOsTextW4 : kOsTextW2)
                           : (flags.Win81Seen ? kOsTextV6 : flags.Win8Seen ? kOsTextV4 : kOsTextV2);
      if (std::optional<std::string> tail = WithOsTail(line, os)) rewritten = std::move(tail);
    }
    if (rewritten) lines[u] = std::move(*rewritten);
  }
}

void ApplyUsbSurgeRule(Lines& lines, const SaveRuleFlags& flags) {
  if (flags.AsmediaUsb3Seen) return;
  if (!flags.SeriesBoard && !flags.IntelUsb3Seen) return;
  std::string upper;
  for (std::string& line : lines) {
    if (Contains(AsciiUpperInto(upper, line), "- USB 3.0 SURGE")) ReplaceOsTail(line, kOsTextW6);
  }
}

namespace {

void RepeatedDescriptions(PreviewMap& map, const ListColumns& columns) {
  // A line longer than the name column goes when an earlier line, looked at
  // before the scan stopped, has the same text from the name column's last
  // column. The scan stops at the contact block's first line (as the writer
  // lays it out at this Indent) and never takes the last line as the earlier
  // one of a pair. All comparisons are made on the list as it was before
  // anything was deleted; the keys seen so far are kept in a set instead of
  // comparing every pair.
  const Lines& lines = map.PreviewLines;
  const std::string stopLine =
      "-Contact" + std::string(static_cast<std::size_t>(ContactGapLength(columns.nameWidth)), ' ') +
      "ZOLTEK COMPUTER INC.";
  const std::size_t n = lines.size();
  if (n < 2) return;
  std::size_t stop = n - 1;
  for (std::size_t t = 0; t + 1 < n; ++t) {
    if (lines[t] == stopLine) {
      stop = t;
      break;
    }
  }
  std::unordered_set<std::string_view> seen;
  seen.reserve(stop);
  std::vector<bool> repeated(n, false);
  bool any = false;
  // The last column of the name; at Indent 0 the first column.
  const long long keyColumn = std::max(columns.nameWidth, 1LL);
  for (std::size_t v = 0; v < n; ++v) {
    if (Length(lines[v]) <= columns.nameWidth) continue;
    const std::string_view key = CopyAt(lines[v], keyColumn, kColumnTextLimit);
    if (seen.count(key) != 0) {
      repeated[v] = true;
      any = true;
    } else if (v < stop) {
      seen.insert(key);
    }
  }
  // The set holds views into the lines; drop it before the list moves.
  seen.clear();
  if (any) RemoveFlagged(map, repeated);
}

void VendorApplicationLines(PreviewMap& map, const ListColumns& columns) {
  // The loop runs over the positions of the changing list: after a join the
  // line that moved up into the current position is not examined, but it is
  // the line above for the next position. Built as a single pass that copies
  // the kept lines (and their nodes) to `out`; `out` always holds positions
  // 0 .. b - 1 and lines[r] is the line at position b.
  Lines& lines = map.PreviewLines;
  Nodes& nodes = map.LineNodes;
  const long long n = Count(lines);  // fixed before the loop, as the rule says
  // The last lines, where the contact block stands, are not examined.
  constexpr long long kContactBlockLines = 60;
  const long long end = n - kContactBlockLines;
  if (n < 1 || 1 >= end) return;
  PreviewMap out;
  out.PreviewLines.reserve(lines.size());
  out.LineNodes.reserve(lines.size());
  auto keep = [&](std::size_t index) {
    out.PreviewLines.push_back(std::move(lines[index]));
    out.LineNodes.push_back(nodes[index]);
  };
  std::string upper;
  keep(0);
  std::size_t r = 1;
  for (long long b = 1; b < end && r < lines.size(); ++b) {
    const std::string& current = lines[r];
    std::string& above = out.PreviewLines.back();
    const bool application = Contains(current, "- Adobe Reader") || Contains(current, "- RealPlayer V");
    bool folderAbove = false;
    if (application && Length(above) <= columns.nameWidth) {
      AsciiUpperInto(upper, above);
      folderAbove = Contains(upper, "ADOBE") || Contains(upper, "PLAYER") || Contains(upper, "REALPLA");
    }
    if (folderAbove) {
      above += TrimRight(FromColumn(current, columns.DashColumn()));
      ++r;                              // line b is deleted
      if (r < lines.size()) keep(r++);  // moved up, skipped
    } else {
      keep(r++);
    }
  }
  for (; r < lines.size(); ++r) keep(r);
  map = std::move(out);
}

}  // namespace

void RemoveRepeatedDescriptions(Lines& lines, const ListColumns& columns) {
  OnBareLines(lines, [&](PreviewMap& map) { RepeatedDescriptions(map, columns); });
}

void JoinVendorApplicationLines(Lines& lines, const ListColumns& columns) {
  OnBareLines(lines, [&](PreviewMap& map) { VendorApplicationLines(map, columns); });
}

void ApplySaveRules(PreviewMap& map, SaveRuleFlags& flags, const ListColumns& columns) {
  // Every line has a node entry (null when it belongs to no node).
  map.LineNodes.resize(map.PreviewLines.size(), nullptr);
  Lines& lines = map.PreviewLines;
  BlankPairAfter(map, "REALTEK AUDIO DRIVER");
  BlankPairAfter(map, "INTEL CHIPSET DRIVER");
  ManualSection(map, columns);
  MakeDiskLine(lines, columns);
  CopyDiagnosticsOsTail(lines);
  if (AppSetupLines(map, columns)) ApplyUtilityLineRules(lines, flags);
  ApplyUsbSurgeRule(lines, flags);
  RepeatedDescriptions(map, columns);
  VendorApplicationLines(map, columns);
}

void ApplySaveRules(Lines& lines, SaveRuleFlags& flags, const ListColumns& columns) {
  OnBareLines(lines, [&](PreviewMap& map) { ApplySaveRules(map, flags, columns); });
}

bool RewriteListForSave(PreviewMap& map, SaveRuleFlags& flags, const MasterFileLocations& masters,
                        const ListColumns& columns, std::string* error) {
  bool series = false;
  if (!DetectSeriesBoard(masters, &series, error)) return false;
  flags.SeriesBoard = series;
  ApplySaveRules(map, flags, columns);
  return true;
}

bool RewriteListForSave(Lines& lines, SaveRuleFlags& flags, const MasterFileLocations& masters,
                        std::string* error) {
  return OnBareLines(lines, [&](PreviewMap& map) {
    return RewriteListForSave(map, flags, masters, ListColumns{}, error);
  });
}

}  // namespace cartulon
