// The error message box: how a failure reaches the person at the screen.
//
// Every failure ends as one modal box with the stop icon and an OK button,
// titled with the program's title; the program then goes on. The reporter is
// an interface so that tests can record the messages instead of showing boxes.
#pragma once

#include <QString>
#include <memory>
#include <string>

class QMessageBox;
class QWidget;

class ErrorReporter {
 public:
  virtual ~ErrorReporter() = default;
  // `message` is a failure's text as raised: 8-bit Western (Windows-1252).
  virtual void report(const std::string& message) = 0;
};

// Shows each message in a modal box over the active window and waits for OK.
class MessageBoxReporter : public ErrorReporter {
 public:
  explicit MessageBoxReporter(QString title) : title_(std::move(title)) {}
  void report(const std::string& message) override;

 private:
  QString title_;
};

// The box for one message, not yet shown.
std::unique_ptr<QMessageBox> makeErrorBox(const QString& title, const std::string& message, QWidget* parent);

// The program file's name without its directory, cut at its first ".", every
// character after the first in lower case: "/usr/bin/KRVL2.Exe" gives "Krvl2".
QString programTitle(const QString& programPath);

// The box's text: the message, and a full stop after it when its last
// character's code is above that of "." (so "!" and "." get none).
std::string messageBoxText(const std::string& message);
