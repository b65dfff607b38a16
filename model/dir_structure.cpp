#include "model/dir_structure.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <numeric>
#include <utility>

#include "platform/code_page.h"
#include "platform/disc_files.h"
#include "platform/file_identity.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "platform/windows_names.h"
#include "platform/work_sharing.h"

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

// Counts over positions 0..n-1 (a Fenwick tree).
class PositionCounts {
 public:
  explicit PositionCounts(std::size_t n) : tree_(n + 1, 0) {}
  void Add(std::size_t position, int delta) {
    for (std::size_t k = position + 1; k < tree_.size(); k += k & (~k + 1)) tree_[k] += delta;
  }
  // Sum over positions [0, end).
  std::size_t Before(std::size_t end) const {
    long long sum = 0;
    for (std::size_t k = end; k > 0; k -= k & (~k + 1)) sum += tree_[k];
    return static_cast<std::size_t>(sum);
  }
  // The position at which the running sum first exceeds `count`.
  std::size_t Find(std::size_t count) const {
    std::size_t position = 0;
    std::size_t step = 1;
    while (step * 2 < tree_.size()) step *= 2;
    long long left = static_cast<long long>(count);
    for (; step > 0; step /= 2) {
      if (position + step < tree_.size() && tree_[position + step] <= left) {
        position += step;
        left -= tree_[position];
      }
    }
    return position;
  }

 private:
  std::vector<long long> tree_;
};

