#pragma once
// The support-CD selection dialog (TSCDSelector): the disc root, the five
// folders used last, and the kind of run, carried by the modal result.
#include <QDialog>
#include <QListWidget>

#include <array>
#include <string>

#include "desktop/desktop_view.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

namespace cartulon {

class Dialogs;
class LoadingWindow;

// Modal results: the run choices, whose numbers are the platform's standard
// dialog results.
inline constexpr int kResultPreview = static_cast<int>(RunChoice::Preview);
inline constexpr int kResultCancel = static_cast<int>(RunChoice::Cancel);
inline constexpr int kResultTxtAndCsv = static_cast<int>(RunChoice::TxtAndCsv);
inline constexpr int kResultTxt = static_cast<int>(RunChoice::Txt);

// The list of remembered folders: reports presses (any button), released
// keys and double clicks after the list has handled them.
class HistoryListBox : public QListWidget {
  Q_OBJECT

 public:
  using QListWidget::QListWidget;

 signals:
  void pressed();
  void keyReleased();
  void doubleClickedLine();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
};

class SCDSelector : public QDialog {
  Q_OBJECT

 public:
  SCDSelector(LoadingWindow& loading, Dialogs& dialogs, QWidget* parent = nullptr);

  // The path box and the five remembered folders of the next showing.
  void Prepare(const SelectionRequest& request);

  // The path box as bytes: the bytes that were put there, unless the user
  // has edited it since.
  std::string PathText() const;
  void SetPathText(const std::string& path);

  QLineEdit* edtSCD() const { return edtSCD_; }
  QPushButton* btnBrowse() const { return btnBrowse_; }
  QPushButton* Button2() const { return button2_; }
  QPushButton* btnGen() const { return btnGen_; }
  QPushButton* btnCancel() const { return btnCancel_; }
  QPushButton* btnxls() const { return btnxls_; }
  HistoryListBox* edtHistoryPath() const { return historyList_; }
  QLabel* Label1() const { return label1_; }
  QLabel* Label2() const { return label2_; }
  QScrollArea* ScrollArea() const { return scroll_; }

  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void TakeSelectedHistoryLine();
  void btnBrowseClick();

  LoadingWindow& loading_;
  Dialogs& dialogs_;
  std::string pathBytes_;

  QScrollArea* scroll_ = nullptr;
  QLabel* label1_ = nullptr;
  QLabel* label2_ = nullptr;
  QLineEdit* edtSCD_ = nullptr;
  QPushButton* btnBrowse_ = nullptr;
  QPushButton* button2_ = nullptr;
  QPushButton* btnGen_ = nullptr;
  QPushButton* btnCancel_ = nullptr;
  QPushButton* btnxls_ = nullptr;
  HistoryListBox* historyList_ = nullptr;
};

}  // namespace cartulon
