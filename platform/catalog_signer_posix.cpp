// The catalog's signer read with OpenSSL's PKCS#7 decoder.
#include "platform/catalog_signer.h"

#include <openssl/crypto.h>
#include <openssl/err.h>
#include <openssl/objects.h>
#include <openssl/pkcs7.h>
#include <openssl/x509.h>

#include <climits>
#include <memory>

namespace cartulon {

namespace {

struct MessageFree {
  void operator()(PKCS7* message) const { PKCS7_free(message); }
};

// The subject common name of a certificate, as UTF-8; empty when it has
// none.
std::string CommonName(X509* certificate) {
  const X509_NAME* subject = X509_get_subject_name(certificate);
  if (subject == nullptr) return {};
  const int index = X509_NAME_get_index_by_NID(subject, NID_commonName, -1);
  if (index < 0) return {};
  const ASN1_STRING* data = X509_NAME_ENTRY_get_data(X509_NAME_get_entry(subject, index));
  unsigned char* utf8 = nullptr;
  const int length = ASN1_STRING_to_UTF8(&utf8, data);
  if (length < 0 || utf8 == nullptr) return {};
  std::string name(reinterpret_cast<const char*>(utf8), static_cast<std::size_t>(length));
  OPENSSL_free(utf8);
  return name;
}

}  // namespace

CatalogSigner CatalogSignerOf(std::string_view bytes) {
  CatalogSigner result;
  result.signature = CatalogSignature::NotSigned;
  if (bytes.size() > static_cast<std::size_t>(LONG_MAX)) return result;
  const auto* cursor = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::unique_ptr<PKCS7, MessageFree> message(
      d2i_PKCS7(nullptr, &cursor, static_cast<long>(bytes.size())));
  // A failed decode leaves its reasons on this thread's error queue.
  ERR_clear_error();
  if (!message || !PKCS7_type_is_signed(message.get()) || message->d.sign == nullptr) {
    return result;
  }
  STACK_OF(PKCS7_SIGNER_INFO)* signers = PKCS7_get_signer_info(message.get());
  if (signers == nullptr || sk_PKCS7_SIGNER_INFO_num(signers) == 0) return result;
  result.signature = CatalogSignature::Signed;
  const PKCS7_SIGNER_INFO* signer = sk_PKCS7_SIGNER_INFO_value(signers, 0);
  STACK_OF(X509)* certificates = message->d.sign->cert;
  if (certificates == nullptr || signer->issuer_and_serial == nullptr) return result;
  X509* certificate = X509_find_by_issuer_and_serial(
      certificates, signer->issuer_and_serial->issuer, signer->issuer_and_serial->serial);
  if (certificate != nullptr) result.signer = CommonName(certificate);
  return result;
}

}  // namespace cartulon
