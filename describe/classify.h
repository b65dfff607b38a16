#pragma once
// The two analysis passes that concern packages: the attach pass that gives
// every folder an empty record, and the classification pass that sets the
// starting check flags from folder names and marker files and fills each
// package's records from its INI files.
#include <string>
#include <string_view>
#include <vector>

#include "model/descr_struct.h"
#include "model/dir_structure.h"
#include "platform/ini_profile.h"
#include "platform/message_sink.h"

namespace cartulon {

// The files a package folder describes itself with.
inline constexpr std::string_view kReadmeIni = "Readme.ini";
inline constexpr std::string_view kAppSetupIni = "AppSetup.ini";
inline constexpr std::string_view kZoltSetupIni = "ZoltSetup.ini";
inline constexpr std::string_view kEnglishIni = "English.ini";

void AttachDescriptions(DirNode* node, int depthLimit);

// Reports "RootDir->Data should be initialized first" under the caption
// "TCartulon::ExtractDataOfDirTree" for a node without a record.
void ClassifyPackages(DirStructure& tree, DirNode* node, int depthLimit, MessageSink& messages);

// The INI files that describe the folder, one per record, in record order.
std::vector<std::string> ListDescriptionSources(DirStructure& tree, DirNode* folder);

// One install source that a ZoltSetup.ini names.
struct SetupSource {
  std::string path;     // the file the record is read from
  std::string written;  // as the line writes it, after its first comma, blanks removed;
                        // empty for the package file itself (InstallType 0)
  std::string line;     // the key=value line that names it; empty for the package file
};
// The sources of a folder whose package file is the parsed ZoltSetup.ini at
// `setupPath`, one per record, in record order (what ListDescriptionSources
// gives for such a folder, with the text that names each).
std::vector<SetupSource> ListSetupSources(const DirStructure& tree, DirNode* folder,
                                          const std::string& setupPath, const IniFile& setup);
// True when a file the description pass would read for `folder` lies
// outside the disc: its path climbs above the root as written, or it
// resolves, links followed, to a place outside the root's real location.
// Such a file is not read.
bool OutsideDisc(const DirStructure& tree, DirNode* folder, const std::string& path);
// True when a source of the folder exists as the classification sees it.
bool SourceExists(const DirStructure& tree, DirNode* folder, const std::string& source);
void ExtendRecordChain(DescrStruct& record, int n);
void LoadFolderDescription(DirStructure& tree, DescrStruct& record, DirNode* folder);
// englishFile is the package's English.ini, or empty when the folder's
// family takes none.
void ReadDescriptionSource(DescrStruct& record, const std::string& sourcePath,
                           const std::string& englishFile);

// Combines PassWHQL and PassVistaWHQL into the certification status: the
// one that is set when the other is empty; when both are set, their bitwise
// AND in decimal, or empty when either is not a decimal integer (optional
// sign, digits only, signed 32-bit).
std::string CombineWhqlStatus(const std::string& passWhql, const std::string& passVistaWhql);

}  // namespace cartulon
