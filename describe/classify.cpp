#include "describe/classify.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "describe/os_tags.h"
#include "platform/disc_files.h"
#include "platform/file_identity.h"
#include "platform/ini_profile.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "platform/whole_numbers.h"

namespace cartulon {

namespace {

// Fixed supported-OS sentence of every AppSetup.ini package.
constexpr std::string_view kSetupOSText =
    " for Windows XP 32bit & XP 64bit & Vista 32bit & Vista 64bit & Win7 32bit & Win7 64bit";

// Longest folder name the name rules look at.
constexpr std::size_t kMaxMatchNameLength = 260;

// Folders that start unchecked when their name is exactly one of these.
constexpr std::array<std::string_view, 7> kUncheckedNames = {
    "MICROSOFT_HOTFIX", "USB", "USBCOPY", "YRASETUP", "UTILITYPAGE", "MEIINSTALL", "ALEVEL PATCH",
};
// ... or contains one of these.
constexpr std::array<std::string_view, 2> kUncheckedParts = {"MATRIX", "TRIVANE3"};
// Language and RAID folders listed when they carry an English.ini.
constexpr std::array<std::string_view, 6> kCheckedNamesWithEnglish = {
    "VISTA", "EN", "ENGLISH", "ENG", "US", "RAID",
};
// Vendor and documentation folders listed when they carry an English.ini.
constexpr std::array<std::string_view, 8> kCheckedPartsWithEnglish = {
    "RAID", "INTEL", "AMD", "NVIDIA", "GUIDE", "MANUAL", "LUCID", "VIRTU",
};
constexpr std::string_view kManualFolderName = "ZOLTMANUAL";

template <std::size_t N>
bool EqualsAny(std::string_view name, const std::array<std::string_view, N>& words) {
  for (std::string_view word : words) {
    if (name == word) return true;
  }
  return false;
}

template <std::size_t N>
bool ContainsAny(std::string_view name, const std::array<std::string_view, N>& words) {
  for (std::string_view word : words) {
    if (name.find(word) != std::string_view::npos) return true;
  }
  return false;
}

// The node's name as the name rules see it: the text after the last
// delimiter of its full path, cut to 260 bytes, ASCII letters upper-cased.
std::string MatchName(const std::string& fullPath) {
  std::size_t start = 0;
  for (std::size_t at = FindDelimiter(fullPath); at != std::string::npos;
       at = FindDelimiter(fullPath, at + 1)) {
    start = at + 1;
  }
  std::string_view name = std::string_view(fullPath).substr(start);
  if (name.size() > kMaxMatchNameLength) name = name.substr(0, kMaxMatchNameLength);
  return AsciiUpper(name);
}

// A sub-install source named by a ZoltSetup.ini line: the text after the
// line's first comma, relative to the package folder, written with the
// disc's backslashes. The path is resolved by the letter-case rule where it
// exists; otherwise it is kept as written and reads as a missing file later.
// A file right in the package folder is looked up in the folder's listing.
// A package may name the same file on many lines; each text is resolved
// once (`resolved` remembers them for one package).
using ResolvedPaths = std::unordered_map<std::string, std::string>;

std::string ResolveSubInstall(const DirStructure& tree, DirNode* folder,
                              const std::string& relative);

std::string SubInstallPath(const DirStructure& tree, DirNode* folder, std::string_view line,
                           ResolvedPaths& resolved) {
  const std::size_t comma = line.find(',');
  const std::string relative = FromDiscPath(TrimIniBlanks(line.substr(comma + 1)));
  const auto known = resolved.find(relative);
  if (known != resolved.end()) return known->second;
  std::string path = ResolveSubInstall(tree, folder, relative);
  resolved.emplace(relative, path);
  return path;
}

std::string ResolveSubInstall(const DirStructure& tree, DirNode* folder,
                              const std::string& relative) {
  const bool nested = FindDelimiter(relative) != std::string::npos;
  if (!nested && !relative.empty() && relative != "." && relative != "..") {
    if (std::optional<std::string> name = MatchEntryName(tree.FileNames(folder), relative)) {
      return JoinPath(folder->FullPath, *name);
    }
  } else if (std::optional<std::string> onDisc =
                 ResolveOnDisc(folder->FullPath, relative, EntryKind::File)) {
    return *onDisc;
  }
  return JoinPath(folder->FullPath, relative);
}

// True when `path` names an entry right in the folder (not "." or "..").
bool InFolderItself(DirNode* folder, const std::string& path) {
  const std::string name = LastComponent(path);
  return name != "." && name != ".." && FolderPart(path) == JoinPath(folder->FullPath, "");
}

// True when the path, read as written, climbs above the tree's root through
// "..", or does not start below the root at all.
bool ClimbsAboveRoot(const DirStructure& tree, std::string_view path) {
  const std::string& root = tree.RootDir->FullPath;
  if (path.compare(0, root.size(), root) != 0) return true;
  path.remove_prefix(root.size());
  int depth = 0;
  while (!path.empty()) {
    const std::size_t end = std::min(FindDelimiter(path), path.size());
    const std::string_view component = path.substr(0, end);
    path.remove_prefix(end < path.size() ? end + 1 : end);
    if (component.empty() || component == ".") continue;
    if (component == "..") {
      if (--depth < 0) return true;
    } else {
      ++depth;
    }
  }
  return false;
}

// A source line's file with the line and the path as it writes it.
SetupSource NamedSource(const DirStructure& tree, DirNode* folder, const std::string& line,
                        ResolvedPaths& resolved) {
  SetupSource source;
  source.path = SubInstallPath(tree, folder, line, resolved);
  source.written = TrimIniBlanks(std::string_view(line).substr(line.find(',') + 1));
  source.line = line;
  return source;
}

// The lines of a multi-install package that name its sources: the lines of
// [MultiInstall] that name the primary install ("Path" followed by its
// number anywhere in the line) and carry a comma, in file order.
template <typename Visit>
void VisitMultiInstallLines(const IniFile& setup, Visit&& visit) {
  const std::vector<std::string> lines = setup.SectionLines("MultiInstall");
  std::string primary;
  for (const std::string& line : lines) {
    if (line.find("PrimaryInstall") == std::string::npos) continue;
    const std::size_t equals = line.find('=');
    if (equals != std::string::npos) {
      primary = TrimIniBlanks(std::string_view(line).substr(equals + 1, 10));
    }
    break;
  }
  const std::string wanted = "Path" + primary;
  for (const std::string& line : lines) {
    if (line.find(wanted) != std::string::npos && line.find(',') != std::string::npos) {
      visit(line);
    }
  }
}

// The lines of an ordinary package that name its sources: the comma lines
// of [InstallPath], last line first.
template <typename Visit>
void VisitInstallPathLines(const IniFile& setup, Visit&& visit) {
  const std::vector<std::string> lines = setup.SectionLines("InstallPath");
  for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
    if (it->find(',') != std::string::npos) visit(*it);
  }
}

// The source lines of a package file whose InstallType is not "0", in
// record order.
template <typename Visit>
void VisitSourceLines(const IniFile& setup, const std::string& installType, Visit&& visit) {
  if (installType == "4") {
    VisitMultiInstallLines(setup, visit);
  } else {
    VisitInstallPathLines(setup, visit);
  }
}

// A run of consecutive sources that name the same file.
struct SourceRun {
  std::string path;
  std::size_t count = 1;
};

// The folder's description sources in record order, consecutive repeats of
// one file counted in a run of their own rather than listed each time.
std::vector<SourceRun> DescriptionSourceRuns(DirStructure& tree, DirNode* folder) {
  if (folder == nullptr) return {};
  if (std::optional<std::string> readme = tree.FindFile(folder, kReadmeIni)) return {{*readme}};
  if (std::optional<std::string> app = tree.FindFile(folder, kAppSetupIni)) return {{*app}};
  const std::optional<std::string> zolt = tree.FindFile(folder, kZoltSetupIni);
  if (!zolt) return {};
  // A ZoltSetup.ini that leads off the disc is not read: it stands as the
  // folder's one source, which then counts as missing.
  if (OutsideDisc(tree, folder, *zolt)) return {{*zolt}};

  const IniFile setup = IniFile::Load(*zolt);
  const std::string installType = setup.Get("Root", "InstallType", "");
  if (installType == "0") return {{*zolt}};
  std::vector<SourceRun> runs;
  ResolvedPaths resolved;
  VisitSourceLines(setup, installType, [&](const std::string& line) {
    std::string path = SubInstallPath(tree, folder, line, resolved);
    if (!runs.empty() && runs.back().path == path) {
      ++runs.back().count;
    } else {
      runs.push_back(SourceRun{std::move(path)});
    }
  });
  return runs;
}

// Fills one record from a parsed source; `english` is the package's parsed
// English.ini, or null when the folder's family takes none.
void ReadParsedSource(DescrStruct& record, const std::string& sourcePath, const IniFile& source,
                      const IniFile* english) {
  const std::string family = AsciiUpper(sourcePath);
  if (family.find("README.INI") != std::string::npos) {
    record.ToolVersion = source.Get("Information", "Tool_Version", "");
    record.ToolName = source.Get("Information", "Tool_Name", "");
    record.ToolDescription = source.Get("Information", "Description", "");
    return;
  }
  if (family.find("APPSETUP.INI") != std::string::npos) {
    record.SetupVersion = source.Get("Setup", "Version", "");
    record.SetupName = source.Get("Setup", "Name", "");
    record.SetupOSText = std::string(kSetupOSText);
    return;
  }
  if (english == nullptr) return;

  record.Version = source.Get("InstAllInfo", "Version", "");
  const std::vector<std::string> tags = source.KeyNames("OS_Language_Tag");
  for (int i = 0; i < kOSTagCount; ++i) {
    for (const std::string& tag : tags) {
      if (EqualsIgnoringAsciiCase(tag, OSTagTable[i])) {
        record.OSTagFlags[i] = 1;
        break;
      }
    }
  }
  record.PassWHQL = source.Get("InstAllInfo", "PassWHQL", "");
  record.PassVistaWHQL = source.Get("InstAllInfo", "PassVistaWHQL", "");
  record.WHQLStatus = CombineWhqlStatus(record.PassWHQL, record.PassVistaWHQL);
  if (english->Exists()) record.Title = english->Get("Default", "Title", "");
}

// Gives a fresh record what ReadParsedSource and the outside test put into
// `from`.
void CopyDescription(const DescrStruct& from, DescrStruct& to) {
  to.Title = from.Title;
  to.Version = from.Version;
  to.ToolName = from.ToolName;
  to.ToolVersion = from.ToolVersion;
  to.ToolDescription = from.ToolDescription;
  to.SetupName = from.SetupName;
  to.SetupVersion = from.SetupVersion;
  to.SetupOSText = from.SetupOSText;
  to.OSTagFlags = from.OSTagFlags;
  to.WHQLStatus = from.WHQLStatus;
  to.PassWHQL = from.PassWHQL;
  to.PassVistaWHQL = from.PassVistaWHQL;
  to.SourceOutsideDisc = from.SourceOutsideDisc;
}

}  // namespace

