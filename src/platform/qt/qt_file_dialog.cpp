#include "platform/qt/qt_file_dialog.h"

#include <QFileDialog>
#include <QFileInfo>

namespace qm {

QString qtNameFilter(const FileFilter& filter) {
  QString mask = QString::fromStdString(filter.mask);
  if (mask == "*.*") mask = "*";
  return QString::fromStdString(filter.description) + " (" + mask.split(';', Qt::SkipEmptyParts).join(' ') + ")";
}

std::string QtFileDialog::showOpen(const std::vector<FileFilter>& filters, const std::string& folder) {
  QFileDialog dialog(owner_ ? owner_() : nullptr);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
  // Masks list a.DAT under "*.dat", as the file lists do.
  dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
  QStringList names;
  for (const FileFilter& f : filters) names << qtNameFilter(f);
  dialog.setNameFilters(names);
  if (!names.isEmpty()) dialog.selectNameFilter(names.front());
  // It opens where the last choice was made (the first time, in the folder
  // the player was started from).
  if (!folder.empty())
    dialog.setDirectory(QString::fromStdString(folder));
  else if (!lastFolder_.isEmpty())
    dialog.setDirectory(lastFolder_);
  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return {};
  lastFolder_ = QFileInfo(chosen.front()).absolutePath();
  return chosen.front().toStdString();
}

}  // namespace qm
