#include "describe/os_tags.h"

#include <optional>
#include <vector>

#include "platform/disc_files.h"
#include "platform/ini_profile.h"
#include "platform/input_files.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace cartulon {

const std::array<std::string_view, kOSTagCount> OSTagTable = {
    "WNT_5.2P",        "WNT_5.1P_MCE",    "WNT_5.1P",        "WNT_5.1H",
    "WNT_6.0P_32",     "WNT_6.0P_32_MCE", "WNT_6.0H_32",     "WNT_6.0H_32_MCE",
    "WNT_6.0P_64",     "WNT_6.0P_64_MCE", "WNT_6.0H_64",     "WNT_6.0H_64_MCE",
    "WNT_6.1P_32",     "WNT_6.1P_32_MCE", "WNT_6.1H_32",     "WNT_6.1H_32_MCE",
    "WNT_6.1P_64",     "WNT_6.1P_64_MCE", "WNT_6.1H_64",     "WNT_6.1H_64_MCE",
    "WNT_6.2P_32",     "WNT_6.2P_32_MCE", "WNT_6.2H_32",     "WNT_6.2H_32_MCE",
    "WNT_6.2P_64",     "WNT_6.2P_64_MCE", "WNT_6.2H_64",     "WNT_6.2H_64_MCE",
    "WNT_6.3P_32",     "WNT_6.3P_32_MCE", "WNT_6.3H_32",     "WNT_6.3H_32_MCE",
    "WNT_6.3P_64",     "WNT_6.3P_64_MCE", "WNT_6.3H_64",     "WNT_6.3H_64_MCE",
};

const std::array<OSGroup, kOSGroupCount>& OSGroups() {
  static const std::array<OSGroup, kOSGroupCount> groups = {{
      {"WNT_5.1P", {1, 2, 3}, "XP 32bit"},
      {"WNT_5.2P", {0}, "XP 64bit"},
      {"WNT_6.0P_32", {4, 5, 6, 7}, "Vista 32bit"},
      {"WNT_6.0P_64", {8, 9, 10, 11}, "Vista 64bit"},
      {"WNT_6.1P_32", {12, 13, 14, 15}, "Win7 32bit"},
      {"WNT_6.1P_64", {16, 17, 18, 19}, "Win7 64bit"},
      {"WNT_6.2P_32", {20, 21, 22, 23}, "Win8 32bit"},
      {"WNT_6.2P_64", {24, 25, 26, 27}, "Win8 64bit"},
      {"WNT_6.3P_32", {28, 29, 30, 31}, "Win8.1 32bit"},
      {"WNT_6.3P_64", {32, 33, 34, 35}, "Win8.1 64bit"},
  }};
  return groups;
}

namespace {

constexpr std::string_view kMasterFileName = "Zscdinst.ini";
constexpr std::string_view kBinFolderName = "Bin";

// Texts of the version pairs (groups 2k and 2k+1) when both widths qualify.
constexpr std::array<std::string_view, 4> kPairTexts = {
    "Vista 32bit & Vista 64bit",
    "Win7 32bit & Win7 64bit",
    "Win8 32bit & Win8 64bit",
    "Win8.1 32bit & Win8.1 64bit",
};

// `relative` looked up below `base` by the letter-case rule; an empty base
// is the working folder, and the result then stays relative.
std::optional<std::string> ResolveBelow(const std::string& base, std::string_view relative) {
  return ResolveOnDisc(base, relative, EntryKind::File);
}

// A folder part as a lookup base: without its trailing delimiter, except for
// a folder that is nothing but a delimiter (the file-system root).
std::string AsBase(std::string_view folder) {
  if (folder.size() > 1) return StripTrailingDelimiter(folder);
  return std::string(folder);
}

// Finds the disc's master file. The path normally ends in Bin/Zscdinst.ini
// below the disc root; when that exact path is missing, the Bin folder and
// the file are looked up ignoring letter case. Any other path has only its
// file name looked up that way.
std::optional<std::string> FindCDMaster(const std::string& cdMasterPath) {
  if (cdMasterPath.empty()) return std::nullopt;
  if (FileExists(cdMasterPath)) return cdMasterPath;

  std::string tail(kBinFolderName);
  tail += kPathDelimiter;
  tail += kMasterFileName;
  if (cdMasterPath.size() >= tail.size()) {
    const std::size_t cut = cdMasterPath.size() - tail.size();
    const std::string_view prefix = std::string_view(cdMasterPath).substr(0, cut);
    if (EqualsIgnoringAsciiCase(std::string_view(cdMasterPath).substr(cut), tail) &&
        (prefix.empty() || EndsInDelimiter(prefix))) {
      return ResolveBelow(AsBase(prefix), tail);
    }
  }
  const std::string fileName = LastComponent(cdMasterPath);
  if (fileName.empty()) return std::nullopt;
  return ResolveBelow(AsBase(FolderPart(cdMasterPath)), fileName);
}

// Per OS group, whether the master file installs it: the group's key tag
// maps, in [OS_Language_Tag], to an [InstAll] entry (up to a ';') that is
// "1".
std::array<std::uint8_t, kOSGroupCount> InstalledGroups(const IniFile& master) {
  std::array<std::uint8_t, kOSGroupCount> installs{};
  const auto& groups = OSGroups();
  for (int g = 0; g < kOSGroupCount; ++g) {
    std::string entry = master.Get("OS_Language_Tag", groups[g].keyTag, "");
    if (const std::size_t semicolon = entry.find(';'); semicolon != std::string::npos) {
      entry.erase(semicolon);
    }
    entry = TrimIniBlanks(entry);
    if (!entry.empty() && master.Get("InstAll", entry, "") == "1") installs[g] = 1;
  }
  return installs;
}

}  // namespace