// True when a file the description pass would read lies outside the disc:
// its path climbs above the root as written, or it resolves, links
// followed, to a place outside the root's real location. A file right in a
// scanned folder lies on the disc unless it is a link itself, which keeps
// the common case to one query.
bool OutsideDisc(const DirStructure& tree, DirNode* folder, const std::string& path) {
  if (tree.RootDir == nullptr) return true;
  if (InFolderItself(folder, path)) {
    if (!IsLink(path)) return false;
  } else if (ClimbsAboveRoot(tree, path)) {
    return true;
  }
  const std::optional<std::string> real = RealLocation(path);
  return real.has_value() && !LocationWithin(tree.RootLocation(), *real);
}

void AttachDescriptions(DirNode* node, int depthLimit) {
  if (node == nullptr || node->Depth > depthLimit) return;
  node->Data = std::make_unique<DescrStruct>();
  for (DirNode* child : node->Children) AttachDescriptions(child, depthLimit);
}

void ClassifyPackages(DirStructure& tree, DirNode* node, int depthLimit, MessageSink& messages) {
  if (node == nullptr || node->Depth > depthLimit) return;
  if (!node->Data) {
    messages.Show(Message{"TCartulon::ExtractDataOfDirTree",
                          "RootDir->Data should be initialized first", MessageKind::Error});
    return;
  }

  const std::string name = MatchName(node->FullPath);
  std::optional<bool> hasEnglish;
  auto englishPresent = [&] {
    if (!hasEnglish) hasEnglish = tree.FindFile(node, kEnglishIni).has_value();
    return *hasEnglish;
  };

  if (EqualsAny(name, kUncheckedNames) || ContainsAny(name, kUncheckedParts)) {
    DirStructure::SetCheckedSubtree(node, false);
  }
  if (EqualsAny(name, kCheckedNamesWithEnglish) && englishPresent()) {
    DirStructure::SetCheckedSubtree(node, true);
  }
  if (ContainsAny(name, kCheckedPartsWithEnglish) && englishPresent()) {
    DirStructure::SetCheckedSubtree(node, true);
  }
  if (name == kManualFolderName) DirStructure::SetCheckedSubtree(node, false);
  if (tree.FindFile(node, kReadmeIni)) DirStructure::SetCheckedSubtree(node, true);

  if (node->Data->EntryText.empty()) LoadFolderDescription(tree, *node->Data, node);

  for (DirNode* child : node->Children) ClassifyPackages(tree, child, depthLimit, messages);
}

