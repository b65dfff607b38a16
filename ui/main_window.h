#pragma once
// The main window (TGenFileList). Its construction runs the whole start-up:
// templates, date, the selection dialog and the first analysis. It stays
// hidden until a Preview run has been analysed; then the user checks and
// unchecks folders, previews the list, adjusts the format and saves.
#include <QTimer>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "describe/os_tags.h"
#include "model/dir_structure.h"
#include "output/list_writer.h"
#include "output/save_rules.h"
#include "shell/disc_check.h"
#include "ui/message_sinks.h"
#include "ui/program_control.h"
#include "ui/startup.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QToolButton;
class QTreeWidgetItem;

namespace cartulon {

class AnalysisThread;
class DetailPanel;
class FileTreeView;
class LoadingWindow;
class PreviewListView;
class SCDSelector;
class UpDown;

// A setting's text as bytes.
std::string SettingBytes(const QString& text);
// A setting read as the platform converts text to a number: a whole number
// that fits 32 bits; false otherwise.
bool ParseIntSetting(const QString& text, int* value);

class MainWindow : public QWidget {
  Q_OBJECT

 public:
  // Runs the start-up; returns after the first analysis, or once the
  // program has been told to end.
  MainWindow(const StartupEnvironment& env, ProgramServices& services);
  ~MainWindow() override;

  // Analyses a disc root behind the modal progress window; returns when
  // that window has closed (normally once the analysis has ended).
  void StartAnalysis(const std::string& path, int depth);
  // The step after each analysis: bind, expand, Generate, Compact, and the
  // dialog's choice of output. `findings` are the disc check of the tree.
  void AfterAnalysis(std::unique_ptr<DirStructure> tree, std::vector<Finding> findings = {});
  // Marks the tree items the findings are about and shows the disc's counts
  // in the status line.
  void ShowFindings(std::vector<Finding> findings);
  // The status line for the selected item: the disc's counts, then the
  // item's first finding and how many more it has.
  void ShowItemFindings(QTreeWidgetItem* item);
  // Rebuilds both previews from the tree and the settings (btnGenerate).
  void Generate();
  // Unchecks the branches that describe nothing, then regenerates.
  void Compact();
  // "Save to File...".
  SaveOutcome Save();
  // The one-shot runs (TXT File, and TXT + CSV Files with `withCsv`): the
  // save of the prepared list and the export of the table; ends the program.
  void WriteFiles(bool withCsv);
  // "SCD Path...": picks a folder and analyses it with the Search Depth.
  void ChooseDiscFolder();
  // Opens or closes the detail panel, moving the two previews.
  void ToggleDetailPanel();
  // The resize rule, from the window's outer size.
  void ApplyResizeRule(int outerWidth, int outerHeight);

  // The tree's selection changed: detail fields and the preview line.
  void TreeSelectionChanged(QTreeWidgetItem* item);
  // Selects the first preview line of the tree's selected item.
  void SelectLineOfItem();
  void ListBox1Click();
  void ListBox1MouseDown();
  void ListBox1DblClick();

  const std::string& ScdPath() const { return scdPath_; }
  const std::string& CDMasterPath() const { return cdMasterPath_; }
  DirStructure* CurrentTree() const { return tree_.get(); }
  const Preview& CurrentPreview() const { return preview_; }
  const std::vector<Finding>& Findings() const { return findings_; }
  // The status line's whole text (the label shows it cut to its width).
  const QString& FindingsStatus() const { return findingsStatus_; }
  bool AnalysisRunning() const { return analysisThread_ != nullptr; }
  // The run's choice in the selection dialog (its modal result).
  int RunChoice() const;

  LoadingWindow* Loading() const { return loading_; }
  FileTreeView* tvFileList() const { return tvFileList_; }
  PreviewListView* lbxFileTitle() const { return lbxFileTitle_; }
  PreviewListView* ListBox1() const { return listBox1_; }
  DetailPanel* panDetail() const { return panDetail_; }
  QToolButton* sbtShowDetail() const { return sbtShowDetail_; }
  QLineEdit* edtDepth() const { return edtDepth_; }
  QLineEdit* edtExpand() const { return edtExpand_; }
  UpDown* UpDown2() const { return upDown2_; }
  QLabel* lblFindings() const { return lblFindings_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildForm();
  void ConnectControls();
  void RunStartup();
  void WaitingForThreadTick();
  void ShowEntryLines();
  std::optional<ListContext> CurrentContext();
  void ReportNotAnInteger(const QString& text);
  void IndentStep(int value);
  void GroupDepthStep(int value);
  void ExpandStep(int value);
  void SetFindingsStatus(QString text);

  const StartupEnvironment env_;
  ProgramServices& services_;
  DialogMessageSink messages_;
  MainThreadMessageSink workerMessages_;

  // Start-up and run state.
  TemplateFiles templates_;
  std::string cdMasterPath_;
  // The root of the tree shown; an analysis's root takes its place only when
  // that analysis has built a tree, so a save never writes one disc's list
  // into another disc's root.
  std::string scdPath_;
  std::string analysisRoot_;  // root of the running or last analysis
  int outputMode_ = 1;
  MasterFileLocations masters_;

  // The analysed model and its preview.
  std::unique_ptr<DirStructure> tree_;
  std::unique_ptr<AnalysisThread> analysisThread_;
  QTimer tmrWaitingForThread_;
  Preview preview_;
  // What ListBox1 shows: the preview lines, rewritten in place by a save.
  std::vector<std::string> shownLines_;
  SaveRuleFlags saveFlags_;
  // The disc check of the tree shown, and each node's findings.
  std::vector<Finding> findings_;
  std::unordered_map<const DirNode*, std::vector<std::size_t>> findingsOfNode_;
  QString findingsStatus_;

  LoadingWindow* loading_ = nullptr;
  SCDSelector* selector_ = nullptr;

  QToolButton* sbtShowDetail_ = nullptr;
  QGroupBox* groupBox1_ = nullptr;
  QLineEdit* edtDepth_ = nullptr;
  QLineEdit* edtExpand_ = nullptr;
  UpDown* upDown2_ = nullptr;
  FileTreeView* tvFileList_ = nullptr;
  DetailPanel* panDetail_ = nullptr;
  PreviewListView* lbxFileTitle_ = nullptr;
  PreviewListView* listBox1_ = nullptr;
  // The one-line status of the disc check, in the strip under the lists.
  QLabel* lblFindings_ = nullptr;
};

}  // namespace cartulon
