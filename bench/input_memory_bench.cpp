// Memory and time of a whole list run when one file it reads is huge.
//
//   input_memory_bench
//
// A small disc of 27 driver packages is generated in a scratch folder, then
// one file is blown up to 16 MiB and to 64 MiB (the largest file read):
//   english: a package's English.ini of one-letter lines;
//   setup:   a package's ZoltSetup.ini of install lines (2.35 million at
//            64 MiB), each naming the package's one setup file;
//   master:  the master file Zscdinst.ini, padded with a section no rule
//            reads.
// Each run is the batch command's list run (analysis, Generate, Compact,
// the save rules; the list goes to a discarded stream) in a child process,
// whose peak resident size is that child's alone. The target: peak at most
// 8 x the largest file read + 50 MB, and time linear in the input (the
// 64 MiB run about four times the 16 MiB one). Exits 1 when a peak exceeds
// the target or a run fails.
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "bench/bench_support.h"
#include "platform/message_sink.h"
#include "shell/list_run.h"

namespace fs = std::filesystem;
using namespace cartulon;

namespace {

constexpr int kPackages = 27;

class QuietSink : public MessageSink {
 public:
  void Show(const Message&) override {}
};

void WriteText(const fs::path& path, std::string_view text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

constexpr std::string_view kMaster =
    "[OS_Language_Tag]\r\nWNT_6.1P_32=Win7_32\r\nWNT_6.1P_64=Win7_64\r\n\r\n"
    "[InstAll]\r\nWin7_32=1\r\nWin7_64=1\r\n\r\n[ConditionTable]\r\nNumber=1\r\n"
    "Cond(0)=MB_NAME=ZB-Bench\r\n";

constexpr std::string_view kSetupHead =
    "[Root]\r\nInstallType=1\r\n\r\n[InstAllInfo]\r\nVersion=1.0\r\nPassWHQL=1\r\n\r\n"
    "[OS_Language_Tag]\r\nWNT_6.1P_32=1\r\nWNT_6.1P_32_MCE=1\r\nWNT_6.1H_32=1\r\n"
    "WNT_6.1H_32_MCE=1\r\n\r\n[InstallPath]\r\n";

// The disc: Bin with the master file, Drivers with kPackages packages,
// each an InstallPath package of one source.
void MakeDisc(const fs::path& root) {
  fs::remove_all(root);
  WriteText(root / "Bin" / "Zscdinst.ini", kMaster);
  WriteText(root / "Bin" / "English.ini", "[Default]\r\n<%1>=ZB-Bench\r\n");
  WriteText(root / "Ver.tag", "ZB-Bench\r\n");
  for (int k = 0; k < kPackages; ++k) {
    const fs::path package = root / "Drivers" / ("Driver" + std::to_string(k));
    WriteText(package / "ZoltSetup.ini", std::string(kSetupHead) + "1=D,Win7_32\\Setup.ini\r\n");
    WriteText(package / "English.ini", "[Default]\r\nTitle=Driver " + std::to_string(k) + "\r\n");
    WriteText(package / "Win7_32" / "Setup.ini", std::string(kSetupHead));
  }
}

// `head`, then `line` with its number in place of '#' until `size` bytes.
void WriteBlownUp(const fs::path& path, std::string_view head, std::string_view line,
                  std::size_t size) {
  std::string text(head);
  text.reserve(size);
  const std::size_t mark = line.find('#');
  for (std::size_t n = 0;; ++n) {
    std::string next(line);
    if (mark != std::string_view::npos) next.replace(mark, 1, std::to_string(n));
    if (text.size() + next.size() > size) break;
    text += next;
  }
  std::ofstream(path, std::ios::binary) << text;
}

struct Figures {
  double seconds = 0;
  long peakKb = 0;
  bool succeeded = false;
};

// One list run of `root` in a child process.
Figures RunChild(const fs::path& root, const fs::path& program) {
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    BatchSettings settings;
    settings.root = root.string();
    settings.programFolder = program.string();
    settings.reporter = "bench";
    settings.targets.listStream = [](std::string_view) { return true; };
    QuietSink quiet;
    _exit(RunBatch(settings, quiet) == BatchStatus::Succeeded ? 0 : 1);
  }
  int status = 0;
  struct rusage usage {};
  wait4(child, &status, 0, &usage);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  return Figures{took.count(), usage.ru_maxrss, WIFEXITED(status) && WEXITSTATUS(status) == 0};
}

// The peak against the target for the largest file read.
bool WithinTarget(std::size_t size, const Figures& figures) {
  const double limit = 8.0 * static_cast<double>(size) / 1e6 + 50;
  return figures.succeeded && static_cast<double>(figures.peakKb) * 1024 / 1e6 <= limit;
}

void Report(const char* name, std::size_t size, const Figures& figures) {
  const double mb = static_cast<double>(figures.peakKb) * 1024 / 1e6;
  const double limit = 8.0 * static_cast<double>(size) / 1e6 + 50;
  std::printf("%-8s %3zu MiB  %7.2f s  peak %7.1f MB  (limit %6.1f MB)%s\n", name, size >> 20,
              figures.seconds, mb, limit,
              !figures.succeeded            ? "  RUN FAILED"
              : WithinTarget(size, figures) ? ""
                                            : "  OVER THE LIMIT");
}

}  // namespace

