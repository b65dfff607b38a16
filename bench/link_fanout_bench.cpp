// Folder links that lead back up cannot multiply the work of an analysis:
// the same generated disc is analysed without and with a dozen links in
// Drivers that lead back to Drivers itself or to the disc root.
//
//   link_fanout_bench [LINKS]        (default 12)
//
// Each figure is the best of five whole analyses (scan, attach, layout
// rules, classification) at the default depth 6, the two cases taking
// turns. Target: with the links within 2x of without.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "bench/bench_support.h"
#include "bench/gen_disc.h"
#include "model/dir_structure.h"
#include "platform/message_sink.h"
#include "shell/analysis.h"

namespace fs = std::filesystem;
using namespace cartulon;

int main(int argc, char** argv) {
  const int links = argc > 1 ? std::atoi(argv[1]) : 12;
  constexpr int kDepth = 6;

  const fs::path disc = bench::MakeScratch("links");
  const fs::path work = bench::MakeScratch("links-work");
  const bench::DiscStats stats = bench::GenerateDisc(disc.string());
  const std::string rules = bench::WriteCarriedRules(work);
  std::printf("generated disc: %zu folders, %zu packages\n", stats.folders, stats.packages);

  std::size_t nodes = 0;
  auto analyse = [&] {
    NullMessageSink quiet;
    return bench::BestSeconds(
        [&] {
          const std::unique_ptr<DirStructure> tree =
              RunAnalysis(disc.string(), kDepth, rules, quiet);
          nodes = tree->NodeCount();
        },
        1);
  };
  // Half lead to Drivers itself, half to the root; they are made for each
  // measurement with links and removed after it.
  auto withLinks = [&] {
    for (int k = 0; k < links; ++k) {
      fs::create_directory_symlink(k % 2 == 0 ? "." : "..",
                                   disc / "Drivers" / ("Loop" + std::to_string(k)));
    }
    const double seconds = analyse();
    for (int k = 0; k < links; ++k) fs::remove(disc / "Drivers" / ("Loop" + std::to_string(k)));
    return seconds;
  };

  analyse();  // warm the file system's caches
  const std::size_t nodesWithout = nodes;
  const auto [without, with] = bench::Alternating(5, analyse, withLinks);

  std::printf("analysis without links:        %.4f s, %zu nodes\n", without, nodesWithout);
  std::printf("analysis with %2d links:        %.4f s, %zu nodes\n", links, with, nodes);
  std::printf("ratio with / without: %.2f (target <= 2.00)\n", with / without);

  std::fflush(stdout);
  std::error_code ec;
  fs::remove_all(work, ec);
  fs::remove_all(disc, ec);
  return 0;
}
