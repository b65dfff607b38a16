#pragma once
// The description record of a package folder, filled from the package's INI
// files. A folder with several install sources has one record per source,
// chained through Next; the folder's node holds the first.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace cartulon {

inline constexpr int kOSTagCount = 36;
inline constexpr int kOSGroupCount = 10;

struct DescrStruct {
  std::string Title;
  std::string Version;
  std::string ToolName;
  std::string ToolVersion;
  std::string ToolDescription;
  std::string SetupName;
  std::string SetupVersion;
  std::string SetupOSText;
  std::array<std::uint8_t, kOSTagCount> OSTagFlags{};
  std::string EntryText;
  bool Enabled = true;
  std::string WHQLStatus;
  std::string PassWHQL;
  std::string PassVistaWHQL;
  std::unique_ptr<DescrStruct> Next;
  std::string LocalMasterPath;
  std::string CDMasterPath;
  std::array<std::uint8_t, kOSGroupCount> InstAllFlags{};
};

}  // namespace cartulon
