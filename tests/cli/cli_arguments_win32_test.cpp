// Arguments typed in a Unicode shell: a path with a character the system
// code page cannot spell must not run on a look-alike ("Ω" spelt "O" by
// best fit names another folder, whose list --force would replace).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "cli/cli_runner.h"

namespace cartulon::cli_test {
namespace {

// Whether the system code page has no exact form for the UTF-8 text.
bool Unspellable(const std::string& utf8) {
  wchar_t wide[8] = {};
  const int length =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide, 8);
  char ansi[16] = {};
  BOOL defaulted = FALSE;
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, length, ansi, sizeof ansi, nullptr,
                      &defaulted);
  return defaulted != FALSE;
}

TEST(CliArguments, PathWithoutAnExactFormIsBadUsageAndTouchesNoLookAlike) {
  const std::string omega = "\xCE\xA9";  // Ω, "O" by best fit in code page 1252
  if (!Unspellable(omega)) GTEST_SKIP() << "this code page spells the test character";
  TempDir dir;
  WriteSmallDisc(dir, "O");
  const std::string contact = dir.WriteFile("contact.ini", SmallContact());
  RunSettings wide;
  wide.utf8Arguments = true;

  // Typed the ordinary way, the look-alike folder's disc is listed.
  const CliResult ascii = RunCli({"--contact", contact, "--stdout", dir.Path("O")}, wide);
  EXPECT_EQ(ascii.exitCode, 0) << ascii.err;
  EXPECT_NE(ascii.out.find("Q1-Test"), std::string::npos);

  const std::vector<std::vector<std::string>> runs = {
      {"--force", "--csv", dir.Path(omega)},
      {"--force", "--output", dir.Path("O/" + omega + ".txt"), dir.Path("O")},
      {"--rules", dir.Path(omega), "--force", dir.Path("O")},
  };
  for (const std::vector<std::string>& args : runs) {
    SCOPED_TRACE(args[2]);
    const CliResult r = RunCli(args, wide);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("cannot spell exactly"), std::string::npos) << r.err;
    EXPECT_EQ(FolderNames(dir.Path("O")),
              (std::vector<std::string>{"Bin", "Drivers", "Software", "Ver.tag"}));
  }
}

}  // namespace
}  // namespace cartulon::cli_test
