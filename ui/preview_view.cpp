#include "ui/preview_view.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

#include "ui/dialogs.h"

namespace cartulon {

void PreviewLinesModel::SetLines(std::vector<std::string> lines) {
  beginResetModel();
  lines_ = std::move(lines);
  endResetModel();
}

void PreviewLinesModel::SetItemSize(QSize size) {
  if (size == itemSize_) return;
  // The view keeps one size for all rows; a reset makes it ask again.
  beginResetModel();
  itemSize_ = size;
  endResetModel();
}

int PreviewLinesModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

QVariant PreviewLinesModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() < 0 || index.row() >= static_cast<int>(lines_.size())) {
    return {};
  }
  if (role == Qt::DisplayRole) return DisplayText(lines_[static_cast<std::size_t>(index.row())]);
  if (role == Qt::SizeHintRole) return itemSize_;
  return {};
}

QFont PreviewFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  // Fonts whose every glyph has one width first: some fonts that call
  // themselves monospaced are not.
  font.setFamilies({QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Liberation Mono"),
                    QStringLiteral("Consolas"), QStringLiteral("Courier New"), font.family()});
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setPixelSize(13);
  return font;
}

PreviewListView::PreviewListView(QWidget* parent) : QListView(parent) {
  model_ = new PreviewLinesModel(this);
  setModel(model_);
  setFont(PreviewFont());
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setTextElideMode(Qt::ElideNone);
  setWordWrap(false);
  connect(this, &QListView::clicked, this, [this] { emit lineClicked(); });
}

void PreviewListView::SetLines(std::vector<std::string> lines) {
  model_->SetLines(std::move(lines));
}

int PreviewListView::SelectedLine() const {
  const QModelIndexList selected = selectionModel()->selectedIndexes();
  return selected.isEmpty() ? -1 : selected.first().row();
}

void PreviewListView::SelectLine(int index) {
  if (index < 0 || index >= LineCount()) {
    selectionModel()->clear();
    return;
  }
  const QModelIndex line = model_->index(index);
  selectionModel()->setCurrentIndex(line, QItemSelectionModel::ClearAndSelect);
  scrollTo(line);
}

void PreviewListView::FitPreviewWidth() {
  const QFontMetrics metrics(font());
  const int charWidth = metrics.horizontalAdvance(QLatin1Char('x'));
  const bool fixedPitch = metrics.horizontalAdvance(QLatin1Char('i')) == charWidth &&
                          metrics.horizontalAdvance(QLatin1Char('W')) == charWidth &&
                          metrics.horizontalAdvance(QLatin1Char(' ')) == charWidth;
  int widest = 0;
  std::size_t longestPlain = 0;
  bool anyPlain = false;
  for (const std::string& line : model_->Lines()) {
    const bool plain = std::all_of(line.begin(), line.end(), [](char c) {
      return c >= 0x20 && c < 0x7F;
    });
    if (plain && fixedPitch) {
      // In a fixed-pitch font the longest plain ASCII line is the widest of
      // them: one measurement serves them all.
      longestPlain = std::max(longestPlain, line.size());
      anyPlain = true;
    } else {
      widest = std::max(widest, metrics.horizontalAdvance(DisplayText(line) + QLatin1Char('x')));
    }
  }
  if (anyPlain) {
    widest = std::max(widest, metrics.horizontalAdvance(
                                  QString(static_cast<qsizetype>(longestPlain) + 1, QLatin1Char('x'))));
  }
  extent_ = model_->Lines().empty() ? 0 : widest;
  model_->SetItemSize(QSize(extent_, kPreviewItemHeight));
}

void PreviewListView::mousePressEvent(QMouseEvent* event) {
  // Only the left button moves the selection, as in a plain list box.
  if (event->button() == Qt::LeftButton) QListView::mousePressEvent(event);
  emit linePressed();
}

void PreviewListView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  QListView::mouseDoubleClickEvent(event);
  emit lineDoubleClicked();
}

void PreviewListView::keyPressEvent(QKeyEvent* event) {
  const int before = SelectedLine();
  QListView::keyPressEvent(event);
  if (SelectedLine() != before && SelectedLine() >= 0) emit lineClicked();
}

}  // namespace cartulon
