#pragma once
// Small helpers for text kept as bytes, the one set every layer uses.
//
// Positions: FindPosition and CopyAt count from 1, as the list format and
// its rules are described (name column 1..25, "- " at 26); a position of 0
// means "not found".
//
// Letter case: the folding helpers change the ASCII letters only; every
// other byte (UTF-8 sequences, code-page characters) stays as it is.
//
// Trimming comes in two kinds that differ in the bytes they remove:
// - INI blanks: space, tab and vertical tab, what the profile (INI)
//   functions trim from lines, names and values;
// - space and control bytes: every byte up to and including the space
//   (0x00 to 0x20), what the list rules trim from a line.
#include <string>
#include <string_view>
#include <vector>

namespace cartulon {

// The length of a text as a position offset: p + TextLength("- ") is the
// position just after a "- " found at p.
constexpr long long TextLength(std::string_view text) {
  return static_cast<long long>(text.size());
}

// 1-based position of the first occurrence of `needle` in `text`; 0 when
// absent.
long long FindPosition(std::string_view text, std::string_view needle);

// `count` bytes of `text` from 1-based position `start` (a start below 1
// counts as 1); empty when the start lies past the end or the count is not
// positive, shorter when the text ends first.
std::string_view CopyAt(std::string_view text, long long start, long long count);

// Space, tab or vertical tab.
constexpr bool IsIniBlank(char c) { return c == ' ' || c == '\t' || c == '\v'; }

// Without surrounding INI blanks.
std::string TrimIniBlanks(std::string_view text);

// A byte from 0x00 to 0x20.
constexpr bool IsSpaceOrControl(char c) { return static_cast<unsigned char>(c) <= 0x20; }

// Without surrounding (or only trailing) space and control bytes.
std::string_view TrimSpaceAndControls(std::string_view text);
std::string_view TrimRightSpaceAndControls(std::string_view text);

constexpr char AsciiUpperChar(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
constexpr char AsciiLowerChar(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string AsciiUpper(std::string_view text);

// Fills `buffer` with the upper-case form of `text` and returns it, so that
// a loop over many lines reuses one buffer instead of allocating per line.
const std::string& AsciiUpperInto(std::string& buffer, std::string_view text);

// Equality ignoring ASCII letter case only.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// Splits text into lines: CR, LF or CR LF end a line, the last line needs no
// line end, an ending at the very end adds no empty line, and empty lines in
// between are kept.
std::vector<std::string> SplitTextLines(std::string_view bytes);

// The text for a message, the one escape of every message: control
// characters (0x00-0x1F, 0x7F) written as \xHH, every other byte as it is.
// Names of the disc keep their code page that way. With NonAscii the bytes
// from 0x80 up are written as \xHH as well: for text of no known code page,
// such as the arguments of a command line, so that a message never carries
// the raw bytes of another code page to the console.
enum class EscapeAlso { Nothing, NonAscii };
std::string EscapeControlCharacters(std::string_view text, EscapeAlso also = EscapeAlso::Nothing);

// UTF-16LE text (after its byte-order mark) as single bytes, as the
// profile functions and INF files are read: a code point up to 0xFF becomes
// that byte, anything else (a surrogate pair counting as one code point)
// becomes '?'. A lone trailing byte is dropped.
std::string NarrowUtf16Le(std::string_view bytes);

}  // namespace cartulon
