#pragma once
// Questions and the file-save dialog that the writers ask through. The
// desktop program answers with real dialogs, the batch command from its
// flags, tests with scripted answers.
#include <optional>
#include <string>

namespace cartulon {

// The save dialog's filter list, as the writers hand it over.
inline constexpr const char* kSaveDialogFilter =
    "Text files (*.txt)|*.txt|CSV files (*.csv)|*.csv|Any files (*.*)|*.*";

struct SaveDialogChoice {
  std::string fileName;  // as confirmed by the user
  int filterIndex = 1;   // 1-based index of the selected filter
};

class UserPrompts {
 public:
  virtual ~UserPrompts() = default;
  // A Yes/No question with a question icon; true for Yes.
  virtual bool AskYesNo(const std::string& caption, const std::string& text) = 0;
  // The file-save dialog; empty when the user cancels.
  virtual std::optional<SaveDialogChoice> AskSaveFile(const std::string& initialFolder,
                                                      const std::string& filter) = 0;
};

}  // namespace cartulon
