// Stand-ins for the person at the screen: a file chooser that answers from a
// queue and an error reporter that keeps the messages instead of showing boxes.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <ostream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/capture_dialog.h"
#include "app/error_box.h"

// Failed comparisons of texts print the texts.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace krvl2::testing {

class ScriptedChooser : public CaptureFileChooser {
 public:
  // The next dialog confirms `path`, or is cancelled when there is none.
  void willConfirm(const QString& path) { answers_.emplace_back(path); }
  void willCancel() { answers_.emplace_back(std::nullopt); }
  // What the file-name box was preset with, dialog by dialog.
  const QStringList& presets() const { return presets_; }
  // Runs each time the dialog is confirmed, just before it closes.
  std::function<void()> onConfirm;

  std::optional<QString> chooseCapture(QWidget*, const QString& preset) override {
    presets_ << preset;
    std::optional<QString> answer;
    if (!answers_.empty()) {
      answer = answers_.front();
      answers_.pop_front();
    }
    if (answer && onConfirm) onConfirm();
    return answer;
  }

 private:
  std::deque<std::optional<QString>> answers_;
  QStringList presets_;
};

class RecordingReporter : public ErrorReporter {
 public:
  std::vector<std::string> messages;
  // Runs when a message arrives, while the window is as the failure left it.
  std::function<void()> onReport;

  void report(const std::string& message) override {
    messages.push_back(message);
    if (onReport) onReport();
  }
};

}  // namespace krvl2::testing
