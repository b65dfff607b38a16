// One disc with folder names in UTF-8 (Latin and Chinese) and in cp1252, and
// INI values in 1252 and Big5: the list holds every name in the run's code
// page, as the Windows command writes it, and the check's JSON reads as
// UTF-8.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/cli_runner.h"

namespace cartulon::cli_test {
namespace {

constexpr const char* kLatinUtf8 = "R\xC3\xA9seau Outils";
constexpr const char* kLatin1252 = "R\xE9seau Outils";
constexpr const char* kChineseUtf8 = "\xE8\xAA\xAA\xE6\x98\x8E\xE6\x9B\xB8";  // 說明書
constexpr const char* kChineseBig5 = "\xBB\xA1\xA9\xFA\xAE\xD1";
constexpr const char* kCafe1252 = "Caf\xE9";  // no UTF-8: kept as it is

class CliCodePage : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteSmallDisc(dir);
    contact = dir.WriteFile("contact.ini", SmallContact());
    Package(kLatinUtf8, "Zoltek R\xE9seau Tool");              // a 1252 title
    Package(kChineseUtf8, "Zoltek \xBB\xA1\xA9\xFA\xAE\xD1");  // a Big5 title
    Package(kCafe1252, "");                                    // no title: a finding
  }
  void Package(const std::string& folder, const std::string& title) const {
    dir.WriteFile("disc/Drivers/" + folder + "/ZoltSetup.ini",
                  Crlf({"[Root]", "InstallType=0", "[InstAllInfo]", "Version=3.1", "PassWHQL=1",
                        "[OS_Language_Tag]"}) +
                      Win7Tags());
    dir.WriteFile("disc/Drivers/" + folder + "/English.ini",
                  Crlf({"[Default]", title.empty() ? "Other=1" : "Title=" + title}));
  }
  CliResult Run(const std::string& lang, std::vector<std::string> extra = {}) const {
    std::vector<std::string> args = {"--date", "7/4/2014", "--contact", contact, "--stdout"};
    args.insert(args.end(), extra.begin(), extra.end());
    args.push_back(dir.Path("disc"));
    RunSettings settings;
    settings.env = {{"LC_ALL", ""}, {"LC_MESSAGES", ""}, {"LANG", lang}};
    return RunCli(args, settings);
  }
  // The list line of a folder of Drivers: two blanks, '-', the name.
  static bool Lists(const std::string& list, const std::string& name) {
    return list.find("\r\n  -" + name + " ") != std::string::npos;
  }

  TempDir dir;
  std::string contact;
};

TEST_F(CliCodePage, NamesAreWrittenInTheCodePageOfTheLocaleOrOfTheOption) {
  const CliResult western = Run("en_US.UTF-8");
  ASSERT_EQ(western.exitCode, 0) << western.err;
  EXPECT_TRUE(Lists(western.out, kLatin1252)) << western.out;
  EXPECT_TRUE(Lists(western.out, kCafe1252));
  EXPECT_EQ(western.out.find(kLatinUtf8), std::string::npos);
  // The name column counts the code page's bytes: one per é.
  EXPECT_NE(western.out.find(std::string("  -") + kLatin1252 + std::string(25 - 16, ' ') + "- "),
            std::string::npos);
  // 說明書 has no form in 1252: left out and named, as Windows does.
  EXPECT_FALSE(Lists(western.out, kChineseBig5));
  EXPECT_EQ(western.err,
            "Zolt Cartulon: Left out \"\\xE8\\xAA\\xAA\\xE6\\x98\\x8E\\xE6\\x9B\\xB8\" in " +
                dir.Path("disc/Drivers") + ": its name cannot be written in code page 1252.\n");

  const CliResult chinese = Run("zh_TW.UTF-8");
  ASSERT_EQ(chinese.exitCode, 0) << chinese.err;
  EXPECT_TRUE(Lists(chinese.out, kChineseBig5)) << chinese.out;
  EXPECT_TRUE(Lists(chinese.out, kCafe1252));
  EXPECT_FALSE(Lists(chinese.out, kLatin1252));
  EXPECT_NE(chinese.err.find("cannot be written in code page 950"), std::string::npos);

  // The option picks the code page, the locale still the language.
  const CliResult chosen = Run("en_US.UTF-8", {"--codepage", "950"});
  ASSERT_EQ(chosen.exitCode, 0) << chosen.err;
  EXPECT_TRUE(Lists(chosen.out, kChineseBig5));
  EXPECT_FALSE(Lists(chosen.out, kLatin1252));
  EXPECT_EQ(chosen.err, chinese.err);
  const CliResult back = Run("zh_TW.UTF-8", {"--codepage", "1252"});
  ASSERT_EQ(back.exitCode, 0) << back.err;
  EXPECT_TRUE(Lists(back.out, kLatin1252));
  EXPECT_FALSE(Lists(back.out, kChineseBig5));
}

