#include "platform/catalog_signer.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/input_files.h"
#include "support/temp_disc.h"

namespace cartulon {
namespace {

// The catalogs of scripts/make-test-catalogs.
std::string Catalog(const std::string& name) {
  return std::string(CARTULON_TEST_DATA) + "/catalogs/" + name;
}

struct CatalogCase {
  const char* file;
  CatalogSignature signature;
  const char* signer;
};

TEST(CatalogSigner, TellsTheSignerOfEachTestCatalog) {
  const CatalogCase cases[] = {
      {"hardware.cat", CatalogSignature::Signed, "Microsoft Windows Hardware Compatibility Publisher"},
      {"vendor.cat", CatalogSignature::Signed, "Zolt Devices Test Signing"},
      {"nocert.cat", CatalogSignature::Signed, ""},
      {"notsigned.cat", CatalogSignature::NotSigned, ""},
  };
  for (const CatalogCase& c : cases) {
    const CatalogSigner signer = ReadCatalogSigner(Catalog(c.file));
    EXPECT_EQ(signer.signature, c.signature) << c.file;
    EXPECT_EQ(signer.signer, c.signer) << c.file;
  }
  EXPECT_EQ(ReadCatalogSigner(Catalog("hardware.cat")).signer, kHardwarePublisherName);
}

TEST(CatalogSigner, TextEmptyAndCutMessagesAreNotSigned) {
  const TempDir dir;
  const std::string whole = ReadInputFile(Catalog("vendor.cat")).value_or("");
  ASSERT_GT(whole.size(), 100u);
  for (const std::string& bytes : {std::string(), std::string("[CatalogHeader]\r\nName=x.cat\r\n"),
                                   whole.substr(0, whole.size() / 2)}) {
    EXPECT_EQ(CatalogSignerOf(bytes).signature, CatalogSignature::NotSigned) << bytes.size();
  }
  const CatalogSigner missing = ReadCatalogSigner(dir.Path("gone.cat"));
  EXPECT_EQ(missing.signature, CatalogSignature::Unreadable);
  EXPECT_EQ(missing.reason, "it does not exist");
}

}  // namespace
}  // namespace cartulon
