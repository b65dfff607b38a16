#include "shell/templates.h"

#include "platform/disc_files.h"
#include "platform/paths.h"
#include "resources/embedded.h"

namespace cartulon {

namespace {

constexpr std::string_view kTemplateType = "TXTFILE";

struct CarriedTemplate {
  std::string_view name;      // resource name
  std::string_view fileName;  // the embedded file that holds its bytes
};

constexpr CarriedTemplate kTemplates[] = {
    {"TECHSUPP", "TECHSUPP.ini"},
    {"FileList_Exp", "FileList_Exp.ini"},
};

}  // namespace

std::optional<std::string_view> FindCarriedResource(std::string_view type, std::string_view name) {
  // Resource types and names are looked up ignoring letter case.
  if (!EqualsIgnoringAsciiCase(type, kTemplateType)) return std::nullopt;
  for (const CarriedTemplate& carried : kTemplates) {
    if (EqualsIgnoringAsciiCase(name, carried.name)) {
      return resources::EmbeddedFile(carried.fileName);
    }
  }
  return std::nullopt;
}

bool ExtractTemplate(const std::string& workingFolder, std::string_view name,
                     std::string_view type, MessageSink& messages) {
  const std::optional<std::string_view> bytes = FindCarriedResource(type, name);
  if (!bytes) return false;
  const std::string fileName = std::string(name) + ".ini";
  std::string error;
  if (!WriteFileAtomically(JoinPath(workingFolder, fileName), *bytes, &error)) {
    messages.Show(Message{"Zolt Cartulon", "An error occurred when liberating file " + fileName,
                          MessageKind::Plain});
    return false;
  }
  return true;
}

}  // namespace cartulon
