// The decoder window's lines as text: the summary lines once, then for every
// frame the lines that the window shows after stepping to it.
//
// The frames are decoded one after the other into one set of lines, as the
// window's selector steps through them from frame 1 upward, so a line that a
// decode does not write (a short frame, a nominal-mode beacon) keeps the text
// and the visibility that the frames before it left, exactly as on screen.
// Each capture starts from the lines of a window that has just opened it.
#include <array>

#include "beacon/calcula.h"
#include "beacon/summary_lines.h"
#include "capture/decoder_state.h"
#include "capture/frame_text.h"
#include "capture/windows1252.h"
#include "cli/formats.h"

namespace krvl2::cli {

namespace {

// The order in which a person reads the window's grid: the reception time
// beside the summary, then the two columns of beacon lines row by row.
constexpr std::array<int, 17> kReadingOrder = {20, 6, 21, 7, 3, 9, 8, 10, 13, 11, 12, 14, 15, 16, 17, 18, 19};

// The window's lines right after a capture was opened: their first texts,
// the reception time emptied, Label3 to Label20 shown and Label21 hidden.
class PanelLines : public DisplayLines {
 public:
  PanelLines() {
    for (int label = 1; label <= 21; ++label) texts_[label] = "Label" + std::to_string(label);
    texts_[1] = "0";
    texts_[2] = " Choose the frame to be decoded:";
    texts_[4] = "label4";
    texts_[20].clear();
    for (int label = 1; label <= 20; ++label) visible_[label] = true;
    visible_[21] = false;
  }

  void setText(int label, const std::string& text) override { texts_.at(static_cast<std::size_t>(label)) = text; }
  void setVisible(int label, bool visible) override { visible_.at(static_cast<std::size_t>(label)) = visible; }

  const std::string& text(int label) const { return texts_.at(static_cast<std::size_t>(label)); }
  bool visible(int label) const { return visible_.at(static_cast<std::size_t>(label)); }

 private:
  std::array<std::string, 22> texts_;
  std::array<bool, 22> visible_{};
};

// How many frames the decoder's lists hold before they are emptied: enough
// that emptying costs nothing, few enough that a capture never piles up.
constexpr std::size_t kFramesKept = 4096;

class PanelFormat : public FrameFormat {
 public:
  PanelFormat(Console& console, const LocaleSettings& locale, bool severalCaptures)
      : console_(console), locale_(locale), severalCaptures_(severalCaptures) {}

  bool needsFrameCount() const override { return true; }

  void beginCapture(const CaptureInfo& capture) override {
    lines_ = PanelLines();
    state_ = DecoderState();
    frameCount_ = capture.frameCount;
    if (severalCaptures_) console_.print((firstCapture_ ? "== " : "\n== ") + capture.path + "\n");
    firstCapture_ = false;

    // The summary lines of the open command; a read that fails before the
    // first frame of KRVL2 leaves nothing to sum up.
    if (capture.readFails && capture.frameCount == 0) return;
    if (capture.empty) {
      printLine(capture.path + std::string(kInvalidFileSuffix), false);
    } else if (capture.frameCount == 0) {
      printLine(std::string(kForeignFileLine));
    } else {
      printLine(addressLine(capture.firstFrame));
      printLine(frameCountLine(static_cast<std::int32_t>(capture.frameCount)));
    }
  }

  std::optional<std::string> frame(std::int64_t number, std::string_view frame, std::string_view record) override {
    if (state_.SatelliteFrames.size() >= kFramesKept) {
      state_.SatelliteFrames.clear();
      state_.TimestampRecords.clear();
    }
    state_.SatelliteFrames.append(frame);
    state_.TimestampRecords.append(record);
    state_.SelectedFrame = static_cast<std::int32_t>(state_.SatelliteFrames.size());
    state_.SatelliteFrameCount = state_.SelectedFrame;

    console_.print("frame " + std::to_string(number) + " of " + std::to_string(frameCount_) + "\n");
    calcula(state_, locale_, lines_);
    printVisibleLines();
    return std::nullopt;
  }

  void frameFailed(const std::string& message) override {
    printVisibleLines();
    console_.print("error: " + message + "\n");
  }

  void endCapture(std::int64_t) override {}

 private:
  void printVisibleLines() {
    for (const int label : kReadingOrder) {
      if (lines_.visible(label)) printLine(lines_.text(label));
    }
  }

  // Lines are 8-bit Western texts; the path is already the terminal's.
  void printLine(const std::string& text, bool windows1252 = true) {
    console_.print(windows1252 ? windows1252ToUtf8(text) : text);
    console_.print("\n");
  }

  Console& console_;
  LocaleSettings locale_;
  bool severalCaptures_;
  bool firstCapture_ = true;
  PanelLines lines_;
  DecoderState state_;
  std::int64_t frameCount_ = 0;
};

}  // namespace

std::unique_ptr<FrameFormat> makePanelFormat(Console& console, const LocaleSettings& locale, bool severalCaptures) {
  return std::make_unique<PanelFormat>(console, locale, severalCaptures);
}

}  // namespace krvl2::cli
