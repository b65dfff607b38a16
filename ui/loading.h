#pragma once
// The progress window shown while an analysis runs (TLoading). Its one
// instance also holds the language of the UI texts: every form and writer
// takes its texts from LoadUiText here.
#include <QDialog>

#include <string>

#include "shell/ui_text.h"

class QLabel;

namespace cartulon {

class LoadingWindow : public QDialog {
  Q_OBJECT

 public:
  explicit LoadingWindow(QWidget* parent = nullptr);

  // Sets the language offset from the system's default language.
  void SelectLanguage();
  int LanguageOffset() const { return languageOffset_; }
  // The UI text in the chosen language, as UTF-8 bytes.
  std::string LoadUiText(UiText text) const;

  QLabel* Label1() const { return label1_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  int languageOffset_ = 0;
  QLabel* label1_ = nullptr;
};

}  // namespace cartulon
