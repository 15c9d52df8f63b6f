// The main window's lines as the decoder sees them: a text and a visibility
// for each label, by its number (Label1 .. Label21). The window implements it
// with its labels; tests and the command-line tool with plain records.
#pragma once

#include <string>

namespace krvl2 {

class DisplayLines {
 public:
  virtual ~DisplayLines() = default;
  // `text` is 8-bit Western (Windows-1252) text, as the decoder builds it.
  virtual void setText(int label, const std::string& text) = 0;
  virtual void setVisible(int label, bool visible) = 0;
};

}  // namespace krvl2
