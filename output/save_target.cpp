#include "output/save_target.h"

#include <optional>
#include <vector>

#include "platform/disc_files.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace cartulon {

std::string ExistingTargetPath(const std::string& path) {
  const std::string name = LastComponent(path);
  if (name.empty() || name == "." || name == "..") return path;
  const std::string folder = FolderPart(path);
  const std::optional<std::vector<FolderEntry>> entries = ListFolder(folder);
  if (!entries) return path;
  std::vector<std::string> names;
  names.reserve(entries->size());
  for (const FolderEntry& entry : *entries) names.push_back(entry.name);
  const std::optional<std::string> onDisc = MatchEntryName(names, name);
  if (!onDisc || *onDisc == name) return path;
  return folder + *onDisc;
}

SaveOutcome WriteToTarget(const SaveTarget& target, std::string_view bytes, UserPrompts& prompts,
                          MessageSink& messages, std::string* writtenPath) {
  // The name as the disc's file system finds it: an existing file whose name
  // differs only in letter case is the target.
  std::string path = ExistingTargetPath(target.path);
  // Without the question a file is never replaced: one that appears after
  // the check (while the bytes were put together) gets the question then.
  bool mayReplace = !target.askBeforeReplace;
  for (int attempt = 0;; ++attempt) {
    // A file that appeared during the first attempt is looked up the same way.
    if (attempt > 0) path = ExistingTargetPath(path);
    if (!mayReplace && FileExists(path)) {
      if (!prompts.AskYesNo(target.caption, target.overwriteText + "\n" + path)) {
        const std::optional<SaveDialogChoice> choice =
            prompts.AskSaveFile(target.dialogFolder, kSaveDialogFilter);
        if (!choice) return SaveOutcome::Declined;
        // The name picked in the dialog is taken as it is.
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
