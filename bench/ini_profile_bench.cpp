// How long the INI reader takes on hostile shapes of input.
//
//   ini_profile_bench
//
// Six shapes that would make a parser which rescans lines or headers take
// minutes: 200,000 short key lines, 200,000 headers, and runs of 2,000,000
// characters (an endless header, an endless line of '=', blanks around a
// key, bare carriage returns). Each is parsed five times; the best time of
// each and their sum are printed. A linear reader needs well under a second
// for all six (the exit status is 1 beyond that).
#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/ini_profile.h"

namespace {

constexpr int kRuns = 5;
constexpr std::size_t kSize = 2000000;

struct Shape {
  const char* name;
  std::string bytes;
};

std::string Repeat(const std::string& piece, std::size_t times) {
  std::string text;
  text.reserve(piece.size() * times);
  for (std::size_t i = 0; i < times; ++i) text += piece;
  return text;
}

std::vector<Shape> Shapes() {
  return {
      {"key lines", "[S]\n" + Repeat("k=v\n", kSize / 10)},
      {"headers", Repeat("[x]\r", kSize / 10)},
      {"open brackets", std::string(kSize, '[')},
      {"equals signs", "[S]\n" + std::string(kSize, '=')},
      {"blanks", "[S]\n" + std::string(kSize, ' ') + "k" + std::string(kSize, '\t')},
      {"carriage returns", "[S]" + std::string(kSize, '\r') + "k=v"},
  };
}

double BestSeconds(const std::string& bytes, std::size_t* sections) {
  double best = 1e100;
  for (int run = 0; run < kRuns; ++run) {
    const auto start = std::chrono::steady_clock::now();
    const cartulon::IniFile ini = cartulon::IniFile::FromBytes(bytes);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    *sections = ini.SectionNames().size();
    best = std::min(best, took.count());
  }
  return best;
}

}  // namespace

int main() {
  double total = 0;
  for (const Shape& shape : Shapes()) {
    std::size_t sections = 0;
    const double seconds = BestSeconds(shape.bytes, &sections);
    total += seconds;
    std::printf("%-17s %8zu bytes: %8.3f ms (%zu sections)\n", shape.name, shape.bytes.size(),
                seconds * 1e3, sections);
  }
  std::printf("all six: %.3f ms (target: under 1 s)\n", total * 1e3);
  return total < 1.0 ? 0 : 1;
}
