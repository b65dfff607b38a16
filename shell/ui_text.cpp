#include "shell/ui_text.h"

#include <map>
#include <optional>
#include <string_view>
#include <vector>

#include "resources/embedded.h"

namespace cartulon {

namespace {

constexpr unsigned kChineseTaiwan = 0x0404;
constexpr unsigned kChinesePrc = 0x0804;
constexpr unsigned kChineseHongKong = 0x0C04;
constexpr unsigned kChineseMacao = 0x1404;

// The longest text a lookup hands back (a 256-byte buffer with its NUL).
constexpr std::size_t kMaxUiTextBytes = 255;

// The table by entry number: id for English, id + 1000 for Traditional and
// id + 5000 for Simplified Chinese, the way the string table numbers them.
using UiTextTable = std::map<long long, std::string>;

std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while (true) {
    const std::size_t tab = line.find('\t', start);
    if (tab == std::string_view::npos) {
      fields.push_back(line.substr(start));
      return fields;
    }
    fields.push_back(line.substr(start, tab - start));
    start = tab + 1;
  }
}

std::optional<long long> ParseId(std::string_view text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  long long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

// Reads ui_texts.tsv: a '#' line of column names, then one line per id with
// the English, Traditional Chinese and Simplified Chinese texts.
UiTextTable ParseTable(std::string_view tsv) {
  static constexpr long long kColumnOffsets[] = {kEnglishOffset, kTraditionalChineseOffset,
                                                 kSimplifiedChineseOffset};
  UiTextTable table;
  std::size_t start = 0;
  while (start < tsv.size()) {
    std::size_t end = tsv.find('\n', start);
    if (end == std::string_view::npos) end = tsv.size();
    std::string_view line = tsv.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    const std::vector<std::string_view> fields = SplitFields(line);
    const std::optional<long long> id = ParseId(fields[0]);
    if (!id) continue;
    for (std::size_t column = 0; column < 3 && column + 1 < fields.size(); ++column) {
      table.emplace(*id + kColumnOffsets[column], TruncateUtf8(fields[column + 1], kMaxUiTextBytes));
    }
  }
  return table;
}

const UiTextTable& Table() {
  static const UiTextTable table = [] {
    const std::optional<std::string_view> bytes = resources::EmbeddedFile("ui_texts.tsv");
    return bytes ? ParseTable(*bytes) : UiTextTable{};
  }();
  return table;
}

}  // namespace

int LanguageOffsetFor(unsigned languageId) {
  switch (languageId) {
    case kChineseTaiwan:
    case kChineseHongKong:
    case kChineseMacao:
      return kTraditionalChineseOffset;
    case kChinesePrc:
      return kSimplifiedChineseOffset;
    default:
      return kEnglishOffset;  // Singapore (0x1004) included
  }
}

std::string LoadUiText(UiText text, int languageOffset) {
  const UiTextTable& table = Table();
  const auto it = table.find(static_cast<long long>(text) + languageOffset);
  return it == table.end() ? std::string() : it->second;
}

std::string TruncateUtf8(std::string_view text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return std::string(text);
  std::size_t cut = maxBytes;
  // Step back over continuation bytes so that no sequence is split.
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return std::string(text.substr(0, cut));
}

}  // namespace cartulon
