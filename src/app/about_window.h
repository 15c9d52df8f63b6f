// The about window: version, date, author and the author's web address.
#pragma once

#include <QWidget>

class TForm2 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm2(const QWidget* mainWindow = nullptr);
};
