#include "platform/system_language.h"

#include <gtest/gtest.h>

#include <string>

namespace cartulon {
namespace {

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

}  // namespace
}  // namespace cartulon