TEST_F(CliCodePage, AnUnknownCodePageIsBadUsage) {
  for (const char* value : {"437", "65001", "0", "-1252", "1252x", "", "99999999999"}) {
    const CliResult run = Run("en_US.UTF-8", {"--codepage", value});
    EXPECT_EQ(run.exitCode, 2) << value;
    EXPECT_NE(run.err.find("--codepage: '" + std::string(value) + "' is not a code page"),
              std::string::npos)
        << run.err;
    EXPECT_TRUE(run.out.empty());
  }
}

TEST_F(CliCodePage, TheJsonCheckReadsAsUtf8AndKeepsThePathBytes) {
  RunSettings settings;
  settings.env = {{"LC_ALL", ""}, {"LC_MESSAGES", ""}, {"LANG", "en_US.UTF-8"}};
  const CliResult run =
      RunCli({"--check", "--json", "--contact", contact, dir.Path("disc")}, settings);
  ASSERT_EQ(run.exitCode, 1) << run.err;
  const nlohmann::json report = nlohmann::json::parse(run.out);  // throws on bad UTF-8
  EXPECT_EQ(run.out.find("\xEF\xBF\xBD"), std::string::npos);
  bool sawCafe = false;
  bool sawLeftOut = false;
  for (const nlohmann::json& finding : report.at("findings")) {
    if (finding.at("code") == "no-title") {
      EXPECT_EQ(finding.at("path"), "Drivers\\Caf\xC3\xA9");
      EXPECT_EQ(finding.at("path_bytes"), "447269766572735c436166e9");
      sawCafe = true;
    }
    if (finding.at("code") == "bad-name") {
      EXPECT_EQ(finding.at("path"), "Drivers");
      EXPECT_NE(finding.at("message").get<std::string>().find("code page 1252 cannot write"),
                std::string::npos);
      sawLeftOut = true;
    }
  }
  EXPECT_TRUE(sawCafe) << run.out;
  EXPECT_TRUE(sawLeftOut) << run.out;
}

// Names whose second byte is 0x5C, the byte of '\', in the run's code page
// are listed whole, not left out as holding a '\'.
TEST_F(CliCodePage, DoubleByteNamesEndingInTheBackslashByteAreListedWhole) {
  struct Case {
    const char* codePage;
    std::string utf8;
    std::string listed;
  };
  const Case cases[] = {
      {"950", "\xE5\x8A\x9F\xE8\x83\xBD", "\xA5\x5C\xAF\xE0"},  // 功能
      {"950", "\xE8\xA8\xB1", "\xB3\x5C"},                      // 許
      {"936", "\xE4\xB9\x97", "\x81\x5C"},                      // 乗
      {"936", "\xE4\xBF\x93", "\x82\x5C"},                      // 俓
  };
  for (const Case& c : cases) Package(c.utf8, "Zoltek Tool " + c.listed);
  for (const Case& c : cases) {
    const CliResult run = Run("en_US.UTF-8", {"--codepage", c.codePage});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Lists(run.out, c.listed)) << c.codePage << run.out;
  }
}

}  // namespace
}  // namespace cartulon::cli_test
