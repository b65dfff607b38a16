#include "ui/preview_view.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>
#include <climits>
#include <cmath>

#include "platform/code_page.h"
#include "ui/dialogs.h"

namespace cartulon {

namespace {

// The line's own bytes, for the painter.
constexpr int kLineBytesRole = Qt::UserRole;

// One column of the list: the advance of a letter of the font (a fraction
// of a pixel too, as a run of letters is laid out).
qreal CellWidth(const QFont& font) {
  return QFontMetricsF(font).horizontalAdvance(QLatin1Char('x'));
}

bool IsFixedPitch(const QFont& font) {
  const QFontMetricsF metrics(font);
  const qreal cell = metrics.horizontalAdvance(QLatin1Char('x'));
  return metrics.horizontalAdvance(QLatin1Char('i')) == cell &&
         metrics.horizontalAdvance(QLatin1Char('W')) == cell &&
         metrics.horizontalAdvance(QLatin1Char(' ')) == cell;
}

// Draws a line as the file has it: every character starts at the column of
// its first byte, so a double-byte character takes two columns and the
// columns after it line up with the lines above and below, whatever width
// the font that has its glyph gives it.
class PreviewLineDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem item(option);
    initStyleOption(&item, index);
    item.text.clear();
    const QWidget* widget = item.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    // Background, selection and focus as the style draws them.
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

    const QByteArray line = index.data(kLineBytesRole).toByteArray();
    if (line.isEmpty()) return;
    const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget);
    const qreal cell = CellWidth(item.font);
    const bool fixedPitch = IsFixedPitch(item.font);
    const QPalette::ColorGroup group =
        (item.state & QStyle::State_Enabled) != 0 ? QPalette::Normal : QPalette::Disabled;
    painter->save();
    painter->setFont(item.font);
    painter->setPen(item.palette.color(group, (item.state & QStyle::State_Selected) != 0
                                                  ? QPalette::HighlightedText
                                                  : QPalette::Text));
    painter->setClipRect(option.rect);
    // Single-byte characters of a fixed-pitch font already keep to the
    // columns: a run of them is drawn at once.
    QString run;
    int runColumn = 0;
    int column = 0;
    auto drawAt = [&](const QString& text, int at, int columns) {
      painter->drawText(QRectF(area.left() + at * cell, area.top(), columns * cell, area.height()),
                        Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    };
    auto flush = [&] {
      if (!run.isEmpty()) drawAt(run, runColumn, column - runColumn);
      run.clear();
    };
    for (const CodePageCharacter& character :
         SplitCharacters(std::string_view(line.constData(), static_cast<std::size_t>(line.size())),
                         RunCodePage())) {
      const QString text = QString::fromStdString(character.utf8);
      const auto columns = static_cast<int>(character.bytes);
      if (fixedPitch && columns == 1) {
        if (run.isEmpty()) runColumn = column;
        run += text;
      } else {
        flush();
        drawAt(text, column, columns);
      }
      column += columns;
    }
    flush();
    painter->restore();
  }
};

}  // namespace

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
  const std::string& line = lines_[static_cast<std::size_t>(index.row())];
  if (role == Qt::DisplayRole) return DiscText(line);
  if (role == kLineBytesRole) return QByteArray(line.data(), static_cast<qsizetype>(line.size()));
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
  setItemDelegate(new PreviewLineDelegate(this));
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
  // A line takes one column per byte, as in the file, and one more letter.
  std::size_t longest = 0;
  for (const std::string& line : model_->Lines()) longest = std::max(longest, line.size());
  const std::size_t columns = std::min<std::size_t>(longest + 1, INT_MAX / 64);
  extent_ = model_->Lines().empty()
                ? 0
                : static_cast<int>(std::ceil(static_cast<qreal>(columns) * CellWidth(font())));
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
