#include "shell/driver_files.h"

#include <algorithm>
#include <utility>

#include "platform/paths.h"
#include "platform/text.h"

namespace cartulon {

namespace {

bool IsInfName(std::string_view name) {
  constexpr std::string_view kSuffix = ".inf";
  return name.size() > kSuffix.size() &&
         EqualsIgnoringAsciiCase(name.substr(name.size() - kSuffix.size()), kSuffix);
}

// The dot-separated parts of a version when every part is a decimal
// number, each without its leading zeros; empty when one is not.
std::vector<std::string_view> NumberParts(std::string_view version) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t dot = version.find('.', start);
    std::string_view part = version.substr(start, dot == std::string_view::npos ? dot : dot - start);
    if (part.empty()) return {};
    for (char c : part) {
      if (c < '0' || c > '9') return {};
    }
    while (part.size() > 1 && part.front() == '0') part.remove_prefix(1);
    parts.push_back(part);
    if (dot == std::string_view::npos) return parts;
    start = dot + 1;
  }
}

}  // namespace

bool SameVersionNumbers(std::string_view a, std::string_view b) {
  a = TrimSpaceAndControls(a);
  b = TrimSpaceAndControls(b);
  const std::vector<std::string_view> left = NumberParts(a);
  const std::vector<std::string_view> right = NumberParts(b);
  if (left.empty() || right.empty()) return EqualsIgnoringAsciiCase(a, b);
  for (std::size_t i = 0; i < std::max(left.size(), right.size()); ++i) {
    const std::string_view x = i < left.size() ? left[i] : "0";
    const std::string_view y = i < right.size() ? right[i] : "0";
    if (x != y) return false;
  }
  return true;
}

std::vector<std::string> RecordInfFiles(const DirStructure& tree, DirNode* packageFolder,
                                        const SetupSource& source) {
  std::vector<std::string> files;
  if (packageFolder == nullptr) return files;
  DirNode* top = packageFolder;
  if (!source.written.empty()) {
    top = tree.FindNode(FolderPart(source.path));
    if (top == nullptr || top->IsFileLeaf) return files;
  }
  std::vector<DirNode*> pending{top};
  while (!pending.empty()) {
    DirNode* node = pending.back();
    pending.pop_back();
    for (const std::string& name : tree.FileNames(node)) {
      if (IsInfName(name)) files.push_back(JoinPath(node->FullPath, name));
    }
    for (auto it = node->Children.rbegin(); it != node->Children.rend(); ++it) {
      if (!(*it)->IsFileLeaf) pending.push_back(*it);
    }
  }
  return files;
}

DriverFileCheck::DriverFileCheck(const DirStructure& tree, DirNode* packageFolder, Report report)
    : tree_(tree), folder_(packageFolder), report_(std::move(report)) {}

std::string DriverFileCheck::Name(const std::string& path) const {
  std::string_view relative = path;
  const std::string& base = folder_->FullPath;
  if (relative.size() > base.size() && relative.substr(0, base.size()) == base) {
    relative.remove_prefix(base.size());
    while (!relative.empty() && IsPathDelimiter(relative.front())) relative.remove_prefix(1);
  }
  std::string name(relative);
  for (char& c : name) {
    if (IsPathDelimiter(c)) c = '\\';
  }
  return EscapeControlCharacters(name);
}

const DriverFileCheck::InfState& DriverFileCheck::Inspect(const std::string& path) {
  if (const auto known = infs_.find(path); known != infs_.end()) return known->second;
  InfState& state = infs_[path];
  std::string reason;
  if (!ReadInfVersion(path, state.version, &reason)) {
    report_(Severity::Warning, check_code::kBadInf,
            "the INF file " + Name(path) + " cannot be read (" + reason +
                "); the list's claims are not checked against it");
  } else if (!state.version.hasVersionSection) {
    report_(Severity::Warning, check_code::kBadInf,
            "the INF file " + Name(path) +
                " has no [Version] section; the list's claims are not checked against it");
  } else if (!state.version.hasDriverVer) {
    report_(Severity::Warning, check_code::kBadInf,
            "the INF file " + Name(path) +
                " has no DriverVer in [Version]; the list's version is not checked against it");
  } else {
    state.usable = true;
  }
  return state;
}

void DriverFileCheck::CheckRecord(const DescrStruct& record, const std::string& sourceName,
                                  const std::vector<std::string>& infFiles) {
  std::vector<std::pair<std::string, std::string>> versions;  // INF name, DriverVer version
  for (const std::string& path : infFiles) {
    const InfState& state = Inspect(path);
    if (state.usable) versions.emplace_back(Name(path), state.version.driverVersion);
  }
  if (record.Version.empty() || versions.empty()) return;
  for (const auto& [name, version] : versions) {
    if (SameVersionNumbers(record.Version, version)) return;
  }
  std::string theirs;
  for (std::size_t i = 0; i < versions.size(); ++i) {
    if (i > 0) theirs += i + 1 == versions.size() ? " and " : ", ";
    const std::string shown =
        versions[i].second.empty() ? std::string("no version") : "version " + versions[i].second;
    theirs += versions[i].first + " gives " + EscapeControlCharacters(shown);
  }
  report_(Severity::Warning, check_code::kInfVersion,
          "the list names version " + EscapeControlCharacters(record.Version) + " (from " +
              sourceName + "), but the DriverVer of " +
              (versions.size() == 1 ? "its INF file" : "none of its INF files") +
              (versions.size() == 1 ? " differs: " : " matches: ") + theirs);
}

}  // namespace cartulon
