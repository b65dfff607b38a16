#include "platform/ini_profile.h"

#include <optional>
#include <utility>

#include "platform/input_files.h"
#include "platform/text.h"

namespace cartulon {

namespace {

// Lines, names and values lose the INI blanks (IsIniBlank) around them, the
// blanks the Windows profile functions trim; form feed and Ctrl-Z are not
// among them. Section and key names compare ignoring ASCII letter case.

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

// Callers' section and key arguments lose surrounding spaces only; a tab
// around an argument is part of the name asked for.
std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// One pair of matching enclosing quotes goes; nothing else is unquoted.
std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

IniFile IniFile::FromBytes(std::string_view bytes) {
  IniFile ini;
  ini.Adopt(std::string(bytes));
  return ini;
}

IniFile IniFile::Load(const std::string& path) {
  // Only plain files of a sane size are read: a folder, a device, a pipe or
  // an oversized file gives "no file".
  std::optional<std::string> bytes = ReadInputFile(path);
  if (!bytes) return IniFile();
  IniFile ini;
  ini.Adopt(std::move(*bytes));
  return ini;
}

void IniFile::Adopt(std::string bytes) {
  exists_ = true;
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xFE) {
    text_ = NarrowUtf16Le(std::string_view(bytes).substr(2));
  } else {
    text_ = std::move(bytes);
  }
  Parse();
}

IniFile::Span IniFile::CutAndTrim(std::size_t pos, std::size_t len) const {
  const std::string_view text(text_);
  const std::size_t nul = text.substr(pos, len).find('\0');
  if (nul != std::string_view::npos) len = nul;
  while (len > 0 && IsIniBlank(text[pos])) {
    ++pos;
    --len;
  }
  while (len > 0 && IsIniBlank(text[pos + len - 1])) --len;
  return Span{pos, len};
}

IniFile::Parts IniFile::Split(std::size_t begin, std::size_t end) const {
  const std::string_view text(text_);
  Parts parts;
  std::size_t equals = begin;
  while (equals < end && text[equals] != '=') ++equals;
  if (equals == end) {
    parts.name = CutAndTrim(begin, end - begin);
  } else {
    parts.name = CutAndTrim(begin, equals - begin);
    parts.value = CutAndTrim(equals + 1, end - equals - 1);
    parts.hasEquals = true;
  }
  return parts;
}

// One pass over the text; every entry is kept as the bounds of its line.
void IniFile::Parse() {
  if (text_.size() > UINT32_MAX) text_.resize(UINT32_MAX);
  const std::string_view text(text_);
  const std::size_t size = text.size();
  // At most one entry per line break and one more: reserved once, so that
  // the list never grows by copying (pages never filled take no memory).
  std::size_t breaks = 0;
  for (char c : text) breaks += IsLineBreak(c) ? 1 : 0;
  entries_.reserve(breaks + 1);
  std::size_t pos = 0;
  while (pos < size) {
    std::size_t begin = pos;
    std::size_t end = pos;
    while (end < size && !IsLineBreak(text[end])) ++end;
    pos = end;
    while (pos < size && IsLineBreak(text[pos])) ++pos;

    while (begin < end && IsIniBlank(text[begin])) ++begin;
    while (end > begin && IsIniBlank(text[end - 1])) --end;
    if (begin == end) continue;

    if (text[begin] == '[') {
      // The name runs to the first ']', or to the end of the line when there
      // is none; whatever follows the ']' is ignored.
      std::size_t close = begin + 1;
      while (close < end && text[close] != ']') ++close;
      Section section;
      section.name = CutAndTrim(begin + 1, close - begin - 1);
      section.firstEntry = section.endEntry = entries_.size();
      sections_.push_back(section);
      continue;
    }
    if (sections_.empty()) continue;  // above the first header: unreachable

    const Parts parts = Split(begin, end);
    // A line without '=' that is blank up to its first NUL is skipped like
    // a blank line; comments are invisible to every lookup. Neither is kept.
    if (!parts.hasEquals && parts.name.len == 0) continue;
    if (parts.name.len > 0 && text[parts.name.pos] == ';') continue;
    entries_.push_back(Entry{static_cast<std::uint32_t>(begin), static_cast<std::uint32_t>(end)});
    sections_.back().endEntry = entries_.size();
  }
}

const IniFile::Section* IniFile::FindSection(std::string_view name) const {
  name = TrimSpaces(name);
  for (const Section& section : sections_) {
    if (EqualsIgnoringAsciiCase(View(section.name), name)) return &section;
  }
  return nullptr;
}

std::string IniFile::Get(std::string_view section, std::string_view key,
                         std::string_view def) const {
  const Section* found = FindSection(section);
  if (found == nullptr) return std::string(def);
  key = TrimSpaces(key);
  for (std::size_t i = found->firstEntry; i < found->endEntry; ++i) {
    const Parts entry = Split(entries_[i]);
    if (!EqualsIgnoringAsciiCase(View(entry.name), key)) continue;
    // The first entry of that name decides, even when it has no value.
    if (!entry.hasEquals) return std::string(def);
    return std::string(Unquote(View(entry.value)));
  }
  return std::string(def);
}

std::vector<std::string> IniFile::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  const Section* found = FindSection(section);
  if (found == nullptr) return names;
  for (std::size_t i = found->firstEntry; i < found->endEntry; ++i) {
    const Parts entry = Split(entries_[i]);
    if (entry.hasEquals) names.emplace_back(View(entry.name));
  }
  return names;
}

std::vector<std::string> IniFile::SectionLines(std::string_view section) const {
  std::vector<std::string> lines;
  const Section* found = FindSection(section);
  if (found == nullptr) return lines;
  lines.reserve(found->endEntry - found->firstEntry);
  for (std::size_t i = found->firstEntry; i < found->endEntry; ++i) {
    const Parts entry = Split(entries_[i]);
    std::string line(View(entry.name));
    if (entry.hasEquals) {
      line += '=';
      line += View(entry.value);
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

std::vector<std::string> IniFile::SectionNames() const {
  std::vector<std::string> names;
  for (const Section& section : sections_) {
    if (section.name.len > 0) names.emplace_back(View(section.name));
  }
  return names;
}

}  // namespace cartulon
