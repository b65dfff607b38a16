#pragma once
// Lines of a written list at the default name-column width of 25, for tests
// of the rules that work on finished list lines.
#include <string>

namespace cartulon::test_support {

// A folder line without description: the name padded to the 25-byte column.
inline std::string Folder(const std::string& name) {
  return name.size() >= 25 ? name : name + std::string(25 - name.size(), ' ');
}

// An entry line: name column, "- " and the description.
inline std::string Entry(const std::string& name, const std::string& description) {
  return Folder(name) + "- " + description;
}

}  // namespace cartulon::test_support
