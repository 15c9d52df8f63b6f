#include "cli/console.h"

#include <unistd.h>

#include <cerrno>

namespace krvl2::cli {

namespace {

constexpr std::size_t kBlockSize = std::size_t{1} << 16;

}  // namespace

Console::Console(int outputFd, int errorFd, bool showProgress)
    : outputFd_(outputFd),
      errorFd_(errorFd),
      showProgress_(showProgress),
      outputIsTerminal_(::isatty(outputFd) == 1) {
  buffer_.reserve(kBlockSize * 2);
}

Console::~Console() {
  endProgress();
  flush();
}

void Console::print(std::string_view text) {
  buffer_.append(text);
  if (buffer_.size() >= kBlockSize) flush();
}

void Console::flush() {
  if (buffer_.empty()) return;
  if (outputError_ == 0) {
    const bool redraw = progressShown_ && outputIsTerminal_;
    if (redraw) clearProgressLine();
    std::string_view rest = buffer_;
    while (!rest.empty()) {
      const auto written = ::write(outputFd_, rest.data(), rest.size());
      if (written < 0) {
        if (errno == EINTR) continue;
        outputError_ = errno;
        break;
      }
      rest.remove_prefix(static_cast<std::size_t>(written));
    }
    if (redraw) lastPercent_ = -1;
  }
  buffer_.clear();
}

void Console::report(std::string_view line) {
  flush();
  clearProgressLine();
  std::string text(line);
  text += '\n';
  writeAll(errorFd_, text);
  lastPercent_ = -1;
}

void Console::progress(std::string_view label, std::uint64_t done, std::uint64_t total) {
  if (!showProgress_ || total < kProgressThreshold) return;
  const int percent = static_cast<int>(done >= total ? 100 : done * 100 / total);
  if (percent == lastPercent_ && label == progressLabel_) return;
  lastPercent_ = percent;
  progressLabel_ = label;
  // Back to the start of the line and wipe it, so that a shorter line leaves
  // nothing of a longer one behind.
  writeAll(errorFd_, "\r\033[Kkrvl2-dump: " + progressLabel_ + ": " + std::to_string(percent) + "%");
  progressShown_ = true;
}

void Console::endProgress() {
  clearProgressLine();
  lastPercent_ = -1;
  progressLabel_.clear();
}

void Console::clearProgressLine() {
  if (!progressShown_) return;
  writeAll(errorFd_, "\r\033[K");
  progressShown_ = false;
}

void Console::writeAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const auto written = ::write(fd, text.data(), text.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return;  // nowhere left to tell
    }
    text.remove_prefix(static_cast<std::size_t>(written));
  }
}

}  // namespace krvl2::cli
