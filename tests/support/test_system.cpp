#include "support/test_system.h"

namespace cartulon::test_support {

std::vector<std::string> SplitOutputLines(std::string_view out) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < out.size()) {
    std::size_t end = out.find('\n', start);
    if (end == std::string_view::npos) end = out.size();
    std::string_view line = out.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    start = end + 1;
  }
  return lines;
}

}  // namespace cartulon::test_support
