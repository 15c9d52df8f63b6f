// The .KSS capture reader: turns a capture file into the frame lists.
//
// A frame is its own opening FEND (any byte, not examined), a command byte,
// escaped data and a closing 0xC0; the end of the file is tested only after a
// closing FEND, so a file that ends inside a frame fails with "Read beyond end
// of file". In a command-9 record (the logger's time stamp) a 0x00 and the seven
// bytes after it are taken as they stand, even a 0xC0 among them, and the byte
// after such a run is only tested for 0xC0 and otherwise dropped.
//
// The file is read in large blocks; the result is exactly that of reading it
// one byte at a time.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "capture/decoder_state.h"
#include "capture/failure.h"
#include "capture/frame_text.h"

namespace krvl2 {

// A capture file open for reading; closed when this goes away.
class CaptureFile {
 public:
  // Opens `path` for reading and measures it. Throws the open failure.
  explicit CaptureFile(const std::string& path);
  ~CaptureFile();
  CaptureFile(CaptureFile&& other) noexcept;
  CaptureFile& operator=(CaptureFile&&) = delete;
  CaptureFile(const CaptureFile&) = delete;
  CaptureFile& operator=(const CaptureFile&) = delete;

  std::uint64_t size() const { return size_; }
  int descriptor() const { return fd_; }
  void close();

 private:
  int fd_ = -1;
  std::uint64_t size_ = 0;
};

// A growing run of 8-bit units that keeps its memory from one frame to the
// next and never clears what it is about to overwrite.
template <typename Unit>
class ScratchBuffer {
 public:
  void clear() { size_ = 0; }
  std::size_t size() const { return size_; }
  const Unit* data() const { return data_.get(); }
  // Room for `count` more units at the end; commit them with grow().
  Unit* reserveMore(std::size_t count);
  void grow(std::size_t count) { size_ += count; }
  void push(Unit unit) {
    *reserveMore(1) = unit;
    ++size_;
  }

 private:
  std::unique_ptr<Unit[]> data_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

// Cuts the bytes of a capture file into frames, one frame per call.
class KssFrameScanner {
 public:
  explicit KssFrameScanner(const CaptureFile& file);

  // Reads the next whole frame and gives its command byte. False when the
  // file ends inside the frame or a read fails; failure() then tells why.
  bool next(std::uint8_t& command);

  // True when the file holds no byte after the frame just read. A failing read
  // here also ends the scan, with failure() set.
  bool atEnd();

  const std::optional<Failure>& failure() const { return failure_; }

  // The frame just read as frame text: its data bytes, escapes in place.
  std::string_view text();

  // UnescapeFrame of that text, worked out from the frame's bytes.
  std::string_view unescapedText();

  // Whether the frame is one of the satellite's: the first five characters of
  // its AX.25 source callsign are KRVL2, before unescaping.
  bool isSatelliteFrame() const;

  // Bytes of the file consumed so far.
  std::uint64_t position() const { return consumed_ + begin_; }

 private:
  bool readByte(std::uint8_t& byte);
  // Refills the buffer: 1 when bytes arrived, 0 at the end of the file, -1 on
  // a read error (failure_ set).
  int fill();

  int fd_;
  std::unique_ptr<std::uint8_t[]> buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  std::uint64_t consumed_ = 0;
  std::optional<Failure> failure_;

  // The frame just read; its texts are made only when asked for.
  ScratchBuffer<std::uint8_t> frame_;
  bool hasEscapes_ = false;
  ScratchBuffer<char> text_;
  bool textMade_ = false;
  ScratchBuffer<char> unescaped_;
  bool unescapedMade_ = false;
};

// The frame text with its KISS escapes removed: DB DC gives C0, DB DD gives
// DB, and DB followed by anything else (or nothing) is dropped with that byte.
FrameText UnescapeFrame(std::string_view text);

// The export file of a capture: the start directory, a separator, and the
// capture's file name with its extension replaced by ".HEX".
std::string exportPathFor(const std::string& startDirectory, const std::string& capturePath);

// Called with SatelliteFrameCount after every completed frame.
using FrameCountCallback = std::function<void(std::int32_t)>;

// A capture between the two phases of ReadKssFile.
class KssCapture {
 public:
  // True for a file of 0 bytes; it is already closed and nothing more is read.
  bool isEmpty() const { return empty_; }

  // Second phase: reads every frame into the lists and the count, closes the
  // file and unescapes the satellite's frames. When the read fails partway the
  // frames completed before the failure are kept (and unescaped) and the
  // failure is thrown after the file is closed.
  void readFrames(DecoderState& state, const FrameCountCallback& onFrameCompleted = {});

  // The same, but a failed read is handed back instead of thrown, so that the
  // caller can show the frames read before it and then report it.
  [[nodiscard]] std::optional<Failure> readAvailableFrames(DecoderState& state,
                                                           const FrameCountCallback& onFrameCompleted = {});

 private:
  friend KssCapture ReadKssFile(DecoderState& state, const std::string& path);
  explicit KssCapture(CaptureFile file) : file_(std::move(file)), empty_(file_.size() == 0) {}

  CaptureFile file_;
  bool empty_;
};

// First phase: opens and measures the file, empties the lists, sets the count
// to 0 and HexExportPath. A failure to open or measure changes nothing.
KssCapture ReadKssFile(DecoderState& state, const std::string& path);

}  // namespace krvl2
