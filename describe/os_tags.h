#pragma once
// The operating-system tags that installer packages list, and the
// supported-OS text built from a record's tags and the disc's master file.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/descr_struct.h"
#include "platform/ini_profile.h"

namespace cartulon {

// The 36 tags in their fixed order; OSTagFlags are indexed by it.
extern const std::array<std::string_view, kOSTagCount> OSTagTable;

// One Windows version and width. A package supports the group when it lists
// every member tag; the disc installs for it when the master file maps the
// key tag to an InstAll entry of "1".
struct OSGroup {
  std::string_view keyTag;
  std::vector<int> members;  // indices into OSTagTable
  std::string_view text;     // "Win7 32bit"
};

// The ten groups in InstAllFlags order: XP 32-bit, XP 64-bit, then Vista,
// Windows 7, Windows 8 and Windows 8.1, 32-bit before 64-bit.
const std::array<OSGroup, kOSGroupCount>& OSGroups();

// Where the master file Zscdinst.ini is looked for: beside the program first,
// then in the disc's Bin folder.
struct MasterFileLocations {
  std::string programFolder;  // folder of the program file, no trailing delimiter needed
  std::string cdMasterPath;   // <disc root>/Bin/Zscdinst.ini, fixed at start-up
  // The master file to read: programFolder/Zscdinst.ini when it exists,
  // else cdMasterPath when it exists, else empty. The file name (and, below
  // the disc root, the Bin folder) is found by the letter-case rule when the
  // exact path is missing.
  std::string Resolve() const;
  std::string LocalMasterPath() const;
  // What the start-up says when neither file exists:
  // "<cdMasterPath> or \n<program folder>/Zscdinst.ini not found!"
  std::string MissingMessage() const;

  // The master file as a run reads it: once, before the analysis (Load).
  // Shared by every copy of these locations; null until Load ran, and every
  // query then looks on the disc itself.
  struct Reading {
    std::string path;     // empty: neither file exists
    IniFile file;         // not Exists() when it could not be read
    std::string problem;  // then why: "is not a regular file", ...
    // Per OS group: the master file installs it (see SupportedOSText).
    std::array<std::uint8_t, kOSGroupCount> installs{};
  };
  std::shared_ptr<const Reading> reading = nullptr;

  // Finds the master file and reads it, once for the run: from then on
  // Resolve and Contents answer from that reading without touching the
  // disc, also when the file found could not be read (Reading::problem
  // then says why, and Load returns false). A missing file is no problem
  // here: Resolve() then stays empty.
  bool Load();
  // The parsed master file: the run's reading, or the file Resolve() finds
  // read afresh; an empty IniFile when there is none.
  std::shared_ptr<const IniFile> Contents() const;
};

// The cdMasterPath for a disc root as typed in the path box: the root, a
// delimiter unless it already ends in one, then Bin/Zscdinst.ini. An empty
// root gives the relative path Bin/Zscdinst.ini.
std::string BuildCDMasterPath(std::string_view rootText);

// Rewrites the record's InstAllFlags, LocalMasterPath and CDMasterPath and
// returns the supported-OS text, e.g. "XP 32bit & Win7 32bit & Win7 64bit".
// Reads the master file through Contents(). Empty when neither master file
// exists.
std::string SupportedOSText(DescrStruct& record, const MasterFileLocations& masters);

// True when the record lists every member tag of at least one OS group, so
// that SupportedOSText can give a non-empty text for it on some disc. A
// record for which this is false always gets the empty text.
bool CanQualifyForAnyOSGroup(const DescrStruct& record);

}  // namespace cartulon
