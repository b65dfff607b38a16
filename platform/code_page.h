#pragma once
// The ANSI code page of a run: the code page the list's names and the INI
// texts are written in, as Windows gives it to the system locale.
//
// On Windows (code_page_win32.cpp) names come from the system in its code
// page already and are taken as they are. On POSIX (code_page_posix.cpp)
// the code page follows the locale the language choice reads
// (SystemLocaleName, platform/system_language.h), and names the system
// gives in UTF-8 are converted into it with the C library's iconv.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cartulon {

inline constexpr unsigned kCodePageWestern = 1252;

// The ANSI code page Windows uses for a locale name of the form
// language[_territory][.codeset][@modifier]: 1252 for English and the
// Western European languages, 1250 Central European, 1251 Cyrillic, 1253
// Greek, 1254 Turkish, 1255 Hebrew, 1256 Arabic, 1257 Baltic, 1258
// Vietnamese, 874 Thai, 932 Japanese, 936 Simplified Chinese (zh_CN,
// zh_SG, a bare zh), 949 Korean, 950 Traditional Chinese (zh_TW, zh_HK,
// zh_MO). Everything else, "C", "POSIX" and an empty name too, is 1252.
// Codeset and modifier are ignored, except the Latin and Cyrillic scripts
// of Serbian ("@latin"); letter case is not significant and '-' may stand
// for '_'.
unsigned CodePageForLocale(std::string_view locale);

// True for the code pages the conversion knows: the ANSI code pages above.
bool KnownCodePage(unsigned codePage);

// The code page of this system: Windows' own ANSI code page, on POSIX the
// one of the locale.
unsigned SystemCodePage();

// The code page a run uses: SystemCodePage() unless a run has chosen
// another (a known one) with SetRunCodePage; SetRunCodePage(0) goes back to
// the system's. One per process.
unsigned RunCodePage();
void SetRunCodePage(unsigned codePage);

// A file or folder name as the system lists it, in `codePage`: ASCII and
// names that are not valid UTF-8 (already in some code page) as they are,
// on POSIX other UTF-8 names converted; nullopt when the name has a
// character the code page cannot write, or writes only as a near fit that
// reads back as another character (932 has the yen sign only as 0x5C, the
// backslash). On Windows a listed name holds a
// '?' exactly where the system had no character for it, and that is the
// one nullopt.
std::optional<std::string> NameInCodePage(std::string_view name, unsigned codePage);

// Text in `codePage` as UTF-8: ASCII as it is; a byte (or a double-byte
// pair) that is no character of the code page becomes U+FFFD.
std::string CodePageToUtf8(std::string_view text, unsigned codePage);

// True when `byte` begins a double-byte character in `codePage`: one of the
// lead bytes of 932 (0x81-0x9F, 0xE0-0xFC), 936, 949 or 950 (0x81-0xFE).
// The single-byte code pages have none.
bool IsLeadByte(unsigned char byte, unsigned codePage);

// The number of bytes of the character that begins at `at` in `text`
// (`at` below its size): 2 for a lead byte of `codePage` followed by one of
// the code page's trail bytes, 1 otherwise. A trail byte may be 0x5C, the
// byte of '\', or 0x7C, the byte of '|': a text in such a code page is
// read character by character from its start, never byte by byte.
std::size_t CharacterLength(std::string_view text, std::size_t at, unsigned codePage);

// One character of a text in a code page: as UTF-8 (U+FFFD for a byte that
// starts no character) and the number of bytes it takes in the text, which
// is the number of columns it takes in the list (a double-byte character
// two, as a fixed-pitch font on Windows draws it).
struct CodePageCharacter {
  std::string utf8;
  std::size_t bytes = 1;
};

// The characters of `text` in `codePage`, in order; their bytes add up to
// the text's size.
std::vector<CodePageCharacter> SplitCharacters(std::string_view text, unsigned codePage);

// True when every byte is below 0x80.
bool IsAscii(std::string_view text);

// True when the bytes are well-formed UTF-8 (no overlong forms, no
// surrogates, nothing above U+10FFFF).
bool IsValidUtf8(std::string_view text);

}  // namespace cartulon
