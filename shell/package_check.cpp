#include "shell/package_check.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <optional>
#include <utility>

#include "describe/classify.h"
#include "describe/entry_text.h"
#include "platform/ini_profile.h"
#include "platform/input_files.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "shell/driver_files.h"

namespace cartulon {

namespace {

constexpr std::string_view kOSTagSection = "OS_Language_Tag";

// A package INI file as the check reads it.
struct PackageFile {
  bool readable = false;
  std::string bytes;
  std::string reason;  // why it cannot be read
};

// Read by the same rule as the description pass (platform/input_files), so
// that the reason names what keeps the pass from the file.
PackageFile ReadPackageFile(const std::string& path) {
  PackageFile file;
  InputFileState state = InputFileState::Missing;
  errno = 0;
  std::optional<std::string> bytes = ReadInputFile(path, &state);
  if (!bytes) {
    file.reason = state != InputFileState::Readable ? "it " + InputFileProblem(state)
                                                    : std::strerror(errno != 0 ? errno : EIO);
    return file;
  }
  file.bytes = std::move(*bytes);
  file.readable = true;
  return file;
}

bool StartsWith(std::string_view bytes, std::string_view prefix) {
  return bytes.substr(0, prefix.size()) == prefix;
}

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16BigEndianBom = "\xFE\xFF";
constexpr std::string_view kUtf16LittleEndianBom = "\xFF\xFE";

// The section a file's first line opens ("[Root]" gives "Root"), or empty
// when its first line is no section header.
std::string FirstSectionName(std::string_view text) {
  const std::size_t end = text.find_first_of("\r\n");
  std::string_view line = text.substr(0, end);
  while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
  if (line.empty() || line.front() != '[') return {};
  line.remove_prefix(1);
  return std::string(line.substr(0, line.find(']')));
}

// What the INI reader makes of a file whose text is not plain single bytes;
// empty when nothing.
std::string EncodingProblem(std::string_view name, std::string_view bytes) {
  const std::string file(name);
  if (StartsWith(bytes, kUtf8Bom)) {
    const std::string first = FirstSectionName(bytes.substr(kUtf8Bom.size()));
    if (first.empty())
      return file + " starts with a UTF-8 byte-order mark, which stays in front of its first line";
    return file + " starts with a UTF-8 byte-order mark: its first section [" + first +
           "] is not found, so nothing in that section is read";
  }
  if (StartsWith(bytes, kUtf16BigEndianBom)) {
    return file +
           " is UTF-16 big-endian: it is read as single bytes, so none of its sections is found";
  }
  if (!StartsWith(bytes, kUtf16LittleEndianBom) && bytes.find('\0') != std::string_view::npos) {
    return file + " holds NUL bytes: a name or value is cut at its first NUL byte";
  }
  return {};
}

std::string Join(const std::vector<std::string>& parts, std::string_view separator) {
  std::string text;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) text += separator;
    text += parts[i];
  }
  return text;
}

bool IsKnownOSTag(std::string_view key) {
  for (std::string_view tag : OSTagTable) {
    if (EqualsIgnoringAsciiCase(tag, key)) return true;
  }
  return false;
}

// The records of a folder's chain, first to last, one entry per source (a
// record that stands for several sources in a row is there as often).
std::vector<DescrStruct*> Records(DirNode* folder) {
  std::vector<DescrStruct*> records;
  for (DescrStruct* record = folder->Data.get(); record != nullptr; record = record->Next.get()) {
    records.insert(records.end(), record->Repeats, record);
  }
  return records;
}

