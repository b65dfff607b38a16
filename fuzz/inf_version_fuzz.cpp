// Fuzz target for the INF [Version] reader: parses the input as it is and
// as UTF-16 text, and checks what every answer must look like.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/inf_version.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

bool IsOneLine(std::string_view text) {
  return text.find_first_of("\r\n") == std::string_view::npos;
}

bool IsTrimmed(std::string_view text) {
  constexpr std::string_view blanks(" \t\v");
  return text.empty() || (blanks.find(text.front()) == std::string_view::npos &&
                          blanks.find(text.back()) == std::string_view::npos);
}

void Check(const cartulon::InfVersion& inf) {
  if (!inf.hasVersionSection) {
    Require(!inf.hasDriverVer && inf.catalogFiles.empty());
  }
  if (!inf.hasDriverVer) Require(inf.driverVer.empty() && inf.driverVersion.empty());
  Require(IsOneLine(inf.driverVer));
  Require(IsTrimmed(inf.driverDate) && IsTrimmed(inf.driverVersion));
  // The two fields come from the value: the date is its text before the
  // first comma, the version comes after it.
  Require(inf.driverDate.find(',') == std::string::npos);
  Require(inf.driverVer.find(inf.driverDate) != std::string::npos);
  Require(inf.driverVer.find(inf.driverVersion) != std::string::npos);
  for (const auto& [key, value] : inf.catalogFiles) {
    Require(!value.empty() && IsOneLine(value) && IsTrimmed(key));
    Require(key.size() >= 11);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  Check(cartulon::ParseInfVersion(input));
  // The same bytes behind a UTF-16 byte-order mark.
  std::string wide("\xFF\xFE");
  wide.append(input);
  Check(cartulon::ParseInfVersion(wide));
  return 0;
}
