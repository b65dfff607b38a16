#pragma once
// Access to the files under resources/ that the build embeds.
#include <cstddef>
#include <optional>
#include <string_view>

namespace cartulon::resources {

struct Embedded {
  const char* name;
  const unsigned char* data;
  std::size_t size;
};
extern const Embedded kEmbedded[];

// The bytes of an embedded file by its file name (exact).
inline std::optional<std::string_view> EmbeddedFile(std::string_view name) {
  for (const Embedded* e = kEmbedded; e->name != nullptr; ++e) {
    if (name == e->name) return std::string_view(reinterpret_cast<const char*>(e->data), e->size);
  }
  return std::nullopt;
}

}  // namespace cartulon::resources
