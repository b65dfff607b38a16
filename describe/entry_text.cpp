#include "describe/entry_text.h"

#include <string>
#include <utility>

namespace cartulon {

namespace {

// Stand-alone tools (Readme.ini): name, version and free description, each
// left out with its separator when empty.
std::string ToolFamilyText(const DescrStruct& record) {
  const std::string& name = record.ToolName;
  const std::string& version = record.ToolVersion;
  const std::string& description = record.ToolDescription;
  std::string text = "- ";
  if (!name.empty()) {
    text += name;
    if (!version.empty()) text += " V" + version;
    if (!description.empty()) text += " " + description;
  } else if (!version.empty()) {
    text += "V" + version;
    if (!description.empty()) text += " " + description;
  } else {
    text += description;
  }
  return text;
}

// Installer packages: a missing title shows as "...".
std::string InstallerFamilyText(const DescrStruct& record, const std::string& os) {
  std::string text = "- ";
  text += record.Title.empty() ? std::string("...") : record.Title;
  if (!record.Version.empty()) text += " V" + record.Version;
  text += " for Windows ";
  text += os;
  return text;
}

}  // namespace

void ComposeEntryText(DescrStruct& record, const MasterFileLocations& masters) {
  std::string text;
  if (!record.ToolName.empty() || !record.ToolVersion.empty() ||
      !record.ToolDescription.empty()) {
    text = ToolFamilyText(record);
  } else if (!record.SetupOSText.empty()) {
    // Name and version are used whatever they hold, empty included.
    text = "- " + record.SetupName + " V" + record.SetupVersion + record.SetupOSText;
  } else if (CanQualifyForAnyOSGroup(record)) {
    // The master file is only read for a record whose tags can give an OS
    // text; the preview composes every undescribed folder again at each
    // regeneration, and those would otherwise read it each time for nothing.
    // The OS text is computed once: a second read would give the same text.
    const std::string os = SupportedOSText(record, masters);
    if (!os.empty()) text = InstallerFamilyText(record, os);
  }

  if (!text.empty()) {
    if (record.WHQLStatus == "1") {
      text += "---(WHQL).";
    } else if (record.WHQLStatus == "0") {
      text += "---(Beta).";
    } else if (record.WHQLStatus.empty()) {
      text += ".";
    }
    // Any other status (such as 3, two statuses combined) adds nothing.
  }
  record.EntryText = std::move(text);
}

}  // namespace cartulon
