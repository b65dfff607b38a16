#pragma once
// The layout rules file FileList_Exp.ini: folders listed in full, folders
// listed without their sub-folders, fixed descriptions, and the heading.
#include <string>
#include <string_view>
#include <vector>

#include "model/dir_structure.h"

namespace cartulon {

inline constexpr const char* kRulesFileName = "FileList_Exp.ini";

// The absolute path of a rules key: ".\Drivers" and "Drivers" both give
// RootPath/Drivers. Backslashes in the key are read as the delimiter. No
// other normalisation: ".." or doubled delimiters stay and then find no node;
// a key that is just "." gives RootPath/. and finds nothing either.
std::string ResolveRulePath(const DirStructure& tree, std::string_view key);

// The rules pass. Does nothing when tree is null, has no root, or the rules
// file does not exist.
void ApplyLayoutRules(DirStructure* tree, const std::string& rulesFilePath);

// Appends the four heading lines (nothing when the rules file is missing):
// the title with its first "<%1>" replaced by the board name from
// Bin/English.ini below scdRoot, a row of "=", the column labels, a row of
// "-".
void BuildTitleBlock(std::vector<std::string>& list, const std::string& scdRoot, int indent,
                     const std::string& rulesFilePath);

}  // namespace cartulon
