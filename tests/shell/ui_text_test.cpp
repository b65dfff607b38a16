#include "shell/ui_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cartulon {
namespace {

TEST(LanguageOffsetTest, ChineseRegionsPickTheirScript) {
  EXPECT_EQ(LanguageOffsetFor(0x0404), kTraditionalChineseOffset);  // Taiwan
  EXPECT_EQ(LanguageOffsetFor(0x0C04), kTraditionalChineseOffset);  // Hong Kong SAR
  EXPECT_EQ(LanguageOffsetFor(0x1404), kTraditionalChineseOffset);  // Macao SAR
  EXPECT_EQ(LanguageOffsetFor(0x0804), kSimplifiedChineseOffset);   // PRC
  EXPECT_EQ(kTraditionalChineseOffset, 1000);
  EXPECT_EQ(kSimplifiedChineseOffset, 5000);
}

TEST(LanguageOffsetTest, EveryOtherLanguageIsEnglish) {
  EXPECT_EQ(LanguageOffsetFor(0x1004), kEnglishOffset);  // Chinese (Singapore)
  EXPECT_EQ(LanguageOffsetFor(0x0409), kEnglishOffset);  // English (United States)
  EXPECT_EQ(LanguageOffsetFor(0x0411), kEnglishOffset);  // Japanese
  EXPECT_EQ(LanguageOffsetFor(0x0004), kEnglishOffset);  // Chinese, no region
  EXPECT_EQ(LanguageOffsetFor(0), kEnglishOffset);
  EXPECT_EQ(kEnglishOffset, 0);
}

TEST(UiTextTest, EnglishTableInFull) {
  const std::vector<std::string> english = {
      "Zolt Cartulon V4.0",
      "Please Select Support CD Path :",
      "TXT File",
      "Cancel",
      "Browse",
      "Preview",
      "Zolt Cartulon",
      "Now Analyzing Support CD,Please wait...",
      "Do you want to overwrite the existed file ?",
      "History Path:",
      "TXT + CSV Files",
      "Generate FileList.txt file Only",
      "Generate FileList.txt and DriverInformation.csv together",
      "Save Drivers Information to CSV file Succeed!",
      "Browse the Support CD Path",
      "Exit the Program",
      "No FileList.txt file found!",
      "No Drivers folder found, load drivers information into csv file fail!",
  };
  for (int id = 1; id <= 18; ++id) {
    EXPECT_EQ(LoadUiText(id, LanguageOffsetFor(0x0409)), english[static_cast<std::size_t>(id - 1)])
        << "id " << id;
  }
}

TEST(UiTextTest, ChineseTextsComeFromTheirOwnColumns) {
  const int traditional = LanguageOffsetFor(0x0404);
  const int simplified = LanguageOffsetFor(0x0804);
  EXPECT_EQ(LoadUiText(1, traditional), "ZoltCartulonV4.0");
  EXPECT_EQ(LoadUiText(1, simplified), "ZoltCartulon V4.0");
  EXPECT_EQ(LoadUiText(3, traditional), "TXT\xE6\x96\x87\xE6\xAA\x94");  // TXT + "document" (trad.)
  EXPECT_EQ(LoadUiText(3, simplified), "TXT\xE6\x96\x87\xE4\xBB\xB6");   // TXT + "file" (simpl.)
  EXPECT_EQ(LoadUiText(4, traditional), "\xE5\x8F\x96\xE6\xB6\x88");
  EXPECT_EQ(LoadUiText(4, simplified), "\xE5\x8F\x96\xE6\xB6\x88");
  EXPECT_EQ(LoadUiText(7, traditional), "ZoltCartulon");
  EXPECT_EQ(LoadUiText(7, simplified), "ZoltCartulon");
  EXPECT_EQ(LoadUiText(9, traditional),
            "\xE8\xAB\x8B\xE5\x95\x8F\xE8\xA6\x81\xE8\xA6\x86\xE8\x93\x8B\xE5\x8E\x9F\xE5\x85"
            "\x88\xE7\x9A\x84\xE6\xAA\x94\xE6\xA1\x88\xE5\x97\x8E?");
  EXPECT_EQ(LoadUiText(11, simplified), "TXT + CSV\xE6\x96\x87\xE4\xBB\xB6");
  // Singapore reads English.
  EXPECT_EQ(LoadUiText(9, LanguageOffsetFor(0x1004)),
            "Do you want to overwrite the existed file ?");
}

TEST(UiTextTest, EveryTextExistsInEveryLanguage) {
  for (int offset : {kEnglishOffset, kTraditionalChineseOffset, kSimplifiedChineseOffset}) {
    for (int id = 1; id <= 18; ++id) {
      const std::string text = LoadUiText(id, offset);
      EXPECT_FALSE(text.empty()) << "id " << id << " offset " << offset;
      EXPECT_LE(text.size(), 255u);
    }
  }
  // Text 14 is carried in all three languages though nothing shows it.
  EXPECT_NE(LoadUiText(14, kTraditionalChineseOffset), LoadUiText(14, kEnglishOffset));
  EXPECT_NE(LoadUiText(14, kSimplifiedChineseOffset), LoadUiText(14, kTraditionalChineseOffset));
}

TEST(UiTextTest, UnknownIdentifiersHaveNoText) {
  EXPECT_EQ(LoadUiText(0, kEnglishOffset), "");
  EXPECT_EQ(LoadUiText(19, kEnglishOffset), "");
  EXPECT_EQ(LoadUiText(19, kTraditionalChineseOffset), "");
  EXPECT_EQ(LoadUiText(-1, kSimplifiedChineseOffset), "");
}

TEST(UiTextTest, StartupCaptionEqualsEnglishTextSeven) {
  EXPECT_EQ(LoadUiText(7, kEnglishOffset), "Zolt Cartulon");
}

TEST(TruncateUtf8Test, CutsAtTheLimitWithoutSplittingASequence) {
  const std::string ascii(300, 'a');
  EXPECT_EQ(TruncateUtf8(ascii, 255), std::string(255, 'a'));

  const std::string ideograph = "\xE8\xAB\x8B";  // three bytes
  // 254 + 3 bytes: the ideograph would straddle the limit and is dropped.
  EXPECT_EQ(TruncateUtf8(std::string(254, 'a') + ideograph, 255), std::string(254, 'a'));
  EXPECT_EQ(TruncateUtf8(std::string(253, 'a') + ideograph + "b", 255), std::string(253, 'a'));
  // 252 + 3 bytes end exactly at the limit and are kept.
  EXPECT_EQ(TruncateUtf8(std::string(252, 'a') + ideograph + "b", 255),
            std::string(252, 'a') + ideograph);
  EXPECT_EQ(TruncateUtf8("short", 255), "short");
  EXPECT_EQ(TruncateUtf8("", 255), "");
}

}  // namespace
}  // namespace cartulon
