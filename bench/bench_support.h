#pragma once
// Small helpers the benchmarks share: timing, scratch folders, and the
// carried templates written into a working folder.
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

// One timing of `run`, in seconds.
inline double Seconds(const std::function<void()>& run) {
  const auto start = std::chrono::steady_clock::now();
  run();
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  return took.count();
}

// The best of `runs` timings of `run`, in seconds.
inline double BestSeconds(const std::function<void()>& run, int runs = 3) {
  double best = 1e300;
  for (int k = 0; k < runs; ++k) best = std::min(best, Seconds(run));
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

// Writes the carried file `name` (FileList_Exp.ini, TECHSUPP.ini) into
// `folder`; returns its path. Ends the benchmark when it is not carried.
inline std::string WriteCarried(const std::filesystem::path& folder, const char* name) {
  const std::string path = (folder / name).string();
  const auto bytes = cartulon::resources::EmbeddedFile(name);
  if (!bytes) {
    std::fprintf(stderr, "the carried file %s is missing\n", name);
    std::exit(1);
  }
  std::ofstream out(path, std::ios::binary);
  out.write(bytes->data(), static_cast<std::streamsize>(bytes->size()));
  return path;
}

inline std::string WriteCarriedRules(const std::filesystem::path& folder) {
  return WriteCarried(folder, "FileList_Exp.ini");
}

}  // namespace cartulon::bench
