#pragma once
// The columns of a FileList.txt entry line as the save rules and the CSV
// export take it apart. They assume the default Indent of 25 whatever the
// list was written with. Columns count from 1:
//
//   -Drivers                 - Zolt Chipset Driver V9.4 for Windows 7---(WHQL).
//   1                        26 28                                    ^ the status
//
// the name column 1 to 25, "- " at 26 and 27, the description from 28; a
// driver's description ends in a status of ten bytes.
#include <string>
#include <string_view>

namespace cartulon {

inline constexpr long long kNameColumnWidth = 25;
inline constexpr long long kDashColumn = 26;  // where "- " stands
inline constexpr long long kDescriptionColumn = 28;

// "---(WHQL)." or "---(Beta).".
inline constexpr long long kDriverStatusLength = 10;

// The text padded with spaces to the width of the name column (unchanged
// when it is that wide already): how a folder line without description
// looks.
inline std::string PadToNameColumn(std::string_view text) {
  std::string line(text);
  if (line.size() < static_cast<std::size_t>(kNameColumnWidth)) {
    line.resize(static_cast<std::size_t>(kNameColumnWidth), ' ');
  }
  return line;
}

}  // namespace cartulon
