// The four ways krvl2-dump prints a capture's satellite frames.
//
// A format sees one capture at a time and its frames one by one, in order,
// each with its time-stamp record; nothing of a frame is kept once the next
// one arrives (the panel keeps the window's lines, as the window does).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "beacon/locale_settings.h"
#include "cli/console.h"
#include "cli/options.h"

namespace krvl2::cli {

struct CaptureInfo {
  std::string path;  // as given on the command line
  bool empty = false;  // a file of 0 bytes
  // Only for a format that needsFrameCount(): the number of satellite frames
  // and the first of them (read before the frames are handed out).
  std::int64_t frameCount = 0;
  std::string firstFrame;
  // Only with the frame count: the capture cannot be read to its end.
  bool readFails = false;
};

class FrameFormat {
 public:
  virtual ~FrameFormat() = default;

  // Whether beginCapture() needs the frame count and the first frame, which
  // costs an extra pass over the file.
  virtual bool needsFrameCount() const { return false; }

  virtual void beginCapture(const CaptureInfo& capture) = 0;

  // Prints frame `number` (from 1). Returns why the frame could not be
  // decoded in full, having printed what it could; throws a decode failure
  // that frameFailed() then finishes.
  virtual std::optional<std::string> frame(std::int64_t number, std::string_view frame, std::string_view record) = 0;

  // The decode of the last frame failed with `message`.
  virtual void frameFailed(const std::string& /*message*/) {}

  // After the last frame of the capture, or after it failed to read further.
  virtual void endCapture(std::int64_t framesPrinted) = 0;
};

// `severalCaptures`: whether more than one capture is printed in this run, so
// that the output must tell them apart.
std::unique_ptr<FrameFormat> makeCsvFormat(Console& console);
std::unique_ptr<FrameFormat> makeJsonFormat(Console& console);
std::unique_ptr<FrameFormat> makeTableFormat(Console& console, const LocaleSettings& locale);
std::unique_ptr<FrameFormat> makePanelFormat(Console& console, const LocaleSettings& locale, bool severalCaptures);

// --- shared by the formats ----------------------------------------------

// The reception time of a record in ISO 8601 UTC ("2019-01-01T09:59:44.123Z")
// for the 8-byte form, the record's own 27 characters (UTF-8) for the text
// form, nothing when the record carries none.
std::optional<std::string> receptionTimeText(std::string_view record);

// A frame text without its trailing blank.
std::string_view hexColumn(std::string_view frame);

}  // namespace krvl2::cli