// Why an installer record that was read names no system: which groups lack
// which tags, and which complete groups the disc does not install.
std::string NoSystemReason(DescrStruct& record, const MasterFileLocations& masters,
                           std::string_view fileName) {
  if (masters.Resolve().empty()) {
    return "no master file Zscdinst.ini is found, so no system can be named";
  }
  // Sets InstAllFlags: which groups the disc installs.
  SupportedOSText(record, masters);
  std::vector<std::string> details;
  bool listsAny = false;
  for (int g = 0; g < kOSGroupCount; ++g) {
    const OSGroup& group = OSGroups()[g];
    std::vector<std::string> missing;
    for (int member : group.members) {
      if (record.OSTagFlags[member] == 1) {
        listsAny = true;
      } else {
        missing.emplace_back(OSTagTable[member]);
      }
    }
    const bool installed = record.InstAllFlags[g] == 1;
    if (installed && !missing.empty() && missing.size() < group.members.size()) {
      details.push_back("adding " + Join(missing, ", ") + " would make " + std::string(group.text) +
                        " qualify");
    } else if (!installed && missing.empty()) {
      details.push_back("it lists every " + std::string(group.text) +
                        " tag, but the disc's Zscdinst.ini does not install " +
                        std::string(group.text));
    }
  }
  if (!listsAny) {
    details.insert(details.begin(), std::string(fileName) + " lists none of the 36 OS tags in [" +
                                        std::string(kOSTagSection) + "]");
  } else if (details.empty()) {
    details.push_back("the tags it lists belong only to groups the disc does not install");
  }
  return "no OS group qualifies (" + Join(details, "; ") + ")";
}

// One install source as the check sees it.
struct SourceState {
  bool outside = false;
  bool exists = false;
  bool readable = false;
  std::string name;    // how the messages name it: as written, or the package file's name
  std::string reason;  // why it cannot be read
  std::optional<std::string> encoding;
  IniFile ini;
};

class PackageChecker {
 public:
  PackageChecker(const PackageCheckContext& context, DirNode* folder, bool staysChecked,
                 std::vector<Finding>& findings)
      : context_(context),
        tree_(context.tree),
        folder_(folder),
        staysChecked_(staysChecked),
        findings_(findings),
        path_(DiscRelativePath(context.tree, folder)) {}

  void Run() {
    if (const std::optional<std::string> readme = tree_.FindFile(folder_, kReadmeIni)) {
      CheckSingleFile(*readme, false);
    } else if (const std::optional<std::string> app = tree_.FindFile(folder_, kAppSetupIni)) {
      CheckSingleFile(*app, true);
    } else if (const std::optional<std::string> zolt = tree_.FindFile(folder_, kZoltSetupIni)) {
      CheckSetupPackage(*zolt);
    }
  }

 private:
  void Add(Severity severity, std::string_view code, std::string message) {
    Finding finding;
    finding.severity = severity;
    finding.code = std::string(code);
    finding.path = path_;
    finding.message = std::move(message);
    finding.node = folder_;
    findings_.push_back(std::move(finding));
  }

  // The folder's line: "no description" with the reason and what Compact
  // then does. Put before the folder's other findings.
  void AddNoDescription(const std::string& packageFile, const std::string& reason) {
    std::string message = packageFile + " gives the folder's line no description: " + reason;
    message += staysChecked_
                   ? "; the folder stays in the list as a bare name above its checked sub-folders"
                   : "; Compact drops the folder from the list";
    Finding finding;
    finding.severity = Severity::Error;
    finding.code = std::string(check_code::kNoDescription);
    finding.path = path_;
    finding.message = std::move(message);
    finding.node = folder_;
    findings_.insert(findings_.begin() + static_cast<std::ptrdiff_t>(firstFinding_),
                     std::move(finding));
  }

  bool FirstRecordUndescribed() const {
    return folder_->Data != nullptr && folder_->Data->EntryText.empty();
  }

  // Reads a package file and reports it when it cannot be read or its
  // encoding hides part of it. `consequence` says what the list loses when
  // it cannot be read.
  PackageFile ReadReported(const std::string& path, const std::string& name,
                           const std::string& consequence, std::string* encoding = nullptr) {
    PackageFile file = ReadPackageFile(path);
    if (!file.readable) {
      Add(Severity::Error, check_code::kUnreadable,
          name + " cannot be read (" + file.reason + "); " + consequence);
      return file;
    }
    std::string problem = EncodingProblem(name, file.bytes);
    if (!problem.empty()) Add(Severity::Warning, check_code::kEncoding, problem);
    if (encoding != nullptr) *encoding = std::move(problem);
    return file;
  }

