// The satellite's frames of one capture, each with its time-stamp record, read
// as they come so that a capture of any size costs the same little memory.
//
// A record belongs to a frame by position alone: the n-th command-9 record of
// the capture goes with its n-th satellite frame, wherever the two stand. A
// logger may write a record before its frame, after it, or not at all, and may
// stamp other stations' frames too, so the records are read by a second pass
// over the same file that runs only as far ahead as the frame being handed
// out. Both passes cut the file exactly as the window's reader does, so they
// see the same frames and stop at the same damage.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "capture/failure.h"
#include "capture/kss_reader.h"

namespace krvl2::cli {

class SatelliteFrameReader {
 public:
  // Opens the capture; throws the open failure. Without `withRecords` the
  // frames come without their records, and the file is read once.
  explicit SatelliteFrameReader(const std::string& path, bool withRecords = true);
  ~SatelliteFrameReader();
  SatelliteFrameReader(const SatelliteFrameReader&) = delete;
  SatelliteFrameReader& operator=(const SatelliteFrameReader&) = delete;

  // True for a file of 0 bytes, which holds no frame and is not read.
  bool isEmpty() const { return size() == 0; }

  // Moves to the next satellite frame. False at the end of the capture, or
  // when it cannot be read further: failure() then tells why.
  bool next();

  // The frame handed out by next(), counted from 1, KISS escapes removed.
  std::int64_t number() const { return number_; }
  std::string_view frame() const { return frame_; }
  // Its time-stamp record; empty when the capture has none for it.
  std::string_view record() const { return record_; }

  // Why the capture could not be read to its end (an open failure of the
  // second pass included).
  const std::optional<Failure>& failure() const { return failure_; }

  std::uint64_t size() const { return file_.size(); }
  // Bytes of the file read so far for the frames handed out.
  std::uint64_t position() const { return frames_.scanner.position(); }

 private:
  // One pass over the file, frame by frame, with the window's end test.
  struct Pass {
    explicit Pass(const CaptureFile& file) : scanner(file) {}
    // The next frame and its command byte; false at the end or a failure.
    bool advance(std::uint8_t& command);
    KssFrameScanner scanner;
    bool started = false;
    bool finished = false;
  };

  std::string_view nextRecord();

  std::string path_;
  bool withRecords_;
  CaptureFile file_;
  Pass frames_;
  // The second pass opens the file again only once a satellite frame needs
  // its record; it reads no further than the record that goes with it.
  std::unique_ptr<CaptureFile> recordFile_;
  std::unique_ptr<Pass> records_;
  std::int64_t number_ = 0;
  std::string_view frame_;
  std::string_view record_;
  std::optional<Failure> failure_;
};

}  // namespace krvl2::cli
