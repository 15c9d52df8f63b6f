#include "app/about_window.h"

TForm2::TForm2(QWidget* parent) : QWidget(parent, Qt::Window) { setWindowTitle(" About"); }
