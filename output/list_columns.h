#pragma once
// The columns of a FileList.txt entry line as the writer lays it out and the
// save rules and the CSV export take it apart. They follow the Indent (the
// width of the name column). Columns count from 1; at the default Indent of
// 25:
//
//   -Drivers                 - Zolt Chipset Driver V9.4 for Windows 7---(WHQL).
//   1                        26 28                                    ^ the status
//
// the name column 1 to 25, "- " at 26 and 27, the description from 28; a
// driver's description ends in a status of ten bytes. A list at another
// Indent k is the same list with a name column k wide: every column moves by
// k - 25.
//
// A name part as wide as the name column or wider is followed by two blanks
// instead, so its description starts right of the dash column. The rules and
// the export do not look for it there: they read such a line at the columns
// of its Indent, as they read a name of 25 bytes or more at Indent 25.
#include <algorithm>
#include <string>
#include <string_view>

namespace cartulon {

inline constexpr int kDefaultIndent = 25;

// "---(WHQL)." or "---(Beta).".
inline constexpr long long kDriverStatusLength = 10;

// The blanks after a name part of `nameLength` bytes: up to the Indent, or
// exactly two when the name part reaches it.
inline long long NamePaddingLength(long long indent, long long nameLength) {
  return indent > nameLength ? indent - nameLength : 2;
}

// The blanks between "-Contact" and the first contact line: Indent - 8 (8 is
// the length of the "-Ver.tag" line it replaces), or 4 when the Indent is
// below 8.
inline long long ContactGapLength(long long indent) { return indent < 8 ? 4 : indent - 8; }

struct ListColumns {
  long long nameWidth = kDefaultIndent;  // the name column is 1 .. nameWidth

  static ListColumns ForIndent(long long indent) { return ListColumns{std::max(indent, 0LL)}; }

  long long DashColumn() const { return nameWidth + 1; }         // where "- " stands
  long long DescriptionColumn() const { return nameWidth + 3; }  // the text after "- "

  // The text with the writer's padding after it: how a folder line without
  // description looks.
  std::string Padded(std::string_view text) const {
    std::string line(text);
    line.append(
        static_cast<std::size_t>(NamePaddingLength(nameWidth, static_cast<long long>(text.size()))),
        ' ');
    return line;
  }
};

}  // namespace cartulon
