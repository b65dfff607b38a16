#include "platform/inf_version.h"

#include <cerrno>
#include <cstring>
#include <optional>

#include "platform/input_files.h"
#include "platform/text.h"

namespace cartulon {

namespace {

constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsIniBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsIniBlank(text.back())) text.remove_suffix(1);
  return text;
}

// One physical line without its comment: the text before the first ';'
// outside quotes.
std::string_view WithoutComment(std::string_view line) {
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '"') quoted = !quoted;
    if (line[i] == ';' && !quoted) return line.substr(0, i);
  }
  return line;
}

// The position of the first '=' outside quotes; npos when there is none.
std::size_t FindEquals(std::string_view line) {
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '"') quoted = !quoted;
    if (line[i] == '=' && !quoted) return i;
  }
  return std::string_view::npos;
}

struct RawEntry {
  std::string key;
  std::string value;  // as written, quotes and tokens still in it
};

// The entries of the [Version] and [Strings] sections, in file order.
struct RawSections {
  bool hasVersion = false;
  std::vector<RawEntry> version;
  std::vector<RawEntry> strings;
};

// Splits the text into logical lines (continuations joined, comments
// removed) and keeps the entries of the two sections the reader needs.
RawSections CollectSections(std::string_view text) {
  RawSections sections;
  std::vector<RawEntry>* current = nullptr;
  std::string logical;
  std::size_t pos = 0;
  while (pos < text.size()) {
    logical.clear();
    // One logical line: physical lines joined while one ends in '\'.
    while (pos < text.size()) {
      std::size_t end = pos;
      while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
      std::string_view part = WithoutComment(text.substr(pos, end - pos));
      if (end < text.size() && text[end] == '\r') ++end;
      if (end < text.size() && text[end] == '\n') ++end;
      pos = end;
      while (!part.empty() && IsIniBlank(part.back())) part.remove_suffix(1);
      if (!part.empty() && part.back() == '\\') {
        part.remove_suffix(1);
        logical.append(part);
        continue;
      }
      logical.append(part);
      break;
    }
    const std::string_view line = TrimBlanks(logical);
    if (line.empty()) continue;
    if (line.front() == '[') {
      const std::string_view rest = line.substr(1);
      const std::string_view name = TrimBlanks(rest.substr(0, rest.find(']')));
      if (EqualsIgnoringAsciiCase(name, "Version")) {
        sections.hasVersion = true;
        current = &sections.version;
      } else if (EqualsIgnoringAsciiCase(name, "Strings")) {
        current = &sections.strings;
      } else {
        current = nullptr;
      }
      continue;
    }
    if (current == nullptr) continue;
    const std::size_t equals = FindEquals(line);
    if (equals == std::string_view::npos) continue;
    current->push_back(
        RawEntry{std::string(TrimBlanks(line.substr(0, equals))), std::string(line.substr(equals + 1))});
  }
  return sections;
}

// A key as it compares: quotes removed, trimmed.
std::string KeyName(std::string_view key) {
  std::string name;
  for (char c : key) {
    if (c != '"') name.push_back(c);
  }
  return std::string(TrimBlanks(name));
}

class ValueResolver {
 public:
  explicit ValueResolver(const std::vector<RawEntry>& strings) : strings_(strings) {}

  // A value with its quotes removed and, when `substitute`, its tokens
  // replaced; blanks outside quotes at either end go.
  std::string Resolve(std::string_view raw, bool substitute) const {
    std::string out;
    std::size_t keep = 0;  // out[0, keep) is what the trailing trim leaves
    bool quoted = false;
    for (std::size_t i = 0; i < raw.size(); ++i) {
      const char c = raw[i];
      if (c == '"') {
        if (quoted && i + 1 < raw.size() && raw[i + 1] == '"') {
          out.push_back('"');
          keep = out.size();
          ++i;
          continue;
        }
        quoted = !quoted;
        keep = out.size();
        continue;
      }
      if (c == '%' && substitute) {
        const std::size_t close = raw.find('%', i + 1);
        if (close != std::string_view::npos) {
          const std::string_view token = raw.substr(i + 1, close - i - 1);
          if (token.empty()) {
            out.push_back('%');
          } else if (const std::string* value = Lookup(token)) {
            out.append(*value);
          } else {
            out.append(raw.substr(i, close - i + 1));
          }
          keep = out.size();
          i = close;
          continue;
        }
      }
      if (!quoted && IsIniBlank(c)) {
        if (!out.empty()) out.push_back(c);
        continue;
      }
      out.push_back(c);
      keep = out.size();
    }
    out.resize(keep);
    return out;
  }

