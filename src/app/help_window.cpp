#include "app/help_window.h"

TForm3::TForm3(QWidget* parent) : QWidget(parent, Qt::Window) { setWindowTitle(" Help"); }
