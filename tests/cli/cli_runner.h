#pragma once
// Runs the built cartulon-cli as a child process with its standard output
// and standard error captured, and small helpers the command's tests share:
// file reading, folder listing, CRLF text building and a small disc that
// the tests build in a scratch folder.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "support/temp_disc.h"
#include "support/test_system.h"

namespace cartulon::cli_test {

using CliResult = test_support::ProcessResult;
using RunSettings = test_support::ProcessSettings;

inline std::optional<std::string> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool Exists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(std::filesystem::symlink_status(path, ec));
}

// Names of the entries of a folder, sorted.
inline std::vector<std::string> FolderNames(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Runs the command with `args` (without the program name). Standard input
// is empty. A child killed by a signal gives 128 + the signal number.
inline CliResult RunCli(const std::vector<std::string>& args, const RunSettings& settings = {}) {
  return test_support::RunProcess(CARTULON_CLI, args, settings);
}

inline std::string Blanks(std::size_t n) { return std::string(n, ' '); }

// The eight Windows 7 tags (the four 32-bit ones first).
inline std::string Win7Tags(bool with64 = true) {
  std::string text = "WNT_6.1P_32=1\r\nWNT_6.1P_32_MCE=1\r\nWNT_6.1H_32=1\r\nWNT_6.1H_32_MCE=1\r\n";
  if (with64)
    text += "WNT_6.1P_64=1\r\nWNT_6.1P_64_MCE=1\r\nWNT_6.1H_64=1\r\nWNT_6.1H_64_MCE=1\r\n";
  return text;
}

// A small disc: a master file installing Windows 7 32 and 64 bit, the board
// name Q1-Test, a WHQL chipset driver for both widths, a beta network driver
// for 32 bit only, one tool with a Readme.ini, and the root file Ver.tag.
inline void WriteSmallDisc(const TempDir& dir, const std::string& disc = "disc") {
  dir.WriteFile(disc + "/Bin/Zscdinst.ini",
                Crlf({"[OS_Language_Tag]", "WNT_6.1P_32=Win7x86 ; 32-bit", "WNT_6.1P_64=Win7x64",
                      "", "[InstAll]", "Win7x86=1", "Win7x64=1", "", "[ConditionTable]", "Number=1",
                      "Cond(0)=MB_NAME=Q1-Test"}));
  dir.WriteFile(disc + "/Bin/English.ini", Crlf({"[Default]", "<%1>=Q1-Test"}));
  dir.WriteFile(disc + "/Drivers/Chipset/ZoltSetup.ini",
                Crlf({"[Root]", "InstallType=0", "[InstAllInfo]", "Version=1.2.3", "PassWHQL=1",
                      "[OS_Language_Tag]"}) +
                    Win7Tags());
  dir.WriteFile(disc + "/Drivers/Chipset/English.ini",
                Crlf({"[Default]", "Title=Zoltek Chipset Driver"}));
  dir.WriteFile(disc + "/Drivers/Net/ZoltSetup.ini",
                Crlf({"[Root]", "InstallType=0", "[InstAllInfo]", "Version=4.5", "PassWHQL=0",
                      "[OS_Language_Tag]"}) +
                    Win7Tags(false));
  dir.WriteFile(disc + "/Drivers/Net/English.ini", Crlf({"[Default]", "Title=Zoltek Net Driver"}));
  dir.WriteFile(disc + "/Software/Tool/Readme.ini",
                Crlf({"[Information]", "Tool_Name=Zolt Tool", "Tool_Version=2.0",
                      "Description=Handy helper"}));
  dir.WriteFile(disc + "/Ver.tag", Crlf({"Q1-Test 1.0"}));
}

// The lines of the carried contact template as the source tree holds it
// (CR, LF or both end a line; the last line needs no line end).
inline std::vector<std::string> CarriedContactLines() {
  const std::string bytes =
      ReadBytes(std::string(CARTULON_EXAMPLES) + "/../resources/TECHSUPP.ini").value_or("");
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(line);
      line.clear();
      if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

// A three-line contact block for the small disc.
inline std::string SmallContact() {
  return Crlf({"ZOLTEK COMPUTER INC.", "", "Web site: www.zoltek.example"});
}

}  // namespace cartulon::cli_test
