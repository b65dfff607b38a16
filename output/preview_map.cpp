#include "output/preview_map.h"

#include <cstddef>
#include <utility>

namespace cartulon {

void PreviewMap::AddPreviewLine(std::string text, DirNode* node, int index) {
  // Both lists always change together. An index past the end (or any
  // negative one, -1 being the usual append marker) appends, so the two
  // never fall out of step.
  if (index < 0 || static_cast<std::size_t>(index) >= PreviewLines.size()) {
    PreviewLines.push_back(std::move(text));
    LineNodes.push_back(node);
    return;
  }
  PreviewLines.insert(PreviewLines.begin() + index, std::move(text));
  LineNodes.insert(LineNodes.begin() + index, node);
}

void PreviewMap::Clear() {
  PreviewLines.clear();
  LineNodes.clear();
}

int PreviewMap::SelectLineOfItem(const DirNode* selected) const {
  for (std::size_t i = 0; i < LineNodes.size(); ++i) {
    if (LineNodes[i] == selected) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace cartulon
