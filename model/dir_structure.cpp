#include "model/dir_structure.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <utility>

#include "platform/disc_files.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace cartulon {

namespace {

// The ideographic space of the GBK code page, as the depth message carries it.
constexpr const char* kDepthMessage = "Search\xA1\xA1" "Depth must be bigger than or equal to 0.";

bool IsLoneDelimiter(std::string_view path) {
  return path.size() == 1 && IsPathDelimiter(path[0]);
}

// One byte of a name as the display order weighs it: ASCII capitals become
// small letters, every other byte stays, and the result counts as signed.
inline std::int8_t SortByte(char c) { return static_cast<std::int8_t>(AsciiLowerChar(c)); }

// The exchange sort of the display order, run on precomputed ranks (equal
// ranks for names that compare equal). Children with equal names end up in
// the order that this exact procedure leaves them in.
void ExchangeSort(std::vector<DirNode*>& children, std::vector<std::size_t>& ranks) {
  const std::size_t n = children.size();
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = i + 1; j < n; ++j) {
      if (ranks[j] < ranks[i]) {
        std::swap(ranks[i], ranks[j]);
        std::swap(children[i], children[j]);
      }
    }
  }
}

}  // namespace

DirStructure::DirStructure(const std::string& rootPath, int maxDepth, MessageSink& messages)
    : messages_(messages) {
  if (maxDepth < 0) {
    messages_.Show(Message{"DirStructure", kDepthMessage, MessageKind::Error});
    return;
  }
  RootPath = rootPath;
  MaxDepth = maxDepth;

  DirNode* root = NewNode();
  root->Depth = 0;
  root->FullPath = StripTrailingDelimiter(rootPath);
  root->Name = LastComponent(rootPath);
  root->Checked = true;
  RootDir = root;

  if (maxDepth > 0) ScanFolder(RootDir);
}

DirNode* DirStructure::NewNode() {
  nodes_.emplace_back();
  return &nodes_.back();
}

std::optional<std::string> DirStructure::ListingPath(const DirNode* node) const {
  if (node == nullptr || node->IsFileLeaf) return std::nullopt;
  if (!node->FullPath.empty()) return node->FullPath;
  // The file-system root passed as a lone delimiter keeps an empty FullPath
  // (its children are "/name"), like a bare drive; it is still listed.
  if (node == RootDir && IsLoneDelimiter(RootPath)) return std::string(1, kPathDelimiter);
  return std::nullopt;
}

void DirStructure::ListInto(DirNode* node, std::vector<FolderEntry>* folders) const {
  node->FileNames.clear();
  node->Listed = true;
  const std::optional<std::string> path = ListingPath(node);
  if (!path) return;
  std::optional<std::vector<FolderEntry>> entries = ListFolder(*path);
  if (!entries) return;  // no access or vanished: nothing to show, nothing to report
  for (FolderEntry& entry : *entries) {
    if (entry.isFolder) {
      if (folders != nullptr) folders->push_back(std::move(entry));
    } else {
      node->FileNames.push_back(std::move(entry.name));
    }
  }
}

void DirStructure::ScanFolder(DirNode* node) {
  // Depth first with an explicit stack: the folders are listed in the order
  // a recursive scan lists them, each exactly once, and a deep MaxDepth
  // cannot exhaust the call stack.
  std::vector<DirNode*> pending{node};
  std::vector<FolderEntry> folders;
  while (!pending.empty()) {
    DirNode* current = pending.back();
    pending.pop_back();
    if (!ListingPath(current)) continue;
    current->Children.clear();
    folders.clear();
    ListInto(current, &folders);

    for (const FolderEntry& entry : folders) {
      // FullPath + one delimiter + name, also for the empty FullPath of the
      // file-system root.
      std::string childPath;
      childPath.reserve(current->FullPath.size() + 1 + entry.name.size());
      childPath += current->FullPath;
      childPath += kPathDelimiter;
      childPath += entry.name;
      AddChild(childPath, current);
    }
    // Every scanned folder but the starting one orders its own children; the
    // starting folder's children stay in listing order for its caller.
    if (current != node) SortChildren(current);
    for (std::size_t k = current->Children.size(); k > 0; --k) {
      DirNode* child = current->Children[k - 1];
      if (child->Depth < MaxDepth) pending.push_back(child);
    }
  }
}

DirNode* DirStructure::AddChild(const std::string& path, DirNode* parent) {
  if (parent == nullptr) return nullptr;
  DirNode* node = NewNode();
  node->Depth = parent->Depth + 1;
  node->Parent = parent;
  node->FullPath = StripTrailingDelimiter(path);
  node->Name = LastComponent(path);
  node->Checked = parent->Checked;
  parent->Children.push_back(node);
  return node;
}

