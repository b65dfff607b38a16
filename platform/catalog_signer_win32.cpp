// The catalog's signer read with the system's CryptoAPI.
#include "platform/catalog_signer.h"

#include <windows.h>
#include <wincrypt.h>

#include <vector>

namespace cartulon {

namespace {

// What CryptQueryObject hands back, released when it goes.
struct QueriedMessage {
  HCERTSTORE store = nullptr;
  HCRYPTMSG message = nullptr;
  const void* context = nullptr;
  DWORD contentType = 0;
  DWORD encoding = 0;

  QueriedMessage() = default;
  QueriedMessage(const QueriedMessage&) = delete;
  QueriedMessage& operator=(const QueriedMessage&) = delete;
  ~QueriedMessage() {
    if (contentType == CERT_QUERY_CONTENT_CTL && context != nullptr) {
      CertFreeCTLContext(static_cast<PCCTL_CONTEXT>(context));
    }
    if (message != nullptr) CryptMsgClose(message);
    if (store != nullptr) CertCloseStore(store, 0);
  }
  // A catalog's signed content is a certificate trust list: its message
  // and certificates come with the list's context.
  HCRYPTMSG Message() const {
    if (message != nullptr) return message;
    if (contentType == CERT_QUERY_CONTENT_CTL && context != nullptr) {
      return static_cast<PCCTL_CONTEXT>(context)->hCryptMsg;
    }
    return nullptr;
  }
  HCERTSTORE Store() const {
    if (store != nullptr) return store;
    if (contentType == CERT_QUERY_CONTENT_CTL && context != nullptr) {
      return static_cast<PCCTL_CONTEXT>(context)->hCertStore;
    }
    return nullptr;
  }
};

}  // namespace

CatalogSigner CatalogSignerOf(std::string_view bytes) {
  CatalogSigner result;
  result.signature = CatalogSignature::NotSigned;
  if (bytes.empty() || bytes.size() > MAXDWORD) return result;
  CERT_BLOB blob{static_cast<DWORD>(bytes.size()),
                 reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data()))};
  QueriedMessage queried;
  DWORD format = 0;
  if (!CryptQueryObject(CERT_QUERY_OBJECT_BLOB, &blob,
                        CERT_QUERY_CONTENT_FLAG_PKCS7_SIGNED | CERT_QUERY_CONTENT_FLAG_CTL,
                        CERT_QUERY_FORMAT_FLAG_BINARY, 0, &queried.encoding, &queried.contentType,
                        &format, &queried.store, &queried.message, &queried.context)) {
    return result;
  }
  const HCRYPTMSG message = queried.Message();
  if (message == nullptr) return result;
  DWORD signers = 0;
  DWORD size = sizeof signers;
  if (!CryptMsgGetParam(message, CMSG_SIGNER_COUNT_PARAM, 0, &signers, &size) || signers == 0) {
    return result;
  }
  result.signature = CatalogSignature::Signed;
  size = 0;
  if (!CryptMsgGetParam(message, CMSG_SIGNER_CERT_INFO_PARAM, 0, nullptr, &size) || size == 0) {
    return result;
  }
  std::vector<BYTE> info(size);
  if (!CryptMsgGetParam(message, CMSG_SIGNER_CERT_INFO_PARAM, 0, info.data(), &size)) {
    return result;
  }
  const HCERTSTORE store = queried.Store();
  if (store == nullptr) return result;
  const DWORD encoding =
      queried.encoding != 0 ? queried.encoding : X509_ASN_ENCODING | PKCS_7_ASN_ENCODING;
  PCCERT_CONTEXT certificate = CertFindCertificateInStore(
      store, encoding, 0, CERT_FIND_SUBJECT_CERT, reinterpret_cast<CERT_INFO*>(info.data()), nullptr);
  if (certificate == nullptr) return result;
  char oid[] = szOID_COMMON_NAME;
  const DWORD length =
      CertGetNameStringA(certificate, CERT_NAME_ATTR_TYPE, 0, oid, nullptr, 0);
  if (length > 1) {
    std::vector<char> name(length);
    CertGetNameStringA(certificate, CERT_NAME_ATTR_TYPE, 0, oid, name.data(), length);
    result.signer.assign(name.data());
  }
  CertFreeCertificateContext(certificate);
  return result;
}

}  // namespace cartulon
