#include "ui/main_window.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "ui/detail_panel.h"
#include "ui/dialogs.h"
#include "ui/dir_tree_model.h"
#include "ui/form_style.h"
#include "ui/loading.h"
#include "ui/preview_view.h"
#include "ui/select_scd.h"
#include "ui/tree_view.h"
#include "ui/up_down.h"

namespace cartulon {

namespace {

// The speed button's glyph: a small green triangle pointing right.
QIcon ShowDetailGlyph() {
  QPixmap pixmap(12, 12);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(QColor(0, 100, 0));
  painter.setBrush(QColor(0, 160, 0));
  const QPointF triangle[] = {{3.0, 1.5}, {10.0, 6.0}, {3.0, 10.5}};
  painter.drawPolygon(triangle, 3);
  return QIcon(pixmap);
}

}  // namespace

// A setting's text as the bytes the session reads.
std::string SettingBytes(const QString& text) { return text.toLocal8Bit().toStdString(); }

MainWindow::MainWindow(const StartupEnvironment& env, ProgramServices& services,
                       DesktopOptions options, AnalysisWorker* worker)
    : QWidget(nullptr), services_(services) {
  BuildForm();
  // The detail panel starts collapsed, the previews moved up to the top.
  panDetail_->resize(panDetail_->width(), 0);
  panDetail_->hide();
  lbxFileTitle_->move(lbxFileTitle_->x(), 5);
  listBox1_->move(listBox1_->x(), lbxFileTitle_->y() + lbxFileTitle_->height() + 15);
  loading_ = new LoadingWindow;
  selector_ = new SCDSelector(*loading_, services_.dialogs);
  session_ = std::make_unique<DesktopSession>(*this, worker != nullptr ? *worker : ownWorker_,
                                              services_.store, env,
                                              std::move(options));
  ConnectControls();
  session_->Start();
}

MainWindow::~MainWindow() {
  tmrWaitingForThread_.stop();
  session_.reset();
  delete selector_;
  delete loading_;
}

void MainWindow::BuildForm() {
  setObjectName(QStringLiteral("GenFileList"));
  setWindowTitle(QString::fromLatin1(kApplicationTitle));
  resize(754, 586);
  setMinimumSize(722 - 8, 590 - 23);

  sbtShowDetail_ = new QToolButton(this);
  sbtShowDetail_->setObjectName(QStringLiteral("sbtShowDetail"));
  sbtShowDetail_->setGeometry(166, 8, 23, 22);
  sbtShowDetail_->setIcon(ShowDetailGlyph());
  sbtShowDetail_->setAutoRaise(true);

  groupBox1_ = new QGroupBox(QStringLiteral(" Browser Settings "), this);
  groupBox1_->setGeometry(5, 5, 156, 66);
  StyleGroupBox(groupBox1_);
  edtDepth_ = new QLineEdit(QStringLiteral("6"), groupBox1_);
  edtDepth_->setObjectName(QStringLiteral("edtDepth"));
  edtDepth_->setGeometry(109, 15, 37, 21);
  AddLabelFor(groupBox1_, "Search Depth:", 22, 20, edtDepth_);
  edtExpand_ = new QLineEdit(groupBox1_);
  edtExpand_->setObjectName(QStringLiteral("edtExpand"));
  edtExpand_->setGeometry(109, 40, 26, 21);
  AddLabelFor(groupBox1_, "Expand:", 50, 45, edtExpand_);
  upDown2_ = new UpDown(groupBox1_);
  upDown2_->setObjectName(QStringLiteral("UpDown2"));
  upDown2_->setGeometry(135, 40, 15, 21);
  upDown2_->SetRange(0, 100);
  upDown2_->SetAssociate(edtExpand_);
  upDown2_->SetPosition(2);

  tvFileList_ = new FileTreeView(this);
  tvFileList_->setGeometry(0, 80, 191, 483);

  panDetail_ = new DetailPanel(this);
  panDetail_->setGeometry(193, 1, 545, kDetailPanelHeight);

  lbxFileTitle_ = new PreviewListView(this);
  lbxFileTitle_->setObjectName(QStringLiteral("lbxFileTitle"));
  lbxFileTitle_->setGeometry(200, 165, 542, 71);
  lbxFileTitle_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  listBox1_ = new PreviewListView(this);
  listBox1_->setObjectName(QStringLiteral("ListBox1"));
  listBox1_->setGeometry(200, 240, 542, 152);

  // Under the tree and the lists, in the strip the resize rule leaves.
  lblFindings_ = new QLabel(this);
  lblFindings_->setObjectName(QStringLiteral("lblFindings"));
  lblFindings_->setContentsMargins(4, 0, 4, 0);
  lblFindings_->setGeometry(0, 563, 754, 23);
  // At the line's right end: the code page the disc is read in.
  lblCodePage_ = new QLabel(QString::fromStdString(RunCodePageText()), this);
  lblCodePage_->setObjectName(QStringLiteral("lblCodePage"));
  lblCodePage_->setContentsMargins(4, 0, 8, 0);
  lblCodePage_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  tmrWaitingForThread_.setInterval(100);

  // Placed at the centre of the desktop.
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
  }
}

