// The file-open dialog of the open command, behind an interface so that tests
// can stand in for the person choosing a file.
#pragma once

#include <QString>
#include <optional>

class QFileDialog;
class QWidget;

class CaptureFileChooser {
 public:
  virtual ~CaptureFileChooser() = default;
  // The path the person confirmed (it need not exist), or nothing when the
  // dialog was cancelled. `preset` fills the file-name box.
  virtual std::optional<QString> chooseCapture(QWidget* parent, const QString& preset) = 0;
};

// Qt's own file dialog rather than the desktop's: file names here are
// case-sensitive, and only Qt's dialog can be told to list Kiss files
// whatever the case of their extension.
class CaptureOpenDialog : public CaptureFileChooser {
 public:
  std::optional<QString> chooseCapture(QWidget* parent, const QString& preset) override;
};

// Sets up `dialog` as OpenDialog2: one filter, "Kiss files (*.kss)", matching
// .kss in any letter case; any name accepted; the file-name box preset.
void setUpCaptureDialog(QFileDialog& dialog, const QString& preset);
