// How long the disc check of a large support disc takes, against a list run
// of the same disc.
//
//   check_bench [--no-driver-files] [DISC_ROOT]
//
// Without an argument a synthetic disc (20,000 folders, 2,000 packages,
// depth 6) is generated in a scratch folder and removed afterwards; beside
// the file of each installer record it gets one INF file, whose DriverVer
// is the record's version, and one catalog signed by the hardware
// publisher's name (a test catalog of scripts/make-test-catalogs), so that
// the check reads the driver files of every record.
//   list run:  analysis, Generate, Compact, Generate, the save rules and the
//              write of FileList.txt (into a scratch folder, not the disc);
//   check run: analysis, the check, Generate, Compact, Generate and the text
//              report, as cartulon-cli --check does.
// Each figure is the best of five runs, the two kinds taking turns.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "bench/gen_disc.h"
#include "output/layout_rules.h"
#include "output/list_writer.h"
#include "platform/ini_profile.h"
#include "platform/input_files.h"
#include "platform/message_sink.h"
#include "shell/analysis.h"
#include "shell/check_report.h"
#include "shell/disc_check.h"

namespace fs = std::filesystem;
using namespace cartulon;

namespace {

constexpr int kDepth = 6;
constexpr int kRuns = 5;

class RefuseAll : public UserPrompts {
 public:
  bool AskYesNo(const std::string&, const std::string&) override { return false; }
  std::optional<SaveDialogChoice> AskSaveFile(const std::string&, const std::string&) override {
    return std::nullopt;
  }
};

// One INF file and one catalog beside every installer record's file of the
// generated disc, in place of the generator's INF files; returns how many
// INF files were written.
std::size_t AddDriverFiles(const std::string& root, const bench::DiscStats& stats) {
  std::vector<fs::path> generatorInfs;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
    if (entry.path().extension() == ".inf") generatorInfs.push_back(entry.path());
  }
  for (const fs::path& inf : generatorInfs) fs::remove(inf);
  const std::optional<std::string> catalog = ReadInputFile(CARTULON_BENCH_CATALOG);
  if (!catalog) {
    std::fprintf(stderr, "cannot read %s\n", CARTULON_BENCH_CATALOG);
    std::exit(1);
  }
  std::size_t written = 0;
  for (const std::string& path : stats.iniPaths) {
    const fs::path ini(path);
    const std::string name = ini.filename().string();
    if (name != "ZoltSetup.ini" && name != "Install.ini" && name != "Setup.ini") continue;
    const std::string version = IniFile::Load(path).Get("InstAllInfo", "Version", "");
    if (version.empty()) continue;
    std::ofstream inf(ini.parent_path() / "driver.inf", std::ios::binary);
    inf << "[Version]\r\nSignature=\"$Windows NT$\"\r\nClass=System\r\nProvider=%Zolt%\r\n"
           "DriverVer=06/11/2024,"
        << version << "\r\nCatalogFile=driver.cat\r\n\r\n[Strings]\r\nZolt=\"Zolt Devices\"\r\n";
    std::ofstream cat(ini.parent_path() / "driver.cat", std::ios::binary | std::ios::trunc);
    cat.write(catalog->data(), static_cast<std::streamsize>(catalog->size()));
    ++written;
  }
  return written;
}

}  // namespace

int main(int argc, char** argv) {
  std::string root;
  fs::path generated;
  // --no-driver-files: the generated disc as the generator makes it, with
  // INF files that name no catalog, for the figures without catalogs.
  const bool driverFiles = !(argc > 1 && std::string(argv[1]) == "--no-driver-files");
  if (!driverFiles) {
    --argc;
    ++argv;
  }
  if (argc > 1) {
    root = argv[1];
  } else {
    generated = bench::MakeScratch("disc");
    root = generated.string();
    const bench::DiscStats stats = bench::GenerateDisc(root);
    const std::size_t infs = driverFiles ? AddDriverFiles(root, stats) : 0;
    std::printf("generated disc: %zu folders, %zu packages, %zu INI files, %zu INF files\n",
                stats.folders, stats.packages, stats.iniFiles, infs);
  }

  const fs::path work = bench::MakeScratch("work");
  const std::string rulesPath = bench::WriteCarried(work, kRulesFileName);
  bench::WriteCarried(work, "TECHSUPP.ini");
  ListContext context;
  context.scdPath = root;
  context.workingFolder = work.string();
  context.masters.programFolder = work.string();
  context.masters.cdMasterPath = BuildCDMasterPath(root);
  context.settings.month = "6";
  context.settings.day = "11";
  context.settings.year = "2024";

  std::size_t lines = 0;
  std::size_t findings = 0;
  std::size_t errors = 0;
  std::map<std::string, std::size_t> codes;
  std::map<std::string, std::string> examples;
  auto listRun = [&] {
    NullMessageSink quiet;
    std::unique_ptr<DirStructure> tree = RunAnalysis(root, kDepth, rulesPath, quiet);
    Preview preview;
    PrepareInitialPreview(*tree, preview, context, quiet);
    SaveRuleFlags flags;
    SaveRequest request;
    request.outputMode = 2;
    request.removeTemplates = false;
    request.targetPath = (work / "FileList.txt").string();
    RefuseAll prompts;
    SaveFileList(preview.map, preview.titleLines, flags, context, request, prompts, quiet);
    lines = preview.map.PreviewLines.size();
  };
  double bestCheckAlone = 1e300;
  auto checkRun = [&] {
    NullMessageSink quiet;
    std::unique_ptr<DirStructure> tree = RunAnalysis(root, kDepth, rulesPath, quiet);
    std::vector<Finding> found;
    bestCheckAlone = std::min(bestCheckAlone, bench::Seconds([&] {
                                found = CheckDisc(*tree, CheckInputs{rulesPath, context.masters});
                              }));
    Preview preview;
    PrepareInitialPreview(*tree, preview, context, quiet);
    const std::string report = TextReport(found);
    findings = found.size();
    codes.clear();
    for (const Finding& finding : found) {
      if (codes[finding.code]++ == 0) examples[finding.code] = finding.path + ": " + finding.message;
    }
    errors = static_cast<std::size_t>(CountFindings(found).errors);
    if (report.empty()) std::fprintf(stderr, "empty report\n");
  };

  const auto [bestList, bestCheck] = bench::Alternating(
      kRuns, [&] { return bench::Seconds(listRun); }, [&] { return bench::Seconds(checkRun); });
  std::printf("list run  (analysis, Generate, Compact, save rules, write; %zu lines): %.4f s\n",
              lines, bestList);
  std::printf("check run (analysis, check, Generate, Compact; %zu findings, %zu errors): %.4f s\n",
              findings, errors, bestCheck);
  std::printf("  of which the check itself (CheckDisc):                  %.4f s\n", bestCheckAlone);
  for (const auto& [code, count] : codes) {
    std::printf("  %-18s %5zu  e.g. %.160s\n", code.c_str(), count, examples[code].c_str());
  }
  std::printf("ratio check / list run: %.2f (target <= 1.50)\n", bestCheck / bestList);

  std::fflush(stdout);
  std::error_code ec;
  fs::remove_all(work, ec);
  if (!generated.empty()) {
    std::fprintf(stderr, "removing the generated disc...\n");
    fs::remove_all(generated, ec);
  }
  return 0;
}
