// Fuzz target for one package folder as the description pass reads it. The
// input is split at the byte 0x1E into the package's files, in this order:
// ZoltSetup.ini, English.ini, Setup.ini beside it, Win7\Setup.ini,
// Win8\Install.ini, and ..\Common\Setup.ini (another package folder); a
// missing piece is a missing file. The disc also holds a file outside its
// root that a source may try to reach. The pass must give the folder at
// least one record, take nothing from outside the disc, and compose list
// lines without line breaks.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "describe/classify.h"
#include "describe/os_tags.h"
#include "fuzz/fuzz_scratch.h"
#include "model/dir_structure.h"
#include "output/list_writer.h"
#include "platform/message_sink.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

constexpr char kSeparator = '\x1E';
constexpr std::string_view kOutsideVersion = "1.2.3.4-outside";
constexpr const char* kPieces[] = {
    "Disc/Drivers/Pkg/ZoltSetup.ini",    "Disc/Drivers/Pkg/English.ini",
    "Disc/Drivers/Pkg/Setup.ini",        "Disc/Drivers/Pkg/Win7/Setup.ini",
    "Disc/Drivers/Pkg/Win8/Install.ini", "Disc/Drivers/Common/Setup.ini",
};

const cartulon::fuzz::ScratchTree& Disc() {
  static const cartulon::fuzz::ScratchTree tree;
  static const bool filled = [](const cartulon::fuzz::ScratchTree& made) {
    made.MakeFolder("Work");
    made.MakeFolder("Disc/Drivers/Pkg/Win7");
    made.MakeFolder("Disc/Drivers/Pkg/Win8");
    made.Write("Disc/Bin/Zscdinst.ini",
               std::string("[OS_Language_Tag]\r\nWNT_5.1P=XP32\r\nWNT_6.1P_32=W7\r\n"
                           "WNT_6.1P_64=W7x64\r\n[InstAll]\r\nXP32=1\r\nW7=1\r\nW7x64=1\r\n"));
    // Outside the disc root: a package file no record may read.
    made.Write("Secret/Setup.ini",
               "[InstAllInfo]\r\nVersion=" + std::string(kOutsideVersion) +
                   "\r\n[OS_Language_Tag]\r\n"
                   "WNT_6.1P_32=1\r\nWNT_6.1P_32_MCE=1\r\nWNT_6.1H_32=1\r\nWNT_6.1H_32_MCE=1\r\n");
    return true;
  }(tree);
  (void)filled;
  return tree;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const cartulon::fuzz::ScratchTree& disc = Disc();
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::size_t start = 0;
  for (const char* piece : kPieces) {
    if (start > input.size()) {
      disc.Write(piece, nullptr);
      continue;
    }
    std::size_t end = input.find(kSeparator, start);
    if (end == std::string_view::npos) end = input.size();
    disc.Write(piece, std::string(input.substr(start, end - start)));
    start = end + 1;
  }

  cartulon::NullMessageSink quiet;
  cartulon::DirStructure tree(disc.Path("Disc"), 6, quiet);
  cartulon::AttachDescriptions(tree.RootDir, 6);
  cartulon::ClassifyPackages(tree, tree.RootDir, 6, quiet);

  cartulon::DirNode* package = tree.FindNode(disc.Path("Disc/Drivers/Pkg"));
  Require(package != nullptr && package->Data != nullptr);
  // The outside version can only show when the input wrote it itself.
  for (const cartulon::DescrStruct* record = package->Data.get(); record != nullptr;
       record = record->Next.get()) {
    Require(record->Version != kOutsideVersion ||
            input.find(kOutsideVersion) != std::string_view::npos);
    if (record->SourceOutsideDisc) Require(record->Version.empty() && record->Title.empty());
  }

  cartulon::ListContext context;
  context.scdPath = disc.Path("Disc");
  context.workingFolder = disc.Path("Work");
  context.masters.programFolder = disc.Path("Work");
  context.masters.cdMasterPath = disc.Path("Disc/Bin/Zscdinst.ini");
  cartulon::Preview preview;
  cartulon::GeneratePreview(tree, preview, context, quiet);
  for (const std::string& line : preview.map.PreviewLines) {
    Require(line.find('\r') == std::string::npos && line.find('\n') == std::string::npos);
  }
  return 0;
}
