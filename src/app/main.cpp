#include <QApplication>

#include "app/about_window.h"
#include "app/help_window.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  TForm2 about;
  TForm3 help;
  help.show();
  return application.exec();
}
