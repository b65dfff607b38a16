// Fuzz target for the names of the scan as they enter the list in the run's
// code page, and for the decoding of list text back to UTF-8. The first
// byte picks the code page, the rest is a name as the system lists it. A
// listed name must be the name itself or read back as it (so that no near
// fit turns into another name or a delimiter), an ASCII name must stay as
// it is, and decoded text must be UTF-8.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "platform/code_page.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

constexpr unsigned kCodePages[] = {874,  932,  936,  949,  950,  1250, 1251,
                                   1252, 1253, 1254, 1255, 1256, 1257, 1258};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace cartulon;
  if (size == 0) return 0;
  const unsigned codePage = kCodePages[data[0] % std::size(kCodePages)];
  const std::string_view name(reinterpret_cast<const char*>(data + 1), size - 1);

  const std::optional<std::string> listed = NameInCodePage(name, codePage);
  if (IsAscii(name) && name.find('?') == std::string_view::npos) {
    Require(listed.has_value() && *listed == name);
  }
  if (listed) {
    Require(*listed == name || CodePageToUtf8(*listed, codePage) == name);
  }

  const std::string decoded = CodePageToUtf8(name, codePage);
  Require(IsValidUtf8(decoded));
  if (IsAscii(name)) Require(decoded == name);
  return 0;
}
