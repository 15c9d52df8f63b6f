// The program: the application object, then the main window, the about
// window and the help window, all hidden, in that order; the main window is
// then shown, and closing it ends the program.
#include <csignal>

#include <QApplication>

#include "app/about_window.h"
#include "app/capture_dialog.h"
#include "app/error_box.h"
#include "app/help_window.h"
#include "app/main_window.h"
#include "app/pictures.h"
#include "beacon/system_locale.h"

int main(int argc, char** argv) {
  // An export past a file-size limit then fails with its message instead of
  // ending the program.
  std::signal(SIGXFSZ, SIG_IGN);
  QApplication application(argc, argv);
  application.setWindowIcon(programIcon());

  MessageBoxReporter reporter(programTitle(QCoreApplication::applicationFilePath()));
  CaptureOpenDialog openDialog;
  TForm1 form1(reporter, openDialog);
  form1.setLocaleSettings(krvl2::systemLocaleSettings());
  TForm2 form2(&form1);
  TForm3 form3(&form1);
  form1.setSecondaryWindows(&form2, &form3);

  form1.show();
  return application.exec();
}