std::string MasterFileLocations::LocalMasterPath() const {
  return JoinPath(programFolder, kMasterFileName);
}

std::string MasterFileLocations::MissingMessage() const {
  return cdMasterPath + " or " + "\n" + LocalMasterPath() + " not found!";
}

std::string MasterFileLocations::Resolve() const {
  if (reading) return reading->path;
  const std::string local = LocalMasterPath();
  if (FileExists(local)) return local;
  if (std::optional<std::string> found = ResolveBelow(programFolder, kMasterFileName)) {
    return *found;
  }
  if (std::optional<std::string> found = FindCDMaster(cdMasterPath)) return *found;
  return {};
}

bool MasterFileLocations::Load() {
  auto loaded = std::make_shared<Reading>();
  loaded->path = Resolve();
  if (!loaded->path.empty()) {
    loaded->file = IniFile::Load(loaded->path);
    if (!loaded->file.Exists()) {
      // Not a file of the right kind or size, or one that still was not
      // read (no permission, in use by another program): why, in words.
      loaded->problem = UnreadableReason(loaded->path);
      if (loaded->problem.empty()) loaded->problem = "cannot be read";
    }
    loaded->installs = InstalledGroups(loaded->file);
  }
  reading = std::move(loaded);
  return reading->problem.empty();
}

std::shared_ptr<const IniFile> MasterFileLocations::Contents() const {
  if (reading) return std::shared_ptr<const IniFile>(reading, &reading->file);
  const std::string path = Resolve();
  return std::make_shared<const IniFile>(path.empty() ? IniFile() : IniFile::Load(path));
}

// An empty root text gives the relative path Bin/Zscdinst.ini: there is no
// last character to look at, and no delimiter is put in front.
std::string BuildCDMasterPath(std::string_view rootText) {
  std::string path(rootText);
  if (!path.empty() && !EndsInDelimiter(path)) path += kPathDelimiter;
  path += kBinFolderName;
  path += kPathDelimiter;
  path += kMasterFileName;
  return path;
}

std::string SupportedOSText(DescrStruct& record, const MasterFileLocations& masters) {
  record.InstAllFlags.fill(0);
  record.LocalMasterPath = masters.LocalMasterPath();
  record.CDMasterPath = masters.cdMasterPath;

  // Both master files gone (the start-up check saw one): nothing can be said
  // about the supported systems.
  std::array<std::uint8_t, kOSGroupCount> installs{};
  if (masters.reading) {
    if (!masters.reading->file.Exists()) return {};
    installs = masters.reading->installs;
  } else {
    const std::shared_ptr<const IniFile> contents = masters.Contents();
    if (!contents->Exists()) return {};
    installs = InstalledGroups(*contents);
  }

  const auto& groups = OSGroups();
  std::array<bool, kOSGroupCount> qualifies{};
  for (int g = 0; g < kOSGroupCount; ++g) {
    record.InstAllFlags[g] = installs[g];
    bool listsAll = true;
    for (int member : groups[g].members) {
      if (record.OSTagFlags[member] != 1) listsAll = false;
    }
    qualifies[g] = listsAll && record.InstAllFlags[g] == 1;
  }

  std::vector<std::string_view> texts;
  if (qualifies[0]) texts.push_back(groups[0].text);
  if (qualifies[1]) texts.push_back(groups[1].text);
  for (int pair = 0; pair < 4; ++pair) {
    const int g32 = 2 + 2 * pair;
    const int g64 = g32 + 1;
    if (qualifies[g32] && qualifies[g64]) {
      texts.push_back(kPairTexts[pair]);
    } else if (qualifies[g32]) {
      texts.push_back(groups[g32].text);
    } else if (qualifies[g64]) {
      texts.push_back(groups[g64].text);
    }
  }

  std::string result;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (i > 0) result += " & ";
    result += texts[i];
  }
  return result;
}

bool CanQualifyForAnyOSGroup(const DescrStruct& record) {
  for (const OSGroup& group : OSGroups()) {
    bool listsAll = true;
    for (int member : group.members) {
      if (record.OSTagFlags[member] != 1) listsAll = false;
    }
    if (listsAll) return true;
  }
  return false;
}

}  // namespace cartulon
