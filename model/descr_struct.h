#pragma once
// The description record of a package folder, filled from the package's INI
// files. A folder with several install sources has one record per source,
// chained through Next; the folder's node holds the first. Sources named
// on consecutive install lines by the same file share one record, which
// counts them in Repeats (its list line is written that many times).
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>

namespace cartulon {

inline constexpr int kOSTagCount = 36;
inline constexpr int kOSGroupCount = 10;

struct DescrStruct {
  DescrStruct() = default;
  DescrStruct(DescrStruct&&) noexcept = default;
  DescrStruct& operator=(DescrStruct&&) noexcept = default;
  // Frees the records chained behind this one in a loop, so that a chain
  // of any length is released without one call level per record.
  ~DescrStruct() {
    std::unique_ptr<DescrStruct> rest = std::move(Next);
    while (rest) rest = std::move(rest->Next);
  }

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
  // The record's install source lies outside the disc root (through ".."
  // or a link): it was not read and the record stays empty.
  bool SourceOutsideDisc = false;
  // How many consecutive sources of the chain this record stands for: one,
  // or more when install lines in a row name the same file.
  std::size_t Repeats = 1;
};

}  // namespace cartulon
