#include "platform/code_page.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace cartulon {
namespace {

TEST(CodePage, LocalesGiveWindowsAnsiCodePages) {
  struct Case {
    std::string_view locale;
    unsigned codePage;
  };
  const Case cases[] = {
      {"en_US.UTF-8", 1252},
      {"de_AT", 1252},
      {"fr_FR@euro", 1252},
      {"C", 1252},
      {"POSIX", 1252},
      {"", 1252},
      {"xx_YY", 1252},
      {"pl_PL.UTF-8", 1250},
      {"cs_CZ", 1250},
      {"ru_RU.KOI8-R", 1251},
      {"uk_UA", 1251},
      {"sr_RS", 1251},
      {"sr_RS@latin", 1250},
      {"el_GR", 1253},
      {"tr_TR", 1254},
      {"he_IL", 1255},
      {"ar_EG", 1256},
      {"lt_LT", 1257},
      {"vi_VN", 1258},
      {"th_TH", 874},
      {"ja_JP.eucJP", 932},
      {"ko_KR", 949},
      {"zh_CN.GB18030", 936},
      {"zh_SG", 936},
      {"zh", 936},
      {"zh_TW.UTF-8", 950},
      {"zh-hk", 950},
      {"ZH_MO.Big5", 950},
  };
  for (const Case& c : cases) EXPECT_EQ(CodePageForLocale(c.locale), c.codePage) << c.locale;
}

TEST(CodePage, OnlyTheAnsiCodePagesAreKnown) {
  for (unsigned known : {874u, 932u, 936u, 949u, 950u, 1250u, 1252u, 1258u}) {
    EXPECT_TRUE(KnownCodePage(known)) << known;
  }
  for (unsigned unknown : {0u, 437u, 850u, 1200u, 1249u, 1259u, 20127u, 65001u}) {
    EXPECT_FALSE(KnownCodePage(unknown)) << unknown;
  }
}

TEST(CodePage, Utf8IsToldFromOtherBytes) {
  struct Case {
    std::string_view bytes;
    bool valid;
  };
  const Case cases[] = {
      {"", true},
      {"plain", true},
      {"R\xC3\xA9seau", true},
      {"\xE8\xAA\xAA\xE6\x98\x8E", true},
      {"\xF0\x9F\x98\x80", true},   // beyond the basic plane
      {"R\xE9seau", false},         // cp1252
      {"\xBB\xA1\xA9\xFA", false},  // Big5
      {"\xC0\xAF", false},          // overlong
      {"\xE0\x80\xAF", false},      // overlong
      {"\xED\xA0\x80", false},      // a surrogate
      {"\xF4\x90\x80\x80", false},  // above U+10FFFF
      {"\xE8\xAA", false},          // cut short
      {"\x80", false},              // a lone continuation byte
  };
  for (const Case& c : cases) EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.bytes;
}

// Text of the list's code page reads as Windows reads it.
TEST(CodePage, CodePageTextDecodesToUtf8) {
  struct Case {
    unsigned codePage;
    std::string_view bytes;
    std::string_view utf8;
  };
  const Case cases[] = {
      {1252, "User\x92s Manual", "User\xE2\x80\x99s Manual"},
      {1252, "R\xE9seau \x80", "R\xC3\xA9seau \xE2\x82\xAC"},
      {950, "\xBB\xA1\xA9\xFA\xAE\xD1", "\xE8\xAA\xAA\xE6\x98\x8E\xE6\x9B\xB8"},
      {950, "\xA3\xE1", "\xE2\x82\xAC"},
      {936, "\xCB\xB5\xC3\xF7\xCA\xE9", "\xE8\xAF\xB4\xE6\x98\x8E\xE4\xB9\xA6"},
      {1251, "\xCF\xF0\xE8", "\xD0\x9F\xD1\x80\xD0\xB8"},
      {950, "ASCII only", "ASCII only"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CodePageToUtf8(c.bytes, c.codePage), c.utf8) << c.codePage << " " << c.bytes;
  }
}

// A text splits into its characters with the columns each takes in the
// list: the double-byte characters two, even those whose second byte is the
// backslash's or a letter's; a lead byte without a fitting second byte is a
// character of its own that reads as nothing.
TEST(CodePage, TextSplitsIntoCharactersOfOneOrTwoColumns) {
  struct Case {
    unsigned codePage;
    std::string_view bytes;
    std::vector<std::pair<std::string, std::size_t>> characters;
  };
  const std::string r = "\xEF\xBF\xBD";
  const Case cases[] = {
      {1252, "R\xE9s", {{"R", 1}, {"\xC3\xA9", 1}, {"s", 1}}},
      {950, "\xA5\x5C\xAF\xE0 V", {{"\xE5\x8A\x9F", 2}, {"\xE8\x83\xBD", 2}, {" ", 1}, {"V", 1}}},
      {950, "\xB3\x5C", {{"\xE8\xA8\xB1", 2}}},
      {936, "\x81\x5Cx", {{"\xE4\xB9\x97", 2}, {"x", 1}}},
      {950, "a\xA5", {{"a", 1}, {r, 1}}},
      {950, "\xA5 b", {{r, 1}, {" ", 1}, {"b", 1}}},
      {950, "", {}},
  };
  for (const Case& c : cases) {
    std::vector<std::pair<std::string, std::size_t>> seen;
    for (const CodePageCharacter& character : SplitCharacters(c.bytes, c.codePage)) {
      seen.emplace_back(character.utf8, character.bytes);
    }
    EXPECT_EQ(seen, c.characters) << c.codePage << " " << c.bytes;
  }
}

}  // namespace
}  // namespace cartulon
