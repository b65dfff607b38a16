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

}  // namespace
}  // namespace cartulon
