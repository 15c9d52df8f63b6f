// The about window: version, date, author and the author's web address, on a
// white panel.
//
// The address is drawn like a link but is none: clicking it does nothing.
#pragma once

#include <QLabel>
#include <QWidget>

#include "app/secondary_window.h"

class TForm2 : public SecondaryWindow {
  Q_OBJECT

 public:
  explicit TForm2(const QWidget* mainWindow = nullptr);

  QWidget* Panel1;
  QLabel* StaticText3;
  QLabel* StaticText1;
  QLabel* StaticText2;
};
