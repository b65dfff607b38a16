// Under a double-byte system code page the second byte of a character may be
// 0x5C, the byte of '\': a package folder with such a name is listed whole,
// and a list named with one gets its CSV beside it. The cases of the
// system's code page run; under Wine the tests are run again in the
// locales zh_TW (950) and zh_CN (936) for them (tests/CMakeLists.txt).
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "cli/cli_runner.h"

namespace cartulon::cli_test {
namespace {

void WriteWide(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

TEST(CliDoubleByteNames, NamesWithTheBackslashByteAreListedWhole) {
  struct Case {
    unsigned codePage;
    const wchar_t* name;
    std::string listed;  // the name in the locale's code page
  };
  const Case cases[] = {
      {950, L"\u529F\u80FD", "\xA5\x5C\xAF\xE0"},  // 功能 in 950
      {950, L"\u8A31", "\xB3\x5C"},                // 許
      {936, L"\u4E57", "\x81\x5C"},                // 乗 in 936
      {936, L"\u4FD3", "\x82\x5C"},                // 俓
  };
  int run = 0;
  for (const Case& c : cases) {
    if (c.codePage != GetACP()) continue;
    ++run;
    SCOPED_TRACE(c.listed);
    TempDir dir;
    WriteSmallDisc(dir);
    const std::string contact = dir.WriteFile("contact.ini", SmallContact());
    const std::filesystem::path package =
        std::filesystem::path(dir.Path("disc")) / L"Drivers" / c.name;
    WriteWide(package / L"ZoltSetup.ini", Crlf({"[Root]", "InstallType=0", "[InstAllInfo]",
                                                "Version=2.0", "PassWHQL=1", "[OS_Language_Tag]"}) +
                                              Win7Tags());
    WriteWide(package / L"English.ini", Crlf({"[Default]", "Title=Zoltek Tool"}));
    const std::filesystem::path out = std::filesystem::path(dir.Path("out"));
    std::filesystem::create_directories(out);
    const std::filesystem::path listFile = out / (std::wstring(c.name) + L".txt");

    RunSettings settings;
    settings.utf8Arguments = true;
    const std::u8string utf8 = listFile.u8string();
    const CliResult result =
        RunCli({"--date", "7/4/2014", "--contact", contact, "--csv", "--output",
                std::string(utf8.begin(), utf8.end()), dir.Path("disc")},
               settings);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");
    std::ifstream in(listFile, std::ios::binary);
    const std::string list((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(list.find("\r\n  -" + c.listed + " "), std::string::npos) << list;
    EXPECT_EQ(FolderNames(dir.Path("out")).size(), 2u);
    EXPECT_TRUE(std::filesystem::exists(out / L"DriverInformation.csv"));
  }
  if (run == 0) GTEST_SKIP() << "code page " << GetACP() << " has no such names";
}

}  // namespace
}  // namespace cartulon::cli_test
