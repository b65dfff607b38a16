// On Windows the ANSI functions give names in the system code page already;
// a '?' stands where the system had no character for the name.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>

#include "platform/code_page.h"

namespace cartulon {
namespace {

TEST(CodePageWin32, ListedNamesAreTakenAsTheSystemGivesThem) {
  EXPECT_EQ(NameInCodePage("R\xE9seau Outils", 1252),
            std::optional<std::string>("R\xE9seau Outils"));
  EXPECT_EQ(NameInCodePage("\xBB\xA1\xA9\xFA\xAE\xD1", 950),
            std::optional<std::string>("\xBB\xA1\xA9\xFA\xAE\xD1"));
  EXPECT_EQ(NameInCodePage("Drivers", 950), std::optional<std::string>("Drivers"));
  EXPECT_EQ(NameInCodePage("???", 1252), std::nullopt);
  EXPECT_EQ(NameInCodePage("Manual ?", 1252), std::nullopt);
}

// The lead-byte tables are the system's own.
TEST(CodePageWin32, LeadBytesAreTheSystems) {
  for (const unsigned codePage : {932u, 936u, 949u, 950u, 1252u}) {
    for (unsigned byte = 0; byte <= 0xFF; ++byte) {
      EXPECT_EQ(IsLeadByte(static_cast<unsigned char>(byte), codePage),
                IsDBCSLeadByteEx(codePage, static_cast<BYTE>(byte)) != FALSE)
          << codePage << " " << byte;
    }
  }
}

}  // namespace
}  // namespace cartulon
