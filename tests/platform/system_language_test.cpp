#include "platform/system_language.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "shell/ui_text.h"

namespace cartulon {
namespace {

// Sets the three locale variables for the life of the object and puts the
// earlier values back afterwards.
class LocaleEnvironment {
 public:
  LocaleEnvironment(const char* lcAll, const char* lcMessages, const char* lang) {
    Set("LC_ALL", lcAll);
    Set("LC_MESSAGES", lcMessages);
    Set("LANG", lang);
  }
  ~LocaleEnvironment() {
    for (auto& [name, value] : saved_) {
      if (value.first) {
        ::setenv(name.c_str(), value.second.c_str(), 1);
      } else {
        ::unsetenv(name.c_str());
      }
    }
  }

 private:
  void Set(const char* name, const char* value) {
    const char* old = std::getenv(name);
    saved_.emplace_back(name, std::make_pair(old != nullptr, old ? std::string(old) : std::string()));
    if (value) {
      ::setenv(name, value, 1);
    } else {
      ::unsetenv(name);
    }
  }
  std::vector<std::pair<std::string, std::pair<bool, std::string>>> saved_;
};

TEST(SystemLanguage, ChineseTerritoriesMapToTheirLanguageIds) {
  EXPECT_EQ(LanguageIdForLocale("zh_TW.UTF-8"), 0x0404u);
  EXPECT_EQ(LanguageIdForLocale("zh_HK.Big5-HKSCS"), 0x0C04u);
  EXPECT_EQ(LanguageIdForLocale("zh_MO"), 0x1404u);
  EXPECT_EQ(LanguageIdForLocale("zh_CN.GB18030"), 0x0804u);
  EXPECT_EQ(LanguageIdForLocale("zh_SG.GBK"), 0x1004u);
  EXPECT_EQ(LanguageIdForLocale("zh-tw"), 0x0404u);
  EXPECT_EQ(LanguageIdForLocale("zh_CN@stroke"), 0x0804u);
}

TEST(SystemLanguage, OtherLocalesGiveNonChineseIds) {
  EXPECT_EQ(LanguageIdForLocale("de_AT.UTF-8"), 0x0407u);  // by its language
  EXPECT_EQ(LanguageIdForLocale("en_GB"), 0x0809u);
  EXPECT_EQ(LanguageIdForLocale("C"), kLanguageEnglishUS);
  EXPECT_EQ(LanguageIdForLocale("POSIX"), kLanguageEnglishUS);
  EXPECT_EQ(LanguageIdForLocale(""), kLanguageEnglishUS);
  EXPECT_EQ(LanguageIdForLocale("xx_YY"), kLanguageEnglishUS);
}

// The choice as the program makes it: locale, identifier, text offset.
TEST(SystemLanguage, LocaleSelectsTheUiTextOffset) {
  struct Case {
    const char* locale;
    int offset;
  };
  for (const Case& c : {Case{"zh_TW.UTF-8", 1000}, Case{"zh_HK.UTF-8", 1000},
                        Case{"zh_MO.UTF-8", 1000}, Case{"zh_CN.UTF-8", 5000},
                        Case{"zh_SG.UTF-8", 0}, Case{"en_US.UTF-8", 0}, Case{"fr_FR", 0},
                        Case{"zh", 0}}) {
    LocaleEnvironment env(nullptr, nullptr, c.locale);
    EXPECT_EQ(LanguageOffsetFor(SystemDefaultLanguageId()), c.offset) << c.locale;
  }
}

TEST(SystemLanguage, LcAllThenLcMessagesThenLangDecide) {
  {
    LocaleEnvironment env("zh_CN.UTF-8", "zh_TW.UTF-8", "en_US.UTF-8");
    EXPECT_EQ(SystemLocaleName(), "zh_CN.UTF-8");
    EXPECT_EQ(SystemDefaultLanguageId(), 0x0804u);
  }
  {
    LocaleEnvironment env("", "zh_TW.UTF-8", "zh_CN.UTF-8");
    EXPECT_EQ(SystemLocaleName(), "zh_TW.UTF-8");
  }
  {
    LocaleEnvironment env(nullptr, nullptr, "zh_HK");
    EXPECT_EQ(SystemLocaleName(), "zh_HK");
  }
  {
    LocaleEnvironment env(nullptr, nullptr, nullptr);
    EXPECT_EQ(SystemLocaleName(), "");
    EXPECT_EQ(SystemDefaultLanguageId(), kLanguageEnglishUS);
  }
}

}  // namespace
}  // namespace cartulon
