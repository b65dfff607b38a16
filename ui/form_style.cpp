#include "ui/form_style.h"

#include <QGroupBox>
#include <QLabel>

namespace cartulon {

void StyleGroupBox(QGroupBox* box) {
  box->setStyleSheet(QStringLiteral(
      "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 6px; }"
      "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
      " left: 6px; top: 0px; padding: 0px 1px; background-color: palette(window); }"));
}

QLabel* AddLabel(QWidget* parent, const char* text, int left, int top) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  label->move(left, top);
  label->adjustSize();
  return label;
}

QLabel* AddLabelFor(QWidget* parent, const char* text, int left, int top, const QWidget* control) {
  QLabel* label = AddLabel(parent, text, left, top);
  const int room = control->x() - 3 - left;
  if (label->width() > room) label->move(control->x() - 3 - label->width(), top);
  return label;
}

}  // namespace cartulon
