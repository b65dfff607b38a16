#include "platform/catalog_signer.h"

#include <cerrno>
#include <cstring>
#include <optional>

#include "platform/input_files.h"

namespace cartulon {

CatalogSigner ReadCatalogSigner(const std::string& path) {
  InputFileState state = InputFileState::Missing;
  errno = 0;
  const std::optional<std::string> bytes = ReadInputFile(path, &state);
  if (!bytes) {
    CatalogSigner result;
    result.signature = CatalogSignature::Unreadable;
    result.reason = state != InputFileState::Readable ? "it " + InputFileProblem(state)
                                                      : std::strerror(errno != 0 ? errno : EIO);
    return result;
  }
  return CatalogSignerOf(*bytes);
}

}  // namespace cartulon
