#pragma once
// An up-down control tied to an edit box: two small arrow buttons that step
// a position between a minimum and a maximum and show it in the edit. The
// Up and Down keys in the edit step it too.
#include <QWidget>

class QLineEdit;
class QToolButton;

namespace cartulon {

class UpDown : public QWidget {
  Q_OBJECT

 public:
  explicit UpDown(QWidget* parent = nullptr);

  void SetRange(int minimum, int maximum);
  void SetMaximum(int maximum) { SetRange(minimum_, maximum); }
  void SetIncrement(int increment) { increment_ = increment; }
  void SetPosition(int position);
  void SetAssociate(QLineEdit* edit);

  int Minimum() const { return minimum_; }
  int Maximum() const { return maximum_; }
  int Position() const { return position_; }
  int Increment() const { return increment_; }

  // One step up (+1) or down (-1), as a click on an arrow. The position
  // starts from the edit's number when it holds one. A step that the limits
  // stop reports nothing.
  void Step(int direction);

  QToolButton* UpButton() const { return up_; }
  QToolButton* DownButton() const { return down_; }

 signals:
  // Before the step takes effect, with the position it is about to take.
  void changing(int newValue);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int minimum_ = 0;
  int maximum_ = 100;
  int position_ = 0;
  int increment_ = 1;
  QLineEdit* associate_ = nullptr;
  QToolButton* up_ = nullptr;
  QToolButton* down_ = nullptr;
};

}  // namespace cartulon
