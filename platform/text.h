#pragma once
// Small helpers for text kept as bytes.
#include <string>
#include <string_view>
#include <vector>

namespace cartulon {

// Without surrounding blanks (space, tab, vertical tab), as INI values are.
std::string TrimBlanks(std::string_view text);

// Splits text into lines: CR, LF or CR LF end a line, the last line needs no
// line end, an ending at the very end adds no empty line, and empty lines in
// between are kept.
std::vector<std::string> SplitTextLines(std::string_view bytes);

}  // namespace cartulon
