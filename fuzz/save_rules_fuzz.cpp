// Fuzz target for the save-time list rules. The first byte sets the six
// save-rule flags; the rest is split into lines at LF (a CR stays part of
// its line). The rules run on the lines, then the title and OS-tail rules
// and the USB rule run once more on their own, so that they also see lists
// whose "-APPSETUP" step took the long-line variant. No rule may add lines.
// The same lines run once more as a preview map at an Indent taken from the
// first byte's top bits: the nodes that stay are the kept lines' own, in
// their order, one per line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "output/save_rules.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

std::vector<std::string> SplitAtLineFeeds(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const unsigned bits = data[0];
  cartulon::SaveRuleFlags flags;
  flags.SeriesBoard = (bits & 1u) != 0;
  flags.VexRenameEnabled = (bits & 2u) != 0;
  flags.AsmediaUsb3Seen = (bits & 4u) != 0;
  flags.IntelUsb3Seen = (bits & 8u) != 0;
  flags.Win8Seen = (bits & 16u) != 0;
  flags.Win81Seen = (bits & 32u) != 0;

  std::vector<std::string> lines =
      SplitAtLineFeeds(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
  const std::size_t before = lines.size();

  cartulon::PreviewMap map;
  std::vector<cartulon::DirNode> nodes(before);
  for (std::size_t i = 0; i < before; ++i) map.AddPreviewLine(lines[i], &nodes[i]);
  cartulon::SaveRuleFlags mapFlags = flags;
  cartulon::ApplySaveRules(map, mapFlags, cartulon::ListColumns::ForIndent((bits >> 6) * 10 + 5));
  Require(map.LineNodes.size() == map.PreviewLines.size() && map.LineNodes.size() <= before);
  for (std::size_t i = 1; i < map.LineNodes.size(); ++i)
    Require(map.LineNodes[i - 1] < map.LineNodes[i]);
  cartulon::ApplySaveRules(lines, flags);
  Require(lines.size() <= before);

  cartulon::ApplyUtilityLineRules(lines, flags);
  cartulon::ApplyUsbSurgeRule(lines, flags);
  // A second save over the rewritten lines, with the flags the first left.
  cartulon::ApplySaveRules(lines, flags);
  Require(lines.size() <= before);
  return 0;
}
