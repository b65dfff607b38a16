// How long one analysis of a large support disc takes, against the floor of
// walking the same tree with find(1) and reading each of its INI files once.
//
//   analysis_bench [DISC_ROOT]
//
// Without an argument a synthetic disc (20,000 folders, 2,000 packages,
// depth 6) is generated in a scratch folder and removed afterwards. Each
// measurement is the best of three runs. The peak resident set size is the
// process's own, read right after the analysis runs (the generator and the
// floor use little memory of their own; find runs as a child).
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "bench/bench_support.h"
#include "bench/gen_disc.h"
#include "model/dir_structure.h"
#include "platform/message_sink.h"
#include "shell/analysis.h"

namespace fs = std::filesystem;

namespace {

constexpr int kDepth = 6;

long PeakRssKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;  // KiB on this platform
}

std::string ShellQuote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

std::vector<std::string> IniFilesBelow(const std::string& root) {
  std::vector<std::string> paths;
  std::error_code ec;
  fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, ec);
  for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    if (it.depth() >= kDepth) it.disable_recursion_pending();
    std::error_code ignored;
    if (!it->is_regular_file(ignored)) continue;
    std::string ext = it->path().extension().string();
    for (char& c : ext) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (ext == ".ini") paths.push_back(it->path().string());
  }
  return paths;
}

// Counts what a listener hears without printing it.
class CountingSink : public cartulon::MessageSink {
 public:
  void Show(const cartulon::Message&) override { ++count; }
  std::size_t count = 0;
};

}  // namespace

int main(int argc, char** argv) {
  std::string root;
  fs::path generated;
  if (argc > 1) {
    root = argv[1];
  } else {
    generated = cartulon::bench::MakeScratch("disc");
    root = generated.string();
    const auto start = std::chrono::steady_clock::now();
    const cartulon::bench::DiscStats stats = cartulon::bench::GenerateDisc(root);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("generated disc: %zu folders (deepest %d), %zu packages, %zu files, %zu INI files, "
                "%.1f MB in %.2f s\n",
                stats.folders, stats.deepest, stats.packages, stats.files, stats.iniFiles,
                static_cast<double>(stats.bytes) / 1e6, took.count());
  }

  // The carried rules file in a working folder of its own.
  const fs::path work = cartulon::bench::MakeScratch("work");
  const std::string rulesPath = cartulon::bench::WriteCarriedRules(work);

  // (a) The floor: walk the tree and read every INI file once.
  const std::vector<std::string> iniFiles = IniFilesBelow(root);
  const std::string findCommand =
      "find " + ShellQuote(root) + " -maxdepth " + std::to_string(kDepth) + " > /dev/null";
  std::size_t iniBytes = 0;
  int findStatus = 0;
  const double floorSeconds = cartulon::bench::BestSeconds([&] {
    findStatus = std::system(findCommand.c_str());
    iniBytes = 0;
    for (const std::string& path : iniFiles) {
      std::ifstream in(path, std::ios::binary);
      const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      iniBytes += bytes.size();
    }
  });
  if (findStatus != 0) std::fprintf(stderr, "warning: find exited with status %d\n", findStatus);

  // The scan alone: the model's share of the analysis.
  std::size_t scanNodes = 0;
  const double scanSeconds = cartulon::bench::BestSeconds([&] {
    cartulon::NullMessageSink quiet;
    cartulon::DirStructure tree(root, kDepth, quiet);
    scanNodes = tree.NodeCount();
  });

  // (b) The whole analysis: scan, attach, layout rules, classification.
  const long rssBefore = PeakRssKiB();
  std::size_t analysisNodes = 0;
  std::size_t messageCount = 0;
  std::size_t checkedNodes = 0;
  const double analysisSeconds = cartulon::bench::BestSeconds([&] {
    CountingSink messages;
    std::unique_ptr<cartulon::DirStructure> tree =
        cartulon::RunAnalysis(root, kDepth, rulesPath, messages);
    analysisNodes = tree && tree->RootDir ? tree->NodeCount() : 0;
    messageCount = messages.count;
    checkedNodes = 0;
    if (tree && tree->RootDir) {
      std::vector<const cartulon::DirNode*> pending{tree->RootDir};
      while (!pending.empty()) {
        const cartulon::DirNode* node = pending.back();
        pending.pop_back();
        checkedNodes += node->Checked ? 1 : 0;
        pending.insert(pending.end(), node->Children.begin(), node->Children.end());
      }
    }
  });
  const long rssAfter = PeakRssKiB();

  std::printf("disc: %s\n", generated.empty() ? root.c_str() : "(generated)");
  std::printf("floor    (find -maxdepth %d + read %zu INI files, %zu bytes): %.4f s\n", kDepth,
              iniFiles.size(), iniBytes, floorSeconds);
  std::printf("scan     (DirStructure, %zu nodes):                         %.4f s\n", scanNodes,
              scanSeconds);
  std::printf("analysis (RunAnalysis, %zu nodes, %zu checked, %zu messages): %.4f s\n",
              analysisNodes, checkedNodes, messageCount, analysisSeconds);
  std::printf("ratio analysis / floor: %.2f (target <= 2.00)\n", analysisSeconds / floorSeconds);
  std::printf("ratio scan / floor:     %.2f\n", scanSeconds / floorSeconds);
  std::printf("peak RSS: %ld KiB before the analysis, %ld KiB after it\n", rssBefore, rssAfter);

  std::fflush(stdout);
  std::error_code ec;
  fs::remove_all(work, ec);
  if (!generated.empty()) {
    // Removing tens of thousands of files can take a while on file systems
    // that discard blocks on unlink; the figures are out already.
    std::fprintf(stderr, "removing the generated disc...\n");
    fs::remove_all(generated, ec);
  }
  return 0;
}
