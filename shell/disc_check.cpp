#include "shell/disc_check.h"

#include <algorithm>
#include <map>
#include <set>
#include <system_error>
#include <unordered_map>
#include <utility>

#include "describe/entry_text.h"
#include "model/check_states.h"
#include "output/layout_rules.h"
#include "platform/code_page.h"
#include "platform/disc_files.h"
#include "platform/file_identity.h"
#include "platform/ini_profile.h"
#include "platform/paths.h"
#include "platform/work_sharing.h"
#include "shell/package_check.h"

namespace cartulon {

namespace {


constexpr std::string_view kForbiddenInNames = "\\/:*?\"<>|";

Finding MakeFinding(Severity severity, std::string_view code, std::string path, std::string message,
                    const DirNode* node) {
  Finding finding;
  finding.severity = severity;
  finding.code = std::string(code);
  finding.path = std::move(path);
  finding.message = std::move(message);
  finding.node = node;
  return finding;
}

// The rules file's keys that find nothing, and the folders whose
// description a Constant key fixes (their package files are not read).
struct RulesOutcome {
  std::vector<Finding> unmatched;
  std::set<const DirNode*> fixedText;
};

RulesOutcome CheckRules(const DirStructure& tree, const std::string& rulesFilePath) {
  RulesOutcome outcome;
  if (rulesFilePath.empty() || !FileExists(rulesFilePath)) return outcome;
  const IniFile rules = IniFile::Load(rulesFilePath);
  struct Section {
    std::string_view name;
    std::string_view effect;
  };
  static constexpr Section kSections[] = {
      {"ShowAllDir", "the folder and everything below it are not checked by it"},
      {"HideSubDir", "nothing is unchecked by it"},
      {"Constant", "its fixed description is not listed"},
  };
  std::map<const DirNode*, bool> constantText;
  for (const Section& section : kSections) {
    for (const std::string& key : rules.KeyNames(section.name)) {
      const DirNode* node = tree.FindNode(ResolveRulePath(tree, key));
      if (node == nullptr) {
        const std::string what = section.name == "Constant" ? "folder or file" : "folder";
        outcome.unmatched.push_back(MakeFinding(
            Severity::Warning, check_code::kUnmatchedRule, key,
            "the " + std::string(section.name) + " key of the rules file finds no " + what +
                " of the disc (a key names it relative to the disc root, in the disc's letter "
                "case, within the search depth); " +
                std::string(section.effect),
            nullptr));
        continue;
      }
      // A later key on the same entry replaces its record again.
      if (section.name == "Constant") constantText[node] = !rules.Get("Constant", key, "").empty();
    }
  }
  for (const auto& [node, fixed] : constantText) {
    if (fixed) outcome.fixedText.insert(node);
  }
  return outcome;
}

// The names of a folder that differ only in letter case.
void CheckLetterCase(const DirStructure& tree, DirNode* node, std::vector<Finding>& findings) {
  const std::vector<std::string>& files = tree.FileNames(node);
  if (node->Children.size() + files.size() < 2) return;
  std::vector<std::pair<std::string, const std::string*>> names;
  names.reserve(node->Children.size() + files.size());
  auto add = [&names](const std::string& name) {
    std::string folded = name;
    for (char& c : folded) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    names.emplace_back(std::move(folded), &name);
  };
  for (const DirNode* child : node->Children) {
    if (!child->IsFileLeaf) add(child->Name);
  }
  for (const std::string& file : files) add(file);
  std::stable_sort(names.begin(), names.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t i = 0; i < names.size();) {
    std::size_t end = i + 1;
    while (end < names.size() && names[end].first == names[i].first) ++end;
    if (end - i > 1) {
      std::string listed;
      for (std::size_t k = i; k < end; ++k) {
        if (k > i) listed += k + 1 == end ? " and " : ", ";
        listed += "\"" + EscapeControlCharacters(*names[k].second) + "\"";
      }
      findings.push_back(MakeFinding(
          Severity::Warning, check_code::kCaseCollision, DiscRelativePath(tree, node),
          "the entries " + listed + " differ only in letter case: they cannot " +
              (end - i == 2 ? "both" : "all") +
              " exist on the disc's home file system, where one replaces the other when the "
              "disc is made; the list is made as if " +
              (end - i == 2 ? "both" : "all") + " existed",
          node));
    }
    i = end;
  }
}

// A folder of the tree that exists but cannot be listed.
void CheckFolderReadable(const DirStructure& tree, DirNode* node, std::vector<Finding>& findings) {
  if (node->IsFileLeaf || node->FullPath.empty() || !node->Children.empty()) return;
  if (!tree.FileNames(node).empty()) return;
  if (ListFolderIdentified(node->FullPath) || !FolderExists(node->FullPath)) return;
  findings.push_back(
      MakeFinding(Severity::Error, check_code::kUnreadable, DiscRelativePath(tree, node),
                  "the folder cannot be read; nothing below it is in the list", node));
}

// The topmost folders whose path on the disc, counted from a drive root,
// is longer than Windows installers open; the folders below them are
// longer still and are not named again.
void CheckDiscPathLength(const DirStructure& tree, const DirNode* node,
                         std::vector<Finding>& findings) {
  if (node->IsFileLeaf || node->Parent == nullptr) return;
  constexpr std::size_t kDriveRoot = 3;  // "E:\"
  const std::string path = DiscRelativePath(tree, node);
  if (kDriveRoot + path.size() <= kLongestDiscPath) return;
  if (node->Parent != tree.RootDir &&
      kDriveRoot + DiscRelativePath(tree, node->Parent).size() > kLongestDiscPath) {
    return;
  }
  findings.push_back(
      MakeFinding(Severity::Warning, check_code::kLongPath, path,
                  "the folder's path on the disc is " + std::to_string(kDriveRoot + path.size()) +
                      " characters long from a drive root such as E:\\, more than the " +
                      std::to_string(kLongestDiscPath) +
                      " Windows installers can open; they cannot reach it or anything below it",
                  node));
}

// What makes a name impossible on the disc's home file system.
std::string NameFault(std::string_view name) {
  const unsigned codePage = RunCodePage();
  for (std::size_t i = 0; i < name.size(); i += CharacterLength(name, i, codePage)) {
    const char c = name[i];
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return "a control character";
    if (kForbiddenInNames.find(c) != std::string_view::npos) {
      return std::string("the character ") + c + ", which Windows forbids in names";
    }
  }
  return "a character Windows forbids in names";
}

struct Visit {
  DirNode* node;
  bool shown;  // the node and all its ancestors are checked
};

// Every node in display order: a node, then its children's subtrees.
std::vector<Visit> DisplayOrder(DirNode* root) {
  std::vector<Visit> order;
  std::vector<Visit> pending{{root, root->Checked}};
  while (!pending.empty()) {
    const Visit visit = pending.back();
    pending.pop_back();
    order.push_back(visit);
    for (auto it = visit.node->Children.rbegin(); it != visit.node->Children.rend(); ++it) {
      pending.push_back(Visit{*it, visit.shown && (*it)->Checked});
    }
  }
  return order;
}

// Which nodes Compact leaves checked, found by running it and putting every
// check state back.
std::vector<bool> ForeseeCompact(DirNode* root, const std::vector<Visit>& order) {
  std::vector<bool> before(order.size());
  for (std::size_t i = 0; i < order.size(); ++i) before[i] = order[i].node->Checked;
  CompactChecks(root);
  std::vector<bool> after(order.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    after[i] = order[i].node->Checked;
    order[i].node->Checked = before[i];
  }
  return after;
}

}  // namespace

std::string DiscRelativePath(const DirStructure& tree, const DirNode* node) {
  if (node == nullptr || tree.RootDir == nullptr || node == tree.RootDir) return ".";
  std::vector<const DirNode*> chain;
  for (const DirNode* up = node; up != nullptr && up != tree.RootDir; up = up->Parent) {
    chain.push_back(up);
  }
  std::string relative;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    if (!relative.empty()) relative += '\\';
    relative += (*it)->Name;
  }
  return relative;
}

