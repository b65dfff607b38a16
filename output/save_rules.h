#pragma once
// The rewrite rules applied to the entry lines before FileList.txt is
// written: blank lines after two driver groups, the manual section, utility
// titles and OS tails, repeated descriptions, and application lines of other
// vendors joined to their folder line.
#include <string>
#include <vector>

#include "describe/os_tags.h"

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

// Applies every rule in order to `lines`. False (lines unchanged) when the
// board detection fails; `error` then holds the conversion message.
bool RewriteListForSave(std::vector<std::string>& lines, SaveRuleFlags& flags,
                        const MasterFileLocations& masters, std::string* error);

// The rules alone, for a known board detection result.
void ApplySaveRules(std::vector<std::string>& lines, SaveRuleFlags& flags);

// "'<text>' is not a valid integer value"
std::string NotAnIntegerMessage(const std::string& text);

// Parses a whole decimal integer the way the settings are read (optional
// sign, digits, surrounding blanks allowed); false when it is not one.
bool ParseWholeNumber(const std::string& text, long long* value);

}  // namespace cartulon
