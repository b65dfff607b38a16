// The sample support disc under examples/SupportCD, run on a copy: the whole
// list, worked out by hand from the disc's INI files, and the CSV rows.
//
// What the disc exercises: the heading with the board name from
// Bin/English.ini; Bin hidden; a multi-install and an InstallPath package
// (one line per install source, the InstallPath sources in reverse order);
// WHQL, Beta and a combined PassWHQL/PassVistaWHQL status; XP 64-bit left
// out because the master file does not install it; the USB folder
// unchecked; sub-install folders without a description compacted away; the
// manual section joined and shortened; the AOD constant text; the
// APPSETUP components joined to their folder lines with the suite's OS
// tail; the diagnostics line taking the suite's OS tail; a repeated
// description removed; the contact block in place of Ver.tag; and a CSV
// OS field cut at 100 characters.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_runner.h"

namespace cartulon::cli_test {
namespace {

const std::string kTitle = "File List for the included support software for Z77X-Zolt Motherboard";
const std::string kWin78 = "Win7 32bit & Win7 64bit & Win8 32bit & Win8 64bit";

std::vector<std::string> ExpectedEntries() {
  return {
      "-Drivers" + Blanks(17),
      "  -IntelChipset" + Blanks(10) +
          "- Intel Chipset Driver V9.3.0.1019 for Windows XP 32bit & Vista 32bit & Vista 64bit & "
          "Win7 32bit & Win7 64bit & Win8 32bit & Win8 64bit---(WHQL).",
      "",
      "  -IntelRAID" + Blanks(13) +
          "- Intel SATA RAID Driver V11.2.0.1006 for Windows XP 32bit---(WHQL).",
      Blanks(25) + "- Intel SATA RAID Driver V11.7.0.1013 for Windows " + kWin78 + "---(WHQL).",
      "",
      "  -LAN" + Blanks(19) + "- Zoltek Gigabit LAN Driver V2.1.5 for Windows " + kWin78 +
          "---(Beta).",
      "",
      "  -RealtekAudio" + Blanks(10) +
          "- Realtek Audio Driver V6.0.1.6680 for Windows XP 32bit & Vista 32bit & Vista 64bit & "
          "Win7 32bit & Win7 64bit & Win8 32bit & Win8 64bit & Win8.1 32bit & Win8.1 64bit"
          "---(WHQL).",
      "",
      "  -VGA" + Blanks(19) +
          "- Intel Graphics Driver V15.28.0.2875 for Windows Win7 64bit---(Beta).",
      Blanks(25) + "- Intel Graphics Driver V15.28.0.2875 for Windows Win7 32bit---(WHQL).",
      "",
      "",
      "-Manual" + Blanks(18),
      "  -BoardManual" + Blanks(11) + "- Motherboard User's Manual.",
      "",
      "  -QuickGuide" + Blanks(12) + "- Quick Installation Guide.",
      "",
      "",
      "-Software" + Blanks(16),
      "  -AOD" + Blanks(19) + "- AMD OverDrive Utility (AOD) Readme file.",
      "",
      "  -ControlCenter" + Blanks(9) + "- Zolt Trivane II V1.03 for Windows " + kWin78 + ".",
      "    -Monitor" + Blanks(13) + "- Zolt System Monitor V2.10 for Windows " + kWin78 + ".",
      "    -Tuner" + Blanks(15) + "- Zolt Fan Tuner V1.35 for Windows " + kWin78 + ".",
      "",
      "  -PCHealthCheck" + Blanks(9) + "- PC HealthCheck V1.0.4 for Windows " + kWin78 + ".",
      "",
      "  -QuickBoost" + Blanks(12),
      "    -Win32" + Blanks(15) + "- Zolt QuickBoost V1.05 Fast boot and resume utility.",
      "",
      "",
  };
}

const std::string kExpectedCsv =
    "Intel,Chipset Driver,9.3.0.1019,XP 32bit & Vista 32bit & Vista 64bit & Win7 32bit & Win7 "
    "64bit & Win8 32bit & Win8 64bit\r\n"
    "Intel,SATA RAID Driver,11.2.0.1006,XP 32bit\r\n"
    "Intel,SATA RAID Driver,11.7.0.1013,Win7 32bit & Win7 64bit & Win8 32bit & Win8 64bit\r\n"
    "Zoltek,Gigabit LAN Driver,2.1.5,Win7 32bit & Win7 64bit & Win8 32bit & Win8 64bit\r\n"
    "Realtek,Audio Driver,6.0.1.6680,XP 32bit & Vista 32bit & Vista 64bit & Win7 32bit & Win7 "
    "64bit & Win8 32bit & Win8 64bit & Win8.1 32\r\n"
    "Intel,Graphics Driver,15.28.0.2875,Win7 64bit\r\n"
    "Intel,Graphics Driver,15.28.0.2875,Win7 32bit\r\n";

class CliExampleDisc : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy(std::string(CARTULON_EXAMPLES) + "/SupportCD", dir.Path("SupportCD"),
                          std::filesystem::copy_options::recursive);
  }
  std::string Disc() const { return dir.Path("SupportCD"); }
  TempDir dir;
};

