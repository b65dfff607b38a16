#include "platform/code_page.h"

#include <array>
#include <atomic>

#include "platform/text.h"

namespace cartulon {

namespace {

struct LocaleCodePage {
  std::string_view name;  // a language, or language_TERRITORY before its language
  unsigned codePage;
};

// Windows' default ANSI code pages by locale. A territory is named only
// where it differs from its language's.
constexpr LocaleCodePage kLocaleCodePages[] = {
    {"zh_TW", 950}, {"zh_HK", 950}, {"zh_MO", 950}, {"zh", 936},   {"ja", 932},   {"ko", 949},
    {"th", 874},    {"vi", 1258},

    {"cs", 1250},   {"pl", 1250},   {"hu", 1250},   {"sk", 1250},  {"sl", 1250},  {"hr", 1250},
    {"ro", 1250},   {"sq", 1250},   {"bs", 1250},   {"hsb", 1250}, {"dsb", 1250}, {"tk", 1250},

    {"ru", 1251},   {"uk", 1251},   {"be", 1251},   {"bg", 1251},  {"mk", 1251},  {"kk", 1251},
    {"ky", 1251},   {"tt", 1251},   {"mn", 1251},   {"ba", 1251},  {"sr", 1251},  {"tg", 1251},
    {"sah", 1251},

    {"el", 1253},   {"tr", 1254},   {"az", 1254},   {"uz", 1254},  {"he", 1255},  {"iw", 1255},
    {"yi", 1255},   {"ar", 1256},   {"fa", 1256},   {"ur", 1256},  {"ps", 1256},  {"ug", 1256},
    {"et", 1257},   {"lv", 1257},   {"lt", 1257},
};

constexpr unsigned kAnsiCodePages[] = {874,  932,  936,  949,  950,  1250, 1251,
                                       1252, 1253, 1254, 1255, 1256, 1257, 1258};

std::atomic<unsigned> chosenCodePage{0};

struct ByteRange {
  unsigned char first;
  unsigned char last;
};

// The byte ranges of the double-byte code pages: the lead bytes, and the
// bytes that may follow one as the second byte of a character.
struct DoubleByteTable {
  unsigned codePage;
  std::array<ByteRange, 2> lead;  // an unused range is {1, 0}
  std::array<ByteRange, 3> trail;
};

constexpr DoubleByteTable kDoubleByteTables[] = {
    // Japanese (Shift JIS with Windows' extensions)
    {932, {{{0x81, 0x9F}, {0xE0, 0xFC}}}, {{{0x40, 0x7E}, {0x80, 0xFC}, {1, 0}}}},
    // Simplified Chinese (GBK)
    {936, {{{0x81, 0xFE}, {1, 0}}}, {{{0x40, 0x7E}, {0x80, 0xFE}, {1, 0}}}},
    // Korean (Unified Hangul Code)
    {949, {{{0x81, 0xFE}, {1, 0}}}, {{{0x41, 0x5A}, {0x61, 0x7A}, {0x81, 0xFE}}}},
    // Traditional Chinese (Big5 with Windows' extensions)
    {950, {{{0x81, 0xFE}, {1, 0}}}, {{{0x40, 0x7E}, {0xA1, 0xFE}, {1, 0}}}},
};

template <std::size_t N>
bool InRanges(unsigned char byte, const std::array<ByteRange, N>& ranges) {
  for (const ByteRange& range : ranges) {
    if (byte >= range.first && byte <= range.last) return true;
  }
  return false;
}

const DoubleByteTable* DoubleByteTableFor(unsigned codePage) {
  for (const DoubleByteTable& table : kDoubleByteTables) {
    if (table.codePage == codePage) return &table;
  }
  return nullptr;
}

}  // namespace

unsigned CodePageForLocale(std::string_view locale) {
  const std::size_t at = locale.find('@');
  const std::string_view modifier =
      at == std::string_view::npos ? std::string_view() : locale.substr(at + 1);
  std::string base(locale.substr(0, locale.find_first_of(".@")));
  for (char& c : base) {
    if (c == '-') c = '_';
  }
  const std::string language = base.substr(0, base.find('_'));
  // Serbian in the Latin script writes Central European text.
  if (EqualsIgnoringAsciiCase(language, "sr") && EqualsIgnoringAsciiCase(modifier, "latin")) {
    return 1250;
  }
  for (const LocaleCodePage& entry : kLocaleCodePages) {
    if (EqualsIgnoringAsciiCase(entry.name, base)) return entry.codePage;
  }
  for (const LocaleCodePage& entry : kLocaleCodePages) {
    if (EqualsIgnoringAsciiCase(entry.name, language)) return entry.codePage;
  }
  return kCodePageWestern;
}

bool KnownCodePage(unsigned codePage) {
  for (unsigned known : kAnsiCodePages) {
    if (known == codePage) return true;
  }
  return false;
}

unsigned RunCodePage() {
  const unsigned chosen = chosenCodePage.load();
  return chosen != 0 ? chosen : SystemCodePage();
}

void SetRunCodePage(unsigned codePage) {
  if (codePage == 0 || KnownCodePage(codePage)) chosenCodePage.store(codePage);
}

bool IsLeadByte(unsigned char byte, unsigned codePage) {
  const DoubleByteTable* table = DoubleByteTableFor(codePage);
  return table != nullptr && InRanges(byte, table->lead);
}

std::size_t CharacterLength(std::string_view text, std::size_t at, unsigned codePage) {
  const auto byte = static_cast<unsigned char>(text[at]);
  if (byte < 0x81 || at + 1 >= text.size()) return 1;
  const DoubleByteTable* table = DoubleByteTableFor(codePage);
  if (table == nullptr || !InRanges(byte, table->lead)) return 1;
  return InRanges(static_cast<unsigned char>(text[at + 1]), table->trail) ? 2 : 1;
}

bool IsAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

bool IsValidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      ++i;
      continue;
    }
    std::size_t length = 0;
    unsigned low = 0x80;
    unsigned high = 0xBF;  // the allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      return false;
    }
    if (text.size() - i < length) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto byte = static_cast<unsigned char>(text[i + k]);
      if (byte < (k == 1 ? low : 0x80) || byte > (k == 1 ? high : 0xBF)) return false;
    }
    i += length;
  }
  return true;
}

std::vector<CodePageCharacter> SplitCharacters(std::string_view text, unsigned codePage) {
  constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
  std::vector<CodePageCharacter> characters;
  characters.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = CharacterLength(text, at, codePage);
    const std::string_view bytes = text.substr(at, length);
    std::string utf8 = CodePageToUtf8(bytes, codePage);
    // A lead byte without its second byte, or a byte the code page leaves
    // undefined, is no character.
    const bool lone = length == 1 && IsLeadByte(static_cast<unsigned char>(bytes[0]), codePage);
    if (lone || utf8.empty() || !IsValidUtf8(utf8)) utf8 = kReplacement;
    characters.push_back({std::move(utf8), length});
    at += length;
  }
  return characters;
}

}  // namespace cartulon
