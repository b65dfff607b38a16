// How long the disc check of a large support disc takes, against a list run
// of the same disc.
//
//   check_bench [DISC_ROOT]
//
// Without an argument a synthetic disc (20,000 folders, 2,000 packages,
// depth 6) is generated in a scratch folder and removed afterwards.
//   list run:  analysis, Generate, Compact, Generate, the save rules and the
//              write of FileList.txt (into a scratch folder, not the disc);
//   check run: analysis, the check, Generate, Compact, Generate and the text
//              report, as cartulon-cli --check does.
// Each figure is the best of five runs, the two kinds taking turns.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "bench/gen_disc.h"
#include "output/layout_rules.h"
#include "output/list_writer.h"
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

}  // namespace

int main(int argc, char** argv) {
  std::string root;
  fs::path generated;
  if (argc > 1) {
    root = argv[1];
  } else {
    generated = bench::MakeScratch("disc");
    root = generated.string();
    const bench::DiscStats stats = bench::GenerateDisc(root);
    std::printf("generated disc: %zu folders, %zu packages, %zu INI files\n", stats.folders,
                stats.packages, stats.iniFiles);
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
