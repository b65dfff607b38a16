#pragma once
// Who signed a driver catalog (.cat): a catalog is a PKCS#7 signed message
// (DER), and the common name of its signer certificate's subject tells a
// driver certified by the Windows hardware program ("Microsoft Windows
// Hardware Compatibility Publisher") from one signed by its vendor alone.
//
// This reads names to find the mistakes of a disc build; it is no security
// verification: neither the signature nor the certificate's trust chain is
// checked, so a catalog made to carry the right name passes.
//
// The catalog is read like every input (platform/input_files.h: a regular
// file of at most 64 MiB) and decoded in memory. Per platform:
// catalog_signer_posix.cpp with OpenSSL, catalog_signer_win32.cpp with the
// system's CryptoAPI.
#include <string>
#include <string_view>

namespace cartulon {

// The subject common name of the hardware program's signing certificate.
inline constexpr std::string_view kHardwarePublisherName =
    "Microsoft Windows Hardware Compatibility Publisher";

enum class CatalogSignature {
  Signed,      // a signed message; `signer` holds the signer's name
  NotSigned,   // read, but not a PKCS#7 signed message (or none with a signer)
  Unreadable,  // the file cannot be read; `reason` says why
};

struct CatalogSigner {
  CatalogSignature signature = CatalogSignature::Unreadable;
  // The first signer's certificate subject common name, as UTF-8; empty when
  // the certificate is not in the message or its subject has no common name.
  std::string signer;
  std::string reason;
};

// Reads the catalog at `path`.
CatalogSigner ReadCatalogSigner(const std::string& path);

// Decodes a catalog held in memory (Signed or NotSigned). Per platform.
CatalogSigner CatalogSignerOf(std::string_view bytes);

}  // namespace cartulon
