#include "shell/ui_text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
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

// Every text by its name, with the English wording.
const std::vector<std::pair<UiText, std::string>>& EnglishTable() {
  static const std::vector<std::pair<UiText, std::string>> table = {
      {UiText::SelectionCaption, "Zolt Cartulon V4.0"},
      {UiText::SelectionPrompt, "Please Select Support CD Path :"},
      {UiText::TxtFileButton, "TXT File"},
      {UiText::CancelButton, "Cancel"},
      {UiText::BrowseButton, "Browse"},
      {UiText::PreviewButton, "Preview"},
      {UiText::ProgramCaption, "Zolt Cartulon"},
      {UiText::AnalyzingNotice, "Now Analyzing Support CD,Please wait..."},
      {UiText::OverwriteQuestion, "Do you want to overwrite the existed file ?"},
      {UiText::HistoryLabel, "History Path:"},
      {UiText::TxtCsvButton, "TXT + CSV Files"},
      {UiText::TxtFileHint, "Generate FileList.txt file Only"},
      {UiText::TxtCsvHint, "Generate FileList.txt and DriverInformation.csv together"},
      {UiText::CsvExportSucceeded, "Save Drivers Information to CSV file Succeed!"},
      {UiText::BrowseHint, "Browse the Support CD Path"},
      {UiText::CancelHint, "Exit the Program"},
      {UiText::NoFileListError, "No FileList.txt file found!"},
      {UiText::NoDriversError,
       "No Drivers folder found, load drivers information into csv file fail!"},
  };
  return table;
}

TEST(UiTextTest, EnglishTableInFull) {
  ASSERT_EQ(EnglishTable().size(), 18u);
  int id = 0;
  for (const auto& [text, english] : EnglishTable()) {
    ++id;
    EXPECT_EQ(static_cast<int>(text), id) << english;
    EXPECT_EQ(LoadUiText(text, LanguageOffsetFor(0x0409)), english) << "id " << id;
  }
}

TEST(UiTextTest, ChineseTextsComeFromTheirOwnColumns) {
  const int traditional = LanguageOffsetFor(0x0404);
  const int simplified = LanguageOffsetFor(0x0804);
  EXPECT_EQ(LoadUiText(UiText::SelectionCaption, traditional), "ZoltCartulonV4.0");
  EXPECT_EQ(LoadUiText(UiText::SelectionCaption, simplified), "ZoltCartulon V4.0");
  // TXT + "document" (trad.), TXT + "file" (simpl.)
  EXPECT_EQ(LoadUiText(UiText::TxtFileButton, traditional), "TXT\xE6\x96\x87\xE6\xAA\x94");
  EXPECT_EQ(LoadUiText(UiText::TxtFileButton, simplified), "TXT\xE6\x96\x87\xE4\xBB\xB6");
  EXPECT_EQ(LoadUiText(UiText::CancelButton, traditional), "\xE5\x8F\x96\xE6\xB6\x88");
  EXPECT_EQ(LoadUiText(UiText::CancelButton, simplified), "\xE5\x8F\x96\xE6\xB6\x88");
  EXPECT_EQ(LoadUiText(UiText::ProgramCaption, traditional), "ZoltCartulon");
  EXPECT_EQ(LoadUiText(UiText::ProgramCaption, simplified), "ZoltCartulon");
  EXPECT_EQ(LoadUiText(UiText::OverwriteQuestion, traditional),
            "\xE8\xAB\x8B\xE5\x95\x8F\xE8\xA6\x81\xE8\xA6\x86\xE8\x93\x8B\xE5\x8E\x9F\xE5\x85"
            "\x88\xE7\x9A\x84\xE6\xAA\x94\xE6\xA1\x88\xE5\x97\x8E?");
  EXPECT_EQ(LoadUiText(UiText::TxtCsvButton, simplified), "TXT + CSV\xE6\x96\x87\xE4\xBB\xB6");
  // Singapore reads English.
  EXPECT_EQ(LoadUiText(UiText::OverwriteQuestion, LanguageOffsetFor(0x1004)),
            "Do you want to overwrite the existed file ?");
}

TEST(UiTextTest, EveryTextExistsInEveryLanguage) {
  for (int offset : {kEnglishOffset, kTraditionalChineseOffset, kSimplifiedChineseOffset}) {
    for (const auto& [id, english] : EnglishTable()) {
      const std::string text = LoadUiText(id, offset);
      EXPECT_FALSE(text.empty()) << english << " offset " << offset;
      EXPECT_LE(text.size(), 255u);
    }
  }
  // Text 14 is carried in all three languages though nothing shows it.
  const UiText unused = UiText::CsvExportSucceeded;
  EXPECT_NE(LoadUiText(unused, kTraditionalChineseOffset), LoadUiText(unused, kEnglishOffset));
  EXPECT_NE(LoadUiText(unused, kSimplifiedChineseOffset),
            LoadUiText(unused, kTraditionalChineseOffset));
}

TEST(UiTextTest, UnknownIdentifiersHaveNoText) {
  EXPECT_EQ(LoadUiText(static_cast<UiText>(0), kEnglishOffset), "");
  EXPECT_EQ(LoadUiText(static_cast<UiText>(19), kEnglishOffset), "");
  EXPECT_EQ(LoadUiText(static_cast<UiText>(19), kTraditionalChineseOffset), "");
  EXPECT_EQ(LoadUiText(static_cast<UiText>(-1), kSimplifiedChineseOffset), "");
}

TEST(UiTextTest, StartupCaptionEqualsEnglishTextSeven) {
  EXPECT_EQ(LoadUiText(UiText::ProgramCaption, kEnglishOffset), "Zolt Cartulon");
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
