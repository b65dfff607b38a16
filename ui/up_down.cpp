#include "ui/up_down.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

#include <algorithm>

namespace cartulon {

UpDown::UpDown(QWidget* parent) : QWidget(parent) {
  up_ = new QToolButton(this);
  up_->setArrowType(Qt::UpArrow);
  up_->setAutoRepeat(true);
  up_->setFocusPolicy(Qt::NoFocus);
  down_ = new QToolButton(this);
  down_->setArrowType(Qt::DownArrow);
  down_->setAutoRepeat(true);
  down_->setFocusPolicy(Qt::NoFocus);
  connect(up_, &QToolButton::clicked, this, [this] { Step(+1); });
  connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
}

void UpDown::SetRange(int minimum, int maximum) {
  minimum_ = minimum;
  maximum_ = std::max(minimum, maximum);
}

void UpDown::SetPosition(int position) {
  position_ = std::clamp(position, minimum_, maximum_);
  if (associate_ != nullptr) associate_->setText(QString::number(position_));
}

void UpDown::SetAssociate(QLineEdit* edit) {
  if (associate_ != nullptr) associate_->removeEventFilter(this);
  associate_ = edit;
  if (associate_ != nullptr) {
    associate_->installEventFilter(this);
    associate_->setText(QString::number(position_));
  }
}

void UpDown::Step(int direction) {
  int current = position_;
  if (associate_ != nullptr) {
    bool ok = false;
    const int typed = associate_->text().trimmed().toInt(&ok);
    if (ok) current = typed;
  }
  const long long wanted = static_cast<long long>(current) + static_cast<long long>(direction) * increment_;
  const int proposed = static_cast<int>(std::clamp<long long>(wanted, minimum_, maximum_));
  if (proposed == current) return;
  emit changing(proposed);
  position_ = proposed;
  if (associate_ != nullptr) associate_->setText(QString::number(position_));
}

void UpDown::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int half = height() / 2;
  up_->setGeometry(0, 0, width(), half);
  down_->setGeometry(0, half, width(), height() - half);
}

bool UpDown::eventFilter(QObject* watched, QEvent* event) {
  if (watched == associate_ && event->type() == QEvent::KeyPress && isEnabled()) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Up) {
      Step(+1);
      return true;
    }
    if (key->key() == Qt::Key_Down) {
      Step(-1);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace cartulon
