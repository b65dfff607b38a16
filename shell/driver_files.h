#pragma once
// The disc check's look at the driver files of a package: the INF files
// that belong to each of its records, and whether the claims of the list
// (the version) agree with what the INF files say of themselves. Used by
// the package check.
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "describe/classify.h"
#include "model/dir_structure.h"
#include "platform/catalog_signer.h"
#include "platform/inf_version.h"
#include "shell/disc_check.h"

namespace cartulon {

// An INF file of a record and the tree's node of the folder that holds it.
struct InfFile {
  DirNode* folder = nullptr;
  std::string path;
};

// The INF files of one record of `packageFolder`: the files named *.inf
// (any letter case) in the folder of the record's install source and every
// folder of the tree below it; for the package file itself (a package
// without sub-installs) the package folder and below. Taken from the tree,
// so the scan's depth, its links and its outside-the-disc rules apply: a
// source folder the scan did not reach has none. In display order of the
// folders, each folder's files in directory order.
std::vector<InfFile> RecordInfFiles(const DirStructure& tree, DirNode* packageFolder,
                                    const SetupSource& source);

// True when two versions are the same numbers: dot-separated decimal
// parts compared as numbers, a missing part counting as 0, so "1.4.2"
// equals "1.4.2.0" and "01.4" equals "1.4". Versions that are not all
// decimal parts are the same only when their texts are (ignoring ASCII
// letter case).
bool SameVersionNumbers(std::string_view a, std::string_view b);

// Checks the records of one package folder against their INF files. Each
// INF file is read once, however many records it belongs to, and a bad
// one is reported once.
class DriverFileCheck {
 public:
  using Report = std::function<void(Severity, std::string_view code, std::string message)>;
  DriverFileCheck(const DirStructure& tree, DirNode* packageFolder, Report report);

  // The record read from `sourceName` with its INF files: bad-inf for each
  // INF file that cannot be read or holds no DriverVer in [Version];
  // inf-version when the record's version matches none of the DriverVer
  // versions of the others; and, when `claimsWhql` (its line says
  // "(WHQL)"), whql-unproven for each INF file whose catalogs do not show
  // the hardware program's signature. Nothing for a record without INF
  // files.
  void CheckRecord(const DescrStruct& record, bool claimsWhql, const std::string& sourceName,
                   const std::vector<InfFile>& infFiles);

 private:
  struct InfState {
    bool hasVersion = false;  // read, with a [Version] section
    bool usable = false;      // and a DriverVer in it
    bool catalogsChecked = false;
    InfVersion version;
  };
  InfState& Inspect(const std::string& path);
  // What keeps the catalog `name` of an INF file in `folder` from proving
  // the hardware program's signature; empty when nothing does.
  std::string CatalogProblem(DirNode* folder, const std::string& key, const std::string& name);
  void CheckCatalogs(const InfFile& inf, InfState& state);
  // The INF file's path relative to the package folder, "\" delimited.
  std::string Name(const std::string& path) const;

  const DirStructure& tree_;
  DirNode* folder_;
  Report report_;
  std::map<std::string, InfState> infs_;
  std::map<std::string, CatalogSigner> catalogs_;
};

}  // namespace cartulon
