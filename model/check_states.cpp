#include "model/check_states.h"

#include <cstddef>
#include <utility>
#include <vector>

namespace cartulon {

namespace {

void Set(DirNode* node, bool checked, std::vector<DirNode*>& changed) {
  if (node->Checked == checked) return;
  node->Checked = checked;
  changed.push_back(node);
}

}  // namespace

std::vector<DirNode*> SetCheckState(DirNode* node, bool recursive, bool checked) {
  std::vector<DirNode*> changed;
  if (node == nullptr) return changed;
  if (checked) {
    for (DirNode* up = node->Parent; up != nullptr; up = up->Parent) Set(up, true, changed);
  }
  // The subtree with an explicit stack: a disc's chains can be deep.
  std::vector<DirNode*> pending{node};
  while (!pending.empty()) {
    DirNode* current = pending.back();
    pending.pop_back();
    Set(current, checked, changed);
    if (!recursive) break;
    for (auto child = current->Children.rbegin(); child != current->Children.rend(); ++child) {
      pending.push_back(*child);
    }
  }
  return changed;
}

std::vector<DirNode*> ToggleCheck(DirNode* node) {
  if (node == nullptr) return {};
  if (node->Checked && DirStructure::HasCheckedChild(node)) return {};
  return SetCheckState(node, false, !node->Checked);
}

std::vector<DirNode*> CheckAll(DirNode* node) { return SetCheckState(node, true, true); }

std::vector<DirNode*> UncheckAll(DirNode* node) { return SetCheckState(node, true, false); }

std::vector<DirNode*> CompactChecks(DirNode* node) {
  std::vector<DirNode*> changed;
  if (node == nullptr) return changed;
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
    if (done->Data == nullptr || done->Data->EntryText.empty()) Set(done, false, changed);
  }
  return changed;
}

}  // namespace cartulon
