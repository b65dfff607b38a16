// The display order of a folder with 100,000 sub-folders, without and with
// one pair of names that differ only in letter case (names that compare
// equal take the exact place the exchange sort of the display order leaves
// them in).
//
//   case_pair_bench [FOLDERS]        (default 100000)
//
// Measured twice: the order alone (SortChildren on nodes in memory, best of
// nine) and the whole analysis of a disc whose Drivers folder holds the
// sub-folders (best of three); the two cases take turns. Target: the pair
// costs under 10 %.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "model/dir_structure.h"
#include "platform/message_sink.h"
#include "shell/analysis.h"

namespace fs = std::filesystem;
using namespace cartulon;

namespace {

// Distinct names in a scrambled order, as a file system lists them.
std::vector<std::string> FolderNames(int count) {
  std::vector<std::string> names;
  names.reserve(static_cast<std::size_t>(count));
  std::uint32_t state = 20240611;
  for (int k = 0; k < count; ++k) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    names.push_back("Pkg_" + std::to_string(state % 1000) + "_" + std::to_string(k));
  }
  return names;
}

// The same names with the last one turned into an upper-case twin of the
// first.
std::vector<std::string> WithCasePair(std::vector<std::string> names) {
  std::string twin = names.front();
  for (char& c : twin) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  names.back() = twin;
  return names;
}

// Time of one display-order sort of the names under `root`, node building
// not counted.
double SortOnce(const fs::path& root, const std::vector<std::string>& names) {
  NullMessageSink quiet;
  DirStructure tree(root.string(), 0, quiet);
  for (const std::string& name : names) tree.AddChild((root / name).string(), tree.RootDir);
  return bench::BestSeconds([&] { DirStructure::SortChildren(tree.RootDir); }, 1);
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
  const std::vector<std::string> plain = FolderNames(count);
  const std::vector<std::string> paired = WithCasePair(plain);

  const fs::path disc = bench::MakeScratch("case");
  const fs::path work = bench::MakeScratch("case-work");
  const std::string rules = bench::WriteCarriedRules(work);

  const auto [sortPlain, sortPaired] = bench::Alternating(
      9, [&] { return SortOnce(disc, plain); }, [&] { return SortOnce(disc, paired); });
  std::printf("order of %d names, all distinct:     %.4f s\n", count, sortPlain);
  std::printf("order of %d names, one case pair:    %.4f s (%+.1f %%)\n", count, sortPaired,
              100.0 * (sortPaired - sortPlain) / sortPlain);
  std::fflush(stdout);

  for (const std::string& name : plain) fs::create_directories(disc / "Drivers" / name);
  const fs::path single = disc / "Drivers" / plain.back();
  const fs::path twin = disc / "Drivers" / paired.back();
  auto analyse = [&] {
    NullMessageSink quiet;
    return bench::BestSeconds([&] { RunAnalysis(disc.string(), 6, rules, quiet); }, 1);
  };
  analyse();  // warm the file system's caches
  const auto [analysisPlain, analysisPaired] = bench::Alternating(
      3, [&] { return analyse(); },
      [&] {
        fs::rename(single, twin);
        const double seconds = analyse();
        fs::rename(twin, single);
        return seconds;
      });
  std::printf("analysis, %d folders, all distinct:  %.4f s\n", count, analysisPlain);
  std::printf("analysis, %d folders, one case pair: %.4f s (%+.1f %%, target < 10 %%)\n", count,
              analysisPaired, 100.0 * (analysisPaired - analysisPlain) / analysisPlain);

  std::fflush(stdout);
  std::error_code ec;
  fs::remove_all(work, ec);
  fs::remove_all(disc, ec);
  return 0;
}