void MainWindow::ConnectControls() {
  DesktopSession& session = *session_;
  connect(sbtShowDetail_, &QToolButton::clicked, this, [this] { ToggleDetailPanel(); });
  connect(panDetail_->Button1, &QPushButton::clicked, this, [&session] { session.ChooseDiscFolder(); });
  connect(panDetail_->btnCompact, &QPushButton::clicked, this, [&session] { session.Compact(); });
  connect(panDetail_->btnSave, &QPushButton::clicked, this, [&session] { session.Save(); });
  connect(upDown2_, &UpDown::changing, this, [&session](int value) { session.ExpandStep(value); });
  connect(panDetail_->UpDown3, &UpDown::changing, this,
          [&session](int value) { session.IndentStep(value); });
  connect(panDetail_->UpDown4, &UpDown::changing, this,
          [&session](int value) { session.GroupDepthStep(value); });
  for (Setting setting : {Setting::Depth, Setting::Expand, Setting::Indent, Setting::GroupDepth,
                          Setting::Month, Setting::Day, Setting::Year}) {
    connect(SettingField(setting), &QLineEdit::textChanged, this,
            [&session, setting](const QString& text) {
              session.SettingEdited(setting, SettingBytes(text));
            });
  }
  tvFileList_->Model()->SetToggleHandler([&session](DirNode* node) { session.CheckClicked(node); });
  connect(tvFileList_, &FileTreeView::currentNodeChanged, this,
          [&session](DirNode* node) { session.ItemSelected(node); });
  connect(tvFileList_, &FileTreeView::checkAllRequested, this, [&session] { session.CheckAll(); });
  connect(tvFileList_, &FileTreeView::uncheckAllRequested, this,
          [&session] { session.UncheckAll(); });
  connect(listBox1_, &PreviewListView::lineClicked, this,
          [this, &session] { session.LineClicked(listBox1_->SelectedLine()); });
  connect(listBox1_, &PreviewListView::linePressed, this,
          [this, &session] { session.LinePressed(listBox1_->SelectedLine()); });
  connect(listBox1_, &PreviewListView::lineDoubleClicked, this,
          [this, &session] { session.LineDoubleClicked(listBox1_->SelectedLine()); });
  connect(&tmrWaitingForThread_, &QTimer::timeout, this, [&session] { session.TimerTick(); });

  // The keyboard: Ctrl+S saves, F5 analyses the same root again, Ctrl+Q
  // closes the window as its close box does.
  const auto shortcut = [this](const QKeySequence& keys, auto action) {
    auto* key = new QShortcut(keys, this);
    key->setContext(Qt::WindowShortcut);
    connect(key, &QShortcut::activated, this, action);
  };
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_S), [&session] { session.Save(); });
  shortcut(QKeySequence(Qt::Key_F5), [&session] { session.Reanalyse(); });
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { close(); });
}

