// cartulon-cli --check run as a process: its text and JSON reports, its exit
// statuses, that it writes nothing, and the two sample discs.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "cli/cli_runner.h"

namespace cartulon::cli_test {
namespace {

std::vector<std::string> ReportLines(const std::string& out) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = out.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(out.substr(start, end - start));
  }
  return lines;
}

class CliCheck : public ::testing::Test {
 protected:
  void SetUp() override { WriteSmallDisc(dir); }
  std::string Disc() const { return dir.Path("disc"); }
  TempDir dir;
};

TEST_F(CliCheck, WarningsOnlyExitZeroAndWriteNothing) {
  // The carried rules name Manual and Software\AOD, which the small disc
  // does not have.
  const std::vector<std::string> before = FolderNames(Disc());
  const CliResult r = RunCli({"--check", Disc()});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReportLines(r.out),
            (std::vector<std::string>{
                "warning unmatched-rule .\\Manual: the HideSubDir key of the rules file finds no "
                "folder of the disc (a key names it relative to the disc root, in the disc's "
                "letter case, within the search depth); nothing is unchecked by it",
                "warning unmatched-rule .\\Software\\AOD: the Constant key of the rules file finds "
                "no folder or file of the disc (a key names it relative to the disc root, in the "
                "disc's letter case, within the search depth); its fixed description is not "
                "listed",
                "0 errors, 2 warnings"}));
  EXPECT_TRUE(r.err.empty()) << r.err;
  EXPECT_EQ(FolderNames(Disc()), before);
}

TEST_F(CliCheck, AnErrorFindingExitsOneAndJsonCarriesTheSameFindings) {
  dir.WriteFile("disc/Drivers/Bad/ZoltSetup.ini", Crlf({"[Root]", "InstallType=0"}));
  const CliResult text = RunCli({"--check", Disc()});
  EXPECT_EQ(text.exitCode, 1) << text.err;
  const std::vector<std::string> lines = ReportLines(text.out);
  ASSERT_EQ(lines.size(), 5u) << text.out;
  EXPECT_EQ(lines[0].rfind("warning unmatched-rule .\\Manual: ", 0), 0u);
  EXPECT_EQ(lines[2].rfind("error no-description Drivers\\Bad: ZoltSetup.ini gives the folder's "
                           "line no description: there is no English.ini",
                           0),
            0u)
      << lines[2];
  EXPECT_EQ(lines[3].rfind("error no-english-file Drivers\\Bad: ", 0), 0u);
  EXPECT_EQ(lines[4], "2 errors, 2 warnings");

  const CliResult json = RunCli({"--check", "--json", Disc() + "/"});
  EXPECT_EQ(json.exitCode, 1) << json.err;
  const nlohmann::json report = nlohmann::json::parse(json.out);
  EXPECT_EQ(report.at("root"), Disc());
  EXPECT_EQ(report.at("errors"), 2);
  EXPECT_EQ(report.at("warnings"), 2);
  ASSERT_EQ(report.at("findings").size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) {
    const nlohmann::json& f = report.at("findings")[i];
    const std::string line =
        f.at("severity").get<std::string>() + " " + f.at("code").get<std::string>() + " " +
        f.at("path").get<std::string>() + ": " + f.at("message").get<std::string>();
    EXPECT_EQ(line, lines[i]);
  }
}

TEST_F(CliCheck, RulesAndDepthOptionsAreThoseOfAListRun) {
  const std::string rules =
      dir.WriteFile("rules.ini", Crlf({"[ShowAllDir]", ".\\Drivers\\Net\\x="}));
  dir.WriteFile("disc/Drivers/Net/x/Readme.ini", Crlf({"[Information]", "Tool_Name=X"}));
  CliResult r = RunCli({"--check", "--rules", rules, Disc()});
  EXPECT_EQ(ReportLines(r.out), (std::vector<std::string>{"0 errors, 0 warnings"})) << r.err;
  // At depth 2 the folder lies too deep for the key.
  r = RunCli({"--check", "--rules", rules, "--depth", "2", Disc()});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(ReportLines(r.out).size(), 2u) << r.out;
  EXPECT_EQ(r.out.rfind("warning unmatched-rule .\\Drivers\\Net\\x: ", 0), 0u) << r.out;
}

TEST_F(CliCheck, BadUsageExitsTwoAndAFailedRunExitsOne) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--json", Disc()},
                                             {"--check", "--output", dir.Path("out.txt"), Disc()},
                                             {"--check", "--csv", Disc()},
                                             {"--check", "--stdout", Disc()},
                                             {"--check", "--force", Disc()},
                                             {"--check"}}) {
    const CliResult r = RunCli(args);
    EXPECT_EQ(r.exitCode, 2) << ::testing::PrintToString(args) << r.err;
    EXPECT_TRUE(r.out.empty()) << r.out;
  }
  EXPECT_FALSE(Exists(dir.Path("out.txt")));

  // A root that is not there is a bad argument, as for a list run.
  CliResult r = RunCli({"--check", dir.Path("no-such-disc")});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("no-such-disc"), std::string::npos) << r.err;
  EXPECT_TRUE(r.out.empty());

  dir.MakeFolder("bare");
  r = RunCli({"--check", dir.Path("bare")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("Zscdinst.ini"), std::string::npos) << r.err;
}

TEST(CliCheckSamples, TheSampleDiscHasNoError) {
  const CliResult r = RunCli({"--check", std::string(CARTULON_EXAMPLES) + "/SupportCD"});
  EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
  EXPECT_EQ(ReportLines(r.out).back(), "0 errors, 0 warnings") << r.out;
}

TEST(CliCheckSamples, TheBrokenDiscShowsEveryFindingItCanHoldOnce) {
  const CliResult r = RunCli({"--check", "--json", std::string(CARTULON_EXAMPLES) + "/BrokenCD"});
  EXPECT_EQ(r.exitCode, 1) << r.err;
  const nlohmann::json report = nlohmann::json::parse(r.out);
  std::multiset<std::string> codes;
  for (const nlohmann::json& f : report.at("findings"))
    codes.insert(f.at("code").get<std::string>());
  // bad-name, unreadable and case-collision need entries that a portable
  // checkout cannot hold; scripts/broken-cd adds them to a copy.
  for (const char* code : {"no-description", "no-english-file", "missing-source", "outside-disc",
                           "bad-whql", "partial-os-group", "unknown-os-tag", "no-title",
                           "no-version", "unmatched-rule", "encoding", "inf-version", "bad-inf",
                           "whql-unproven"}) {
    EXPECT_EQ(codes.count(code), 1u) << code << " in\n" << r.out;
  }
  EXPECT_EQ(codes.size(), 14u) << r.out;
}

}  // namespace
}  // namespace cartulon::cli_test
