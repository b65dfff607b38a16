#pragma once
// The disc check of one package folder: its package file, its install
// sources, its English.ini, and what they give the folder's line in the
// list. Used by CheckDisc.
#include <string>
#include <vector>

#include "describe/os_tags.h"
#include "platform/text.h"  // EscapeControlCharacters, for the check's reports
#include "model/dir_structure.h"
#include "shell/disc_check.h"

namespace cartulon {

struct PackageCheckContext {
  DirStructure& tree;
  const MasterFileLocations& masters;
};

// Appends the findings of a folder whose line the list shows (the layout
// rules and the classification leave it and its ancestors checked) and
// whose description comes from its package files; nothing when it holds no
// package file. The folder's first record must be composed already;
// `staysChecked` says whether Compact leaves the folder checked.
void CheckPackageFolder(const PackageCheckContext& context, DirNode* folder, bool staysChecked,
                        std::vector<Finding>& findings);

}  // namespace cartulon
