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
// single bytes (code points above 0xFF become '?'). A UTF-8 byte-order mark
// is not special: its three bytes stay at the start of the first line.
//
// A NUL byte does not end a line, but a name or value is cut at its first
// NUL, as the Windows "A" functions hand back C strings.
//
// A file is parsed once; every lookup then works on the parsed form, so a
// caller that needs several keys of one file opens it once. Texts of up to
// 4 GiB are read (the program reads no file of more than 64 MiB); the rest
// of a longer one is ignored.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace cartulon {

class IniFile {
 public:
  IniFile() = default;

  // Parses bytes held in memory (the result Exists()).
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
  // A piece of text_, so that parsing copies no names or values.
  struct Span {
    std::size_t pos = 0;
    std::size_t len = 0;
  };
  // One non-comment line of a section, trimmed: text_[begin, end). Its name
  // and value are cut from it when a lookup asks (Split), so that a file of
  // millions of short lines costs eight bytes a line beside its text.
  struct Entry {
    std::uint32_t begin = 0;
    std::uint32_t end = 0;
  };
  struct Parts {
    Span name;
    Span value;
    bool hasEquals = false;
  };
  // A header and its entries, entries_[firstEntry, endEntry).
  struct Section {
    Span name;
    std::size_t firstEntry = 0;
    std::size_t endEntry = 0;
  };

  void Adopt(std::string bytes);
  void Parse();
  // The span [pos, pos + len) of text_ cut at its first NUL, then trimmed.
  Span CutAndTrim(std::size_t pos, std::size_t len) const;
  Parts Split(std::size_t begin, std::size_t end) const;
  Parts Split(const Entry& entry) const { return Split(entry.begin, entry.end); }
  std::string_view View(Span span) const { return std::string_view(text_).substr(span.pos, span.len); }
  const Section* FindSection(std::string_view name) const;

  std::string text_;  // the file's text (after UTF-16 conversion)
  std::vector<Section> sections_;
  std::vector<Entry> entries_;
  bool exists_ = false;
};

}  // namespace cartulon
