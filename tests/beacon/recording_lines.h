// The window's lines as plain records, for checking what a decode wrote.
#pragma once

#include <array>
#include <set>
#include <string>

#include "beacon/display_lines.h"

namespace krvl2::testing {

class RecordingLines : public DisplayLines {
 public:
  struct Line {
    std::string text;
    bool visible = true;
  };

  // The display right after a capture was opened: every line with a text of
  // its own ("old 7"), Label20 empty, Label3 to Label20 shown, Label21 hidden.
  RecordingLines() {
    for (int label = 1; label <= 21; ++label) lines_[label].text = "old " + std::to_string(label);
    lines_[20].text = "";
    lines_[21].visible = false;
  }

  void setText(int label, const std::string& text) override {
    lines_.at(static_cast<std::size_t>(label)).text = text;
    textsWritten.insert(label);
  }
  void setVisible(int label, bool visible) override {
    lines_.at(static_cast<std::size_t>(label)).visible = visible;
    visibilitiesWritten.insert(label);
  }

  const std::string& text(int label) const { return lines_.at(static_cast<std::size_t>(label)).text; }
  bool visible(int label) const { return lines_.at(static_cast<std::size_t>(label)).visible; }
  void forget() {
    textsWritten.clear();
    visibilitiesWritten.clear();
  }

  std::set<int> textsWritten;
  std::set<int> visibilitiesWritten;

 private:
  std::array<Line, 22> lines_;
};

}  // namespace krvl2::testing
