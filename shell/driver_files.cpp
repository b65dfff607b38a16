#include "shell/driver_files.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "platform/disc_files.h"
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

std::vector<InfFile> RecordInfFiles(const DirStructure& tree, DirNode* packageFolder,
                                    const SetupSource& source) {
  std::vector<InfFile> files;
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
      if (IsInfName(name)) files.push_back(InfFile{node, JoinPath(node->FullPath, name)});
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

DriverFileCheck::InfState& DriverFileCheck::Inspect(const std::string& path) {
  if (const auto known = infs_.find(path); known != infs_.end()) return known->second;
  InfState& state = infs_[path];
  std::string reason;
  const bool read = ReadInfVersion(path, state.version, &reason);
  state.hasVersion = read && state.version.hasVersionSection;
  if (!read) {
    report_(Severity::Warning, check_code::kBadInf,
            "the INF file " + Name(path) + " cannot be read (" + reason +
                "); the list's claims are not checked against it");
  } else if (!state.hasVersion) {
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

std::string DriverFileCheck::CatalogProblem(DirNode* folder, const std::string& key,
                                            const std::string& name) {
  const std::string named = "names the catalog " + EscapeControlCharacters(name) + " (" +
                            EscapeControlCharacters(key) + ")";
  const std::string native = FromDiscPath(name);
  const std::optional<std::string> path =
      FindDelimiter(native) == std::string::npos
          ? tree_.FindFile(folder, name)
          : ResolveOnDisc(folder->FullPath, native, EntryKind::File);
  if (!path) return named + ", which does not exist";
  auto known = catalogs_.find(*path);
  if (known == catalogs_.end()) known = catalogs_.emplace(*path, ReadCatalogSigner(*path)).first;
  const CatalogSigner& signer = known->second;
  switch (signer.signature) {
    case CatalogSignature::Unreadable:
      return named + ", which cannot be read (" + EscapeControlCharacters(signer.reason) + ")";
    case CatalogSignature::NotSigned:
      return named + ", which is not a signed message";
    case CatalogSignature::Signed:
      break;
  }
  if (signer.signer == kHardwarePublisherName) return {};
  if (signer.signer.empty()) {
    return named + ", whose signer's certificate is not in it or names no one";
  }
  return named + ", which is signed by \"" + EscapeControlCharacters(signer.signer) +
         "\", not by " + std::string(kHardwarePublisherName);
}

void DriverFileCheck::CheckCatalogs(const InfFile& inf, InfState& state) {
  if (state.catalogsChecked || !state.hasVersion) return;
  state.catalogsChecked = true;
  std::vector<std::string> problems;
  if (state.version.catalogFiles.empty()) {
    problems.push_back("names no catalog (no CatalogFile in [Version])");
  }
  for (const auto& [key, name] : state.version.catalogFiles) {
    std::string problem = CatalogProblem(inf.folder, key, name);
    if (!problem.empty()) problems.push_back(std::move(problem));
  }
  if (problems.empty()) return;
  std::string message = "the list says (WHQL), but the INF file " + Name(inf.path) + " ";
  for (std::size_t i = 0; i < problems.size(); ++i) {
    if (i > 0) message += "; it ";
    message += problems[i];
  }
  report_(Severity::Warning, check_code::kWhqlUnproven, std::move(message));
}

void DriverFileCheck::CheckRecord(const DescrStruct& record, bool claimsWhql,
                                  const std::string& sourceName,
                                  const std::vector<InfFile>& infFiles) {
  std::vector<std::pair<std::string, std::string>> versions;  // INF name, DriverVer version
  for (const InfFile& inf : infFiles) {
    InfState& state = Inspect(inf.path);
    if (state.usable) versions.emplace_back(Name(inf.path), state.version.driverVersion);
    if (claimsWhql) CheckCatalogs(inf, state);
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
