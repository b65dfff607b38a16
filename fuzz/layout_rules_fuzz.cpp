// Fuzz target for the layout rules file: the input is FileList_Exp.ini, read
// by the rules pass over a small fixed disc (folders, a root file Ver.tag, a
// file whose name a disc cannot hold) and by the heading. The tree must keep
// its invariants, and no name left out may come back as a node.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "describe/classify.h"
#include "fuzz/fuzz_scratch.h"
#include "model/dir_structure.h"
#include "output/layout_rules.h"
#include "output/list_writer.h"
#include "platform/message_sink.h"

namespace {

using cartulon::DirNode;
using cartulon::DirStructure;

void Require(bool condition) {
  if (!condition) std::abort();
}

const cartulon::fuzz::ScratchTree& Disc() {
  static const cartulon::fuzz::ScratchTree tree;
  static const bool filled = [](const cartulon::fuzz::ScratchTree& made) {
    for (const char* folder : {"Disc/Drivers/Audio/Realtek", "Disc/Drivers/LAN",
                               "Disc/Software/AOD", "Disc/Manual/EN", "Disc/Bin", "Work"}) {
      made.MakeFolder(folder);
    }
    made.Write("Disc/Bin/English.ini", std::string("[Default]\r\n<%1>=Z1-Fuzz\r\n"));
    made.Write("Disc/Ver.tag", std::string("Z1-Fuzz 1.0\r\n"));
    made.Write("Disc/Drivers/LAN/Notes.txt", std::string("x"));
    // Where the system allows such a name at all.
    made.TryWrite("Disc/Software/Odd|Name.txt", "x");
    return true;
  }(tree);
  (void)filled;
  return tree;
}

// Every node's children point back at it one level deeper, and carry
// names the disc can hold.
void CheckTree(const DirStructure& tree) {
  std::vector<const DirNode*> pending{tree.RootDir};
  std::size_t seen = 0;
  while (!pending.empty()) {
    const DirNode* node = pending.back();
    pending.pop_back();
    ++seen;
    Require(node->Data != nullptr);
    for (const DirNode* child : node->Children) {
      Require(child->Parent == node && child->Depth == node->Depth + 1);
      Require(DirStructure::NameFitsDisc(child->Name));
      pending.push_back(child);
    }
  }
  Require(seen == tree.NodeCount());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const cartulon::fuzz::ScratchTree& disc = Disc();
  const std::string rulesPath = disc.Path("Work/FileList_Exp.ini");
  disc.Write("Work/FileList_Exp.ini", std::string(reinterpret_cast<const char*>(data), size));

  cartulon::NullMessageSink quiet;
  DirStructure tree(disc.Path("Disc"), 6, quiet);
  cartulon::AttachDescriptions(tree.RootDir, 6);
  cartulon::ApplyLayoutRules(&tree, rulesPath);
  CheckTree(tree);

  std::vector<std::string> heading;
  cartulon::BuildTitleBlock(heading, disc.Path("Disc"), 25, rulesPath);
  Require(heading.empty() || heading.size() == 4);
  for (const std::string& line : heading) {
    Require(line.find('\r') == std::string::npos && line.find('\n') == std::string::npos);
  }
  return 0;
}
