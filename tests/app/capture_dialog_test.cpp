// The file-open dialog as the open command sets it up: which files it lists
// and what it offers to confirm.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStringList>
#include <fstream>

#include "app/capture_dialog.h"
#include "support/temp_dir.h"
#include "window_harness.h"

namespace {

// The names the dialog lists in `directory`, once it has read it.
QStringList listedNames(QFileDialog& dialog, const QString& directory) {
  auto* files = dialog.findChild<QFileSystemModel*>();
  auto* view = dialog.findChild<QAbstractItemView*>(QStringLiteral("listView"));
  if (files == nullptr || view == nullptr) return {QStringLiteral("(dialog without a file list)")};
  QSignalSpy loaded(files, &QFileSystemModel::directoryLoaded);
  dialog.setDirectory(directory);
  if (loaded.isEmpty() && !loaded.wait(5000)) return {QStringLiteral("(directory never read)")};
  QCoreApplication::processEvents();
  QStringList names;
  const QModelIndex root = view->rootIndex();
  for (int row = 0; row < view->model()->rowCount(root); ++row) {
    names << view->model()->index(row, 0, root).data().toString();
  }
  names.sort();
  return names;
}

TEST(CaptureDialog, ListsKissFilesWhateverTheCaseOfTheirExtension) {
  krvl2::testing::TempDir dir;
  for (const char* name : {"a.kss", "B.KSS", "c.Kss", "d.txt", "e.kss.bak", "f.HEX"}) {
    std::ofstream(dir.file(name)) << "x";
  }
  QFileDialog dialog;
  setUpCaptureDialog(dialog, QString());

  EXPECT_EQ(dialog.nameFilters(), QStringList({"Kiss files (*.kss)"}));
  EXPECT_EQ(listedNames(dialog, QString::fromStdString(dir.path())), QStringList({"B.KSS", "a.kss", "c.Kss"}));
}

TEST(CaptureDialog, OffersThePathConfirmedLastTimeAndAcceptsAnyName) {
  krvl2::testing::TempDir dir;
  const QString last = QString::fromStdString(dir.file("pass.kss"));
  QFileDialog dialog;
  setUpCaptureDialog(dialog, last);

  EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
  EXPECT_EQ(dialog.fileMode(), QFileDialog::AnyFile);
  EXPECT_EQ(dialog.directory().absolutePath().toStdString(), dir.path());
  auto* nameBox = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  ASSERT_NE(nameBox, nullptr);
  EXPECT_EQ(nameBox->text(), "pass.kss");
  EXPECT_EQ(dialog.windowTitle(), "Open");
}

}  // namespace