std::vector<std::string> ListDescriptionSources(DirStructure& tree, DirNode* folder) {
  std::vector<std::string> paths;
  for (SourceRun& run : DescriptionSourceRuns(tree, folder)) {
    paths.insert(paths.end(), run.count, run.path);
  }
  return paths;
}

std::vector<SetupSource> ListSetupSources(const DirStructure& tree, DirNode* folder,
                                          const std::string& setupPath, const IniFile& setup) {
  const std::string installType = setup.Get("Root", "InstallType", "");
  std::vector<SetupSource> sources;
  if (installType == "0") {
    sources.push_back(SetupSource{setupPath, {}, {}});
    return sources;
  }
  ResolvedPaths resolved;
  VisitSourceLines(setup, installType, [&](const std::string& line) {
    sources.push_back(NamedSource(tree, folder, line, resolved));
  });
  return sources;
}

// A source right in the package folder is answered from the folder's
// listing.
bool SourceExists(const DirStructure& tree, DirNode* folder, const std::string& source) {
  if (FolderPart(source) == JoinPath(folder->FullPath, "")) {
    const std::string name = LastComponent(source);
    for (const std::string& file : tree.FileNames(folder)) {
      if (file == name) return true;
    }
    return false;
  }
  return FileExists(source);
}

void ExtendRecordChain(DescrStruct& record, int n) {
  record.Next.reset();
  DescrStruct* last = &record;
  for (int i = 1; i < n; ++i) {
    last->Next = std::make_unique<DescrStruct>();
    last = last->Next.get();
  }
}

