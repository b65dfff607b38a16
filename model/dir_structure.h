#pragma once
// The in-memory tree of one support disc: one node per folder found by a
// depth-limited scan below the root, plus one leaf per file that the layout
// rules add. The structure owns its nodes; each node owns the chain of
// description records of its folder.
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/descr_struct.h"
#include "platform/message_sink.h"

namespace cartulon {

// Why the scan (or AddFileChild) left an entry out of the tree.
enum class SkipReason {
  BadName,      // a control character or a character Windows forbids in names
  LinkLoop,     // the same folder as one of its ancestors (a link back up)
  OutsideDisc,  // a link that leads outside the disc root
  // The folder's path is longer than the system lists (kLongestListablePath),
  // or, with `detail` "file", a file's path longer than it opens
  // (kLongestOpenablePath).
  LongPath,
  // Reading the folder's listing failed before its end: what the folder
  // holds beyond the entries read is missing. `name` is the folder's own.
  ListingFailed,
  // The name has a character the run's code page cannot write (the name
  // is recorded as the system lists it).
  NotInCodePage,
  // A name Windows opens as another (a trailing dot or space) or as a
  // device (CON, AUX): `detail` says which (WindowsNameProblem).
  WindowsName
};

struct SkippedEntry {
  std::string folderPath;  // FullPath of the folder that lists the entry
  std::string name;
  SkipReason reason;
  std::string detail = {};  // ListingFailed: the system's reason; WindowsName: what is wrong
};

struct DirNode {
  // The path on disc, no trailing delimiter: what opens the folder.
  std::string FullPath;
  // The last component of the path it was created from; for a scanned
  // folder in the run's code page (platform/code_page.h), which on POSIX
  // may differ from FullPath's bytes.
  std::string Name;
  std::vector<DirNode*> Children;  // display order once sorted
  DirNode* Parent = nullptr;
  int Depth = 0;
  std::unique_ptr<DescrStruct> Data;  // first description record, or null
  bool Checked = true;

  // What the scan saw in this folder: the names of the non-folder entries in
  // directory order. Filled by the scan for every folder it lists, lazily by
  // DirStructure::FileNames for the others; file leaves have none.
  bool Listed = false;
  bool IsFileLeaf = false;
  std::vector<std::string> FileNames;
};

class DirStructure {
 public:
  // Builds the root node and scans below it to `maxDepth`. A negative depth
  // reports "Search\xA1\xA1Depth must be bigger than or equal to 0." under the
  // caption "DirStructure" and builds no root. The root "/" is this
  // platform's bare drive: empty Name and FullPath, children "/name", and it
  // is scanned; an empty root path is not. The scan leaves out, and records
  // in Skipped, folders whose names do not fit the disc or have no form in
  // the run's code page, links that lead outside the root and folders that
  // are one of their own ancestors.
  DirStructure(const std::string& rootPath, int maxDepth, MessageSink& messages);
  DirStructure(const DirStructure&) = delete;
  DirStructure& operator=(const DirStructure&) = delete;

  int MaxDepth = 0;
  std::string RootPath;
  DirNode* RootDir = nullptr;
  // The entries left out of the tree, in scan order (then AddFileChild's).
  std::vector<SkippedEntry> Skipped;

  // The root folder's real location (links resolved); empty when it cannot
  // be told. Everything the tree holds lies there or below.
  const std::string& RootLocation() const { return rootLocation_; }

  // Reports the names left out since the last report in one message, one
  // line per entry, caption "Zolt Cartulon"; nothing when there are none.
  // Links that lead back up or off the disc are left out silently.
  void ReportLeftOutNames();
  // True when a folder or file of that name can exist on the disc's home
  // file system: no control character, none of \ / : * ? " < > |.
  static bool NameFitsDisc(std::string_view name);

  // Appends a new node for `path` to the parent's children; null (and no
  // node) when the parent is null. The name is taken as it is.
  DirNode* AddChild(const std::string& path, DirNode* parent);
  // Adds an existing file as a leaf under the node of its folder; null when
  // the file does not exist, its folder is not in the tree, or the name has
  // no folder part (the last reports "FullPath error: <name>" under
  // "AddFileChild" as a warning). The file is found whatever its letter case
  // (the leaf keeps the name as given); the folder part must match a node
  // exactly. An existing file whose name does not fit the disc is left out
  // and recorded in Skipped.
  DirNode* AddFileChild(const std::string& fileName);
  static void SortChildren(DirNode* node);
  // The node of a path, found by going down the folders the path passes
  // through (a node's path lies below its parent's): only their subtrees
  // are searched.
  DirNode* FindNode(std::string_view path) const;
  static DirNode* FindInSubtree(DirNode* node, std::string_view path);
  static void SetCheckedSubtree(DirNode* node, bool value);
  static bool HasCheckedChild(const DirNode* node);

  // The non-folder entries of a node's folder, in directory order, listing
  // the folder on first use when the scan did not. A folder that cannot be
  // listed counts as listed and empty; it is not tried again. File leaves
  // have none. Not for concurrent use: the tree has one user at a time.
  const std::vector<std::string>& FileNames(DirNode* node) const;
  // Lists every folder of the tree that is not listed yet, as FileNames
  // would on first use, sharing the folders out among up to `threads`
  // threads; afterwards FileNames and FindFile only read. For a pass that
  // asks for the files of every folder, such as the disc check.
  void ListEveryFolder(unsigned threads);
  // The on-disc path of file `name` in the node's folder by the letter-case
  // rule, answered from the node's listing; nullopt when absent.
  std::optional<std::string> FindFile(DirNode* node, std::string_view name) const;

  // Number of nodes the structure owns.
  std::size_t NodeCount() const { return nodes_.size(); }

  // Name comparison of the display order: true when a sorts strictly before b.
  static bool NameSortsBefore(std::string_view a, std::string_view b);

 private:
  void ScanFolder(DirNode* node);
  DirNode* NewNode();
  // The folder to list for a node: its FullPath, the delimiter itself for a
  // file-system root passed as a lone delimiter; none for file leaves and
  // nodes without a path.
  std::optional<std::string> ListingPath(const DirNode* node) const;
  // Lists the node's folder once: file names into FileNames, Listed set.
  void ListInto(DirNode* node) const;

  MessageSink& messages_;
  std::deque<DirNode> nodes_;
  std::string rootLocation_;
  std::size_t reportedSkips_ = 0;
};

}  // namespace cartulon
