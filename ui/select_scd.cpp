#include "ui/select_scd.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

#include "ui/dialogs.h"
#include "ui/browse_folder.h"
#include "ui/loading.h"

namespace cartulon {

void HistoryListBox::mousePressEvent(QMouseEvent* event) {
  // Only the left button moves the selection, as in a plain list box.
  if (event->button() == Qt::LeftButton) QListWidget::mousePressEvent(event);
  emit pressed();
}

void HistoryListBox::mouseDoubleClickEvent(QMouseEvent* event) {
  QListWidget::mouseDoubleClickEvent(event);
  if (event->button() == Qt::LeftButton) emit doubleClickedLine();
}

void HistoryListBox::keyReleaseEvent(QKeyEvent* event) {
  QListWidget::keyReleaseEvent(event);
  emit keyReleased();
}

SCDSelector::SCDSelector(LoadingWindow& loading, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      loading_(loading),
      dialogs_(dialogs) {
  setObjectName(QStringLiteral("SCDSelector"));

  // The design is taller than the dialog's client area: the remembered
  // folders and the Preview button come into view by scrolling.
  scroll_ = new QScrollArea(this);
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  auto* form = new QWidget;
  form->setFixedSize(436, 241);

  label1_ = new QLabel(form);
  label1_->setGeometry(14, 12, 355, 13);
  edtSCD_ = new QLineEdit(form);
  edtSCD_->setObjectName(QStringLiteral("edtSCD"));
  edtSCD_->setGeometry(16, 40, 305, 21);
  btnBrowse_ = new QPushButton(form);
  btnBrowse_->setObjectName(QStringLiteral("btnBrowse"));
  btnBrowse_->setGeometry(344, 38, 81, 25);
  button2_ = new QPushButton(form);
  button2_->setObjectName(QStringLiteral("Button2"));
  button2_->setGeometry(334, 152, 75, 25);
  btnGen_ = new QPushButton(form);
  btnGen_->setObjectName(QStringLiteral("btnGen"));
  btnGen_->setGeometry(35, 72, 94, 25);
  btnCancel_ = new QPushButton(form);
  btnCancel_->setObjectName(QStringLiteral("btnCancel"));
  btnCancel_->setGeometry(344, 72, 81, 25);
  historyList_ = new HistoryListBox(form);
  historyList_->setObjectName(QStringLiteral("edtHistoryPath"));
  historyList_->setGeometry(24, 152, 297, 81);
  historyList_->setUniformItemSizes(true);
  label2_ = new QLabel(form);
  label2_->setGeometry(25, 128, 200, 13);
  btnxls_ = new QPushButton(form);
  btnxls_->setObjectName(QStringLiteral("btnxls"));
  btnxls_->setGeometry(200, 72, 97, 25);

  scroll_->setWidget(form);
  // The default button (Enter) is known to the dialog only once the button
  // lies inside it.
  btnGen_->setDefault(true);
  const int barWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  setFixedSize(436 + barWidth, 109);
  scroll_->setGeometry(0, 0, 436 + barWidth, 109);
  move(400, 236);

  setTabOrder(edtSCD_, btnBrowse_);
  setTabOrder(btnBrowse_, button2_);
  setTabOrder(button2_, btnGen_);
  setTabOrder(btnGen_, btnCancel_);
  setTabOrder(btnCancel_, historyList_);
  setTabOrder(historyList_, btnxls_);

  // The texts, in the order of their identifiers.
  loading_.SelectLanguage();
  setWindowTitle(DisplayText(loading_.LoadUiText(UiText::SelectionCaption)));
  label1_->setText(DisplayText(loading_.LoadUiText(UiText::SelectionPrompt)));
  btnGen_->setText(DisplayText(loading_.LoadUiText(UiText::TxtFileButton)));
  btnGen_->setToolTip(DisplayText(loading_.LoadUiText(UiText::TxtFileHint)));
  btnCancel_->setText(DisplayText(loading_.LoadUiText(UiText::CancelButton)));
  btnCancel_->setToolTip(DisplayText(loading_.LoadUiText(UiText::CancelHint)));
  btnBrowse_->setText(DisplayText(loading_.LoadUiText(UiText::BrowseButton)));
  btnBrowse_->setToolTip(DisplayText(loading_.LoadUiText(UiText::BrowseHint)));
  button2_->setText(DisplayText(loading_.LoadUiText(UiText::PreviewButton)));
  label2_->setText(DisplayText(loading_.LoadUiText(UiText::HistoryLabel)));
  btnxls_->setText(DisplayText(loading_.LoadUiText(UiText::TxtCsvButton)));
  btnxls_->setToolTip(DisplayText(loading_.LoadUiText(UiText::TxtCsvHint)));

  connect(btnGen_, &QPushButton::clicked, this, [this] { done(kResultTxt); });
  connect(btnxls_, &QPushButton::clicked, this, [this] { done(kResultTxtAndCsv); });
  connect(btnCancel_, &QPushButton::clicked, this, [this] { done(kResultCancel); });
  connect(button2_, &QPushButton::clicked, this, [this] { done(kResultPreview); });
  connect(btnBrowse_, &QPushButton::clicked, this, [this] { btnBrowseClick(); });
  connect(historyList_, &HistoryListBox::pressed, this, [this] { TakeSelectedHistoryLine(); });
  connect(historyList_, &HistoryListBox::keyReleased, this, [this] { TakeSelectedHistoryLine(); });
  connect(historyList_, &HistoryListBox::doubleClickedLine, this, [this] {
    TakeSelectedHistoryLine();
    button2_->click();
  });

  // The button under the mouse takes the focus, so that Enter presses the
  // button hovered last.
  for (QPushButton* button : {btnGen_, btnxls_, btnBrowse_, btnCancel_}) {
    button->setMouseTracking(true);
    button->installEventFilter(this);
  }
}

std::string SCDSelector::PathText() const {
  if (edtSCD_->text() == DisplayText(pathBytes_)) return pathBytes_;
  return PathBytes(edtSCD_->text());
}

void SCDSelector::SetPathText(const std::string& path) {
  pathBytes_ = path;
  edtSCD_->setText(DisplayText(path));
}

void SCDSelector::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) {
    edtSCD_->setFocus(Qt::OtherFocusReason);
  }
}

void SCDSelector::Prepare(const SelectionRequest& request) {
  SetPathText(request.proposedRoot);
  // The list always has five lines, empty ones included; the path box keeps
  // its text.
  historyList_->clear();
  for (const std::string& value : request.remembered) {
    auto* line = new QListWidgetItem(DisplayText(value), historyList_);
    line->setData(Qt::UserRole, QByteArray(value.data(), static_cast<qsizetype>(value.size())));
    line->setSizeHint(QSize(0, 13));
  }
}

void SCDSelector::reject() { done(kResultCancel); }

void SCDSelector::TakeSelectedHistoryLine() {
  const QList<QListWidgetItem*> selected = historyList_->selectedItems();
  if (selected.isEmpty()) return;
  const QByteArray bytes = selected.first()->data(Qt::UserRole).toByteArray();
  SetPathText(bytes.toStdString());
}

void SCDSelector::btnBrowseClick() {
  const std::string folder = BrowseForFolder(dialogs_, this, {}, {});
  if (!folder.empty()) SetPathText(folder);
}

bool SCDSelector::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseMove) {
    if (auto* button = qobject_cast<QPushButton*>(watched)) button->setFocus(Qt::MouseFocusReason);
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace cartulon
