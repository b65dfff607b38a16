// How the save-time list rules scale with the length of the list.
//
//   save_rules_bench
//
// Builds two realistic lists, of 25,000 and 50,000 lines: driver groups with
// folder lines, package lines whose composed descriptions repeat now and
// then, blank group separators, "-APPSETUP" lines below short folder lines,
// a manual section with split entries, the software utilities the rules
// rename, application lines of other vendors and the contact block at the
// end. Each list is rewritten five times from a fresh copy, the two sizes
// taking turns; the best time of each size and their ratio are printed. The
// rules are linear, so the larger list should take about twice as long (at
// most 2.5 times).
//
// The same is measured for lists of 30,000 and 60,000 package lines in which
// every description appears twice: the repeat rule must not compare every
// pair of lines. Last, the board detection reads a master file whose
// condition table claims two billion entries, of which it must not look up
// every index (target: under 2 s). The exit status is 1 when a target is
// missed.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "describe/os_tags.h"
#include "output/save_rules.h"
#include "platform/scratch_folder.h"

namespace {

constexpr int kRuns = 5;

std::string Folder(const std::string& name) {
  return name.size() >= 25 ? name : name + std::string(25 - name.size(), ' ');
}

std::string Entry(const std::string& name, const std::string& description) {
  return Folder(name) + "- " + description;
}

const char* const kVendors[] = {"Intel", "Realtek", "ASMedia", "Marvell", "Atheros", "Broadcom"};
const char* const kKinds[] = {"Chipset Driver", "LAN Driver", "Audio Driver", "SATA Driver", "USB 3.0 Driver",
                              "Card Reader Driver", "Bluetooth Driver"};
const char* const kSystems[] = {"7 32bit & Win7 64bit", "Win8 32bit & Win8 64bit",
                                "XP 32bit & Win7 32bit & Win7 64bit & Win8.1 64bit"};

std::vector<std::string> BuildList(std::size_t target) {
  std::vector<std::string> lines = {
      "File List for the included support software for Z77 Motherboard", "",
      Folder("Folder Name") + "Description", ""};
  const std::size_t contactLines = 70;
  lines.push_back(Folder("-Drivers"));
  const std::size_t driversEnd = target * 6 / 10;
  unsigned package = 0;
  while (lines.size() < driversEnd) {
    const std::string group = "  -Group" + std::to_string(package / 8);
    lines.push_back(Folder(group));
    for (int i = 0; i < 8 && lines.size() < driversEnd; ++i, ++package) {
      // Every fifth package repeats the description of an earlier one.
      const unsigned id = package % 5 == 4 ? package - 3 : package;
      const std::string description = std::string(kVendors[id % 6]) + " " + kKinds[id % 7] + " V" +
                                      std::to_string(id % 13) + "." + std::to_string(id) + " for Windows " +
                                      kSystems[id % 3] + (id % 2 ? "---(WHQL)." : "---(Beta).");
      lines.push_back(Entry("    -Pkg" + std::to_string(package), description));
      if (package % 50 == 7) {
        lines.push_back(Folder("    -Tools" + std::to_string(package)));
        lines.push_back(Entry("      -AppSetup", "Setup Pack " + std::to_string(package) + " for Windows 8."));
      }
    }
    lines.push_back("");
    lines.push_back("");
  }

  lines.push_back(Folder("-Manual"));
  lines.push_back("");
  lines.push_back("");
  const std::size_t manualEnd = target * 8 / 10;
  for (unsigned m = 0; lines.size() < manualEnd; ++m) {
    lines.push_back(Folder("  -Guide" + std::to_string(m)));
    lines.push_back(Entry("    -English", "User Guide " + std::to_string(m) + " for the Z77 board"));
  }

  lines.push_back(Folder("-Software"));
  const std::size_t softwareEnd = target - contactLines;
  for (unsigned s = 0; lines.size() + 12 < softwareEnd; ++s) {
    const std::string n = std::to_string(s);
    lines.push_back(Entry("  -Update" + n, "Zolt Update V2.0." + n + " for Windows 7 32bit."));
    lines.push_back(Entry("  -Perf" + n, "VEX4 Tuner V1." + n + " for Windows 7."));
    lines.push_back(Entry("  -Marshal" + n, "Network Marshal V1." + n + " for Windows 7 32bit."));
    lines.push_back(Entry("  -Dash" + n, "BT Dash! V2." + n + " for Windows 7 32bit."));
    lines.push_back(Entry("  -Pair" + n, "Zolt PairWell V1." + n + " for Windows 7 32bit."));
    lines.push_back(Entry("  -Surge" + n, "USB 3.0 Surge V1." + n + " for Windows 7 32bit."));
    lines.push_back(Entry("  -Suite" + n, "Zolt Trivane II V2." + n + " for Windows 7 32bit & Win7 64bit."));
    lines.push_back(Entry("  -Health" + n, "PC HealthCheck V1." + n + " for Windows XP."));
    lines.push_back(Folder("  -Adobe"));
    lines.push_back(Entry("    -Reader", "Adobe Reader V9." + n + " for Windows 7.  "));
    lines.push_back(Folder("  -RealPlayer"));
    lines.push_back(Entry("    -RP", "RealPlayer V11." + n + " for Windows XP."));
  }
  while (lines.size() < softwareEnd) lines.push_back(Entry("  -Misc" + std::to_string(lines.size()), "Misc tool"));

  lines.push_back("-Contact" + std::string(17, ' ') + "ZOLTEK COMPUTER INC.");
  while (lines.size() < target) {
    lines.push_back(std::string(25, ' ') + (lines.size() % 3 ? "Technical support" : "www.zoltek.example"));
  }
  return lines;
}

double SecondsOnce(const std::vector<std::string>& list, std::size_t* resultLines) {
  std::vector<std::string> lines = list;
  cartulon::SaveRuleFlags flags;
  const auto start = std::chrono::steady_clock::now();
  cartulon::ApplySaveRules(lines, flags);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  *resultLines = lines.size();
  return took.count();
}

// Rewrites both lists kRuns times, the two taking turns, prints the best
// time of each and their ratio; false when the ratio is above 2.5.
bool CompareSizes(const std::vector<std::string>& small, const std::vector<std::string>& large) {
  std::size_t smallOut = 0;
  std::size_t largeOut = 0;
  double smallSeconds = 1e100;
  double largeSeconds = 1e100;
  // The two sizes take turns, so that both see the same load of the machine.
  for (int run = 0; run < kRuns; ++run) {
    smallSeconds = std::min(smallSeconds, SecondsOnce(small, &smallOut));
    largeSeconds = std::min(largeSeconds, SecondsOnce(large, &largeOut));
  }
  std::printf("%zu lines: %.3f ms (%zu lines after the rules)\n", small.size(), smallSeconds * 1e3, smallOut);
  std::printf("%zu lines: %.3f ms (%zu lines after the rules)\n", large.size(), largeSeconds * 1e3, largeOut);
  const double ratio = largeSeconds / smallSeconds;
  std::printf("ratio: %.2f (target: at most 2.5)\n", ratio);
  return ratio <= 2.5;
}

// Package lines of which every description appears twice.
std::vector<std::string> RepeatedList(int count) {
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i) {
    const std::string id = std::to_string(i % (count / 2));
    lines.push_back(Entry("  -Pkg" + id, "Tool " + id));
  }
  return lines;
}

