#include "app/capture_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QStringList>

void setUpCaptureDialog(QFileDialog& dialog, const QString& preset) {
  dialog.setObjectName(QStringLiteral("OpenDialog2"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::ReadOnly, false);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  // A typed name that does not exist is confirmed too; opening it then
  // fails with "File not found".
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(QStringLiteral("Kiss files (*.kss)"));
  dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
  dialog.setSizeGripEnabled(true);
  if (!preset.isEmpty()) dialog.selectFile(preset);
}

std::optional<QString> CaptureOpenDialog::chooseCapture(QWidget* parent, const QString& preset) {
  QFileDialog dialog(parent);
  setUpCaptureDialog(dialog, preset);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return std::nullopt;
  return chosen.first();
}
