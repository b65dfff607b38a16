// Fuzz target for the driver CSV export: the input is split into lines as
// FileList.txt is read, the Drivers section becomes rows, and every line is
// also composed into a row on its own. A row always has the four fields
// (three separating commas at least) and the file bytes end each row with
// CR LF.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "output/driver_csv.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

bool HasFourFields(const std::string& row) {
  std::size_t commas = 0;
  for (char c : row) commas += c == ',' ? 1 : 0;
  return commas >= 3;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> lines = cartulon::SplitTextLines(text);
  for (const std::string& line : lines) {
    Require(line.find_first_of("\r\n") == std::string::npos);
    const std::string row = cartulon::ComposeDriverRow(line);
    Require(HasFourFields(row));
    const cartulon::DriverInfo info = cartulon::ParseDriverLine(line);
    Require(info.DriverName.size() <= 60 && info.SupportedOS.size() <= 100);
  }

  std::vector<std::string> rows;
  if (cartulon::BuildDriverRows(lines, rows)) {
    Require(rows.size() <= lines.size());
    std::size_t expected = 0;
    for (const std::string& row : rows) {
      Require(HasFourFields(row));
      expected += row.size() + 2;
    }
    Require(cartulon::CsvBytes(rows).size() == expected);
  } else {
    Require(rows.empty());
  }
  return 0;
}