// The best time of the board detection on a master file with `number` as
// the condition count, the matching condition the last one.
bool DetectOnce(const std::string& folder, long long number, double* seconds) {
  const std::string master = folder + "/Zscdinst.ini";
  std::ofstream(master, std::ios::binary) << "[ConditionTable]\nNumber=" << number
                                          << "\nCond(0)=OS\nCond(" << number - 1
                                          << ")=MB_NAME=Y5 77\n";
  cartulon::MasterFileLocations masters;
  masters.programFolder = folder;
  masters.cdMasterPath = master;
  *seconds = 1e100;
  for (int run = 0; run < kRuns; ++run) {
    bool series = false;
    std::string error;
    const auto start = std::chrono::steady_clock::now();
    const bool ok = cartulon::DetectSeriesBoard(masters, &series, &error);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (!ok || !series) {
      std::printf("board detection failed: %s\n", ok ? "no series board" : error.c_str());
      return false;
    }
    *seconds = std::min(*seconds, took.count());
  }
  return true;
}

bool HugeConditionCount() {
  cartulon::ScratchFolder scratch;
  std::string error;
  if (!scratch.Create(&error)) {
    std::printf("no scratch folder: %s\n", error.c_str());
    return false;
  }
  double smallSeconds = 0;
  double hugeSeconds = 0;
  if (!DetectOnce(scratch.Path(), 2, &smallSeconds) ||
      !DetectOnce(scratch.Path(), 2000000000, &hugeSeconds)) {
    return false;
  }
  std::printf("board detection, 2 conditions: %.3f ms, 2,000,000,000 conditions: %.3f ms "
              "(target: under 2 s)\n",
              smallSeconds * 1e3, hugeSeconds * 1e3);
  return hugeSeconds < 2.0;
}

}  // namespace

int main() {
  bool met = CompareSizes(BuildList(25000), BuildList(50000));
  std::printf("every description twice:\n");
  met = CompareSizes(RepeatedList(30000), RepeatedList(60000)) && met;
  met = HugeConditionCount() && met;
  return met ? 0 : 1;
}
