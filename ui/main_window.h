#pragma once
// The main window (TGenFileList): the Qt face of the desktop program. It
// lays out the widgets, shows what the session tells it (DesktopView) and
// hands every user action to the session, which holds all behaviour. Its
// construction runs the start-up; it stays hidden until a Preview run has
// been analysed.
#include <QTimer>
#include <QWidget>

#include <memory>
#include <string>

#include "desktop/analysis_worker.h"
#include "desktop/desktop_session.h"
#include "desktop/desktop_view.h"
#include "ui/program_control.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace cartulon {

class DetailPanel;
class FileTreeView;
class LoadingWindow;
class PreviewListView;
class SCDSelector;
class UpDown;

class MainWindow : public QWidget, public DesktopView {
  Q_OBJECT

 public:
  // Runs the start-up; returns after the first analysis, or once the
  // program has been told to end. The analyses run on `worker` when one is
  // given (it must outlive the window), else on a thread of the window's.
  MainWindow(const StartupEnvironment& env, ProgramServices& services,
             DesktopOptions options = {}, AnalysisWorker* worker = nullptr);
  ~MainWindow() override;

  DesktopSession& Session() { return *session_; }
  // The status line's whole text (the label shows it cut to its width).
  const QString& FindingsStatus() const { return findingsStatus_; }
  // The resize rule, from the window's outer size.
  void ApplyResizeRule(int outerWidth, int outerHeight);
  // Opens or closes the detail panel, moving the two previews.
  void ToggleDetailPanel();

  LoadingWindow* Loading() const { return loading_; }
  SCDSelector* Selector() const { return selector_; }
  FileTreeView* tvFileList() const { return tvFileList_; }
  PreviewListView* lbxFileTitle() const { return lbxFileTitle_; }
  PreviewListView* ListBox1() const { return listBox1_; }
  DetailPanel* panDetail() const { return panDetail_; }
  QToolButton* sbtShowDetail() const { return sbtShowDetail_; }
  QLineEdit* edtDepth() const { return edtDepth_; }
  QLineEdit* edtExpand() const { return edtExpand_; }
  UpDown* UpDown2() const { return upDown2_; }
  QLabel* lblFindings() const { return lblFindings_; }
  QLabel* lblCodePage() const { return lblCodePage_; }

  // DesktopView.
  SelectionResult RunSelectionDialog(const SelectionRequest& request) override;
  void ShowProgress() override;
  void CloseProgress() override;
  void BindTree(DirStructure* tree) override;
  void ShowCheckStates(const std::vector<DirNode*>& changed) override;
  void ExpandToLevel(int level) override;
  void SelectItem(const DirNode* node) override;
  void ShowFindingMarks(const std::vector<FindingMark>& marks) override;
  void ShowTitleLines(const std::vector<std::string>& lines) override;
  void ShowEntryLines(const std::vector<std::string>& lines) override;
  void SelectLine(int line) override;
  void ShowDetail(const DetailTexts& texts) override;
  void ShowSetting(Setting setting, const std::string& text) override;
  void SetExpandMaximum(int maximum) override;
  void EnableAnalysisCommand(bool enabled) override;
  void ShowStatus(const std::string& text) override;
  void ShowMessage(const Message& message) override;
  bool AskYesNo(const std::string& caption, const std::string& text) override;
  std::optional<SaveDialogChoice> AskSaveFile(const std::string& initialFolder,
                                              const std::string& filter) override;
  std::string PickFolder(const std::string& title) override;
  void ShowMainWindow() override;
  void End() override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildForm();
  void ConnectControls();
  QLineEdit* SettingField(Setting setting) const;
  void SetFindingsStatus(QString text);

  ProgramServices& services_;
  ThreadAnalysisWorker ownWorker_;
  QTimer tmrWaitingForThread_;
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
  QLabel* lblCodePage_ = nullptr;

  // Last: it goes first, waiting for a running analysis while the widgets
  // are still there.
  std::unique_ptr<DesktopSession> session_;
};

}  // namespace cartulon
