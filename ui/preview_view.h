#pragma once
// The two preview lists of the main window: lbxFileTitle (the heading) and
// ListBox1 (the entry lines), in a fixed-pitch font so that the columns line
// up as in the file. Lines stay bytes, in the run's code page; they are
// converted only to be drawn, a character at the column of its first byte.
#include <QAbstractListModel>
#include <QListView>

#include <string>
#include <vector>

namespace cartulon {

class PreviewLinesModel : public QAbstractListModel {
  Q_OBJECT

 public:
  using QAbstractListModel::QAbstractListModel;

  void SetLines(std::vector<std::string> lines);
  const std::vector<std::string>& Lines() const { return lines_; }
  // Every line's size: the scroll extent wide, one row high.
  void SetItemSize(QSize size);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  std::vector<std::string> lines_;
  QSize itemSize_{0, 16};
};

// The font that stands in for Fixedsys 12 pt.
QFont PreviewFont();
inline constexpr int kPreviewItemHeight = 16;

class PreviewListView : public QListView {
  Q_OBJECT

 public:
  explicit PreviewListView(QWidget* parent = nullptr);

  void SetLines(std::vector<std::string> lines);
  const std::vector<std::string>& Lines() const { return model_->Lines(); }
  int LineCount() const { return static_cast<int>(model_->Lines().size()); }

  // The selected line, -1 for none.
  int SelectedLine() const;
  // Selects a line (-1 or an index past the end: none) without running the
  // click handlers.
  void SelectLine(int index);

  // The horizontal scroll extent: the widest line followed by one "x", at
  // one letter's width per byte of the line (0 for no lines).
  void FitPreviewWidth();
  int ScrollExtent() const { return extent_; }

 signals:
  // A click on a line, or a change of the selected line by the keyboard.
  void lineClicked();
  // Any mouse button pressed on the list (after a left button has moved the
  // selection).
  void linePressed();
  void lineDoubleClicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  PreviewLinesModel* model_ = nullptr;
  int extent_ = 0;
};

}  // namespace cartulon