// Where the exchange sort of the display order leaves names that compare
// equal. The sort runs i = 0..n-1 and, for each j > i, exchanges positions
// i and j when child j sorts strictly before child i. Seen from one group of
// equal names G, only the names that sort before G matter (the others never
// decide a move of a G name among the others), and each of those, taken in
// listing order, turns the first k names of G (k: the G names listed before
// it) one step to the left: the first goes behind the other k - 1. Phase by
// phase this is a queue: the G names join at the back in listing order, and
// after each one the queue turns once for every name sorting before G that
// is listed before the next G name. The queue is kept as a ring with a
// moving front, each join being an insertion just before the front, and the
// insertions are played back at the end in O(m log m).
//
// `positions` are the listing positions of one group in ascending order;
// `smaller` counts the listing positions of every name sorting before it.
// Returns the group's positions in the order the exchange sort ends with.
std::vector<std::size_t> TieOrder(const std::vector<std::size_t>& positions,
                                  const PositionCounts& smaller, std::size_t n) {
  const std::size_t m = positions.size();
  std::vector<std::size_t> insertAt(m);
  std::size_t front = 0;
  for (std::size_t j = 0; j < m; ++j) {
    insertAt[j] = front;
    const std::size_t next = j + 1 < m ? positions[j + 1] : n;
    const std::size_t turns = smaller.Before(next) - smaller.Before(positions[j] + 1);
    front = (front + 1 + turns % (j + 1)) % (j + 1);
  }
  // Played backwards, the name inserted last owns slot insertAt[m-1]; each
  // earlier one takes the insertAt[j]-th slot still free.
  PositionCounts free(m);
  for (std::size_t k = 0; k < m; ++k) free.Add(k, 1);
  std::vector<std::size_t> ring(m);
  for (std::size_t j = m; j-- > 0;) {
    const std::size_t slot = free.Find(insertAt[j]);
    ring[slot] = positions[j];
    free.Add(slot, -1);
  }
  std::vector<std::size_t> result(m);
  for (std::size_t t = 0; t < m; ++t) result[t] = ring[(front + t) % m];
  return result;
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
  if (const std::optional<std::string> listed = ListingPath(root)) {
    rootLocation_ = RealLocation(*listed).value_or(std::string());
  }

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

void DirStructure::ListInto(DirNode* node) const {
  node->FileNames.clear();
  node->Listed = true;
  const std::optional<std::string> path = ListingPath(node);
  if (!path) return;
  std::optional<std::vector<FolderEntry>> entries = ListFolder(*path);
  if (!entries) return;  // no access or vanished: nothing to show, nothing to report
  for (FolderEntry& entry : *entries) {
    if (!entry.isFolder) node->FileNames.push_back(std::move(entry.name));
  }
}

void DirStructure::ScanFolder(DirNode* node) {
  // Depth first with an explicit stack: the folders are listed in the order
  // a recursive scan lists them, each exactly once, and a deep MaxDepth
  // cannot exhaust the call stack.
  //
  // Each folder entered carries the identities of the folders above it, so
  // that a link back to one of them (a loop) is not entered again, and
  // every link is checked to lead to a place on the disc.
  struct Lineage {
    FileIdentity identity;
    const Lineage* up = nullptr;
  };
  // True when a known identity is that of `lineage`'s folder or one above.
  auto seenAbove = [](const Lineage* lineage, const FileIdentity& identity) {
    if (!identity.Known()) return false;
    for (const Lineage* up = lineage; up != nullptr; up = up->up) {
      if (up->identity == identity) return true;
    }
    return false;
  };
  struct Pending {
    DirNode* node;
    Lineage* lineage;
  };
  std::deque<Lineage> lineages(1);
  std::vector<Pending> pending{Pending{node, &lineages.back()}};
  std::vector<Pending> byNode;
  const unsigned codePage = RunCodePage();
  while (!pending.empty()) {
    const Pending current = pending.back();
    pending.pop_back();
    DirNode* folder = current.node;
    const std::optional<std::string> path = ListingPath(folder);
    if (!path) continue;
    folder->Children.clear();
    folder->FileNames.clear();
    folder->Listed = true;
    std::optional<IdentifiedListing> listing = ListFolderIdentified(*path);
    if (!listing) continue;  // no access or vanished: nothing to show, nothing to report
    // A listing that broke off is no end of the folder: what was read is
    // kept, and the folder is named with the reason (the root, which no
    // folder holds, stands for itself without a name).
    if (!listing->error.empty()) {
      const bool top = folder->Parent == nullptr;
      Skipped.push_back(SkippedEntry{top ? folder->FullPath : folder->Parent->FullPath,
                                     top ? std::string() : folder->Name, SkipReason::ListingFailed,
                                     listing->error});
    }
    // What the folder says of itself settles what its entry in the parent's
    // listing may have said otherwise (a folder mounted onto itself further
    // down): such a folder is taken out again.
    if (listing->folder.Known()) current.lineage->identity = listing->folder;
    if (folder != node && seenAbove(current.lineage->up, current.lineage->identity)) {
      DirNode* parent = folder->Parent;
      parent->Children.erase(std::find(parent->Children.begin(), parent->Children.end(), folder));
      folder->FileNames.clear();
      Skipped.push_back(SkippedEntry{parent->FullPath, folder->Name, SkipReason::LinkLoop});
      continue;
    }

    byNode.clear();
    for (IdentifiedEntry& entry : listing->entries) {
      if (!entry.isFolder) {
        // A file whose path is longer than the system opens could be
        // listed but never read: it is left out and named instead.
        if (folder->FullPath.size() + 1 + entry.name.size() > kLongestOpenablePath) {
          Skipped.push_back(
              SkippedEntry{folder->FullPath, std::move(entry.name), SkipReason::LongPath, "file"});
          continue;
        }
        folder->FileNames.push_back(std::move(entry.name));
        continue;
      }
      // The name as the list writes it; the folder is still opened by its
      // name on disc.
      std::optional<std::string> listedName = NameInCodePage(entry.name, codePage);
      if (!listedName) {
        Skipped.push_back(SkippedEntry{folder->FullPath, entry.name, SkipReason::NotInCodePage});
        continue;
      }
      if (!NameFitsDisc(*listedName)) {
        Skipped.push_back(SkippedEntry{folder->FullPath, *listedName, SkipReason::BadName});
        continue;
      }
      if (std::string problem = WindowsNameProblem(*listedName); !problem.empty()) {
        Skipped.push_back(SkippedEntry{folder->FullPath, *listedName, SkipReason::WindowsName,
                                       std::move(problem)});
        continue;
      }
      // FullPath + one delimiter + name, also for the empty FullPath of the
      // file-system root.
      std::string childPath;
      childPath.reserve(folder->FullPath.size() + 1 + entry.name.size());
      childPath += folder->FullPath;
      childPath += kPathDelimiter;
      childPath += entry.name;
      if (childPath.size() > kLongestListablePath) {
        Skipped.push_back(SkippedEntry{folder->FullPath, *listedName, SkipReason::LongPath, {}});
        continue;
      }

      if (entry.isLink) {
        const std::optional<std::string> real = RealLocation(childPath);
        if (!real || !LocationWithin(rootLocation_, *real)) {
          Skipped.push_back(SkippedEntry{folder->FullPath, *listedName, SkipReason::OutsideDisc});
          continue;
        }
      }
      // A folder whose identity cannot be told (vanished, or a file system
      // that gives none) is taken as it is. The listing's word for a plain
      // folder is checked against the folder itself before it counts.
      bool loop = seenAbove(current.lineage, entry.identity);
      if (loop && !entry.identityExact) {
        const std::optional<FileIdentity> exact = FolderIdentity(childPath);
        loop = exact.has_value() && seenAbove(current.lineage, *exact);
        if (exact) entry.identity = *exact;
      }
      if (loop) {
        Skipped.push_back(SkippedEntry{folder->FullPath, *listedName, SkipReason::LinkLoop});
        continue;
      }
      DirNode* child = AddChild(childPath, folder);
      child->Name = std::move(*listedName);
      lineages.push_back(Lineage{entry.identity, current.lineage});
      byNode.push_back(Pending{child, &lineages.back()});
    }

    // Every scanned folder but the starting one orders its own children; the
    // starting folder's children stay in listing order for its caller. The
    // lineages are found again by node.
    if (folder != node) SortChildren(folder);
    auto nodeOrder = [](const Pending& a, const Pending& b) {
      return std::less<const DirNode*>()(a.node, b.node);
    };
    std::sort(byNode.begin(), byNode.end(), nodeOrder);
    for (std::size_t k = folder->Children.size(); k > 0; --k) {
      DirNode* child = folder->Children[k - 1];
      if (child->Depth >= MaxDepth) continue;
      pending.push_back(
          *std::lower_bound(byNode.begin(), byNode.end(), Pending{child, nullptr}, nodeOrder));
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
  // As for a scanned folder: the name as the list writes it, which a name
  // the code page cannot spell does not have (on Windows it is listed with
  // a '?' then, which is no forbidden character the disc holds).
  const std::string name = LastComponent(fileName);
  std::optional<std::string> listedName = NameInCodePage(name, RunCodePage());
  if (!listedName) {
    Skipped.push_back(SkippedEntry{parent->FullPath, name, SkipReason::NotInCodePage});
    return nullptr;
  }
  if (!NameFitsDisc(*listedName)) {
    Skipped.push_back(SkippedEntry{parent->FullPath, *listedName, SkipReason::BadName});
    return nullptr;
  }
  if (std::string problem = WindowsNameProblem(*listedName); !problem.empty()) {
    Skipped.push_back(
        SkippedEntry{parent->FullPath, *listedName, SkipReason::WindowsName, std::move(problem)});
    return nullptr;
  }

  DirNode* leaf = AddChild(fileName, parent);
  leaf->Name = std::move(*listedName);
  leaf->IsFileLeaf = true;
  leaf->Listed = true;
  return leaf;
}

bool DirStructure::NameFitsDisc(std::string_view name) {
  // Read by character: the second byte of a double-byte character may be
  // that of '\' or '|' and is no such character.
  const unsigned codePage = RunCodePage();
  for (std::size_t i = 0; i < name.size(); i += CharacterLength(name, i, codePage)) {
    const char c = name[i];
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return false;
    switch (c) {
      case '\\':
      case '/':
      case ':':
      case '*':
      case '?':
      case '"':
      case '<':
      case '>':
      case '|':
        return false;
      default:
        break;
    }
  }
  return true;
}

void DirStructure::ReportLeftOutNames() {
  std::string text;
  for (; reportedSkips_ < Skipped.size(); ++reportedSkips_) {
    const SkippedEntry& entry = Skipped[reportedSkips_];
    const std::string name = "\"" + EscapeControlCharacters(entry.name) + "\"";
    const std::string folder = EscapeControlCharacters(entry.folderPath);
    std::string line;
    switch (entry.reason) {
      case SkipReason::BadName:
        line = "Left out " + name + " in " + folder +
               ": the name holds a character a disc cannot hold.";
        break;
      case SkipReason::LongPath:
        line = "Left out " + name + " in " + folder + ": its path is longer than the " +
               std::to_string(entry.detail == "file" ? kLongestOpenablePath
                                                     : kLongestListablePath) +
               " characters this system can open.";
        break;
      case SkipReason::ListingFailed:
        line = "Left out the rest of " + (entry.name.empty() ? folder : name + " in " + folder) +
               ": reading the folder failed (" + EscapeControlCharacters(entry.detail) + ").";
        break;
      case SkipReason::NotInCodePage:
        // Written as \xHH: the name has no form in the code page of the
        // other messages.
        line = "Left out \"" + EscapeControlCharacters(entry.name, EscapeAlso::NonAscii) +
               "\" in " + folder + ": its name cannot be written in code page " +
               std::to_string(RunCodePage()) + ".";
        break;
      case SkipReason::WindowsName:
        line = "Left out " + name + " in " + folder + ": the name " + entry.detail + ".";
        break;
      case SkipReason::LinkLoop:
      case SkipReason::OutsideDisc:
        continue;
    }
    if (!text.empty()) text += '\n';
    text += line;
  }
  if (!text.empty()) messages_.Show(Message{kApplicationTitle, text, MessageKind::Warning});
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

  // Groups of names that compare equal, as [start, end) ranges of `order`.
  std::vector<std::pair<std::size_t, std::size_t>> groups;
  for (std::size_t start = 0; start < n;) {
    std::size_t end = start + 1;
    while (end < n && !before(order[start], order[end])) ++end;
    if (end - start > 1) groups.emplace_back(start, end);
    start = end;
  }
  // Each group takes the order the exchange sort leaves it in; groups are
  // handled from the first to the last, and `smaller` holds the positions
  // of every name that sorts before the group at hand.
  if (!groups.empty()) {
    PositionCounts smaller(n);
    std::size_t counted = 0;
    std::vector<std::size_t> group;
    for (const auto& [start, end] : groups) {
      for (; counted < start; ++counted) smaller.Add(order[counted], 1);
      group.assign(order.begin() + static_cast<std::ptrdiff_t>(start),
                   order.begin() + static_cast<std::ptrdiff_t>(end));
      std::sort(group.begin(), group.end());  // listing order
      const std::vector<std::size_t> placed = TieOrder(group, smaller, n);
      std::copy(placed.begin(), placed.end(), order.begin() + static_cast<std::ptrdiff_t>(start));
    }
  }

  std::vector<DirNode*> sorted(n);
  for (std::size_t k = 0; k < n; ++k) sorted[k] = children[order[k]];
  children = std::move(sorted);
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
  // A node's path lies below its parent's, so only a node whose path is the
  // wanted one or a folder above it can lead there: the others are passed
  // over with their subtrees.
  // (The file-system root's FullPath is empty: everything lies below it.)
  auto leadsThere = [path](const DirNode* candidate) {
    return candidate->FullPath.empty() || LocationWithin(candidate->FullPath, path);
  };
  std::vector<DirNode*> pending(node->Children.rbegin(), node->Children.rend());
  while (!pending.empty()) {
    DirNode* current = pending.back();
    pending.pop_back();
    if (current->FullPath == path) return current;
    if (!leadsThere(current)) continue;
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
  if (!node->Listed && !node->IsFileLeaf) ListInto(node);
  return node->FileNames;
}

void DirStructure::ListEveryFolder(unsigned threads) {
  std::vector<DirNode*> unlisted;
  for (DirNode& node : nodes_) {
    if (!node.Listed && !node.IsFileLeaf) unlisted.push_back(&node);
  }
  // Each folder is listed by one thread, which writes only its own node.
  ShareOut(unlisted.size(), threads, [&](std::size_t i) { ListInto(unlisted[i]); });
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
