#include "ui/main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QToolButton>

#include <algorithm>
#include <limits>
#include <utility>

#include "model/check_states.h"
#include "output/layout_rules.h"
#include "platform/paths.h"
#include "platform/whole_numbers.h"
#include "shell/analysis.h"
#include "shell/list_run.h"
#include "shell/check_report.h"
#include "ui/analysis_thread.h"
#include "ui/loading.h"
#include "ui/select_scd.h"
#include "shell/ui_text.h"
#include "ui/detail_panel.h"
#include "ui/dialogs.h"
#include "ui/form_style.h"
#include "ui/preview_view.h"
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

std::string SettingBytes(const QString& text) { return text.toLocal8Bit().toStdString(); }

bool ParseIntSetting(const QString& text, int* value) {
  const std::optional<std::int32_t> parsed = ParseSettingNumber(SettingBytes(text));
  if (parsed) *value = *parsed;
  return parsed.has_value();
}

MainWindow::MainWindow(const StartupEnvironment& env, ProgramServices& services)
    : QWidget(nullptr),
      env_(env),
      services_(services),
      messages_(services.dialogs),
      workerMessages_(services.dialogs, this) {
  BuildForm();
  ConnectControls();
  RunStartup();
}

MainWindow::~MainWindow() {
  tmrWaitingForThread_.stop();
  if (analysisThread_ != nullptr) {
    // The worker may be waiting for a message box: drop it and let the
    // queued call go so that the worker can finish.
    workerMessages_.Silence();
    while (!analysisThread_->wait(QDeadlineTimer(20))) {
      QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    analysisThread_.reset();
  }
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

  tmrWaitingForThread_.setInterval(100);

  // Placed at the centre of the desktop.
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
  }
}

void MainWindow::ConnectControls() {
  connect(sbtShowDetail_, &QToolButton::clicked, this, [this] { ToggleDetailPanel(); });
  connect(panDetail_->Button1, &QPushButton::clicked, this, [this] { ChooseDiscFolder(); });
  connect(panDetail_->btnCompact, &QPushButton::clicked, this, [this] { Compact(); });
  connect(panDetail_->btnSave, &QPushButton::clicked, this, [this] { Save(); });
  connect(upDown2_, &UpDown::changing, this, [this](int value) { ExpandStep(value); });
  connect(panDetail_->UpDown3, &UpDown::changing, this, [this](int value) { IndentStep(value); });
  connect(panDetail_->UpDown4, &UpDown::changing, this,
          [this](int value) { GroupDepthStep(value); });
  connect(tvFileList_, &FileTreeView::checkStatesChanged, this, [this] { Generate(); });
  connect(tvFileList_, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* current, QTreeWidgetItem*) {
            TreeSelectionChanged(current);
            ShowItemFindings(current);
          });
  connect(listBox1_, &PreviewListView::lineClicked, this, [this] { ListBox1Click(); });
  connect(listBox1_, &PreviewListView::linePressed, this, [this] { ListBox1MouseDown(); });
  connect(listBox1_, &PreviewListView::lineDoubleClicked, this, [this] { ListBox1DblClick(); });
  connect(&tmrWaitingForThread_, &QTimer::timeout, this, [this] { WaitingForThreadTick(); });
}

void MainWindow::RunStartup() {
  if (!WriteCarriedTemplates(env_.workingFolder, messages_, templates_)) {
    services_.control.RequestEnd();
    return;
  }

  panDetail_->edtMonth->setText(QString::number(env_.today.month));
  panDetail_->edtDay->setText(QString::number(env_.today.day));
  panDetail_->edtYear->setText(QString::number(env_.today.year));

  // The detail panel starts collapsed, the previews moved up to the top.
  panDetail_->resize(panDetail_->width(), 0);
  panDetail_->hide();
  lbxFileTitle_->move(lbxFileTitle_->x(), 5);
  listBox1_->move(listBox1_->x(), lbxFileTitle_->y() + lbxFileTitle_->height() + 15);
  preview_ = Preview{};

  loading_ = new LoadingWindow;
  selector_ = new SCDSelector(*loading_, services_.dialogs, services_.store, env_.programFolder);

  const std::optional<RootChoice> choice =
      ValidateRoot(*selector_, env_, templates_, messages_, services_.control);
  if (!choice) return;
  cdMasterPath_ = choice->cdMasterPath;
  masters_ = MasterFileLocations{env_.programFolder, cdMasterPath_};
  StartAnalysis(choice->pathText, kStartupDepth);
}