 private:
  const std::string* Lookup(std::string_view token) const {
    if (!resolved_) {
      resolved_.emplace();
      resolved_->reserve(strings_.size());
      for (const RawEntry& entry : strings_) {
        resolved_->emplace_back(KeyName(entry.key), Resolve(entry.value, false));
      }
    }
    const std::string_view name = TrimBlanks(token);
    for (const auto& [key, value] : *resolved_) {
      if (EqualsIgnoringAsciiCase(key, name)) return &value;
    }
    return nullptr;
  }

  const std::vector<RawEntry>& strings_;
  mutable std::optional<std::vector<std::pair<std::string, std::string>>> resolved_;
};

bool IsCatalogKey(std::string_view key) {
  constexpr std::string_view kCatalog = "CatalogFile";
  if (key.size() < kCatalog.size() ||
      !EqualsIgnoringAsciiCase(key.substr(0, kCatalog.size()), kCatalog)) {
    return false;
  }
  return key.size() == kCatalog.size() || key[kCatalog.size()] == '.';
}

}  // namespace

InfVersion ParseInfVersion(std::string_view bytes) {
  std::string narrowed;
  if (bytes.substr(0, kUtf16LeBom.size()) == kUtf16LeBom) {
    narrowed = NarrowUtf16Le(bytes.substr(kUtf16LeBom.size()));
    bytes = narrowed;
  } else if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
    bytes.remove_prefix(kUtf8Bom.size());
  }
  const RawSections sections = CollectSections(bytes);
  InfVersion version;
  version.hasVersionSection = sections.hasVersion;
  const ValueResolver resolver(sections.strings);
  std::vector<std::string> seenCatalogKeys;
  for (const RawEntry& entry : sections.version) {
    const std::string key = KeyName(entry.key);
    if (EqualsIgnoringAsciiCase(key, "DriverVer")) {
      if (version.hasDriverVer) continue;
      version.hasDriverVer = true;
      version.driverVer = resolver.Resolve(entry.value, true);
      const std::string_view value = version.driverVer;
      const std::size_t comma = value.find(',');
      version.driverDate = std::string(TrimBlanks(value.substr(0, comma)));
      if (comma != std::string_view::npos) {
        version.driverVersion = std::string(TrimBlanks(value.substr(comma + 1)));
      }
    } else if (IsCatalogKey(key)) {
      bool seen = false;
      for (const std::string& earlier : seenCatalogKeys) seen = seen || EqualsIgnoringAsciiCase(earlier, key);
      if (seen) continue;
      seenCatalogKeys.push_back(key);
      std::string value = resolver.Resolve(entry.value, true);
      if (!value.empty()) version.catalogFiles.emplace_back(key, std::move(value));
    }
  }
  return version;
}

bool ReadInfVersion(const std::string& path, InfVersion& version, std::string* reason) {
  InputFileState state = InputFileState::Missing;
  errno = 0;
  const std::optional<std::string> bytes = ReadInputFile(path, &state);
  if (!bytes) {
    if (reason != nullptr) {
      *reason = state != InputFileState::Readable ? "it " + InputFileProblem(state)
                                                  : std::strerror(errno != 0 ? errno : EIO);
    }
    return false;
  }
  version = ParseInfVersion(*bytes);
  return true;
}

}  // namespace cartulon
