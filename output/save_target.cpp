#include "output/save_target.h"

#include <optional>

#include "platform/disc_files.h"
#include "platform/text.h"

namespace cartulon {

SaveOutcome WriteToTarget(const SaveTarget& target, std::string_view bytes, UserPrompts& prompts,
                          MessageSink& messages, std::string* writtenPath) {
  std::string path = target.path;
  // Without the question a file is never replaced: one that appears after
  // the check (while the bytes were put together) gets the question then.
  bool mayReplace = !target.askBeforeReplace;
  for (int attempt = 0;; ++attempt) {
    if (!mayReplace && FileExists(path)) {
      if (!prompts.AskYesNo(target.caption, target.overwriteText + "\n" + path)) {
        const std::optional<SaveDialogChoice> choice =
            prompts.AskSaveFile(target.dialogFolder, kSaveDialogFilter);
        if (!choice) return SaveOutcome::Declined;
        path = ApplySaveDialogExtension(*choice);
      }
      // Yes, or a name confirmed in the save dialog.
      mayReplace = true;
    }
    std::string reason;
    bool appeared = false;
    const WriteMode mode = mayReplace ? WriteMode::ReplaceExisting : WriteMode::KeepExisting;
    if (WriteFileAtomically(path, bytes, &reason, mode, &appeared)) break;
    if (!appeared || attempt > 0) {
      messages.Show(Message{target.failureCaption, "Cannot create file \"" + path + "\". " + reason,
                            MessageKind::Error});
      return SaveOutcome::Failed;
    }
  }
  if (writtenPath != nullptr) *writtenPath = path;
  return SaveOutcome::Written;
}

std::string ApplySaveDialogExtension(const SaveDialogChoice& choice) {
  std::string_view extension;
  if (choice.filterIndex == 1) extension = ".txt";
  if (choice.filterIndex == 2) extension = ".csv";
  const std::string& name = choice.fileName;
  if (extension.empty()) return name;
  if (name.size() >= extension.size() &&
      EqualsIgnoringAsciiCase(std::string_view(name).substr(name.size() - extension.size()),
                              extension)) {
    return name;
  }
  return name + std::string(extension);
}

}  // namespace cartulon
