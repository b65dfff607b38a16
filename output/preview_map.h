#pragma once
// The preview's lines and, for each, the node it came from (null for blank
// separator lines).
#include <string>
#include <vector>

#include "model/dir_structure.h"

namespace cartulon {

struct PreviewMap {
  std::vector<std::string> PreviewLines;
  std::vector<DirNode*> LineNodes;

  // index -1 appends; otherwise inserts at index in both lists, moving the
  // later entries down. An index past the end appends as well.
  void AddPreviewLine(std::string text, DirNode* node, int index = -1);
  void Clear();
  // First line whose node is `selected` (null matches the first blank line);
  // -1 when none.
  int SelectLineOfItem(const DirNode* selected) const;
};

}  // namespace cartulon
