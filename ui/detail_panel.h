#pragma once
// The collapsible detail panel of the main window (panDetail): the
// description of the selected package, the commands "SCD Path...",
// "Compact" and "Save to File...", the format settings and the date.
#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace cartulon {

struct DetailTexts;
class UpDown;

inline constexpr int kDetailPanelHeight = 161;

class DetailPanel : public QWidget {
  Q_OBJECT

 public:
  explicit DetailPanel(QWidget* parent = nullptr);

  // Title, version and supported operating systems of the selected
  // package, each shown from its beginning.
  void ShowTexts(const DetailTexts& texts);

  bool IsOpen() const { return height() > 0; }

  // The form's controls, by their design names.
  QGroupBox* GroupBox3 = nullptr;
  QLineEdit* edtTitle = nullptr;
  QLineEdit* edtVersion = nullptr;
  QLineEdit* edtLanguage = nullptr;
  QLineEdit* edtOS = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* btnCompact = nullptr;
  QPushButton* btnSave = nullptr;
  QGroupBox* GroupBox2 = nullptr;
  QLineEdit* edtIndent = nullptr;
  UpDown* UpDown3 = nullptr;
  QLineEdit* edtGpDepth = nullptr;
  UpDown* UpDown4 = nullptr;
  QLabel* lblDate = nullptr;
  QLineEdit* edtMonth = nullptr;
  QLineEdit* edtDay = nullptr;
  QLineEdit* edtYear = nullptr;
};

}  // namespace cartulon
