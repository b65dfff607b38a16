// Writes the synthetic support disc of the benchmarks into a folder, for
// comparisons outside the benchmarks (the same list from every platform):
//
//   gen_disc ROOT [FOLDERS PACKAGES]
//
// ROOT must not exist yet. Without sizes: 20,000 folders, 2,000 packages.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/gen_disc.h"

int main(int argc, char** argv) {
  if (argc != 2 && argc != 4) {
    std::fprintf(stderr, "usage: gen_disc ROOT [FOLDERS PACKAGES]\n");
    return 2;
  }
  cartulon::bench::DiscShape shape;
  if (argc == 4) {
    shape.folders = std::atoi(argv[2]);
    shape.packages = std::atoi(argv[3]);
  }
  std::error_code ec;
  if (!std::filesystem::create_directory(argv[1], ec)) {
    std::fprintf(stderr, "gen_disc: cannot create %s (it must not exist)\n", argv[1]);
    return 1;
  }
  const cartulon::bench::DiscStats stats = cartulon::bench::GenerateDisc(argv[1], shape);
  std::printf("%zu folders, %zu packages, %zu files, %zu bytes\n", stats.folders, stats.packages,
              stats.files, stats.bytes);
  return 0;
}