std::vector<Finding> LeftOutFindings(const DirStructure& tree,
                                     const std::vector<LeftOutEntry>& entries) {
  std::vector<Finding> findings;
  if (entries.empty() || tree.RootDir == nullptr) return findings;
  std::unordered_map<std::string_view, const DirNode*> folders;
  for (const Visit& visit : DisplayOrder(tree.RootDir))
    folders.emplace(visit.node->FullPath, visit.node);
  for (const LeftOutEntry& entry : entries) {
    if (entry.reason == LeftOutReason::LinkLoop) continue;
    const auto found = folders.find(entry.folderPath);
    const DirNode* folder = found != folders.end() ? found->second : nullptr;
    const std::string path = folder != nullptr ? DiscRelativePath(tree, folder) : entry.folderPath;
    const std::string name = "\"" + EscapeControlCharacters(entry.name) + "\"";
    if (entry.reason == LeftOutReason::LongPath && entry.detail == "file") {
      findings.push_back(MakeFinding(
          Severity::Error, check_code::kLongPath, path,
          "the file " + name + " has a path longer than the " +
              std::to_string(kLongestOpenablePath) +
              " characters this system can open; it is not read, and the list goes without it",
          folder));
    } else if (entry.reason == LeftOutReason::LongPath) {
      findings.push_back(MakeFinding(
          Severity::Error, check_code::kLongPath, path,
          "the folder " + name + " has a path longer than the " +
              std::to_string(kLongestListablePath) +
              " characters this system can open; nothing in it or below it is in the list",
          folder));
    } else if (entry.reason == LeftOutReason::ListingFailed) {
      findings.push_back(MakeFinding(
          Severity::Error, check_code::kUnreadable, path,
          (entry.name.empty() ? std::string("the folder") : "the folder " + name) +
              " could not be read to its end (" + EscapeControlCharacters(entry.detail) +
              "); what it holds beyond the entries read is not in the list",
          folder));
    } else if (entry.reason == LeftOutReason::NotInCodePage) {
      findings.push_back(
          MakeFinding(Severity::Error, check_code::kBadName, path,
                      "the entry \"" + EscapeControlCharacters(entry.name, EscapeAlso::NonAscii) +
                          "\" has a name that code page " + std::to_string(RunCodePage()) +
                          " cannot write; it is left out of the tree and the list",
                      folder));
    } else if (entry.reason == LeftOutReason::WindowsName) {
      findings.push_back(MakeFinding(Severity::Error, check_code::kBadName, path,
                                     "the entry " + name + " " + entry.detail +
                                         "; it is left out of the tree and the list",
                                     folder));
    } else if (entry.reason == LeftOutReason::BadName) {
      findings.push_back(MakeFinding(
          Severity::Error, check_code::kBadName, path,
          "the entry " + name + " holds " + NameFault(entry.name) +
              ", so it cannot exist on the disc's home file system; it is left out of the tree "
              "and the list",
          folder));
    } else {
      findings.push_back(MakeFinding(
          Severity::Error, check_code::kOutsideDisc, path,
          "the folder link " + name +
              " leads outside the disc; it is not followed, so nothing below it is in the list",
          folder));
    }
  }
  return findings;
}

