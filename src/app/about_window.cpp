#include "app/about_window.h"

TForm2::TForm2(const QWidget*) { setWindowTitle(" About"); }