int MainWindow::RunChoice() const { return selector_ != nullptr ? selector_->result() : 0; }

void MainWindow::StartAnalysis(const std::string& path, int depth) {
  analysisRoot_ = StripTrailingDelimiter(path);
  // One analysis at a time, also when the progress window was closed early.
  panDetail_->Button1->setEnabled(false);
  tmrWaitingForThread_.start();
  analysisThread_ = std::make_unique<AnalysisThread>(
      analysisRoot_, depth, JoinPath(env_.workingFolder, kRulesFileName), masters_,
      workerMessages_);
  analysisThread_->start();
  loading_->exec();
}

void MainWindow::WaitingForThreadTick() {
  tmrWaitingForThread_.stop();
  if (analysisThread_ == nullptr) return;
  if (!analysisThread_->wait(QDeadlineTimer(1))) {
    tmrWaitingForThread_.start();
    return;
  }
  std::unique_ptr<AnalysisThread> finished = std::move(analysisThread_);
  panDetail_->Button1->setEnabled(true);
  std::vector<Finding> findings = finished->TakeFindings();
  AfterAnalysis(finished->TakeResult(), std::move(findings));
  loading_->done(0);
}

std::optional<ListContext> MainWindow::CurrentContext() {
  ListContext context;
  context.scdPath = scdPath_;
  context.workingFolder = env_.workingFolder;
  context.masters = masters_;
  const QString indentText = panDetail_->edtIndent->text();
  if (indentText.isEmpty()) {
    context.settings.indent = 25;
  } else if (!ParseIntSetting(indentText, &context.settings.indent)) {
    ReportNotAnInteger(indentText);
    return std::nullopt;
  }
  const QString groupText = panDetail_->edtGpDepth->text();
  if (!ParseIntSetting(groupText, &context.settings.groupDepth)) {
    ReportNotAnInteger(groupText);
    return std::nullopt;
  }
  context.settings.month = SettingBytes(panDetail_->edtMonth->text());
  context.settings.day = SettingBytes(panDetail_->edtDay->text());
  context.settings.year = SettingBytes(panDetail_->edtYear->text());
  return context;
}

void MainWindow::ReportNotAnInteger(const QString& text) {
  messages_.Show({kApplicationTitle, NotAnIntegerMessage(SettingBytes(text)), MessageKind::Error});
}

void MainWindow::Generate() {
  if (tree_ == nullptr || tree_->RootDir == nullptr) return;
  const std::optional<ListContext> context = CurrentContext();
  if (!context) return;
  const bool complete = GeneratePreview(*tree_, preview_, *context, messages_);
  lbxFileTitle_->SetLines(preview_.titleLines);
  lbxFileTitle_->FitPreviewWidth();
  // When the contact block could not be read the entry lines stay as they
  // were.
  if (complete) ShowEntryLines();
}

void MainWindow::ShowEntryLines() {
  shownLines_ = preview_.map.PreviewLines;
  listBox1_->SetLines(shownLines_);
  listBox1_->FitPreviewWidth();
  SelectLineOfItem();
}

void MainWindow::Compact() {
  if (tree_ == nullptr || tree_->RootDir == nullptr) return;
  CompactChecks(tree_->RootDir);
  tvFileList_->SyncStateImages(tvFileList_->FirstItem());
  Generate();
}

