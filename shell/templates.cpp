#include "shell/templates.h"

#include "output/layout_rules.h"
#include "output/list_writer.h"
#include "platform/disc_files.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "resources/embedded.h"

namespace cartulon {

namespace {

struct CarriedTemplate {
  std::string_view name;      // resource name
  std::string_view fileName;  // the embedded file that holds its bytes
};

constexpr CarriedTemplate kTemplates[] = {
    {kTechSuppResource, "TECHSUPP.ini"},
    {kRulesResource, "FileList_Exp.ini"},
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
    messages.Show(Message{kApplicationTitle, "An error occurred when liberating file " + fileName,
                          MessageKind::Plain});
    return false;
  }
  return true;
}

bool WriteCarriedTemplates(const std::string& workingFolder, MessageSink& messages,
                           TemplateFiles& files) {
  // What counts is whether the files are there afterwards, not whether
  // this start wrote them.
  ExtractTemplate(workingFolder, kTechSuppResource, kTemplateType, messages);
  ExtractTemplate(workingFolder, kRulesResource, kTemplateType, messages);
  if (!FileExists(JoinPath(workingFolder, kContactFileName))) {
    messages.Show({kApplicationTitle, "TECHSUPP.ini not found !", MessageKind::Error});
    return false;
  }
  files.TechSuppWritten = true;
  if (!FileExists(JoinPath(workingFolder, kRulesFileName))) {
    messages.Show({kApplicationTitle, "FileList_Exp.ini not found !", MessageKind::Error});
    return false;
  }
  files.RulesFileWritten = true;
  return true;
}

void RemoveWrittenTemplates(const std::string& workingFolder, const TemplateFiles& files) {
  if (files.TechSuppWritten) DeleteFileQuietly(JoinPath(workingFolder, kContactFileName));
  if (files.RulesFileWritten) DeleteFileQuietly(JoinPath(workingFolder, kRulesFileName));
}

void RemoveBothTemplates(const std::string& workingFolder) {
  DeleteFileQuietly(JoinPath(workingFolder, kRulesFileName));
  DeleteFileQuietly(JoinPath(workingFolder, kContactFileName));
}

namespace {

bool PlaceTemplate(const std::string& folder, std::string_view resource,
                   const std::string& fileName, const std::string& replacement,
                   const std::string& reporter, MessageSink& messages) {
  if (replacement.empty()) {
    ExtractTemplate(folder, resource, kTemplateType, messages);
  } else {
    const std::optional<std::string> bytes = ReadFileBytes(replacement);
    if (!bytes) {
      messages.Show({reporter, "cannot read " + replacement, MessageKind::Error});
      return false;
    }
    std::string error;
    if (!WriteFileAtomically(JoinPath(folder, fileName), *bytes, &error)) {
      messages.Show({reporter, "cannot copy " + replacement + ": " + error, MessageKind::Error});
      return false;
    }
  }
  // As at start-up: what counts is that the file is there afterwards.
  if (!FileExists(JoinPath(folder, fileName))) {
    messages.Show({kApplicationTitle, fileName + " not found !", MessageKind::Error});
    return false;
  }
  return true;
}

}  // namespace

bool PlaceTemplates(const std::string& workingFolder, const std::string& contactFile,
                    const std::string& rulesFile, const std::string& reporter,
                    MessageSink& messages) {
  return PlaceTemplate(workingFolder, kTechSuppResource, kContactFileName, contactFile, reporter,
                       messages) &&
         PlaceTemplate(workingFolder, kRulesResource, kRulesFileName, rulesFile, reporter,
                       messages);
}

bool PlaceTemplatesInScratch(ScratchFolder& folder, const std::string& contactFile,
                             const std::string& rulesFile, const std::string& reporter,
                             MessageSink& messages) {
  std::string error;
  if (!folder.Create(&error)) {
    messages.Show({reporter, error, MessageKind::Error});
    return false;
  }
  return PlaceTemplates(folder.Path(), contactFile, rulesFile, reporter, messages);
}

}  // namespace cartulon
