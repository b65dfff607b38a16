#include "platform/system_language.h"

#include "platform/text.h"

namespace cartulon {

namespace {

struct LocaleId {
  std::string_view name;  // language_TERRITORY, or a bare language
  unsigned id;
};

// Chinese by territory first: the UI texts depend on these. The others only
// give an honest identifier; all of them select the English texts.
constexpr LocaleId kLocaleIds[] = {
    {"zh_TW", 0x0404}, {"zh_HK", 0x0C04}, {"zh_MO", 0x1404}, {"zh_CN", 0x0804},
    {"zh_SG", 0x1004}, {"zh", 0x0004},    {"en_US", 0x0409}, {"en_GB", 0x0809},
    {"en", 0x0409},    {"de_DE", 0x0407}, {"de", 0x0407},    {"fr_FR", 0x040C},
    {"fr", 0x040C},    {"ja_JP", 0x0411}, {"ja", 0x0411},    {"ko_KR", 0x0412},
    {"ko", 0x0412},
};

}  // namespace

unsigned LanguageIdForLocale(std::string_view locale) {
  const std::size_t end = locale.find_first_of(".@");
  std::string base(locale.substr(0, end));
  for (char& c : base) {
    if (c == '-') c = '_';
  }
  const std::size_t underscore = base.find('_');
  const std::string language = base.substr(0, underscore);
  for (const LocaleId& entry : kLocaleIds) {
    if (EqualsIgnoringAsciiCase(entry.name, base)) return entry.id;
  }
  // A territory without an entry of its own falls back to its language,
  // except for Chinese, whose texts differ by territory.
  if (!EqualsIgnoringAsciiCase(language, "zh")) {
    for (const LocaleId& entry : kLocaleIds) {
      if (EqualsIgnoringAsciiCase(entry.name, language)) return entry.id;
    }
  }
  return kLanguageEnglishUS;
}

}  // namespace cartulon
