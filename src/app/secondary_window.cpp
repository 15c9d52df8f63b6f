#include "app/secondary_window.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QShowEvent>
#include <algorithm>

QPoint centredPlacement(const QRect& mainFrame, const QSize& frame) {
  // Integer halves truncated toward zero, like the rest of the geometry.
  const int left = mainFrame.left() + (mainFrame.width() - frame.width()) / 2;
  const int top = mainFrame.top() + (mainFrame.height() - frame.height()) / 2;
  return {std::max(left, 0), std::max(top, 0)};
}

QFont sansSerifFont(const QStringList& families, int pixelSize) {
  QFont font;
  const QStringList installed = QFontDatabase::families();
  const auto found = std::find_if(families.begin(), families.end(),
                                  [&](const QString& family) { return installed.contains(family, Qt::CaseInsensitive); });
  if (found != families.end()) {
    font.setFamily(*found);
  } else {
    font.setStyleHint(QFont::SansSerif);
    font.setFamily(QFontInfo(font).family());
  }
  font.setPixelSize(pixelSize);
  font.setWeight(QFont::Normal);
  font.setItalic(false);
  return font;
}

QFont dialogFont() {
  // Liberation Sans and Arimo have Arial's metrics, so texts laid out for the
  // dialog font keep their widths where it is missing.
  return sansSerifFont({"MS Sans Serif", "Microsoft Sans Serif", "Arial", "Liberation Sans", "Arimo", "Helvetica",
                        "Nimbus Sans", "DejaVu Sans"},
                       11);
}

SecondaryWindow::SecondaryWindow(const QWidget* mainWindow, const QString& caption, QSize clientSize)
    : QWidget(nullptr,
              Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                  Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      mainWindow_(mainWindow) {
  setWindowTitle(caption);
  setFixedSize(clientSize);
  setFont(dialogFont());
  QPalette colours = palette();
  colours.setColor(QPalette::Window, colours.color(QPalette::Button));
  setPalette(colours);
  setAutoFillBackground(true);
  // Left open, neither window keeps the program running once the main
  // window has closed.
  setAttribute(Qt::WA_QuitOnClose, false);
}

void SecondaryWindow::showEvent(QShowEvent* event) {
  // Only a show that the program asked for; the window system's own (after
  // un-minimising, for instance) changes nothing.
  if (!event->spontaneous() && !placed_) placeOnFirstShowing();
  QWidget::showEvent(event);
}

void SecondaryWindow::placeOnFirstShowing() {
  placed_ = true;
  QRect mainFrame;
  QSize titleAndBorders;
  if (mainWindow_) {
    mainFrame = mainWindow_->frameGeometry();
    // This window's frame is not known before it has been shown once; the
    // main window's has the same title bar and borders.
    titleAndBorders = mainFrame.size() - mainWindow_->geometry().size();
  } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    mainFrame = screen->availableGeometry();
  }
  move(centredPlacement(mainFrame, size() + titleAndBorders));
}
