#include "ui/loading.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

#include "ui/dialogs.h"
#include "platform/system_language.h"
#include "shell/ui_text.h"

namespace cartulon {

LoadingWindow::LoadingWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("Loading"));
  setFixedSize(410, 29);
  label1_ = new QLabel(this);
  label1_->setObjectName(QStringLiteral("Label1"));
  label1_->setGeometry(96, 10, 233, 13);
  SelectLanguage();
  setWindowTitle(DisplayText(LoadUiText(UiText::ProgramCaption)));
  label1_->setText(DisplayText(LoadUiText(UiText::AnalyzingNotice)));
}

void LoadingWindow::SelectLanguage() {
  languageOffset_ = LanguageOffsetFor(SystemDefaultLanguageId());
}

std::string LoadingWindow::LoadUiText(UiText text) const {
  return cartulon::LoadUiText(text, languageOffset_);
}

void LoadingWindow::showEvent(QShowEvent* event) {
  // Centred on the desktop.
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
  }
  QDialog::showEvent(event);
}

void LoadingWindow::keyPressEvent(QKeyEvent* event) {
  // There is no cancel button: Escape does not close the window.
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace cartulon
