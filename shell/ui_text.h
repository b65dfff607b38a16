#pragma once
// The table of the 18 UI texts in English, Traditional Chinese and
// Simplified Chinese, and the language choice from the system language.
#include <cstddef>
#include <string>
#include <string_view>

namespace cartulon {

inline constexpr int kEnglishOffset = 0;
inline constexpr int kTraditionalChineseOffset = 1000;
inline constexpr int kSimplifiedChineseOffset = 5000;

// The offset for a Windows language identifier: 1000 for Chinese (Taiwan,
// Hong Kong SAR, Macao SAR), 5000 for Chinese (PRC), 0 for every other.
int LanguageOffsetFor(unsigned languageId);

// The text of identifier id (1 to 18) in the language of the offset, at
// most 255 bytes (UTF-8 for the Chinese texts); empty for an unknown id.
// Like a string-table lookup, the entry taken is number id + languageOffset
// (1-18, 1001-1018, 5001-5018); any other number has no text.
std::string LoadUiText(int id, int languageOffset);

// The first maxBytes bytes of a UTF-8 text, shortened further so that no
// multi-byte sequence is cut in half.
std::string TruncateUtf8(std::string_view text, std::size_t maxBytes);

}  // namespace cartulon
