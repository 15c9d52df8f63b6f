#include "app/help_window.h"

TForm3::TForm3(const QWidget*) { setWindowTitle(" Help"); }