  // A tool (Readme.ini) or application (AppSetup.ini) package: one file,
  // one record.
  void CheckSingleFile(const std::string& path, bool application) {
    const std::string name = LastComponent(path);
    std::string encoding;
    const PackageFile file =
        ReadReported(path, name,
                     application ? "the folder's line shows no name and no version"
                                 : "the folder's line gets no description",
                     &encoding);
    DescrStruct* record = folder_->Data.get();
    if (record == nullptr) return;
    if (application && file.readable && record->SetupVersion.empty()) {
      Add(Severity::Warning, check_code::kNoVersion,
          name +
              " has no Version in [Setup]; the folder's line shows a bare \"V\" without a version");
    }
    if (!FirstRecordUndescribed()) return;
    std::string reason;
    if (!file.readable) {
      reason = name + " cannot be read";
    } else if (!encoding.empty()) {
      reason = encoding;
    } else if (application) {
      reason = name + " gives neither a name nor a version";
    } else {
      reason = name + " gives none of Tool_Name, Tool_Version and Description in [Information]";
    }
    AddNoDescription(name, reason);
  }

  void CheckSetupPackage(const std::string& setupPath) {
    const std::string setupName = LastComponent(setupPath);
    std::string setupEncoding;
    const PackageFile setupFile =
        ReadReported(setupPath, setupName,
                     "its install sources are not known, so the folder's line gets no description",
                     &setupEncoding);
    const IniFile setup = setupFile.readable ? IniFile::FromBytes(setupFile.bytes) : IniFile();
    const std::vector<SetupSource> sources = ListSetupSources(tree_, folder_, setupPath, setup);

    const std::optional<std::string> englishPath = tree_.FindFile(folder_, kEnglishIni);
    if (!englishPath) {
      Add(Severity::Error, check_code::kNoEnglishFile,
          setupName +
              " has no English.ini beside it; the package's title, version, systems and "
              "certification are not read, so its lines get no description");
    }

    const std::string installType = setup.Get("Root", "InstallType", "");
    if (setupFile.readable && installType == "4" && sources.empty()) {
      Add(Severity::Error, check_code::kMissingSource,
          "[MultiInstall] of " + setupName + " yields no install source (no line holds \"Path" +
              PrimaryNumber(setup) + "\" and a comma); the package gets no description");
    }

    // Each source with the record read from it. The package file itself
    // (InstallType 0) is read already.
    files_.emplace(setupPath, ReadFile{setupFile, setupEncoding});
    const std::string section = installType == "4" ? "[MultiInstall]" : "[InstallPath]";
    const std::vector<DescrStruct*> records = Records(folder_);
    const bool chainFits = records.size() == std::max<std::size_t>(sources.size(), 1);
    std::vector<SourceState> states;
    states.reserve(sources.size());
    DriverFileCheck drivers(tree_, folder_,
                            [this](Severity severity, std::string_view code, std::string message) {
                              Add(severity, code, std::move(message));
                            });
    for (std::size_t i = 0; i < sources.size(); ++i) {
      states.push_back(InspectSource(sources[i], section, setupName, englishPath.has_value()));
      if (englishPath && chainFits && states.back().readable &&
          IsInstallerSource(sources[i].path)) {
        CheckInstallerRecord(*records[i], states.back());
        drivers.CheckRecord(*records[i], ClaimsWhql(*records[i]), states.back().name,
                            RecordInfFiles(tree_, folder_, sources[i]));
      }
    }

    bool englishReadable = false;
    std::string englishEncoding;
    if (englishPath) {
      const PackageFile english =
          ReadReported(*englishPath, LastComponent(*englishPath),
                       "the package's lines show \"...\" in place of its title", &englishEncoding);
      englishReadable = english.readable;
    }
    if (englishReadable && chainFits) {
      for (std::size_t i = 0; i < states.size(); ++i) {
        if (!states[i].readable || !IsInstallerSource(sources[i].path)) continue;
        if (records[i]->Title.empty()) {
          Add(Severity::Warning, check_code::kNoTitle,
              LastComponent(*englishPath) +
                  " has no Title in [Default]; the list shows \"...\" in place of the package's "
                  "name");
        }
        break;
      }
    }

    if (!FirstRecordUndescribed()) return;
    AddNoDescription(setupName, SetupReason(setupName, setupFile, setupEncoding, installType,
                                            sources, states, englishPath.has_value(), chainFits));
  }