SaveOutcome MainWindow::Save() {
  if (tree_ == nullptr || tree_->RootDir == nullptr) return SaveOutcome::Declined;
  const std::optional<ListContext> context = CurrentContext();
  if (!context) return SaveOutcome::Failed;
  SaveRequest request;
  request.outputMode = outputMode_;
  request.caption = loading_->LoadUiText(UiText::ProgramCaption);
  request.overwriteText = loading_->LoadUiText(UiText::OverwriteQuestion);
  // A preview keeps the templates until its window closes, so that later
  // previews and saves keep their heading and contact block.
  request.removeTemplates = RunChoice() != kResultPreview;
  DialogPrompts prompts(services_.dialogs, this);
  const int selected = listBox1_->SelectedLine();
  const SaveOutcome outcome = SaveFileList(shownLines_, preview_.titleLines, saveFlags_, *context,
                                           request, prompts, messages_);
  // The rules rewrote the shown lines in place: the preview shows them
  // until the next Generate.
  listBox1_->SetLines(shownLines_);
  listBox1_->FitPreviewWidth();
  listBox1_->SelectLine(selected);
  return outcome;
}

void MainWindow::WriteFiles(bool withCsv) {
  const std::optional<ListContext> context = CurrentContext();
  if (context) {
    ListRunTargets targets;
    targets.replaceList = outputMode_ == 2;
    targets.writeCsv = withCsv;
    DialogPrompts prompts(services_.dialogs, this);
    SaveListAndCsv(shownLines_, preview_.titleLines, saveFlags_, *context, targets,
                   loading_->LanguageOffset(), prompts, messages_);
    listBox1_->SetLines(shownLines_);
  }
  services_.control.RequestEnd();
}

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
}

void MainWindow::ApplyResizeRule(int outerWidth, int outerHeight) {
  listBox1_->resize(outerWidth - listBox1_->x() - 8, outerHeight - listBox1_->y() - 23);
  lbxFileTitle_->resize(outerWidth - lbxFileTitle_->x() - 8, lbxFileTitle_->height());
  tvFileList_->resize(tvFileList_->width(), outerHeight - tvFileList_->y() - 23);
  // The status line fills the strip under the lists. A window frame taller
  // than the rule's 23 pixels leaves no strip (the lists then reach past the
  // client area); the line then keeps one line's height at the bottom.
  const int lineHeight = lblFindings_->fontMetrics().height() + 4;
  const int strip = std::min(tvFileList_->y() + tvFileList_->height(), height() - lineHeight);
  lblFindings_->setGeometry(0, strip, width(), height() - strip);
  lblFindings_->raise();
  SetFindingsStatus(findingsStatus_);
}

void MainWindow::ShowFindings(std::vector<Finding> findings) {
  findings_ = std::move(findings);
  findingsOfNode_.clear();
  for (std::size_t i = 0; i < findings_.size(); ++i) {
    if (findings_[i].node != nullptr) findingsOfNode_[findings_[i].node].push_back(i);
  }
  tvFileList_->ShowFindings(findings_);
  ShowItemFindings(tvFileList_->currentItem());
}

void MainWindow::ShowItemFindings(QTreeWidgetItem* item) {
  QString text = DisplayText(CountsText(CountFindings(findings_)));
  const auto own = findingsOfNode_.find(FileTreeView::NodeOf(item));
  if (item != nullptr && own != findingsOfNode_.end()) {
    // How many more comes before the message, which the line may cut.
    const Finding& first = findings_[own->second.front()];
    text += QStringLiteral("  |  ") + DisplayText(DiscRelativePath(*tree_, first.node));
    if (own->second.size() > 1) {
      text += QStringLiteral(" (+%1 more)").arg(own->second.size() - 1);
    }
    text += QStringLiteral(": ") + QString::fromLatin1(SeverityName(first.severity)) +
            QLatin1Char(' ') + DisplayText(first.code) + QStringLiteral(": ") +
            DisplayText(first.message);
  }
  SetFindingsStatus(text);
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
  RemoveWrittenTemplates(env_.workingFolder, templates_);
  QWidget::closeEvent(event);
  services_.control.RequestEnd();
}

void MainWindow::IndentStep(int value) {
  if (value < 0) return;
  panDetail_->edtIndent->setText(QString::number(value));
  Generate();
}

void MainWindow::GroupDepthStep(int value) {
  if (value < 0) return;
  panDetail_->edtGpDepth->setText(QString::number(value));
  Generate();
}

void MainWindow::ExpandStep(int value) {
  tvFileList_->ExpandToLevel(tvFileList_->FirstItem(), value);
  upDown2_->SetMaximum(8);
}

}  // namespace cartulon
