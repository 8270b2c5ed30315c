#include "app/QtFileDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QStringList>

QString ToQtFilter(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
    entries << QStringLiteral("%1 (%2)").arg(parts[i], QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')));
  return entries.join(QStringLiteral(";;"));
}

bool TQtFileDialogs::SaveFileName(const TFileDialogOptions& options, std::string& fileName) {
  QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(options.Title));
  dialog.setObjectName(QStringLiteral("SaveDialog"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(ToQtFilter(options.Filter));
  // File names are case-sensitive here, so the default extension is added in
  // the case the filter shows.
  dialog.setDefaultSuffix(QString::fromStdString(options.DefaultExt).toLower());
  if (!options.OverwritePrompt) dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (!options.InitialDir.empty() && QDir(QString::fromStdString(options.InitialDir)).exists())
    dialog.setDirectory(QString::fromStdString(options.InitialDir));
  dialog.selectFile(QString::fromStdString(options.FileName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  fileName = dialog.selectedFiles().constFirst().toStdString();
  return true;
}

bool TQtFileDialogs::OpenFileName(const TFileDialogOptions& options, std::string& fileName) {
  QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(options.Title));
  dialog.setObjectName(QStringLiteral("OpenDialog"));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilter(ToQtFilter(options.Filter));
  if (!options.InitialDir.empty() && QDir(QString::fromStdString(options.InitialDir)).exists())
    dialog.setDirectory(QString::fromStdString(options.InitialDir));
  if (!options.FileName.empty()) dialog.selectFile(QString::fromStdString(options.FileName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  fileName = dialog.selectedFiles().constFirst().toStdString();
  return true;
}
