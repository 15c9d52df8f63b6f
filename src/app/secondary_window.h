// What the help and about windows have in common: a fixed border with a close
// button only, the button-face background and the dialog font, and their
// placement.
//
// Such a window is centred on the main window the first time it is shown and
// from then on reappears wherever the user left it; closing it only hides it.
#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <QWidget>

// Where a window whose frame is `frame` goes to be centred on a main window
// whose frame is `mainFrame`: never left of or above the screen's origin.
QPoint centredPlacement(const QRect& mainFrame, const QSize& frame);

// A regular sans-serif face `pixelSize` pixels high: the first of `families`
// that is installed, else the face the system offers for sans-serif.
QFont sansSerifFont(const QStringList& families, int pixelSize);

// The dialog font of both windows, 11 pixels high.
QFont dialogFont();

class SecondaryWindow : public QWidget {
  Q_OBJECT

 public:
  // `mainWindow` is only looked at, to centre this window on it; it must
  // outlive this window. Without one the window is centred on the screen.
  SecondaryWindow(const QWidget* mainWindow, const QString& caption, QSize clientSize);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void placeOnFirstShowing();

  const QWidget* mainWindow_;
  bool placed_ = false;
};
