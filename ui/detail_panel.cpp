#include "ui/detail_panel.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "desktop/desktop_view.h"
#include "ui/dialogs.h"
#include "ui/form_style.h"
#include "ui/up_down.h"

namespace cartulon {

namespace {

QLineEdit* AddEdit(QWidget* parent, const char* name, int left, int top, int width) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setGeometry(left, top, width, 21);
  return edit;
}

QPushButton* AddButton(QWidget* parent, const char* name, const char* text, int left, int top,
                       int width) {
  auto* button = new QPushButton(QString::fromLatin1(text), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(left, top, width, 25);
  return button;
}

UpDown* AddUpDown(QWidget* parent, const char* name, int left, int top, QLineEdit* edit,
                  int position, int minimum, int maximum, int increment) {
  auto* upDown = new UpDown(parent);
  upDown->setObjectName(QString::fromLatin1(name));
  upDown->setGeometry(left, top, 15, 21);
  upDown->SetRange(minimum, maximum);
  upDown->SetIncrement(increment);
  upDown->SetAssociate(edit);
  upDown->SetPosition(position);
  return upDown;
}

}  // namespace

DetailPanel::DetailPanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("panDetail"));

  GroupBox3 = new QGroupBox(QStringLiteral(" Description "), this);
  GroupBox3->setGeometry(9, 6, 416, 96);
  StyleGroupBox(GroupBox3);
  edtTitle = AddEdit(GroupBox3, "edtTitle", 85, 16, 321);
  edtTitle->setReadOnly(true);
  AddLabelFor(GroupBox3, "Title:", 54, 20, edtTitle);
  edtVersion = AddEdit(GroupBox3, "edtVersion", 85, 41, 121);
  edtVersion->setReadOnly(true);
  AddLabelFor(GroupBox3, "Version:", 40, 46, edtVersion);
  edtLanguage = AddEdit(GroupBox3, "edtLanguage", 285, 41, 121);
  edtLanguage->setReadOnly(true);
  edtLanguage->setEnabled(false);
  AddLabelFor(GroupBox3, "Language:", 230, 43, edtLanguage);
  edtOS = AddEdit(GroupBox3, "edtOS", 93, 66, 321);
  edtOS->setReadOnly(true);
  AddLabelFor(GroupBox3, "Supported OS:", 10, 71, edtOS);

  Button1 = AddButton(this, "Button1", "SCD Path...", 438, 10, 75);
  btnCompact = AddButton(this, "btnCompact", "Compact", 440, 44, 73);
  btnSave = AddButton(this, "btnSave", "Save to File...", 440, 78, 73);

  GroupBox2 = new QGroupBox(QStringLiteral(" Format Settings "), this);
  GroupBox2->setGeometry(9, 112, 416, 44);
  StyleGroupBox(GroupBox2);
  edtIndent = AddEdit(GroupBox2, "edtIndent", 73, 16, 41);
  AddLabelFor(GroupBox2, "Indent:", 31, 21, edtIndent);
  edtIndent->setReadOnly(true);
  UpDown3 = AddUpDown(GroupBox2, "UpDown3", 114, 16, edtIndent, 25, 0, 100, 5);
  edtGpDepth = AddEdit(GroupBox2, "edtGpDepth", 239, 16, 41);
  AddLabelFor(GroupBox2, "Group Depth:", 169, 19, edtGpDepth);
  edtGpDepth->setReadOnly(true);
  UpDown4 = AddUpDown(GroupBox2, "UpDown4", 280, 16, edtGpDepth, 2, 0, 10, 1);

  lblDate = AddLabel(this, "Current Date:", 439, 118);
  edtMonth = AddEdit(this, "edtMonth", 436, 135, 21);
  edtMonth->setMaxLength(2);
  AddLabel(this, "/", 458, 139);
  edtDay = AddEdit(this, "edtDay", 468, 135, 21);
  edtDay->setMaxLength(2);
  AddLabel(this, "/", 492, 140);
  edtYear = AddEdit(this, "edtYear", 502, 135, 35);
  edtYear->setMaxLength(4);
}

void DetailPanel::ShowTexts(const DetailTexts& texts) {
  edtTitle->setText(DiscText(texts.title));
  edtVersion->setText(DiscText(texts.version));
  edtOS->setText(DiscText(texts.os));
  // Long texts are shown from their beginning.
  for (QLineEdit* field : {edtTitle, edtVersion, edtOS}) field->setCursorPosition(0);
}

}  // namespace cartulon
