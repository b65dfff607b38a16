#include "support/test_system.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <utility>

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

std::string ReadCapture(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

ScopedEnvironment::ScopedEnvironment(std::string name, const std::optional<std::string>& value)
    : name_(std::move(name)) {
  if (const char* earlier = std::getenv(name_.c_str())) earlier_ = earlier;
  SetEnvironment(name_, value);
}

ScopedEnvironment::~ScopedEnvironment() { SetEnvironment(name_, earlier_); }

}  // namespace cartulon::test_support