QLineEdit* MainWindow::SettingField(Setting setting) const {
  switch (setting) {
    case Setting::Depth:
      return edtDepth_;
    case Setting::Expand:
      return edtExpand_;
    case Setting::Indent:
      return panDetail_->edtIndent;
    case Setting::GroupDepth:
      return panDetail_->edtGpDepth;
    case Setting::Month:
      return panDetail_->edtMonth;
    case Setting::Day:
      return panDetail_->edtDay;
    case Setting::Year:
      return panDetail_->edtYear;
  }
  return edtDepth_;
}

// --- DesktopView ----------------------------------------------------------------

SelectionResult MainWindow::RunSelectionDialog(const SelectionRequest& request) {
  selector_->Prepare(request);
  const int result = selector_->exec();
  SelectionResult chosen;
  // Any other result (the close box, Escape) is Cancel.
  const bool run = result == kResultPreview || result == kResultTxt || result == kResultTxtAndCsv;
  chosen.choice = run ? static_cast<RunChoice>(result) : RunChoice::Cancel;
  chosen.pathText = selector_->PathText();
  return chosen;
}

void MainWindow::ShowProgress() {
  tmrWaitingForThread_.start();
  loading_->exec();
}

void MainWindow::CloseProgress() {
  tmrWaitingForThread_.stop();
  loading_->done(0);
}

void MainWindow::BindTree(DirStructure* tree) { tvFileList_->Model()->SetTree(tree); }

void MainWindow::ShowCheckStates(const std::vector<DirNode*>& changed) {
  tvFileList_->Model()->NodesChanged(changed);
}

void MainWindow::ExpandToLevel(int level) { tvFileList_->ExpandToLevel(level); }

void MainWindow::SelectItem(const DirNode* node) { tvFileList_->SetCurrentNode(node); }

void MainWindow::ShowFindingMarks(const std::vector<FindingMark>& marks) {
  const QIcon errorIcon = style()->standardIcon(QStyle::SP_MessageBoxCritical);
  const QIcon warningIcon = style()->standardIcon(QStyle::SP_MessageBoxWarning);
  std::unordered_map<const DirNode*, DirTreeModel::Mark> shown;
  for (const FindingMark& mark : marks) {
    // Rich text, so that long messages wrap.
    QString tip = QStringLiteral("<qt>");
    for (std::size_t i = 0; i < mark.lines.size(); ++i) {
      if (i > 0) tip += QStringLiteral("<br>");
      tip += DisplayText(mark.lines[i]).toHtmlEscaped();
    }
    tip += QStringLiteral("</qt>");
    shown[mark.node] = {mark.anyError ? errorIcon : warningIcon, tip};
  }
  tvFileList_->Model()->SetMarks(std::move(shown));
}

void MainWindow::ShowTitleLines(const std::vector<std::string>& lines) {
  lbxFileTitle_->SetLines(lines);
  lbxFileTitle_->FitPreviewWidth();
}

void MainWindow::ShowEntryLines(const std::vector<std::string>& lines) {
  listBox1_->SetLines(lines);
  listBox1_->FitPreviewWidth();
}

void MainWindow::SelectLine(int line) { listBox1_->SelectLine(line); }

void MainWindow::ShowDetail(const DetailTexts& texts) { panDetail_->ShowTexts(texts); }

void MainWindow::ShowSetting(Setting setting, const std::string& text) {
  QLineEdit* field = SettingField(setting);
  const QString shown = DisplayText(text);
  if (field->text() != shown) field->setText(shown);
}

void MainWindow::SetExpandMaximum(int maximum) { upDown2_->SetMaximum(maximum); }

void MainWindow::EnableAnalysisCommand(bool enabled) { panDetail_->Button1->setEnabled(enabled); }

void MainWindow::ShowStatus(const std::string& text) { SetFindingsStatus(DisplayText(text)); }

