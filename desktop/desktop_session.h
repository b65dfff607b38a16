#pragma once
// The desktop program's behaviour without a toolkit: the state of a run and
// of the main window, and every action of the selection dialog and the main
// window. A face (DesktopView) shows what the session tells it and reports
// the user's actions to it; the analysis runs on an AnalysisWorker.
//
// A run: Start() places the carried templates in a private scratch folder,
// shows the selection dialog until it gives a folder that exists (or
// Cancel), checks for the master file and starts the first analysis behind
// the modal progress window. The face's 100 ms timer calls TimerTick(),
// which shows the worker's messages and, once the worker has ended, runs the
// after-analysis step: bind, expand, Generate, Compact, then the dialog's
// choice (the main window, or the one-shot TXT / TXT + CSV run, which ends).
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "desktop/analysis_worker.h"
#include "desktop/desktop_view.h"
#include "describe/os_tags.h"
#include "model/dir_structure.h"
#include "output/list_writer.h"
#include "output/save_rules.h"
#include "platform/scratch_folder.h"
#include "platform/settings_store.h"
#include "shell/disc_check.h"
#include "shell/startup.h"
#include "shell/ui_text.h"

namespace cartulon {

// What the program was started with besides its environment.
struct DesktopOptions {
  std::string root;         // proposed by the dialog instead of the default
  std::string rulesFile;    // used instead of the carried FileList_Exp.ini
  std::string contactFile;  // used instead of the carried TECHSUPP.ini
};

class DesktopSession {
 public:
  DesktopSession(DesktopView& view, AnalysisWorker& worker, SettingsStore& store,
                 StartupEnvironment env, DesktopOptions options = {});
  // Waits for a running analysis, dropping its messages.
  ~DesktopSession();
  DesktopSession(const DesktopSession&) = delete;
  DesktopSession& operator=(const DesktopSession&) = delete;

  // The start-up up to the first analysis (which it runs behind the
  // progress window), or until the program is told to end.
  void Start();
  // The 100 ms timer of the progress window.
  void TimerTick();

  // Main-window commands.
  void Generate();
  void Compact();
  SaveOutcome Save();
  void ChooseDiscFolder();  // "SCD Path..."
  void Reanalyse();         // the same root again with the Search Depth
  void Close();             // the close box: the program ends

  // The tree.
  void CheckClicked(DirNode* node);  // the node's check box
  void CheckAll();                   // pop-up menu, on the current item
  void UncheckAll();
  void ItemSelected(DirNode* node);  // the tree's current item changed

  // The entry-line list: a click or keyboard move, a press, a double click.
  void LineClicked(int line);
  void LinePressed(int line);
  void LineDoubleClicked(int line);

  // The settings: an edit as typed, and the up-down controls' steps.
  void SettingEdited(Setting setting, const std::string& text);
  void IndentStep(int value);
  void GroupDepthStep(int value);
  void ExpandStep(int value);

  // State the faces and tests read.
  const std::string& ScdPath() const { return scdPath_; }
  const std::string& CDMasterPath() const { return masters_.cdMasterPath; }
  DirStructure* CurrentTree() const { return tree_.get(); }
  const Preview& CurrentPreview() const { return preview_; }
  const std::vector<std::string>& ShownLines() const { return shownLines_; }
  const std::vector<Finding>& Findings() const { return findings_; }
  const std::string& Status() const { return status_; }
  const std::string& SettingText(Setting setting) const;
  RunChoice Choice() const { return choice_; }
  bool AnalysisRunning() const { return analysing_; }
  DirNode* SelectedNode() const { return selected_; }
  int SelectedLine() const { return selectedLine_; }
  int LanguageOffset() const { return languageOffset_; }
  std::string Text(UiText text) const { return LoadUiText(text, languageOffset_); }
  // Where the templates lie while the program runs.
  const std::string& TemplateFolder() const { return scratch_.Path(); }

 private:
  class ViewMessages : public MessageSink {
   public:
    explicit ViewMessages(DesktopView& view) : view_(view) {}
    void Show(const Message& message) override { view_.ShowMessage(message); }

   private:
    DesktopView& view_;
  };
  class ViewPrompts;

  bool PlaceTemplates();
  void RemoveTemplates();
  std::optional<SelectionResult> ChooseRoot();
  void StartAnalysis(const std::string& path, int depth);
  void AfterAnalysis(AnalysisResult result);
  void WriteFiles(bool withCsv);
  void End();
  std::optional<ListContext> CurrentContext();
  bool ReadSetting(Setting setting, int* value);
  void ShowEntryLines();
  void SelectLineOfItem();
  void SelectNode(DirNode* node);
  void ShowRecord(const DirNode* node);
  // The changed check boxes shown, then the preview regenerated.
  void ShowChecks(const std::vector<DirNode*>& changed);
  void ShowFindings(std::vector<Finding> findings);
  void ShowItemFindings();
  DirNode* LineNode(int line) const;

  DesktopView& view_;
  AnalysisWorker& worker_;
  SettingsStore& store_;
  const StartupEnvironment env_;
  const DesktopOptions options_;
  ViewMessages messages_;
  MessageHandOff workerMessages_;
  int languageOffset_ = 0;
  bool ended_ = false;
  bool ticking_ = false;
  bool mainWindowShown_ = false;

  ScratchFolder scratch_;
  MasterFileLocations masters_;
  RunChoice choice_ = RunChoice::Cancel;
  // The root of the tree shown; an analysis's root takes its place only when
  // that analysis has built a tree, so a save never writes one disc's list
  // into another disc's root.
  std::string scdPath_;
  std::string analysisRoot_;  // root of the running or last analysis
  bool analysing_ = false;
  int outputMode_ = 1;

  std::unique_ptr<DirStructure> tree_;
  Preview preview_;
  // What the entry-line list shows: the preview lines, as a save's rules
  // left them.
  std::vector<std::string> shownLines_;
  SaveRuleFlags saveFlags_;
  DirNode* selected_ = nullptr;
  int selectedLine_ = -1;

  std::vector<Finding> findings_;
  std::unordered_map<const DirNode*, std::vector<std::size_t>> findingsOfNode_;
  std::string status_;

  std::vector<std::string> settings_;  // by Setting, as typed
};

// The code page the disc's names and INI texts are read and written in, as
// the main window shows it beside the findings line: "Code page 950".
std::string RunCodePageText();

}  // namespace cartulon