  // The record's line in the list ends in "---(WHQL).", as Generate
  // composes it.
  bool ClaimsWhql(DescrStruct& record) const {
    if (record.WHQLStatus != "1") return false;
    if (record.EntryText.empty()) ComposeEntryText(record, context_.masters);
    return !record.EntryText.empty();
  }

  static bool IsInstallerSource(const std::string& path) {
    const std::string family = AsciiUpper(path);
    return family.find("README.INI") == std::string::npos &&
           family.find("APPSETUP.INI") == std::string::npos;
  }

  // The primary number of a multi-install package, as the source listing
  // reads it.
  static std::string PrimaryNumber(const IniFile& setup) {
    for (const std::string& line : setup.SectionLines("MultiInstall")) {
      if (line.find("PrimaryInstall") == std::string::npos) continue;
      const std::size_t equals = line.find('=');
      if (equals == std::string::npos) return {};
      return TrimIniBlanks(std::string_view(line).substr(equals + 1, 10));
    }
    return {};
  }

  // Where an install source leads, whether it is there, and its contents.
  // Each file is read and reported once, however many lines name it.
  SourceState InspectSource(const SetupSource& source, const std::string& section,
                            const std::string& setupName, bool installerRead) {
    SourceState state;
    state.name = source.written.empty() ? setupName : source.written;
    if (!source.written.empty() && OutsideDisc(tree_, folder_, source.path)) {
      state.outside = true;
      Add(Severity::Error, check_code::kOutsideDisc,
          "the install source " + source.written + " named in " + section + " of " + setupName +
              " leads outside the disc; it is not read, and its line in the list gets no "
              "description");
      return state;
    }
    state.exists = SourceExists(tree_, folder_, source.path);
    if (!state.exists) {
      Add(Severity::Error, check_code::kMissingSource,
          "the install source " + source.written + " named in " + section + " of " + setupName +
              " does not exist; its line in the list gets no description");
      return state;
    }
    auto known = files_.find(source.path);
    if (known == files_.end()) {
      ReadFile file;
      file.contents = ReadReported(source.path, state.name,
                                   "its line in the list gets no description", &file.encoding);
      known = files_.emplace(source.path, std::move(file)).first;
    }
    const ReadFile& file = known->second;
    state.readable = file.contents.readable;
    state.reason = file.contents.reason;
    if (!file.encoding.empty()) state.encoding = file.encoding;
    if (state.readable && installerRead) state.ini = IniFile::FromBytes(file.contents.bytes);
    return state;
  }

  // The findings of one installer-family record against the file it was
  // read from.
  void CheckInstallerRecord(DescrStruct& record, const SourceState& source) {
    const std::string& name = source.name;
    for (const std::string& key : source.ini.KeyNames(kOSTagSection)) {
      if (!IsKnownOSTag(key)) {
        Add(Severity::Warning, check_code::kUnknownOSTag,
            name + " lists " + key + " in [" + std::string(kOSTagSection) +
                "], which is not one of the 36 OS tags; the list ignores it");
      }
    }
    for (const OSGroup& group : OSGroups()) {
      std::vector<std::string> missing;
      for (int member : group.members) {
        if (record.OSTagFlags[member] != 1) missing.emplace_back(OSTagTable[member]);
      }
      if (missing.empty() || missing.size() == group.members.size()) continue;
      const std::size_t listed = group.members.size() - missing.size();
      Add(Severity::Warning, check_code::kPartialOSGroup,
          name + " lists " + std::to_string(listed) + " of the " +
              std::to_string(group.members.size()) + " " + std::string(group.text) + " tags (" +
              Join(missing, ", ") + (missing.size() == 1 ? " is" : " are") +
              " missing); the list does not name " + std::string(group.text) + " for it");
    }
    CheckCertification(record, name);
    if (record.Version.empty()) {
      Add(Severity::Warning, check_code::kNoVersion,
          name + " has no Version in [InstAllInfo]; its line in the list shows no version");
    }
  }

