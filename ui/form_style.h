#pragma once
// Helpers the forms are built with: group boxes whose caption sits in the
// frame's top line (as the forms were laid out for, so that controls placed
// near the top of a box clear its caption) and labels at their design place.
class QGroupBox;
class QLabel;
class QWidget;

namespace cartulon {

void StyleGroupBox(QGroupBox* box);

// A label of its text's size at (left, top).
QLabel* AddLabel(QWidget* parent, const char* text, int left, int top);

// A label that ends before the control it names: at its design place when
// the text fits, moved left as far as a wider font needs.
QLabel* AddLabelFor(QWidget* parent, const char* text, int left, int top, const QWidget* control);

}  // namespace cartulon
