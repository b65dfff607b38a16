#include "platform/text.h"

namespace cartulon {

long long FindPosition(std::string_view text, std::string_view needle) {
  const std::size_t at = text.find(needle);
  return at == std::string_view::npos ? 0 : static_cast<long long>(at) + 1;
}

std::string_view CopyAt(std::string_view text, long long start, long long count) {
  if (count <= 0) return {};
  if (start < 1) start = 1;
  const auto index = static_cast<std::size_t>(start - 1);
  if (index >= text.size()) return {};
  return text.substr(index, static_cast<std::size_t>(count));
}

std::string TrimIniBlanks(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsIniBlank(text[begin])) ++begin;
  while (end > begin && IsIniBlank(text[end - 1])) --end;
  return std::string(text.substr(begin, end - begin));
}

std::string_view TrimSpaceAndControls(std::string_view text) {
  std::size_t begin = 0;
  while (begin < text.size() && IsSpaceOrControl(text[begin])) ++begin;
  return TrimRightSpaceAndControls(text.substr(begin));
}

std::string_view TrimRightSpaceAndControls(std::string_view text) {
  std::size_t end = text.size();
  while (end > 0 && IsSpaceOrControl(text[end - 1])) --end;
  return text.substr(0, end);
}

std::string AsciiUpper(std::string_view text) {
  std::string result;
  AsciiUpperInto(result, text);
  return result;
}

const std::string& AsciiUpperInto(std::string& buffer, std::string_view text) {
  buffer.assign(text);
  for (char& c : buffer) c = AsciiUpperChar(c);
  return buffer;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpperChar(a[i]) != AsciiUpperChar(b[i])) return false;
  }
  return true;
}

std::vector<std::string> SplitTextLines(std::string_view bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < bytes.size()) {
    const char c = bytes[i];
    if (c != '\r' && c != '\n') {
      ++i;
      continue;
    }
    lines.emplace_back(bytes.substr(start, i - start));
    ++i;
    if (c == '\r' && i < bytes.size() && bytes[i] == '\n') ++i;
    start = i;
  }
  if (start < bytes.size()) lines.emplace_back(bytes.substr(start));
  return lines;
}

std::string EscapeControlCharacters(std::string_view text, EscapeAlso also) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string escaped;
  escaped.reserve(text.size());
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || (also == EscapeAlso::NonAscii && byte >= 0x80)) {
      escaped += "\\x";
      escaped += kHex[byte >> 4];
      escaped += kHex[byte & 0x0F];
    } else {
      escaped += c;
    }
  }
  return escaped;
}

std::string NarrowUtf16Le(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() / 2);
  const std::size_t units = bytes.size() / 2;
  auto unitAt = [&](std::size_t i) {
    return static_cast<unsigned>(static_cast<unsigned char>(bytes[2 * i])) |
           (static_cast<unsigned>(static_cast<unsigned char>(bytes[2 * i + 1])) << 8);
  };
  for (std::size_t i = 0; i < units; ++i) {
    const unsigned unit = unitAt(i);
    if (unit <= 0xFF) {
      out.push_back(static_cast<char>(unit));
      continue;
    }
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units) {
      const unsigned next = unitAt(i + 1);
      if (next >= 0xDC00 && next <= 0xDFFF) ++i;
    }
    out.push_back('?');
  }
  return out;
}

}  // namespace cartulon
