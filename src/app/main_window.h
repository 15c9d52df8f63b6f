// The main window TForm1: the path line, the satellite picture, the summary
// and beacon lines, the frame selector, and the menu with the open command.
//
// The window is always in one display state: idle (the picture alone),
// reading, invalid file, foreign file, or loaded with one or with more
// frames. Lines keep their texts while hidden, and every line is exactly as
// wide as its text. The handlers are plain methods; the menu and the selector
// reach them through runHandler, so a failure ends the handler and shows the
// error box without ever passing through Qt.
#pragma once

#include <QMainWindow>
#include <QString>
#include <array>
#include <memory>

#include "app/capture_dialog.h"
#include "app/error_box.h"
#include "beacon/locale_settings.h"
#include "capture/decoder_state.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QShowEvent;
class UpDown;

class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  TForm1(ErrorReporter& reporter, CaptureFileChooser& chooser);
  ~TForm1() override;

  // The about window (TForm2) and the help window (TForm3), which " About"
  // and " Help" show. They do not keep the program running on their own.
  void setSecondaryWindows(QWidget* about, QWidget* help);
  // The user's regional settings, for the decoded lines.
  void setLocaleSettings(const krvl2::LocaleSettings& locale) { locale_ = locale; }
  const krvl2::DecoderState& decoderState() const { return state_; }

  void FormShow();
  void apaga();
  void calcula();
  void OpenKSSfile1Click();
  void Writehexfile1Click();
  void UpDown1Click();
  void Exit1Click();
  void helpClick();
  void About1Click();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  class Lines;

  void buildControls(QWidget* client);
  void buildMenu();
  QLabel* label(int number) const { return labels_.at(static_cast<std::size_t>(number - 1)); }
  void setLabelText(int number, const QString& text);
  void showReadingDisplay();
  void showCaptureRead();
  void centreOnScreen();

  ErrorReporter& reporter_;
  CaptureFileChooser& chooser_;
  krvl2::DecoderState state_;
  krvl2::LocaleSettings locale_;
  std::unique_ptr<Lines> lines_;
  // What the dialog offers next time: the path confirmed last time.
  QString confirmedPath_;
  bool centred_ = false;

  QLineEdit* Edit1 = nullptr;
  QLabel* Image1 = nullptr;
  std::array<QLabel*, 21> labels_{};
  UpDown* UpDown1 = nullptr;
  QMenu* File1 = nullptr;
  QAction* OpenKSSfile1 = nullptr;
  QAction* Writehexfile1 = nullptr;
  QAction* Exit1 = nullptr;
  QAction* help = nullptr;
  QAction* About1 = nullptr;
  QWidget* aboutWindow_ = nullptr;
  QWidget* helpWindow_ = nullptr;
};
