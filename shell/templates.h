#pragma once
// The two text templates the program carries (TECHSUPP and FileList_Exp, of
// type TXTFILE) and their writing into the working folder.
#include <optional>
#include <string>
#include <string_view>

#include "platform/message_sink.h"
#include "platform/scratch_folder.h"

namespace cartulon {

// The type of the carried templates and their resource names.
inline constexpr const char* kTemplateType = "TXTFILE";
inline constexpr const char* kTechSuppResource = "TECHSUPP";
inline constexpr const char* kRulesResource = "FileList_Exp";

// A carried resource by type and name (names ignoring ASCII case).
std::optional<std::string_view> FindCarriedResource(std::string_view type, std::string_view name);

// Writes resource `name` of `type` byte for byte to workingFolder/<name>.ini,
// replacing any file of that name. False without a message when there is no
// such resource; false with "An error occurred when liberating file <name>.ini"
// (caption "Zolt Cartulon") when it cannot be written.
bool ExtractTemplate(const std::string& workingFolder, std::string_view name,
                     std::string_view type, MessageSink& messages);

// Which of the two templates start-up found after writing them.
struct TemplateFiles {
  bool TechSuppWritten = false;
  bool RulesFileWritten = false;
};

// Writes both carried templates into the working folder and checks that
// they are there. False after the not-found message of the first one
// missing; the caller then ends the program.
bool WriteCarriedTemplates(const std::string& workingFolder, MessageSink& messages,
                           TemplateFiles& files);

// Deletes the templates that start-up found (Cancel, the main window's
// close); failures are ignored.
void RemoveWrittenTemplates(const std::string& workingFolder, const TemplateFiles& files);

// Deletes both templates, found or not (a missing master file).
void RemoveBothTemplates(const std::string& workingFolder);

// Puts both templates into `workingFolder` for a run without windows: the
// carried ones, or copies of the files named (an empty name: the carried
// one). A file that cannot be read or copied is reported under the caption
// `reporter`; a template that is not there afterwards gets the start-up's
// "<name> not found !". False when either template is missing.
bool PlaceTemplates(const std::string& workingFolder, const std::string& contactFile,
                    const std::string& rulesFile, const std::string& reporter,
                    MessageSink& messages);

// Creates `folder` (a private scratch folder) and places both templates in
// it as PlaceTemplates does; a folder that cannot be created is reported
// under `reporter`. False when either step failed.
bool PlaceTemplatesInScratch(ScratchFolder& folder, const std::string& contactFile,
                             const std::string& rulesFile, const std::string& reporter,
                             MessageSink& messages);

}  // namespace cartulon