int main() {
  const fs::path scratch = bench::MakeScratch("input-memory");
  const fs::path root = scratch / "Disc";
  const fs::path program = scratch / "Program";  // holds no master file
  fs::create_directories(program);

  MakeDisc(root);
  const Figures plain = RunChild(root, program);
  std::printf("plain disc of %d packages: %.3f s, peak %.1f MB\n", kPackages, plain.seconds,
              static_cast<double>(plain.peakKb) * 1024 / 1e6);

  // Each case at both sizes; time linear in the input makes the second
  // about four times the first.
  const fs::path driver = root / "Drivers" / "Driver0";
  constexpr std::size_t kSmall = std::size_t{16} << 20;
  constexpr std::size_t kLarge = std::size_t{64} << 20;
  const std::array<const char*, 3> names = {"english", "setup", "master"};
  auto blowUp = [&](std::size_t which, std::size_t size) {
    MakeDisc(root);
    if (which == 0) {
      WriteBlownUp(driver / "English.ini", "[Default]\r\nTitle=Driver 0\r\n", "a\n", size);
    } else if (which == 1) {
      WriteBlownUp(driver / "ZoltSetup.ini", kSetupHead, "#=D,Win7_32\\Setup.ini\r\n", size);
    } else {
      WriteBlownUp(root / "Bin" / "Zscdinst.ini", std::string(kMaster) + "\r\n[Padding]\r\n",
                   "Pad#=unused\r\n", size);
    }
  };
  std::array<Figures, 3> small{};
  std::array<Figures, 3> large{};
  for (std::size_t which = 0; which < names.size(); ++which) {
    blowUp(which, kSmall);
    small[which] = RunChild(root, program);
    Report(names[which], kSmall, small[which]);
  }
  bool allWithin = true;
  for (std::size_t which = 0; which < names.size(); ++which) {
    blowUp(which, kLarge);
    large[which] = RunChild(root, program);
    Report(names[which], kLarge, large[which]);
    allWithin =
        allWithin && WithinTarget(kSmall, small[which]) && WithinTarget(kLarge, large[which]);
  }
  for (std::size_t which = 0; which < names.size(); ++which) {
    std::printf("%-8s time 64 MiB / 16 MiB: %.1f (linear: 4)\n", names[which],
                large[which].seconds / std::max(small[which].seconds, 1e-3));
  }
  std::printf("%s\n", allWithin ? "every peak within the target" : "a peak exceeds the target");
  fs::remove_all(scratch);
  return allWithin ? 0 : 1;
}