void LoadFolderDescription(DirStructure& tree, DescrStruct& record, DirNode* folder) {
  if (folder == nullptr) return;
  const std::vector<SourceRun> runs = DescriptionSourceRuns(tree, folder);
  // The first record stands for the first source alone; a run that starts
  // there goes on in the chained record behind it.
  std::size_t chained = 0;
  for (std::size_t i = 0; i < runs.size(); ++i) chained += i == 0 && runs[i].count > 1 ? 2 : 1;
  ExtendRecordChain(record, static_cast<int>(chained));
  record.Repeats = 1;

  // The English file is the package folder's own, also for sub-install
  // sources in sub-folders; tool and application packages take none.
  std::optional<std::string> englishPath;
  if (!tree.FindFile(folder, kReadmeIni) && !tree.FindFile(folder, kAppSetupIni)) {
    englishPath = tree.FindFile(folder, kEnglishIni);
    // An English.ini that leads off the disc counts as absent.
    if (englishPath && !runs.empty() && OutsideDisc(tree, folder, *englishPath)) {
      englishPath.reset();
    }
  }
  IniFile english;
  if (englishPath && !runs.empty()) english = IniFile::Load(*englishPath);

  // A source outside the disc counts as missing; its record stays empty.
  // A source named again is not read again: its record takes what the
  // first chained record of that source got (chained records start fresh;
  // the first record may not, so it is no model).
  std::unordered_map<std::string_view, const DescrStruct*> firstReader;
  DescrStruct* target = &record;
  auto describe = [&](const std::string& source, std::size_t repeats) {
    target->Repeats = repeats;
    if (target != &record) {
      const auto [seen, inserted] = firstReader.emplace(source, target);
      if (!inserted) {
        CopyDescription(*seen->second, *target);
        target = target->Next.get();
        return;
      }
    }
    if (OutsideDisc(tree, folder, source)) {
      target->SourceOutsideDisc = true;
    } else if (SourceExists(tree, folder, source)) {
      ReadParsedSource(*target, source, IniFile::Load(source), englishPath ? &english : nullptr);
    }
    target = target->Next.get();
  };
  for (const SourceRun& run : runs) {
    if (target == &record && run.count > 1) {
      describe(run.path, 1);
      describe(run.path, run.count - 1);
    } else {
      describe(run.path, run.count);
    }
  }
}

void ReadDescriptionSource(DescrStruct& record, const std::string& sourcePath,
                           const std::string& englishFile) {
  if (!FileExists(sourcePath)) return;
  const IniFile source = IniFile::Load(sourcePath);
  if (englishFile.empty()) {
    ReadParsedSource(record, sourcePath, source, nullptr);
    return;
  }
  // The English file is only opened for the installer family that reads it.
  const std::string family = AsciiUpper(sourcePath);
  if (family.find("README.INI") != std::string::npos ||
      family.find("APPSETUP.INI") != std::string::npos) {
    ReadParsedSource(record, sourcePath, source, nullptr);
    return;
  }
  const IniFile english = IniFile::Load(englishFile);
  ReadParsedSource(record, sourcePath, source, &english);
}

// Both fields present: they must be decimal integers, which are combined by
// bitwise AND. When either cannot be read as one, no certification claim is
// made and the status is empty (the entry then ends with a plain ".").
std::string CombineWhqlStatus(const std::string& passWhql, const std::string& passVistaWhql) {
  if (passWhql.empty()) return passVistaWhql;
  if (passVistaWhql.empty()) return passWhql;
  const std::optional<std::int32_t> xp = ParseDecimalField(passWhql);
  const std::optional<std::int32_t> vista = ParseDecimalField(passVistaWhql);
  if (!xp || !vista) return {};
  return std::to_string(*xp & *vista);
}

}  // namespace cartulon
