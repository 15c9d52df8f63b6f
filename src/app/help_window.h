// The help window: a few lines on what the two file commands do.
//
// The text is written afresh each time the window goes from hidden to
// visible, so whatever the user typed into it or scrolled to is gone after
// closing it; bringing an open window to the front keeps it.
#pragma once

#include <QPlainTextEdit>

#include "app/secondary_window.h"

class TForm3 : public SecondaryWindow {
  Q_OBJECT

 public:
  explicit TForm3(const QWidget* mainWindow = nullptr);

  QPlainTextEdit* Memo1;

  // Empties Memo1 and writes the help text into it.
  void FormShow();

 protected:
  void showEvent(QShowEvent* event) override;
};