std::vector<Finding> CheckDisc(DirStructure& tree, const CheckInputs& inputs) {
  std::vector<Finding> findings;
  if (tree.RootDir == nullptr) return findings;
  // The list follows the display order, which binding the tree gives the
  // root's children.
  DirStructure::SortChildren(tree.RootDir);

  // The check asks for the files of every folder; the folders the scan did
  // not list (those at the search depth) are listed side by side first.
  const unsigned threads = PassThreads();
  tree.ListEveryFolder(threads);

  RulesOutcome rules = CheckRules(tree, inputs.rulesFilePath);
  findings = std::move(rules.unmatched);

  const std::vector<Visit> order = DisplayOrder(tree.RootDir);
  // Generate composes the description of every line it writes; the first
  // record's text then decides what Compact does.
  for (const Visit& visit : order) {
    DirNode* node = visit.node;
    if (visit.shown && node->Depth > 0 && node->Data != nullptr && node->Data->EntryText.empty()) {
      ComposeEntryText(*node->Data, inputs.masters);
    }
  }
  const std::vector<bool> staysChecked = ForeseeCompact(tree.RootDir, order);

  // The entries the scan left out of the tree, by the folder that holds
  // them.
  const std::vector<LeftOutEntry> leftOut = AsLeftOutEntries(tree.Skipped);
  std::unordered_map<const DirNode*, std::vector<Finding>> leftOutByFolder;
  for (Finding& finding : LeftOutFindings(tree, leftOut)) {
    leftOutByFolder[finding.node].push_back(std::move(finding));
  }

  // Each folder's checks read the tree, the files of that folder's packages
  // and its own records only, so the folders are checked side by side; the
  // findings keep the display order.
  const PackageCheckContext context{tree, inputs.masters};
  std::vector<std::vector<Finding>> byFolder(order.size());
  ShareOut(order.size(), threads, [&](std::size_t i) {
    DirNode* node = order[i].node;
    std::vector<Finding>& own = byFolder[i];
    CheckFolderReadable(tree, node, own);
    CheckDiscPathLength(tree, node, own);
    CheckLetterCase(tree, node, own);
    if (const auto left = leftOutByFolder.find(node); left != leftOutByFolder.end()) {
      own.insert(own.end(), left->second.begin(), left->second.end());
    }
    if (order[i].shown && node->Depth > 0 && rules.fixedText.count(node) == 0) {
      CheckPackageFolder(context, node, staysChecked[i], own);
    }
    std::stable_partition(own.begin(), own.end(),
                          [](const Finding& f) { return f.severity == Severity::Error; });
  });
  for (std::vector<Finding>& own : byFolder) {
    findings.insert(findings.end(), std::make_move_iterator(own.begin()),
                    std::make_move_iterator(own.end()));
  }
  // Entries of folders that are not in the tree come last.
  if (const auto lost = leftOutByFolder.find(nullptr); lost != leftOutByFolder.end()) {
    findings.insert(findings.end(), lost->second.begin(), lost->second.end());
  }
  return findings;
}

}  // namespace cartulon
