#include "app/error_box.h"

#include <QApplication>
#include <QMessageBox>

#include "capture/windows1252.h"

namespace {

QString fromWindows1252(const std::string& text) {
  return QString::fromStdString(krvl2::windows1252ToUtf8(text));
}

}  // namespace

void MessageBoxReporter::report(const std::string& message) {
  auto box = makeErrorBox(title_, message, QApplication::activeWindow());
  box->exec();
}

std::unique_ptr<QMessageBox> makeErrorBox(const QString& title, const std::string& message, QWidget* parent) {
  auto box = std::make_unique<QMessageBox>(QMessageBox::Critical, title, fromWindows1252(messageBoxText(message)),
                                           QMessageBox::Ok, parent);
  box->setTextFormat(Qt::PlainText);
  return box;
}

QString programTitle(const QString& programPath) {
  const QString name = programPath.section(QLatin1Char('/'), -1).section(QLatin1Char('.'), 0, 0);
  return name.left(1) + name.mid(1).toLower();
}

std::string messageBoxText(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}
