// Names the system gives in UTF-8 enter the list in the code page, with the
// bytes Windows writes for them.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "platform/code_page.h"
#include "support/test_system.h"

namespace cartulon {
namespace {

TEST(CodePagePosix, Utf8NamesTakeWindowsBytes) {
  struct Case {
    unsigned codePage;
    std::string_view name;
    std::optional<std::string> listed;  // nullopt: no form in the code page
  };
  const Case cases[] = {
      {1252, "R\xC3\xA9seau Outils", "R\xE9seau Outils"},
      {1252, "User\xE2\x80\x99s \xE2\x82\xAC", "User\x92s \x80"},
      {1252, "\xE8\xAA\xAA\xE6\x98\x8E\xE6\x9B\xB8", std::nullopt},
      {950, "\xE8\xAA\xAA\xE6\x98\x8E\xE6\x9B\xB8", "\xBB\xA1\xA9\xFA\xAE\xD1"},
      {950, "\xE2\x82\xAC", "\xA3\xE1"},  // the euro of Windows' table, not Big5's
      {950, "R\xC3\xA9seau", std::nullopt},
      {936, "\xE8\xAF\xB4\xE6\x98\x8E\xE4\xB9\xA6", "\xCB\xB5\xC3\xF7\xCA\xE9"},
      {936, "\xE2\x82\xAC", "\x80"},
      {932, "\xE8\xAA\xAC\xE6\x98\x8E", "\x90\xE0\x96\xBE"},
      {1251, "\xD0\x9F\xD1\x80\xD0\xB8", "\xCF\xF0\xE8"},
      // The yen sign has only the backslash's byte in 932: no name of the
      // list.
      {932, "\xC2\xA5Tools", std::nullopt},
      // ASCII, and names that are no UTF-8 (already in a code page), as
      // they are.
      {1252, "Drivers", "Drivers"},
      {950, "Drivers", "Drivers"},
      {1252, "Caf\xE9", "Caf\xE9"},
      {950, "\xBB\xA1\xA9\xFA", "\xBB\xA1\xA9\xFA"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NameInCodePage(c.name, c.codePage), c.listed) << c.codePage << " " << c.name;
  }
}

TEST(CodePagePosix, BytesWithoutACharacterBecomeReplacementCharacters) {
  // A lead byte without its second byte, at the end and inside.
  EXPECT_EQ(CodePageToUtf8("A\xBB", 950), "A\xEF\xBF\xBD");
  EXPECT_EQ(CodePageToUtf8("\xFF"
                           "B",
                           950),
            "\xEF\xBF\xBD"
            "B");
  // 0x81 has no character in Windows' 1252 table as glibc gives it.
  EXPECT_EQ(CodePageToUtf8("a\x81z", 1252), "a\xEF\xBF\xBDz");
  // A2 E8, which Windows' 949 lacks and glibc's decoder does not survive,
  // is no character; the same bytes inside two characters are read as those.
  EXPECT_EQ(CodePageToUtf8("a\xA2\xE8\xB0\xA1", 949), "a\xEF\xBF\xBD\xEA\xB0\x80");
  EXPECT_EQ(CodePageToUtf8("\xB0\xA2\xE8\xA1", 949),
            CodePageToUtf8("\xB0\xA2", 949) + CodePageToUtf8("\xE8\xA1", 949));
  EXPECT_EQ(NameInCodePage("\xE3\x89\xBE", 949), std::nullopt);  // U+327E
}

TEST(CodePagePosix, TheLocaleOfTheLanguageChoiceDecidesTheSystemCodePage) {
  ScopedEnvironment messages("LC_MESSAGES", std::nullopt);
  ScopedEnvironment lang("LANG", "zh_TW.UTF-8");
  {
    ScopedEnvironment all("LC_ALL", std::nullopt);
    EXPECT_EQ(SystemCodePage(), 950u);
  }
  ScopedEnvironment all("LC_ALL", "ru_RU.UTF-8");
  EXPECT_EQ(SystemCodePage(), 1251u);
}

// Every byte pair the C library's table of a double-byte code page reads
// as one character is one character to the lead-byte tables, and every
// byte the table reads alone is no lead byte. (949 is compared with the
// system's own table on Windows: the C library's decoder of 949 crashes on
// some undefined pairs, such as A2 E8.)
TEST(CodePagePosix, LeadAndTrailBytesAgreeWithTheCodePageTables) {
  for (const unsigned codePage : {932u, 936u, 950u}) {
    int pairs = 0;
    for (unsigned lead = 0x80; lead <= 0xFF; ++lead) {
      const std::string single(1, static_cast<char>(lead));
      if (CodePageToUtf8(single, codePage) != "\xEF\xBF\xBD") {
        EXPECT_FALSE(IsLeadByte(static_cast<unsigned char>(lead), codePage)) << codePage << lead;
        continue;
      }
      for (unsigned trail = 0x20; trail <= 0xFF; ++trail) {
        const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
        const std::string utf8 = CodePageToUtf8(pair, codePage);
        const auto first = static_cast<unsigned char>(utf8[0]);
        const std::size_t firstLength = first < 0xE0 ? 2 : first < 0xF0 ? 3 : 4;
        if (first < 0xC2 || utf8.size() != firstLength || utf8 == "\xEF\xBF\xBD") continue;
        ++pairs;
        EXPECT_EQ(CharacterLength(pair, 0, codePage), 2u)
            << codePage << " " << std::hex << lead << " " << trail;
      }
    }
    EXPECT_GT(pairs, 7000) << codePage;
  }
}

}  // namespace
}  // namespace cartulon
