#include "app/about_window.h"

#include <QPainter>

namespace {

// A white panel framed by a lowered outer bevel around a raised inner one,
// each one pixel wide.
class BevelledPanel : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const QColor shadow = palette().color(QPalette::Dark);
    const QColor highlight = palette().color(QPalette::Light);
    drawBevel(painter, rect(), shadow, highlight);                          // lowered
    drawBevel(painter, rect().adjusted(1, 1, -1, -1), highlight, shadow);  // raised
  }

 private:
  static void drawBevel(QPainter& painter, const QRect& box, const QColor& topLeft, const QColor& bottomRight) {
    painter.setPen(topLeft);
    painter.drawLine(box.topLeft(), box.topRight());
    painter.drawLine(box.topLeft(), box.bottomLeft());
    painter.setPen(bottomRight);
    painter.drawLine(box.bottomLeft(), box.bottomRight());
    painter.drawLine(box.topRight(), box.bottomRight());
  }
};

QLabel* textLine(QWidget* panel, const char* name, int x, int y, const QString& text) {
  auto* line = new QLabel(text, panel);
  line->setObjectName(name);
  line->setTextFormat(Qt::PlainText);
  line->setTextInteractionFlags(Qt::NoTextInteraction);
  line->move(x, y);
  line->adjustSize();
  return line;
}

}  // namespace

TForm2::TForm2(const QWidget* mainWindow) : SecondaryWindow(mainWindow, " About", QSize(352, 145)) {
  Panel1 = new BevelledPanel(this);
  Panel1->setObjectName("Panel1");
  Panel1->setGeometry(16, 16, 321, 113);

  StaticText3 = textLine(Panel1, "StaticText3", 112, 24, "V 1.6   10-04-2021");
  StaticText1 = textLine(Panel1, "StaticText1", 88, 48, "by  Odric Pallemar   VEMLIK");

  StaticText2 = textLine(Panel1, "StaticText2", 96, 72, "https://www.example.org/");
  QFont underlined = dialogFont();
  underlined.setUnderline(true);
  StaticText2->setFont(underlined);
  QPalette blue = StaticText2->palette();
  blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
  StaticText2->setPalette(blue);
  StaticText2->setCursor(Qt::PointingHandCursor);
  StaticText2->adjustSize();
}
