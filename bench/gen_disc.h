#pragma once
// A synthetic support disc for benchmarks: a folder tree shaped like a real
// board's disc (Bin with the installer master file, Drivers, Software,
// Utility and Manual with category, vendor and package folders, OS and
// architecture sub-folders below each package) and the INI files that the
// analysis reads. Every package is one of the three description families:
// installer packages (ZoltSetup.ini with English.ini, single-install,
// multi-install or install-path lists with sub-install files), Readme.ini
// tools and AppSetup.ini applications. Text files end lines with CR LF, as
// the disc's authoring tools write them.
//
// Deterministic: the same shape gives the same disc, byte for byte.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "describe/os_tags.h"

namespace cartulon::bench {

struct DiscShape {
  int folders = 20000;  // folders below the root, the root not counted
  int packages = 2000;  // folders that carry a description file
  int maxDepth = 6;     // no folder lies deeper than this below the root
  std::uint32_t seed = 20240611;
};

struct DiscStats {
  std::size_t folders = 0;
  std::size_t packages = 0;
  std::size_t files = 0;
  std::size_t iniFiles = 0;
  std::size_t bytes = 0;
  int deepest = 0;
  std::vector<std::string> iniPaths;  // native paths of every *.ini written
};

namespace gen_detail {

// A small, fully specified generator, so the disc does not depend on the
// standard library's distributions.
class Random {
 public:
  explicit Random(std::uint32_t seed) : state_(seed ? seed : 1) {}
  std::uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  std::uint32_t Below(std::uint32_t n) { return n == 0 ? 0 : Next() % n; }
  template <typename T>
  const T& Pick(const std::vector<T>& items) {
    return items[Below(static_cast<std::uint32_t>(items.size()))];
  }

 private:
  std::uint32_t state_;
};

class Writer {
 public:
  Writer(std::filesystem::path root, DiscStats& stats) : root_(std::move(root)), stats_(stats) {}

  void Folder(const std::string& rel) {
    if (!made_.insert(rel).second) return;
    std::filesystem::create_directories(root_ / rel);
    ++stats_.folders;
    int depth = 1;
    for (char c : rel) depth += c == '/';
    if (depth > stats_.deepest) stats_.deepest = depth;
  }

  void File(const std::string& rel, const std::string& bytes) {
    const std::filesystem::path path = root_ / rel;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
      std::fprintf(stderr, "gen_disc: cannot write %s\n", path.string().c_str());
      std::exit(1);
    }
    ++stats_.files;
    stats_.bytes += bytes.size();
    if (rel.size() > 4 && rel.compare(rel.size() - 4, 4, ".ini") == 0) {
      ++stats_.iniFiles;
      stats_.iniPaths.push_back(path.string());
    }
  }

  // Lines joined with CR LF after each.
  void Text(const std::string& rel, const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
      bytes += line;
      bytes += "\r\n";
    }
    File(rel, bytes);
  }

  bool Made(const std::string& rel) const { return made_.count(rel) != 0; }

 private:
  std::filesystem::path root_;
  DiscStats& stats_;
  std::set<std::string> made_;
};

inline std::string Filler(Random& random, std::size_t size) {
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random.Next() & 0xFF);
  return bytes;
}

inline std::string VersionText(Random& random) {
  return std::to_string(1 + random.Below(12)) + "." + std::to_string(random.Below(10)) + "." +
         std::to_string(random.Below(100)) + "." + std::to_string(1000 + random.Below(9000));
}

