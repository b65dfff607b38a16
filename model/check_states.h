#pragma once
// The check rules of the tree. Each works on the nodes' Checked flags alone
// and returns the nodes whose flag it changed, so that a view redraws just
// those.
#include <vector>

#include "model/dir_structure.h"

namespace cartulon {

// Sets `node` (and with `recursive` its whole subtree) to `checked`;
// checking also checks every ancestor, unchecking never changes ancestors.
std::vector<DirNode*> SetCheckState(DirNode* node, bool recursive, bool checked);

// A click on the node's check box: toggles it, except that a checked node
// with a checked direct child refuses to be unchecked (nothing changes).
// Checking checks the ancestors and leaves the descendants as they are.
std::vector<DirNode*> ToggleCheck(DirNode* node);

// "Check All" and "Uncheck All" on a node: its whole subtree (and, when
// checking, its ancestors).
std::vector<DirNode*> CheckAll(DirNode* node);
std::vector<DirNode*> UncheckAll(DirNode* node);

// Compact: bottom-up, unchecks every node that has no checked child and whose
// first record has an empty EntryText. Never checks anything.
std::vector<DirNode*> CompactChecks(DirNode* node);

}  // namespace cartulon
