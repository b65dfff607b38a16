#pragma once
// A reader for Windows private-profile (INI) files.
//
// It follows the behaviour of the Windows profile functions: lines end at CR,
// LF or both; blank lines are skipped; each line, name and value is trimmed of
// space, tab and vertical tab; a header starts with '[' and its name runs to
// the first ']' (or the end of the line); entries before the first header are
// unreachable; an entry name starting with ';' is a comment; section and key
// names compare ignoring ASCII case; only the first occurrence of a section is
// used; the first of duplicate keys wins. Text stays bytes (ANSI code page);
// a UTF-16LE byte-order mark means the file is UTF-16 and is converted to
// single bytes (code points above 0xFF become '?').
//
// A file is parsed once; every lookup then works on the parsed form, so a
// caller that needs several keys of one file opens it once.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace cartulon {

class IniFile {
 public:
  IniFile() = default;

  // Parses bytes held in memory.
  static IniFile FromBytes(std::string_view bytes);
  // Reads and parses a file; a missing or unreadable file gives an empty
  // IniFile whose Exists() is false.
  static IniFile Load(const std::string& path);

  bool Exists() const { return exists_; }

  // Value lookup: the value of the first matching key of the first matching
  // section, trimmed and with one pair of enclosing quotes removed; `def`
  // (returned exactly as given) when the section or key is missing or the key
  // line has no '='. Spaces (not tabs) around the arguments are ignored.
  std::string Get(std::string_view section, std::string_view key,
                  std::string_view def = {}) const;

  // Names of the section's entries that have a '=', in file order,
  // duplicates kept, comments left out. Empty for a missing section.
  std::vector<std::string> KeyNames(std::string_view section) const;

  // The section's entries as "name=value" (trimmed, quotes kept) or the bare
  // trimmed line for entries without '=', in file order, comments left out.
  std::vector<std::string> SectionLines(std::string_view section) const;

  // Names of all sections in file order, duplicates included, nameless
  // sections left out.
  std::vector<std::string> SectionNames() const;

 private:
  struct Entry {
    std::string name;
    std::string value;
    bool hasEquals = false;
    bool comment = false;
  };
  struct Section {
    std::string name;
    std::vector<Entry> entries;
  };
  const Section* FindSection(std::string_view name) const;

  std::vector<Section> sections_;
  bool exists_ = false;
};

}  // namespace cartulon
