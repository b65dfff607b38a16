#pragma once
// What the desktop program's behaviour needs from a face: the windows, as a
// small set of things to show and to ask. DesktopSession (desktop_session.h)
// holds every rule and all state; a face implements this interface with its
// toolkit and reports the user's actions to the session. A face never calls
// back into the session from inside one of these calls.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "model/dir_structure.h"
#include "platform/message_sink.h"
#include "platform/prompts.h"
#include "shell/folder_history.h"

namespace cartulon {

// The selection dialog's buttons; the numbers are the platform's standard
// dialog results, which the dialog's modal result carries.
enum class RunChoice { Preview = 1, Cancel = 2, TxtAndCsv = 4, Txt = 6 };

struct SelectionRequest {
  std::string proposedRoot;  // the path box's text when the dialog opens
  std::array<std::string, kRememberedFolders> remembered;  // Folder1 first
};

struct SelectionResult {
  RunChoice choice = RunChoice::Cancel;
  std::string pathText;  // the path box as bytes
};

// The detail panel's description fields.
struct DetailTexts {
  std::string title;
  std::string version;
  std::string os;
};

// A tree item the disc check has something to say about: the error icon
// when any finding is an error (the warning icon otherwise), and one
// "severity code: message" line per finding for its tooltip.
struct FindingMark {
  const DirNode* node = nullptr;
  bool anyError = false;
  std::vector<std::string> lines;
};

// The edit fields of the main window that hold a setting as typed.
enum class Setting { Depth, Expand, Indent, GroupDepth, Month, Day, Year };

class DesktopView {
 public:
  virtual ~DesktopView() = default;

  // The selection dialog, modal; returns its result.
  virtual SelectionResult RunSelectionDialog(const SelectionRequest& request) = 0;
  // The progress window, modal: returns once CloseProgress has been called.
  // While it is shown the face calls DesktopSession::TimerTick every 100 ms.
  virtual void ShowProgress() = 0;
  virtual void CloseProgress() = 0;

  // The tree view shows `tree` (null: nothing), the root item on top, every
  // item's check box from its node's Checked.
  virtual void BindTree(DirStructure* tree) = 0;
  // These nodes' Checked flags changed: their check boxes follow.
  virtual void ShowCheckStates(const std::vector<DirNode*>& changed) = 0;
  // Exactly the items whose level is below `level` are expanded.
  virtual void ExpandToLevel(int level) = 0;
  // Makes the node's item the tree's current item, without reporting it.
  virtual void SelectItem(const DirNode* node) = 0;
  virtual void ShowFindingMarks(const std::vector<FindingMark>& marks) = 0;

  // The heading list and the entry-line list of the preview; both fit their
  // horizontal scroll extent to the longest line.
  virtual void ShowTitleLines(const std::vector<std::string>& lines) = 0;
  virtual void ShowEntryLines(const std::vector<std::string>& lines) = 0;
  // Selects entry line `line` (-1: none), without reporting it.
  virtual void SelectLine(int line) = 0;

  virtual void ShowDetail(const DetailTexts& texts) = 0;
  virtual void ShowSetting(Setting setting, const std::string& text) = 0;
  // The Expand up-down control's upper bound.
  virtual void SetExpandMaximum(int maximum) = 0;
  // "SCD Path..." is offered only while no analysis runs.
  virtual void EnableAnalysisCommand(bool enabled) = 0;
  // The findings line under the tree and the lists (its whole text; the
  // face may cut it to its width and show the whole as a tooltip).
  virtual void ShowStatus(const std::string& text) = 0;

  // A message box: without an owner window, with the message's icon.
  virtual void ShowMessage(const Message& message) = 0;
  // A question owned by the main window, question icon, Yes and No.
  virtual bool AskYesNo(const std::string& caption, const std::string& text) = 0;
  virtual std::optional<SaveDialogChoice> AskSaveFile(const std::string& initialFolder,
                                                      const std::string& filter) = 0;
  // The folder picker titled `title`; empty when cancelled.
  virtual std::string PickFolder(const std::string& title) = 0;

  // Shows the main window maximised.
  virtual void ShowMainWindow() = 0;
  // Tells the application to end: the message loop stops, or never starts.
  virtual void End() = 0;
};

}  // namespace cartulon
