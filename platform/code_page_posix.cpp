#include <iconv.h>

#include <cerrno>
#include <memory>
#include <optional>
#include <string>

#include "platform/code_page.h"
#include "platform/system_language.h"

namespace cartulon {

namespace {

// glibc's names for Windows' own tables (CP1252 with the euro and the
// quotes at 0x80-0x9F, CP950 and CP936 with their extensions), not the
// plain ISO-8859, BIG5 or GB2312 ones.
std::string IconvName(unsigned codePage) { return "CP" + std::to_string(codePage); }

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8
constexpr std::string_view kBrokenPair949 = "\xA2\xE8";

// One conversion descriptor per direction and code page, kept for the
// thread: opening one costs more than converting a name.
class Converter {
 public:
  Converter(const std::string& to, const std::string& from) {
    handle_ = ::iconv_open(to.c_str(), from.c_str());
  }
  ~Converter() {
    if (Open()) ::iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool Open() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

  // Converts `text`. At a byte that starts no character of the source
  // (or a character the target has no form for), `replace` writes U+FFFD
  // and goes on after that byte; without it the conversion fails.
  std::optional<std::string> Convert(std::string_view text, bool replace) {
    ::iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    std::string out;
    out.reserve(text.size() * 2 + 4);
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char buffer[256];
    while (inLeft > 0) {
      char* to = buffer;
      std::size_t toLeft = sizeof buffer;
      const std::size_t done = ::iconv(handle_, &in, &inLeft, &to, &toLeft);
      out.append(buffer, static_cast<std::size_t>(to - buffer));
      if (done != static_cast<std::size_t>(-1)) continue;
      if (errno == E2BIG) continue;
      // EILSEQ: no character here; EINVAL: the text ends inside one.
      if (!replace) return std::nullopt;
      out += kReplacement;
      ++in;
      --inLeft;
      ::iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
  }

 private:
  iconv_t handle_;
};

Converter& ConverterFor(unsigned codePage, bool toCodePage) {
  struct Cached {
    unsigned codePage = 0;
    std::unique_ptr<Converter> converter;
  };
  thread_local Cached cache[2];
  Cached& cached = cache[toCodePage ? 1 : 0];
  if (!cached.converter || cached.codePage != codePage) {
    const std::string table = IconvName(codePage);
    cached.converter = toCodePage ? std::make_unique<Converter>(table, "UTF-8")
                                  : std::make_unique<Converter>("UTF-8", table);
    cached.codePage = codePage;
  }
  return *cached.converter;
}

}  // namespace

unsigned SystemCodePage() { return CodePageForLocale(SystemLocaleName()); }

std::optional<std::string> NameInCodePage(std::string_view name, unsigned codePage) {
  if (IsAscii(name) || !IsValidUtf8(name)) return std::string(name);
  Converter& converter = ConverterFor(codePage, true);
  if (!converter.Open()) return std::nullopt;
  std::optional<std::string> listed = converter.Convert(name, false);
  // Only a name that reads back as itself: the tables' best fits (the yen
  // sign of 932 written as 0x5C, the byte of the backslash) would give the
  // list another name, or a delimiter.
  if (listed && CodePageToUtf8(*listed, codePage) != name) return std::nullopt;
  return listed;
}

namespace {

// The conversion itself, for a text in which the 949 pair below does not
// begin a character.
std::string ConvertToUtf8(std::string_view text, unsigned codePage) {
  Converter& converter = ConverterFor(codePage, false);
  if (!converter.Open()) {
    std::string out;
    for (char c : text) {
      if (static_cast<unsigned char>(c) < 0x80) {
        out += c;
      } else {
        out += kReplacement;
      }
    }
    return out;
  }
  return *converter.Convert(text, true);
}

}  // namespace

std::string CodePageToUtf8(std::string_view text, unsigned codePage) {
  if (IsAscii(text)) return std::string(text);
  if (codePage != 949 || text.find(kBrokenPair949) == std::string_view::npos) {
    return ConvertToUtf8(text, codePage);
  }
  // glibc's CP949 reads past its table at the pair A2 E8 (a character of
  // the Korean standard since 2002 that Windows' 949 does not have): that
  // pair is no character here, and the text around it is converted alone.
  std::string out;
  std::size_t from = 0;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = CharacterLength(text, at, codePage);
    if (text.substr(at, length) == kBrokenPair949) {
      out += ConvertToUtf8(text.substr(from, at - from), codePage);
      out += kReplacement;
      from = at + length;
    }
    at += length;
  }
  return out + ConvertToUtf8(text.substr(from), codePage);
}

}  // namespace cartulon
