#include "ui/dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QStandardPaths>
#include <QStringDecoder>

#include "platform/code_page.h"
#include "platform/paths.h"

namespace cartulon {

QString DisplayText(std::string_view bytes) {
  const QByteArray raw(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(raw);
  if (!utf8.hasError()) return text;
  // The names and INI texts of the list are in the run's code page.
  return DiscText(bytes);
}

QString DiscText(std::string_view bytes) {
  return QString::fromStdString(CodePageToUtf8(bytes, RunCodePage()));
}

std::string PathBytes(const QString& path) {
  return QFile::encodeName(QDir::toNativeSeparators(path)).toStdString();
}

QStringList NameFilters(const std::string& filter) {
  const QStringList parts = QString::fromUtf8(filter.c_str()).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString label = parts.at(i);
    QString pattern = parts.at(i + 1);
    // "*.*" means every file where the filter list was written; here only
    // "*" does.
    if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");
    const qsizetype open = label.lastIndexOf(QLatin1Char('('));
    if (open > 0) label = label.left(open).trimmed();
    filters << QStringLiteral("%1 (%2)").arg(label, pattern);
  }
  return filters;
}

namespace {

QMessageBox::Icon IconOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Error:
      return QMessageBox::Critical;
    case MessageKind::Warning:
      return QMessageBox::Warning;
    case MessageKind::Information:
      return QMessageBox::Information;
    case MessageKind::Plain:
      return QMessageBox::NoIcon;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

void QtDialogs::ShowMessage(QWidget* owner, const Message& message) {
  QMessageBox box(IconOf(message.kind), DisplayText(message.caption), DisplayText(message.text),
                  QMessageBox::Ok, owner);
  box.exec();
}

bool QtDialogs::AskYesNo(QWidget* owner, const std::string& caption, const std::string& text) {
  QMessageBox box(QMessageBox::Question, DisplayText(caption), DisplayText(text),
                  QMessageBox::Yes | QMessageBox::No, owner);
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

std::optional<SaveDialogChoice> QtDialogs::AskSaveFile(QWidget* owner,
                                                       const std::string& initialFolder,
                                                       const std::string& filter) {
  QFileDialog dialog(owner, QObject::tr("Save As"), DisplayText(initialFolder));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  const QStringList filters = NameFilters(filter);
  dialog.setNameFilters(filters);
  if (!filters.isEmpty()) dialog.selectNameFilter(filters.first());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  SaveDialogChoice choice;
  choice.fileName = PathBytes(dialog.selectedFiles().first());
  choice.filterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
  if (choice.filterIndex < 1) choice.filterIndex = 1;
  return choice;
}

std::string QtDialogs::PickFolder(QWidget* owner, const std::string& title, const std::string& root,
                                  const std::string& initial) {
  QString start;
  if (!initial.empty()) {
    start = DisplayText(initial);
  } else if (!root.empty()) {
    start = DisplayText(root);
  } else {
    start = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (start.isEmpty() || !QDir(start).exists()) start = QDir::homePath();
  }
  QFileDialog dialog(owner, DisplayText(title), start);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly, true);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  std::string chosen = PathBytes(QDir::cleanPath(dialog.selectedFiles().first()));
  if (!root.empty() && chosen.rfind(StripTrailingDelimiter(root), 0) != 0) return {};
  if (chosen.size() > 1) chosen = StripTrailingDelimiter(chosen);
  return chosen;
}

}  // namespace cartulon
