// Where the tool writes: its output on standard output, in large blocks, and
// its messages and progress line on standard error.
//
// On a terminal both streams end up in one place, so every message first
// pushes out the output written before it and wipes the progress line: the
// reader sees each error right after the frames that came before it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace krvl2::cli {

class Console {
 public:
  // `showProgress`: whether a progress line may be drawn on `errorFd`, which
  // should then be a terminal.
  Console(int outputFd, int errorFd, bool showProgress);
  ~Console();
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  void print(std::string_view text);
  void flush();

  // A line on standard error ("krvl2-dump: " is not added).
  void report(std::string_view line);

  // Shows the share `done` of `total` as "krvl2-dump: LABEL: 42%" when the
  // work is large enough to be worth watching; redrawn only when the share
  // changes.
  void progress(std::string_view label, std::uint64_t done, std::uint64_t total);
  void endProgress();

  // Writing the output failed (a full disk, a closed pipe): nothing more is
  // written, and the error number says why.
  bool outputFailed() const { return outputError_ != 0; }
  int outputError() const { return outputError_; }

  // Work below this many bytes passes too quickly for a progress line.
  static constexpr std::uint64_t kProgressThreshold = std::uint64_t{16} << 20;

 private:
  void writeAll(int fd, std::string_view text);
  void clearProgressLine();

  int outputFd_;
  int errorFd_;
  bool showProgress_;
  bool outputIsTerminal_;
  std::string buffer_;
  int outputError_ = 0;
  bool progressShown_ = false;
  int lastPercent_ = -1;
  std::string progressLabel_;
};

}  // namespace krvl2::cli
