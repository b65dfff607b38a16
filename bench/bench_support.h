#pragma once
// Small helpers the benchmarks share: timing, scratch folders, and the
// carried rules file written into a working folder.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>

#include "resources/embedded.h"

namespace cartulon::bench {

// The best of `runs` timings of `run`, in seconds.
inline double BestSeconds(const std::function<void()>& run, int runs = 3) {
  double best = 1e300;
  for (int k = 0; k < runs; ++k) {
    const auto start = std::chrono::steady_clock::now();
    run();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    best = std::min(best, took.count());
  }
  return best;
}

// Two cases timed in turns, so that a busy machine weighs on both alike;
// the best of `rounds` of each (each case returns its own seconds).
template <typename First, typename Second>
std::pair<double, double> Alternating(int rounds, First first, Second second) {
  double bestFirst = 1e300;
  double bestSecond = 1e300;
  for (int k = 0; k < rounds; ++k) {
    bestFirst = std::min(bestFirst, first());
    bestSecond = std::min(bestSecond, second());
  }
  return {bestFirst, bestSecond};
}

// A new, empty folder in the system's temporary directory.
inline std::filesystem::path MakeScratch(const char* tag) {
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  for (int k = 0;; ++k) {
    std::filesystem::path candidate = base / ("cartulon-bench-" + std::string(tag) + "-" +
                                              std::to_string(::getpid()) + "-" + std::to_string(k));
    if (std::filesystem::create_directory(candidate)) return candidate;
  }
}

// Writes the carried FileList_Exp.ini into `folder`; returns its path.
inline std::string WriteCarriedRules(const std::filesystem::path& folder) {
  const std::string path = (folder / "FileList_Exp.ini").string();
  const auto rules = cartulon::resources::EmbeddedFile("FileList_Exp.ini");
  if (!rules) {
    std::fprintf(stderr, "the carried rules file is missing\n");
    std::exit(1);
  }
  std::ofstream out(path, std::ios::binary);
  out.write(rules->data(), static_cast<std::streamsize>(rules->size()));
  return path;
}

}  // namespace cartulon::bench
