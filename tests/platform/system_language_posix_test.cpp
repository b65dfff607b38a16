// The system language on POSIX: the locale variables decide.
#include "platform/system_language.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

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