  // PassWHQL and PassVistaWHQL must give the status 0 or 1 (or none).
  void CheckCertification(const DescrStruct& record, const std::string& name) {
    const std::string& status = record.WHQLStatus;
    const bool both = !record.PassWHQL.empty() && !record.PassVistaWHQL.empty();
    std::string problem;
    if (both && status.empty()) {
      problem = "PassWHQL=" + record.PassWHQL + " and PassVistaWHQL=" + record.PassVistaWHQL +
                ", which are not both decimal integers";
    } else if (!status.empty() && status != "0" && status != "1") {
      if (both) {
        problem = "PassWHQL=" + record.PassWHQL + " and PassVistaWHQL=" + record.PassVistaWHQL +
                  ", which combine to " + status + ", neither 0 nor 1";
      } else {
        const char* key = record.PassWHQL.empty() ? "PassVistaWHQL" : "PassWHQL";
        problem = std::string(key) + "=" + status + ", which is neither 0 nor 1";
      }
    }
    if (problem.empty()) return;
    Add(Severity::Error, check_code::kBadWhql,
        name + " gives " + problem + "; its line in the list gets no certification suffix");
  }

  // Why the first record of an installer package has no text.
  std::string SetupReason(const std::string& setupName, const PackageFile& setupFile,
                          const std::string& setupEncoding, const std::string& installType,
                          const std::vector<SetupSource>& sources,
                          const std::vector<SourceState>& states, bool hasEnglish,
                          bool chainFits) const {
    if (!setupFile.readable) return setupName + " cannot be read";
    if (!hasEnglish) return "there is no English.ini beside " + setupName;
    if (sources.empty()) {
      std::string reason = setupName + " names no install source";
      if (installType == "4") {
        reason += " in [MultiInstall]";
      } else {
        reason += " (InstallType is " +
                  (installType.empty() ? std::string("missing") : installType) +
                  " and [InstallPath] holds no line with a comma)";
      }
      if (!setupEncoding.empty()) reason += "; " + setupEncoding;
      return reason;
    }
    const SourceState& first = states.front();
    const std::string firstName = sources.front().written.empty()
                                      ? "its install source " + first.name
                                      : "its first install source " + first.name;
    if (first.outside) return firstName + " leads outside the disc";
    if (!first.exists) return firstName + " does not exist";
    if (!first.readable) return firstName + " cannot be read (" + first.reason + ")";
    if (!IsInstallerSource(sources.front().path)) {
      return firstName + " is read as a tool or application file and gives no text";
    }
    std::string reason;
    if (chainFits) {
      reason = NoSystemReason(*folder_->Data, context_.masters, first.name);
    } else {
      reason = "the folder changed while it was analysed";
    }
    if (first.encoding) reason += "; " + *first.encoding;
    return reason;
  }

  const PackageCheckContext& context_;
  DirStructure& tree_;
  DirNode* folder_;
  const bool staysChecked_;
  std::vector<Finding>& findings_;
  const std::size_t firstFinding_ = findings_.size();
  const std::string path_;
  // The package's files read so far, by path.
  struct ReadFile {
    PackageFile contents;
    std::string encoding;
  };
  std::map<std::string, ReadFile> files_;
};

}  // namespace

void CheckPackageFolder(const PackageCheckContext& context, DirNode* folder, bool staysChecked,
                        std::vector<Finding>& findings) {
  if (folder == nullptr || folder->Data == nullptr || folder->IsFileLeaf) return;
  PackageChecker(context, folder, staysChecked, findings).Run();
}

}  // namespace cartulon
