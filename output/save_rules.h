#pragma once
// The rewrite rules applied to the entry lines before FileList.txt is
// written: blank lines after two driver groups, the manual section, utility
// titles and OS tails, repeated descriptions, and application lines of other
// vendors joined to their folder line.
#include <string>
#include <vector>

#include "describe/os_tags.h"
#include "output/list_columns.h"
#include "output/preview_map.h"

namespace cartulon {

// Flags that live as long as the main window: a second save starts with the
// values the first one left.
struct SaveRuleFlags {
  bool SeriesBoard = false;
  bool VexRenameEnabled = true;
  bool AsmediaUsb3Seen = false;
  bool IntelUsb3Seen = false;
  bool Win8Seen = false;
  bool Win81Seen = false;
};

// Reads ConditionTable of the master file. False with `error` set when the
// master file exists but "Number" is not an integer. No master file: not a
// series board.
bool DetectSeriesBoard(const MasterFileLocations& masters, bool* seriesBoard, std::string* error);

// Applies every rule in order to the entry lines of `map`, written with a
// name column `columns` wide. The node of each line moves with it: a deleted
// line takes its node along, a line that another one is joined into keeps
// its own. False (map unchanged) when the board detection fails; `error`
// then holds the conversion message.
bool RewriteListForSave(PreviewMap& map, SaveRuleFlags& flags, const MasterFileLocations& masters,
                        const ListColumns& columns, std::string* error);
// The same for bare lines at the default Indent.
bool RewriteListForSave(std::vector<std::string>& lines, SaveRuleFlags& flags,
                        const MasterFileLocations& masters, std::string* error);

// The rules alone, for a known board detection result.
void ApplySaveRules(PreviewMap& map, SaveRuleFlags& flags, const ListColumns& columns);
void ApplySaveRules(std::vector<std::string>& lines, SaveRuleFlags& flags,
                    const ListColumns& columns = {});

// "'<text>' is not a valid integer value"
std::string NotAnIntegerMessage(const std::string& text);

// The individual rules, in the order ApplySaveRules runs them. Each works on
// the list in place; columns are counted from 1 and follow `columns` (the
// default Indent of 25 unless given).

// Steps 1 and 2: the first line whose upper-case form contains `title`
// (looked for while at least five lines follow it) loses the two blank lines
// below it, if both are blank.
void RemoveBlankPairAfter(std::vector<std::string>& lines, const std::string& title);
// Step 3: split entries between "-MANUAL" and "-SOFTWARE" joined, their
// descriptions cut before " for " and ended with ".".
void RewriteManualSection(std::vector<std::string>& lines, const ListColumns& columns = {});
// Step 4: the first make-disk line becomes "- Make " + its title + ".".
void RewriteMakeDiskLine(std::vector<std::string>& lines, const ListColumns& columns = {});
// Step 5: the diagnostics line takes the OS tail of the suite or Adobe line
// above it.
void CopyDiagnosticsOsTail(std::vector<std::string>& lines);
// Step 6: "-APPSETUP" lines merged into the lines above them and removed.
// True when the short-line variant ran (the title and OS-tail rules follow
// only then).
bool MergeAppSetupLines(std::vector<std::string>& lines, const ListColumns& columns = {});
// Step 7: utility titles renamed, OS tails of the network utilities and the
// pairing utility set, driver flags collected.
void ApplyUtilityLineRules(std::vector<std::string>& lines, SaveRuleFlags& flags);
// Step 8: the USB speed utility's OS tail.
void ApplyUsbSurgeRule(std::vector<std::string>& lines, const SaveRuleFlags& flags);
// Step 9: later lines whose text from the name column's last column repeats
// an earlier one.
void RemoveRepeatedDescriptions(std::vector<std::string>& lines, const ListColumns& columns = {});
// Step 10: "- Adobe Reader" and "- RealPlayer V" lines joined to the short
// folder line above them.
void JoinVendorApplicationLines(std::vector<std::string>& lines, const ListColumns& columns = {});

// The OS-tail replacement: everything after "Windows" and the one character
// that follows it is replaced by `osText`. False (line unchanged) when the
// line has no "Windows".
bool ReplaceOsTail(std::string& line, const std::string& osText);

// The supported-OS texts the rules write.
inline constexpr const char* kOsTextW2 = "Win7 32bit & Win7 64bit.";
inline constexpr const char* kOsTextW4 = "Win7 32bit & Win7 64bit & Win8 32bit & Win8 64bit.";
inline constexpr const char* kOsTextW6 =
    "Win7 32bit & Win7 64bit & Win8 32bit & Win8 64bit & Win8.1 32bit & Win8.1 64bit.";
inline constexpr const char* kOsTextV2 = "Vista 32bit & Vista 64bit & Win7 32bit & Win7 64bit.";
inline constexpr const char* kOsTextV4 =
    "Vista 32bit & Vista 64bit & Win7 32bit & Win7 64bit & Win8 32bit & Win8 64bit.";
inline constexpr const char* kOsTextV6 =
    "Vista 32bit & Vista 64bit & Win7 32bit & Win7 64bit & Win8 32bit & Win8 64bit & "
    "Win8.1 32bit & Win8.1 64bit.";

}  // namespace cartulon