void MainWindow::ShowMessage(const Message& message) {
  services_.dialogs.ShowMessage(nullptr, message);
}

bool MainWindow::AskYesNo(const std::string& caption, const std::string& text) {
  return services_.dialogs.AskYesNo(this, caption, text);
}

std::optional<SaveDialogChoice> MainWindow::AskSaveFile(const std::string& initialFolder,
                                                        const std::string& filter) {
  return services_.dialogs.AskSaveFile(this, initialFolder, filter);
}

std::string MainWindow::PickFolder(const std::string& title) {
  return services_.dialogs.PickFolder(this, title, {}, {});
}

void MainWindow::ShowMainWindow() { showMaximized(); }

void MainWindow::End() { services_.control.RequestEnd(); }

// --- layout -----------------------------------------------------------------------

void MainWindow::ToggleDetailPanel() {
  const int panelHeight = panDetail_->height();
  if (panelHeight > 0) {
    lbxFileTitle_->move(lbxFileTitle_->x(), lbxFileTitle_->y() - panelHeight);
    listBox1_->move(listBox1_->x(), listBox1_->y() - panelHeight);
    panDetail_->resize(panDetail_->width(), 0);
    panDetail_->hide();
  } else {
    panDetail_->resize(panDetail_->width(), kDetailPanelHeight);
    panDetail_->show();
    lbxFileTitle_->move(lbxFileTitle_->x(), lbxFileTitle_->y() + kDetailPanelHeight);
    listBox1_->move(listBox1_->x(), listBox1_->y() + kDetailPanelHeight);
  }
  // The entry list's height follows its new place.
  const QSize frame = frameGeometry().size() - geometry().size();
  ApplyResizeRule(width() + frame.width(), height() + frame.height());
}

void MainWindow::ApplyResizeRule(int outerWidth, int outerHeight) {
  listBox1_->resize(outerWidth - listBox1_->x() - 8, outerHeight - listBox1_->y() - 23);
  lbxFileTitle_->resize(outerWidth - lbxFileTitle_->x() - 8, lbxFileTitle_->height());
  tvFileList_->resize(tvFileList_->width(), outerHeight - tvFileList_->y() - 23);
  // The status line fills the strip under the lists. A window frame larger
  // than the rule's 8 and 23 pixels would push the lists past the client
  // area; they then end at the client area's edge and above the line, which
  // keeps one line's height at the bottom, so that it covers neither list
  // nor a scroll bar.
  const int lineHeight = lblFindings_->fontMetrics().height() + 4;
  const int strip = std::min(tvFileList_->y() + tvFileList_->height(), height() - lineHeight);
  for (QWidget* list : {static_cast<QWidget*>(listBox1_), static_cast<QWidget*>(tvFileList_)}) {
    list->resize(std::min(list->width(), width() - list->x()),
                 std::max(0, std::min(list->height(), strip - list->y())));
  }
  lbxFileTitle_->resize(std::min(lbxFileTitle_->width(), width() - lbxFileTitle_->x()),
                        lbxFileTitle_->height());
  const int codePageWidth = std::min(width(), lblCodePage_->sizeHint().width());
  lblFindings_->setGeometry(0, strip, width() - codePageWidth, height() - strip);
  lblCodePage_->setGeometry(width() - codePageWidth, strip, codePageWidth, height() - strip);
  SetFindingsStatus(findingsStatus_);
}

void MainWindow::SetFindingsStatus(QString text) {
  findingsStatus_ = std::move(text);
  const int room = lblFindings_->contentsRect().width();
  lblFindings_->setText(
      lblFindings_->fontMetrics().elidedText(findingsStatus_, Qt::ElideRight, std::max(0, room)));
  lblFindings_->setToolTip(findingsStatus_);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const QSize frame = frameGeometry().size() - geometry().size();
  ApplyResizeRule(event->size().width() + frame.width(), event->size().height() + frame.height());
}

void MainWindow::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  session_->Close();
}

}  // namespace cartulon