// The OS_Language_Tag section of an installer file: a realistic subset of
// the tag table (whole groups mostly, now and then one tag of a group
// missing, sometimes written in small letters).
inline std::vector<std::string> OsTagSection(Random& random) {
  std::vector<std::string> lines{"[OS_Language_Tag]"};
  const auto& tags = cartulon::OSTagTable;
  const std::uint32_t groups = random.Next();
  for (std::size_t i = 0; i < tags.size(); ++i) {
    const int group = i == 0 ? 1 : i < 4 ? 0 : 2 + static_cast<int>((i - 4) / 4);
    if (((groups >> group) & 1) == 0) continue;
    if (random.Below(20) == 0) continue;
    std::string name(tags[i]);
    if (random.Below(15) == 0) {
      for (char& c : name) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    lines.push_back(name + "=" + std::to_string(1 + random.Below(3)));
  }
  return lines;
}

inline std::vector<std::string> InstAllInfo(Random& random) {
  std::vector<std::string> lines{"[InstAllInfo]", "Version=" + VersionText(random)};
  const std::uint32_t whql = random.Below(5);
  if (whql != 0) lines.push_back("PassWHQL=" + std::to_string(whql == 4 ? 0 : 1));
  if (random.Below(3) != 0) lines.push_back("PassVistaWHQL=" + std::to_string(random.Below(2)));
  lines.push_back("Reboot=" + std::to_string(random.Below(2)));
  return lines;
}

inline std::vector<std::string> Concat(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.push_back("");
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace gen_detail

// Writes the disc below `root` (which must exist and should be empty).
inline DiscStats GenerateDisc(const std::string& root, const DiscShape& shape = {}) {
  using namespace gen_detail;
  DiscStats stats;
  Random random(shape.seed);
  Writer disc(root, stats);

  // The disc installer's own folder and the disc-wide files.
  disc.Folder("Bin");
  disc.Folder("Bin/Images");
  disc.Folder("Bin/Lang");
  {
    std::vector<std::string> master{"[General]", "Board=Z97-PRO", "", "[OS_Language_Tag]",
                                    "WNT_5.1P=XP32 ; Windows XP 32-bit", "WNT_5.2P=XP64",
                                    "WNT_6.0P_32=Vista32", "WNT_6.0P_64=Vista64",
                                    "WNT_6.1P_32=Win7_32", "WNT_6.1P_64=Win7_64",
                                    "WNT_6.2P_32=Win8_32", "WNT_6.2P_64=Win8_64",
                                    "WNT_6.3P_32=Win81_32", "WNT_6.3P_64=Win81_64", "",
                                    "[InstAll]", "XP32=1", "XP64=0", "Vista32=1", "Vista64=1",
                                    "Win7_32=1", "Win7_64=1", "Win8_32=1", "Win8_64= 1 ",
                                    "Win81_32=01", "Win81_64=1", "", "[ConditionTable]",
                                    "Number=1", "Cond(0)=MB_NAME=ZB-Bench"};
    for (int k = 0; k < 40; ++k) {
      master.push_back("Cond" + std::to_string(k) + "=Drivers\\Item" + std::to_string(k) +
                       ",WNT_6.1P_64");
    }
    disc.Text("Bin/Zscdinst.ini", master);
    disc.Text("Bin/English.ini",
              {"[Default]", "<%1>=Z97-PRO", "Title=Support CD", "Install=Install",
               "Exit=Exit"});
    disc.File("Bin/Zscdinst.exe", Filler(random, 4096));
  }
  disc.Text("Ver.tag", {"Z97-PRO Support CD", "Version 1.00"});
  disc.Text("Autorun.inf", {"[autorun]", "open=Bin\\Zscdinst.exe"});

  // Category and vendor folders the packages hang under.
  struct Top {
    std::string name;
    int weight;
    std::vector<std::string> categories;
  };
  const std::vector<Top> tops = {
      {"Drivers", 50,
       {"Audio", "LAN", "Chipset", "VGA", "RAID", "SATA", "USB3", "Bluetooth", "WiFi",
        "CardReader", "Intel Matrix Storage", "MEIinstall"}},
      {"Software", 25,
       {"Utilities", "AOD", "Browser", "AntiVirus", "Backup", "Overclock", "Fan Control",
        "Network Tools"}},
      {"Utility", 10, {"USB", "UtilityPage", "Flash", "Diagnostics"}},
      {"Manual", 10, {"English", "ZoltManual", "Quick Guide"}},
      {"MICROSOFT_HOTFIX", 5, {"KB917607", "KB2685811", "KB2990941"}}};
  const std::vector<std::string> vendors = {"Realtek", "Intel",   "AMD",     "NVIDIA",
                                            "Marvell", "ASMedia", "Broadcom", "Atheros"};
  const std::vector<std::string> products = {"HDA", "GbE", "INF", "Graphics", "AHCI", "Suite",
                                             "Tool", "Center", "Driver", "Setup"};
  const std::vector<std::string> osFolders = {"WinXP", "Win7_32", "Win7_64", "Win8_64",
                                              "Win81_64", "Data", "Lang", "Tools"};
  const std::vector<std::string> archFolders = {"x86", "x64", "Files"};

  int totalWeight = 0;
  for (const Top& top : tops) totalWeight += top.weight;

  std::vector<std::string> packagePaths;
  for (int p = 0; p < shape.packages; ++p) {
    int pick = static_cast<int>(random.Below(static_cast<std::uint32_t>(totalWeight)));
    const Top* top = &tops[0];
    for (const Top& t : tops) {
      if (pick < t.weight) {
        top = &t;
        break;
      }
      pick -= t.weight;
    }
    const std::string& category = random.Pick(top->categories);
    std::string rel = top->name + "/" + category;
    // Three packages in four sit under a vendor folder, when the depth allows.
    if (p % 4 != 0 && shape.maxDepth >= 4) rel += "/" + random.Pick(vendors);
    if (shape.maxDepth < 3) rel = top->name;
    rel += "/" + random.Pick(vendors) + "_" + random.Pick(products) + "_" + std::to_string(p);
    packagePaths.push_back(rel);
  }

  // Intermediate folders first, so the remaining budget can be spread over
  // the packages' own sub-folders.
  for (const std::string& rel : packagePaths) {
    for (std::size_t slash = rel.find('/'); slash != std::string::npos;
         slash = rel.find('/', slash + 1)) {
      disc.Folder(rel.substr(0, slash));
    }
  }
  const long long fixed = static_cast<long long>(stats.folders) + shape.packages;
  const long long spare = std::max(0LL, shape.folders - fixed);

  for (int p = 0; p < shape.packages; ++p) {
    const std::string& rel = packagePaths[static_cast<std::size_t>(p)];
    disc.Folder(rel);
    int depth = 1;
    for (char c : rel) depth += c == '/';

    // This package's share of the spare folders: OS folders, each with
    // architecture folders and, where the depth allows, a data folder.
    long long budget = spare / shape.packages + (p < spare % shape.packages ? 1 : 0);
    std::vector<std::string> subInstallFolders;
    for (std::size_t os = 0; budget > 0 && depth + 1 <= shape.maxDepth; ++os) {
      const std::string osRel =
          rel + "/" + osFolders[os % osFolders.size()] +
          (os >= osFolders.size() ? std::to_string(os / osFolders.size()) : std::string());
      disc.Folder(osRel);
      --budget;
      subInstallFolders.push_back(osRel.substr(rel.size() + 1));
      disc.Text(osRel + "/" + "driver.inf",
                {"[Version]", "Signature=\"$Windows NT$\"", "DriverVer=06/11/2024," +
                                                                VersionText(random)});
      disc.File(osRel + "/driver.sys", Filler(random, 512));
      for (std::size_t a = 0; a < archFolders.size() && budget > 0 && depth + 2 <= shape.maxDepth;
           ++a) {
        if (a == 2 && random.Below(2) == 0) continue;
        const std::string archRel = osRel + "/" + archFolders[a];
        disc.Folder(archRel);
        --budget;
        disc.File(archRel + "/driver.cat", Filler(random, 256));
        if (budget > 0 && depth + 3 <= shape.maxDepth && random.Below(3) == 0) {
          disc.Folder(archRel + "/Data");
          --budget;
          disc.File(archRel + "/Data/payload.cab", Filler(random, 1024));
        }
      }
    }

    ++stats.packages;
    disc.File(rel + "/Setup.exe", Filler(random, 2048));
    const std::string title = rel.substr(rel.rfind('/') + 1);
    const std::uint32_t family = random.Below(10);
    if (family < 5) {
      // Installer package: ZoltSetup.ini and its English.ini.
      disc.Text(rel + "/English.ini",
                {"[Default]", "Title=" + title + " Driver", "Install=Install", "Cancel=Cancel"});
      const std::uint32_t kind = subInstallFolders.size() >= 2 ? random.Below(5) : 0;
      std::vector<std::string> setup;
      if (kind <= 2) {
        setup = {"[Root]", "InstallType=0", "Name=" + title};
        setup = Concat(setup, InstAllInfo(random));
        setup = Concat(setup, OsTagSection(random));
      } else if (kind == 3) {
        setup = {"[Root]", "InstallType=4", "", "[MultiInstall]", "PrimaryInstall=1"};
        for (std::size_t s = 0; s < subInstallFolders.size() && s < 3; ++s) {
          std::string folder = subInstallFolders[s];
          for (char& c : folder) c = c == '/' ? '\\' : c;
          setup.push_back("Path1" + std::to_string(s) + "=" + std::to_string(s) + "," + folder +
                          "\\Install.ini");
          disc.Text(rel + "/" + subInstallFolders[s] + "/Install.ini",
                    Concat(Concat({"[Root]", "InstallType=0"}, InstAllInfo(random)),
                           OsTagSection(random)));
        }
        setup.push_back("Path2=9,Missing\\Install.ini");
      } else {
        setup = {"[InstallPath]"};
        for (std::size_t s = 0; s < subInstallFolders.size() && s < 3; ++s) {
          std::string folder = subInstallFolders[s];
          for (char& c : folder) c = c == '/' ? '\\' : c;
          setup.push_back(std::to_string(s + 1) + "=" + folder + " , " + folder + "\\Setup.ini");
          disc.Text(rel + "/" + subInstallFolders[s] + "/Setup.ini",
                    Concat(InstAllInfo(random), OsTagSection(random)));
        }
      }
      disc.Text(rel + "/ZoltSetup.ini", setup);
    } else if (family < 8) {
      disc.Text(rel + "/Readme.ini",
                {"[Information]", "Tool_Name=" + title, "Tool_Version=" + VersionText(random),
                 "Description=\"" + title + " utility for this board\""});
      if (random.Below(4) == 0) disc.Text(rel + "/English.ini", {"[Default]", "Title=" + title});
    } else {
      disc.Text(rel + "/AppSetup.ini",
                {"[Setup]", "Name=" + title, "Version=" + VersionText(random), "Reboot=0"});
    }
  }

  // Top up with plain folders if the packages could not take the budget
  // (shallow shapes); they hang under Bin/Images.
  for (int k = 0; static_cast<long long>(stats.folders) < shape.folders; ++k) {
    disc.Folder("Bin/Images/Set" + std::to_string(k));
  }
  return stats;
}

}  // namespace cartulon::bench