DirNode* DirStructure::AddFileChild(const std::string& fileName) {
  const std::string folder = FolderPart(fileName);
  if (folder.empty()) {
    // Only an existing file earns the warning; it would lie in the working
    // folder, looked up by the letter-case rule like any other.
    bool exists = FileExists(fileName);
    if (!exists) {
      const std::optional<std::vector<FolderEntry>> here = ListFolder(".");
      exists = here && MatchEntryName(*here, fileName, EntryKind::File).has_value();
    }
    if (exists) {
      messages_.Show(Message{"AddFileChild", "FullPath error: " + fileName, MessageKind::Warning});
    }
    return nullptr;
  }

  DirNode* parent = FindNode(folder);
  // The file must exist as a file; a name that differs from the disc's only
  // in letter case counts, found in the listing of the folder's node.
  bool exists = FileExists(fileName);
  if (!exists && parent != nullptr) {
    exists = FindFile(parent, LastComponent(fileName)).has_value();
  }
  if (!exists || parent == nullptr) return nullptr;

  DirNode* leaf = AddChild(fileName, parent);
  leaf->IsFileLeaf = true;
  leaf->Listed = true;
  return leaf;
}

bool DirStructure::NameSortsBefore(std::string_view a, std::string_view b) {
  // The end of a name weighs as the byte 0.
  const std::size_t longest = std::max(a.size(), b.size());
  for (std::size_t i = 0; i < longest; ++i) {
    const std::int8_t ca = i < a.size() ? SortByte(a[i]) : 0;
    const std::int8_t cb = i < b.size() ? SortByte(b[i]) : 0;
    if (ca != cb) return ca < cb;
  }
  return false;
}

void DirStructure::SortChildren(DirNode* node) {
  if (node == nullptr) return;
  std::vector<DirNode*>& children = node->Children;
  const std::size_t n = children.size();
  if (n < 2) return;

  auto before = [&children](std::size_t x, std::size_t y) {
    return NameSortsBefore(children[x]->Name, children[y]->Name);
  };
  std::vector<std::size_t> order(n);
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::sort(order.begin(), order.end(), before);

  // Rank every child in the sorted order; names that compare equal share
  // a rank.
  std::vector<std::size_t> ranks(n);
  bool tie = false;
  std::size_t rank = 0;
  ranks[order[0]] = 0;
  for (std::size_t k = 1; k < n; ++k) {
    if (before(order[k - 1], order[k])) {
      ++rank;
    } else {
      tie = true;
    }
    ranks[order[k]] = rank;
  }

  if (!tie) {
    // All names differ under the comparison: the exchange sort would end in
    // exactly this order.
    std::vector<DirNode*> sorted(n);
    for (std::size_t k = 0; k < n; ++k) sorted[k] = children[order[k]];
    children = std::move(sorted);
    return;
  }
  ExchangeSort(children, ranks);
}

DirNode* DirStructure::FindNode(std::string_view path) const {
  if (RootDir == nullptr) return nullptr;
  const std::string wanted = StripTrailingDelimiter(path);
  if (RootDir->FullPath == wanted) return RootDir;
  return FindInSubtree(RootDir, wanted);
}

DirNode* DirStructure::FindInSubtree(DirNode* node, std::string_view path) {
  if (node == nullptr) return nullptr;
  // Depth first in Children order: a child, then its whole subtree, then the
  // next sibling. The stack holds the siblings still to visit, last on top.
  std::vector<DirNode*> pending(node->Children.rbegin(), node->Children.rend());
  while (!pending.empty()) {
    DirNode* current = pending.back();
    pending.pop_back();
    if (current->FullPath == path) return current;
    pending.insert(pending.end(), current->Children.rbegin(), current->Children.rend());
  }
  return nullptr;
}

void DirStructure::SetCheckedSubtree(DirNode* node, bool value) {
  if (node == nullptr) return;
  std::vector<DirNode*> pending{node};
  while (!pending.empty()) {
    DirNode* current = pending.back();
    pending.pop_back();
    current->Checked = value;
    pending.insert(pending.end(), current->Children.begin(), current->Children.end());
  }
  if (value) {
    for (DirNode* up = node->Parent; up != nullptr; up = up->Parent) up->Checked = true;
  }
}

bool DirStructure::HasCheckedChild(const DirNode* node) {
  if (node == nullptr) return false;
  return std::any_of(node->Children.begin(), node->Children.end(),
                     [](const DirNode* child) { return child->Checked; });
}

const std::vector<std::string>& DirStructure::FileNames(DirNode* node) const {
  static const std::vector<std::string> kNone;
  if (node == nullptr) return kNone;
  if (!node->Listed && !node->IsFileLeaf) ListInto(node, nullptr);
  return node->FileNames;
}

std::optional<std::string> DirStructure::FindFile(DirNode* node, std::string_view name) const {
  if (node == nullptr || node->IsFileLeaf) return std::nullopt;
  const std::optional<std::string> onDisc = MatchEntryName(FileNames(node), name);
  if (!onDisc) return std::nullopt;
  std::string path;
  path.reserve(node->FullPath.size() + 1 + onDisc->size());
  path += node->FullPath;
  path += kPathDelimiter;
  path += *onDisc;
  return path;
}

}  // namespace cartulon
