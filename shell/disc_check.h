#pragma once
// The disc check: why a package is missing from the list or described wrong.
// It looks at a tree built by the same analysis, layout rules and
// classification as a list run, composes the descriptions as Generate does
// and foresees what Compact does, and reports each problem as a finding
// with a stable code.
#include <string>
#include <string_view>
#include <vector>

#include "describe/os_tags.h"
#include "model/dir_structure.h"

namespace cartulon {

enum class Severity { Error, Warning };

// The codes are part of the check's interface: build scripts act on them.
namespace check_code {
inline constexpr std::string_view kNoDescription = "no-description";
inline constexpr std::string_view kNoEnglishFile = "no-english-file";
inline constexpr std::string_view kMissingSource = "missing-source";
inline constexpr std::string_view kOutsideDisc = "outside-disc";
inline constexpr std::string_view kBadWhql = "bad-whql";
inline constexpr std::string_view kBadName = "bad-name";
inline constexpr std::string_view kUnreadable = "unreadable";
inline constexpr std::string_view kPartialOSGroup = "partial-os-group";
inline constexpr std::string_view kUnknownOSTag = "unknown-os-tag";
inline constexpr std::string_view kNoTitle = "no-title";
inline constexpr std::string_view kNoVersion = "no-version";
inline constexpr std::string_view kUnmatchedRule = "unmatched-rule";
inline constexpr std::string_view kCaseCollision = "case-collision";
inline constexpr std::string_view kEncoding = "encoding";
inline constexpr std::string_view kMasterFile = "master-file";
inline constexpr std::string_view kLongPath = "long-path";
inline constexpr std::string_view kInfVersion = "inf-version";
inline constexpr std::string_view kBadInf = "bad-inf";
inline constexpr std::string_view kWhqlUnproven = "whql-unproven";
}  // namespace check_code

struct Finding {
  Severity severity = Severity::Error;
  std::string code;
  // The folder the finding is about, relative to the disc root with the
  // disc's "\" delimiters ("Drivers\LAN"; "." for the root itself); for a
  // finding about the rules file, the key as the file writes it.
  std::string path;
  std::string message;
  // The tree node the finding is about; null for rules-file findings. Valid
  // as long as the tree.
  const DirNode* node = nullptr;
};

// An entry the scan leaves out of the tree.
enum class LeftOutReason {
  BadName,
  LinkLoop,
  OutsideDisc,
  LongPath,
  ListingFailed,
  NotInCodePage,
  WindowsName
};
struct LeftOutEntry {
  std::string folderPath;  // FullPath of the folder that holds the entry
  std::string name;        // the entry's name as the folder lists it
  LeftOutReason reason = LeftOutReason::BadName;
  std::string detail = {};  // ListingFailed: the system's reason; WindowsName: what is wrong
};

// The scan's own record of left-out entries as LeftOutEntry values: any
// type with folderPath, name, detail and a reason whose enumerators are
// those of LeftOutReason.
template <class Skipped>
std::vector<LeftOutEntry> AsLeftOutEntries(const std::vector<Skipped>& skipped) {
  std::vector<LeftOutEntry> entries;
  entries.reserve(skipped.size());
  for (const Skipped& entry : skipped) {
    using Reason = decltype(entry.reason);
    LeftOutReason reason = LeftOutReason::BadName;
    if (entry.reason == Reason::LinkLoop) reason = LeftOutReason::LinkLoop;
    if (entry.reason == Reason::OutsideDisc) reason = LeftOutReason::OutsideDisc;
    if (entry.reason == Reason::LongPath) reason = LeftOutReason::LongPath;
    if (entry.reason == Reason::ListingFailed) reason = LeftOutReason::ListingFailed;
    if (entry.reason == Reason::NotInCodePage) reason = LeftOutReason::NotInCodePage;
    if (entry.reason == Reason::WindowsName) reason = LeftOutReason::WindowsName;
    entries.push_back(LeftOutEntry{entry.folderPath, entry.name, reason, entry.detail});
  }
  return entries;
}

struct CheckInputs {
  // The rules file the analysis applied (FileList_Exp.ini); a missing file
  // has no keys to check.
  std::string rulesFilePath;
  // Where the master file is looked for, as the list run composes with.
  MasterFileLocations masters;
};

// Checks a tree as RunAnalysis returns it, before Compact: the check states
// are those the layout rules and the classification leave. Puts the root's
// children in display order (as binding the tree does) and composes the
// descriptions of the folders the list shows, as Generate would, but
// leaves every check state as it was. The findings come in display order:
// the rules file's first, then each folder's, errors before warnings.
std::vector<Finding> CheckDisc(DirStructure& tree, const CheckInputs& inputs);

// Findings for the entries the scan left out: bad-name for a name the disc's
// home file system cannot hold or the run's code page cannot write (the
// latter's name written as \xHH), outside-disc for a folder link leading out
// of the disc, long-path for a folder this system cannot open, unreadable
// for a folder whose listing broke off. A link into an ancestor is not a
// fault of the disc and gives none. Each finding belongs to the folder that
// holds the entry.
std::vector<Finding> LeftOutFindings(const DirStructure& tree,
                                     const std::vector<LeftOutEntry>& entries);

// A node's path relative to the tree's root, with "\" delimiters, as the
// list writes it: the names of the node and the folders above it below the
// root, in the run's code page; "." for the root.
std::string DiscRelativePath(const DirStructure& tree, const DirNode* node);

}  // namespace cartulon
