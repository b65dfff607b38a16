#pragma once
// Check-state operations on the model that do not need the view.
#include "model/dir_structure.h"

namespace cartulon {

// Compact: bottom-up, unchecks every node that has no checked child and whose
// first record has an empty EntryText. Never checks anything.
void CompactChecks(DirNode* node);

}  // namespace cartulon
