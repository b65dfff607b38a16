#pragma once
// The toolkit's modal boxes and pickers behind a small interface of our own,
// so that tests can answer them. QtDialogs shows the real ones.
#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <string_view>

#include "platform/message_sink.h"
#include "platform/prompts.h"

class QWidget;

namespace cartulon {

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A message box with one OK button; `owner` null for a box without an
  // owner window.
  virtual void ShowMessage(QWidget* owner, const Message& message) = 0;
  // A question with a question icon and the buttons Yes and No; true for Yes.
  virtual bool AskYesNo(QWidget* owner, const std::string& caption, const std::string& text) = 0;
  // The file-save dialog, opened in `initialFolder` with the filters of
  // `filter` ("Label|pattern|Label|pattern..."), the first selected.
  virtual std::optional<SaveDialogChoice> AskSaveFile(QWidget* owner,
                                                      const std::string& initialFolder,
                                                      const std::string& filter) = 0;
  // The folder picker: the chosen folder's path (no trailing delimiter
  // except for a file-system root), empty when cancelled. `root` limits the
  // picker to that folder and below; `initial` is selected when it opens.
  virtual std::string PickFolder(QWidget* owner, const std::string& title, const std::string& root,
                                 const std::string& initial) = 0;
};

class QtDialogs : public Dialogs {
 public:
  void ShowMessage(QWidget* owner, const Message& message) override;
  bool AskYesNo(QWidget* owner, const std::string& caption, const std::string& text) override;
  std::optional<SaveDialogChoice> AskSaveFile(QWidget* owner, const std::string& initialFolder,
                                              const std::string& filter) override;
  std::string PickFolder(QWidget* owner, const std::string& title, const std::string& root,
                         const std::string& initial) override;
};

// Bytes for display: UTF-8 when they are valid UTF-8 (the UI texts are),
// otherwise text in the run's code page (names and INI texts of the disc,
// platform/code_page.h).
QString DisplayText(std::string_view bytes);

// The disc's own bytes (names below the root, INI texts, list lines) for
// display: always read in the run's code page, as Windows shows them, even
// where they would also pass for UTF-8.
QString DiscText(std::string_view bytes);

// A path the user typed or picked, as the bytes the file system uses, with
// the platform's own delimiters.
std::string PathBytes(const QString& path);

// "Label|pattern|Label|pattern" as the toolkit's name filters
// ("Label (pattern)" is kept as it is when the label already shows it).
QStringList NameFilters(const std::string& filter);

}  // namespace cartulon
