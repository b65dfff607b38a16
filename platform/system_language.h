#pragma once
// The system's default language as a Windows language identifier, which the
// UI-text table is chosen by (LanguageOffsetFor in shell/ui_text.h).
//
// On POSIX (system_language_posix.cpp) the system locale is the first
// non-empty of LC_ALL, LC_MESSAGES and LANG, of the form
// language[_territory][.codeset][@modifier]. On Windows
// (system_language_win32.cpp) it is the system default language identifier
// itself.
#include <string>
#include <string_view>

namespace cartulon {

inline constexpr unsigned kLanguageEnglishUS = 0x0409;

// POSIX: the locale name that decides the language (empty when none is set).
std::string SystemLocaleName();

// The language identifier of a locale name: zh_TW 0x0404, zh_HK 0x0C04,
// zh_MO 0x1404, zh_CN 0x0804, zh_SG 0x1004, a few other common locales by
// their identifiers, and English (United States) for everything else,
// including "C", "POSIX" and an empty name. Codeset and modifier are
// ignored, letter case is not significant and '-' may stand for '_'.
unsigned LanguageIdForLocale(std::string_view locale);

// The identifier of the system's default language.
unsigned SystemDefaultLanguageId();

}  // namespace cartulon
