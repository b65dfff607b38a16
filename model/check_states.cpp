#include "model/check_states.h"

#include <cstddef>
#include <utility>
#include <vector>

namespace cartulon {

void CompactChecks(DirNode* node) {
  if (node == nullptr) return;
  // Post-order with an explicit stack: a node is decided once all of its
  // children (in Children order) have been, so an undescribed chain that ends
  // in nothing checked is unchecked from the bottom up.
  std::vector<std::pair<DirNode*, std::size_t>> pending{{node, 0}};
  while (!pending.empty()) {
    auto& [current, next] = pending.back();
    if (next < current->Children.size()) {
      DirNode* child = current->Children[next++];
      pending.emplace_back(child, 0);
      continue;
    }
    DirNode* done = current;
    pending.pop_back();
    if (DirStructure::HasCheckedChild(done)) continue;
    if (done->Data == nullptr || done->Data->EntryText.empty()) done->Checked = false;
  }
}

}  // namespace cartulon
