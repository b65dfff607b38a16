#pragma once
// A reader for the [Version] section of a driver's setup information (INF)
// file: the claims a driver makes about itself, its DriverVer and the
// catalog files that carry its signature.
//
// The file's syntax, as far as the [Version] section needs it:
// - Text: a file that starts with the UTF-16LE byte-order mark is UTF-16 and
//   is narrowed to single bytes (a code point up to 0xFF becomes that byte,
//   any other becomes '?'; a lone trailing byte is dropped); any other file
//   is ANSI text, kept as bytes. A UTF-8 byte-order mark is skipped.
// - Lines end at CR, LF or both. A line whose last character outside
//   quotes and comments is '\' goes on in the next line.
// - ';' outside quotes starts a comment that runs to the line end.
// - A header "[name]" opens a section; the name runs to the first ']' and
//   compares ignoring ASCII letter case. Sections of the same name are one
//   section, their lines in file order.
// - An entry is "key = value": the key is what comes before the first '='
//   outside quotes. Keys compare ignoring ASCII letter case; of duplicate
//   keys the first wins. Blanks (space, tab, vertical tab) around keys and
//   values go.
// - In a value, "..." quotes text (blanks and ';' kept, "" is one quote
//   character, the quotes themselves go); %token% is replaced by the value
//   of `token` in the [Strings] section, %% by one '%'. A token that
//   [Strings] does not define stays as written, percent signs included.
//   Only the undecorated [Strings] section is read.
//
// A file is read only when it is a regular file within the program's input
// limit (platform/input_files.h); the parse then works on the text in
// memory, one pass, whatever its size.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace cartulon {

struct InfVersion {
  // The file has a [Version] section (possibly empty).
  bool hasVersionSection = false;
  // DriverVer as written, tokens resolved; empty when the key is missing.
  bool hasDriverVer = false;
  std::string driverVer;
  // DriverVer's two fields: "mm/dd/yyyy" and "w.x.y.z", trimmed; the
  // version is empty when the value has no comma.
  std::string driverDate;
  std::string driverVersion;
  // The CatalogFile keys of [Version] (CatalogFile, CatalogFile.nt,
  // CatalogFile.ntamd64, ...) as the file writes their names, with their
  // values, in file order; a key with an empty value is left out.
  std::vector<std::pair<std::string, std::string>> catalogFiles;
};

// Parses an INF file's text.
InfVersion ParseInfVersion(std::string_view bytes);

// Reads and parses an INF file; false (and a reason in words, such as "it
// does not exist" or "it is larger than 64 MiB") when it cannot be read.
bool ReadInfVersion(const std::string& path, InfVersion& version, std::string* reason);

}  // namespace cartulon
