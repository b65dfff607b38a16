#pragma once
// Lines of a written list at the default name-column width of 25, for tests
// of the rules that work on finished list lines.
#include <string>

#include "output/list_columns.h"
#include "platform/text.h"

namespace cartulon::test_support {

// A folder line without description: the name padded to the 25-byte column.
inline std::string Folder(const std::string& name) {
  return name.size() >= 25 ? name : name + std::string(25 - name.size(), ' ');
}

// An entry line: name column, "- " and the description.
inline std::string Entry(const std::string& name, const std::string& description) {
  return Folder(name) + "- " + description;
}

// A line of a list written at Indent `from` with its name column made `to`
// wide, padded as the writer pads a name part; an empty line stays empty.
inline std::string Repadded(const std::string& line, int from, int to) {
  if (line.empty()) return line;
  const std::string name(TrimRightSpaceAndControls(CopyAt(line, 1, from)));
  return ListColumns::ForIndent(to).Padded(name) + std::string(CopyAt(line, from + 1, 1 << 20));
}

}  // namespace cartulon::test_support
