// The help window: a few lines on what the two file commands do.
#pragma once

#include <QWidget>

class TForm3 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm3(const QWidget* mainWindow = nullptr);
};
