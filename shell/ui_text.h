#pragma once
// The table of the 18 UI texts in English, Traditional Chinese and
// Simplified Chinese, and the language choice from the system language.
#include <string>

namespace cartulon {

inline constexpr int kEnglishOffset = 0;
inline constexpr int kTraditionalChineseOffset = 1000;
inline constexpr int kSimplifiedChineseOffset = 5000;

// The offset for a Windows language identifier: 1000 for Chinese (Taiwan,
// Hong Kong SAR, Macao SAR), 5000 for Chinese (PRC), 0 for every other.
int LanguageOffsetFor(unsigned languageId);

// The text of identifier id (1 to 18) in the language of the offset, at
// most 255 bytes (UTF-8 for the Chinese texts); empty for an unknown id.
std::string LoadUiText(int id, int languageOffset);

}  // namespace cartulon
