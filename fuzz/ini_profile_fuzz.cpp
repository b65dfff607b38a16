// Fuzz target for the INI reader: parses the input, then asks for sections
// and keys whose names come from the parsed file and from the raw input, and
// checks what every answer must look like.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ini_profile.h"

namespace {

constexpr std::size_t kMaxQueries = 16;

void Require(bool condition) {
  if (!condition) std::abort();
}

// A name or value handed out by the reader is one line, NUL-free, and
// (for names) trimmed of the blanks the reader trims.
bool IsOneLine(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

bool IsTrimmed(std::string_view text) {
  constexpr std::string_view blanks(" \t\v");
  return text.empty() ||
         (blanks.find(text.front()) == std::string_view::npos &&
          blanks.find(text.back()) == std::string_view::npos);
}

void ExerciseSection(const cartulon::IniFile& ini, std::string_view section,
                     std::string_view input, std::size_t maxSize) {
  const std::vector<std::string> keys = ini.KeyNames(section);
  const std::vector<std::string> lines = ini.SectionLines(section);
  Require(lines.size() >= keys.size());
  for (const std::string& line : lines) Require(IsOneLine(line) && IsTrimmed(line) && line.size() <= maxSize);
  for (std::size_t i = 0; i < keys.size() && i < kMaxQueries; ++i) {
    Require(IsOneLine(keys[i]) && IsTrimmed(keys[i]));
    Require(keys[i].empty() || keys[i].front() != ';');
    // A listed key usually has a value; the default comes back (exactly as
    // given) only when an earlier line of the same name has no '='.
    const std::string value = ini.Get(section, keys[i], "\n");
    if (value == "\n") {
      Require(ini.Get(section, keys[i], "x y ") == "x y ");
    } else {
      Require(IsOneLine(value) && value.size() <= maxSize);
    }
    // Surrounding spaces of the arguments do not matter. (Built by appending:
    // GCC 12 at -O3 warns falsely about " " + std::string.)
    std::string paddedSection(" ");
    paddedSection.append(section).append(" ");
    std::string paddedKey(" ");
    paddedKey.append(keys[i]).append(" ");
    Require(ini.Get(paddedSection, paddedKey, "\n") == value);
  }
  // Keys taken from slices of the raw input.
  for (std::size_t i = 0; i < kMaxQueries && i < input.size(); ++i) {
    const std::size_t length = static_cast<unsigned char>(input[i]) % 24;
    const std::string value = ini.Get(section, input.substr(i, length), "\n");
    Require(value == "\n" || (IsOneLine(value) && value.size() <= maxSize));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const cartulon::IniFile ini = cartulon::IniFile::FromBytes(input);
  Require(ini.Exists());

  const std::vector<std::string> sections = ini.SectionNames();
  for (std::size_t i = 0; i < sections.size() && i < kMaxQueries; ++i) {
    Require(!sections[i].empty() && IsOneLine(sections[i]) && IsTrimmed(sections[i]));
    ExerciseSection(ini, sections[i], input, size);
  }
  // The nameless section, and section names cut from the input's first line.
  ExerciseSection(ini, "", input, size);
  const std::string_view firstLine = input.substr(0, input.find_first_of("\r\n"));
  for (std::size_t i = 0; i < firstLine.size() && i < 4; ++i) {
    ExerciseSection(ini, firstLine.substr(i, 1 + firstLine.size() / 2), input, size);
  }
  return 0;
}
