#pragma once
// The last step of every save of a finished file (FileList.txt and
// DriverInformation.csv alike): ask before replacing an existing target,
// offer the save dialog when the answer is No, write the bytes atomically,
// and report a failed write.
#include <string>
#include <string_view>

#include "platform/message_sink.h"
#include "platform/prompts.h"

namespace cartulon {

// Declined: the save dialog was cancelled; nothing was written.
enum class SaveOutcome { Written, Declined, Failed };

struct SaveTarget {
  std::string path;           // where the file goes unless the dialog picks another
  bool askBeforeReplace = true;
  std::string caption;        // of the question
  std::string overwriteText;  // the question; a line feed and the path follow it
  std::string dialogFolder;   // where the save dialog opens
  std::string failureCaption; // of the failed-write message
};

// The target as it exists on disc: the last component of `path` looked up
// in its folder by the letter-case rule of the disc's home file system (the
// exact name when present, otherwise the first entry of any kind whose name
// differs only in ASCII letter case). `path` itself when no entry matches or
// the folder cannot be listed. An existing FILELIST.TXT is therefore the
// target FileList.txt: it is asked about, kept or replaced under its own
// name, and no second file appears beside it.
std::string ExistingTargetPath(const std::string& path);

// Writes `bytes` to target.path, as ExistingTargetPath finds it; when it
// exists and askBeforeReplace is set, asks first, and on No writes to the
// name picked in the save dialog (with the filter's extension,
// ApplySaveDialogExtension) instead, or nothing at all when the dialog is
// cancelled (Declined). A write that fails is reported as "Cannot create
// file "<path>". <reason>" and gives Failed. `writtenPath` receives the
// path written.
SaveOutcome WriteToTarget(const SaveTarget& target, std::string_view bytes, UserPrompts& prompts,
                          MessageSink& messages, std::string* writtenPath = nullptr);

// The name chosen in the save dialog with the extension of the selected
// filter appended unless the name already ends with it (".txt" for filter 1,
// ".csv" for filter 2, nothing for 3).
std::string ApplySaveDialogExtension(const SaveDialogChoice& choice);

}  // namespace cartulon
