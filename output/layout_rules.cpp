#include "output/layout_rules.h"

#include <memory>
#include <optional>

#include "model/descr_struct.h"
#include "platform/disc_files.h"
#include "platform/ini_profile.h"
#include "platform/paths.h"

namespace cartulon {

namespace {

constexpr const char* kPlaceholder = "<%1>";
constexpr const char* kDefaultBoardName = "Zolt";

// Marks the subtree of every folder a section names: ShowAllDir checks (and
// with it the ancestors), HideSubDir unchecks (ancestors stay).
void ApplyFolderSection(DirStructure& tree, const IniFile& rules, std::string_view section,
                        bool value) {
  for (const std::string& key : rules.KeyNames(section)) {
    DirNode* node = tree.FindNode(ResolveRulePath(tree, key));
    if (node != nullptr) DirStructure::SetCheckedSubtree(node, value);
  }
}

// Gives each Constant entry (a folder of the tree, or a file that becomes a
// leaf of its folder) a fresh record holding the fixed description.
void ApplyConstantSection(DirStructure& tree, const IniFile& rules) {
  for (const std::string& key : rules.KeyNames("Constant")) {
    const std::string path = ResolveRulePath(tree, key);
    DirNode* node = tree.FindNode(path);
    if (node == nullptr) node = tree.AddFileChild(path);
    if (node == nullptr) continue;
    // Only the entry itself: an entry below an unchecked folder stays out of
    // the list, and the entry's own children keep their state and records.
    node->Checked = true;
    node->Data = std::make_unique<DescrStruct>();
    node->Data->EntryText = rules.Get("Constant", key, "");
  }
}

// The board name for the heading: key "<%1>" of [Default] in Bin/English.ini
// below the disc root, both names found whatever their letter case.
std::string BoardName(const std::string& scdRoot) {
  const std::optional<std::string> english =
      ResolveOnDisc(scdRoot, JoinPath("Bin", "English.ini"), EntryKind::File);
  if (!english) return kDefaultBoardName;
  return IniFile::Load(*english).Get("Default", kPlaceholder, kDefaultBoardName);
}

}  // namespace

std::string ResolveRulePath(const DirStructure& tree, std::string_view key) {
  // ".\Drivers" (or "./Drivers"): the key without its dot, which brings its
  // own delimiter. A key that is only "." has no delimiter after the dot and
  // is taken as a bare relative name, giving RootPath/. which names no node.
  // The file-system root "/" adds no delimiter of its own.
  std::string path = StripTrailingDelimiter(tree.RootPath);
  if (key.size() >= 2 && key[0] == '.' && (key[1] == '\\' || key[1] == '/')) {
    return path + FromDiscPath(key.substr(1));
  }
  path += kPathDelimiter;
  path += FromDiscPath(key);
  return path;
}

void ApplyLayoutRules(DirStructure* tree, const std::string& rulesFilePath) {
  if (tree == nullptr || tree->RootDir == nullptr) return;
  if (!FileExists(rulesFilePath)) return;
  const IniFile rules = IniFile::Load(rulesFilePath);
  if (!rules.Exists()) return;
  // Fixed order whatever the order of the sections in the file; a later
  // rule overrides an earlier one on the same nodes.
  ApplyFolderSection(*tree, rules, "ShowAllDir", true);
  ApplyFolderSection(*tree, rules, "HideSubDir", false);
  ApplyConstantSection(*tree, rules);
}

void BuildTitleBlock(std::vector<std::string>& list, const std::string& scdRoot, int indent,
                     const std::string& rulesFilePath) {
  if (!FileExists(rulesFilePath)) return;
  const IniFile rules = IniFile::Load(rulesFilePath);
  if (!rules.Exists()) return;

  std::string title = rules.Get("Title", "FileTitle", "File List for <%1> ");
  const std::string nameLabel = rules.Get("Title", "LabelForName", "File Name");
  const std::string descriptionLabel =
      rules.Get("Title", "LabelForDescription", "Description");

  // Only the first placeholder is filled in; English.ini is not read for a
  // title without one.
  const std::size_t at = title.find(kPlaceholder);
  if (at != std::string::npos) {
    title.replace(at, std::string_view(kPlaceholder).size(), BoardName(scdRoot));
  }

  // The description label starts where the list's descriptions start, unless
  // the name column is too narrow for the label: then six blanks.
  const long long nameLength = static_cast<long long>(nameLabel.size());
  long long padding = static_cast<long long>(indent) - nameLength;
  if (padding < nameLength) padding = 6;

  list.push_back(title);
  list.push_back(std::string(title.size(), '='));
  list.push_back(nameLabel + std::string(static_cast<std::size_t>(padding), ' ') +
                 descriptionLabel);
  list.push_back(std::string(title.size(), '-'));
}

}  // namespace cartulon