// The whole list of the disc with the footer date 3/7/2014.
std::vector<std::string> ExpectedList() {
  std::vector<std::string> expected = {kTitle, std::string(kTitle.size(), '='),
                                       "File Name" + Blanks(16) + "Description",
                                       std::string(kTitle.size(), '-')};
  for (const std::string& line : ExpectedEntries()) expected.push_back(line);
  const std::vector<std::string> contact = CarriedContactLines();
  if (contact.empty()) return {};
  expected.push_back("-Contact" + Blanks(17) + contact[0]);
  for (std::size_t i = 1; i < contact.size(); ++i) expected.push_back(Blanks(25) + contact[i]);
  expected.push_back("");
  expected.push_back("");
  expected.push_back("-FileList.txt" + Blanks(12) + "The file you are now reading.");
  expected.push_back(Blanks(25) + "3/7/2014");
  return expected;
}

TEST_F(CliExampleDisc, WholeListAndCsv) {
  const CliResult r = RunCli({"--csv", "--date", "3/7/2014", Disc()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(r.err.empty()) << r.err;

  const std::vector<std::string> expected = ExpectedList();
  ASSERT_FALSE(expected.empty()) << "no carried contact block";

  const auto list = ReadBytes(dir.Path("SupportCD/FileList.txt"));
  ASSERT_TRUE(list.has_value());
  EXPECT_EQ(*list, Crlf(expected));
  // Line by line as well, so that a difference is easy to find.
  const std::vector<std::string> lines = CrlfLines(*list);
  for (std::size_t i = 0; i < std::min(lines.size(), expected.size()); ++i) {
    EXPECT_EQ(lines[i], expected[i]) << "line " << i;
  }
  EXPECT_EQ(lines.size(), expected.size());

  EXPECT_EQ(ReadBytes(dir.Path("SupportCD/DriverInformation.csv")).value_or("<missing>"),
            kExpectedCsv);

  // The run worked on the copy: the sample disc itself stays as shipped.
  for (const char* name : {"FileList.txt", "DriverInformation.csv"}) {
    EXPECT_FALSE(Exists(std::string(CARTULON_EXAMPLES) + "/SupportCD/" + name)) << name;
  }
}

// The package check compares the installed command's output on the sample
// disc with these files: they must be the list and table worked out above.
TEST(CliExampleGolden, GoldenFilesAreTheWorkedOutListAndTable) {
  const std::string golden = std::string(CARTULON_TEST_DATA) + "/golden/SupportCD/";
  const std::vector<std::string> expected = ExpectedList();
  ASSERT_FALSE(expected.empty()) << "no carried contact block";
  EXPECT_EQ(ReadBytes(golden + "FileList.txt").value_or("<missing>"), Crlf(expected));
  EXPECT_EQ(ReadBytes(golden + "DriverInformation.csv").value_or("<missing>"), kExpectedCsv);
}

// The same bytes on every platform: the list and the CSV of the sample disc
// as the golden files in tests/data/golden hold them, written to other
// targets while the disc stays as shipped.
TEST(CliGoldenFiles, SampleDiscGivesTheGoldenListAndCsv) {
  TempDir out;
  const CliResult r = RunCli({"--csv", "--date", "3/7/2014", "--output", out.Path("FileList.txt"),
                              "--csv-output", out.Path("DriverInformation.csv"),
                              std::string(CARTULON_EXAMPLES) + "/SupportCD"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(r.err.empty()) << r.err;
  const std::string golden = std::string(CARTULON_TEST_DATA) + "/golden/SupportCD/";
  const auto expectedList = ReadBytes(golden + "FileList.txt");
  const auto expectedCsv = ReadBytes(golden + "DriverInformation.csv");
  ASSERT_TRUE(expectedList && expectedCsv) << "golden files missing";
  EXPECT_EQ(ReadBytes(out.Path("FileList.txt")), expectedList);
  EXPECT_EQ(ReadBytes(out.Path("DriverInformation.csv")), expectedCsv);
}

}  // namespace
}  // namespace cartulon::cli_test
