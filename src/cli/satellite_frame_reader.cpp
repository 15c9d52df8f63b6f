#include "cli/satellite_frame_reader.h"

namespace krvl2::cli {

namespace {

// The logger's time-stamp records; compared as a whole byte, as the reader does.
constexpr std::uint8_t kTimestampCommand = 0x09;

}  // namespace

bool SatelliteFrameReader::Pass::advance(std::uint8_t& command) {
  if (finished) return false;
  // The end of the file is tested only after a whole frame, never before the
  // first: a file that ends inside a frame is damaged.
  if (started && scanner.atEnd()) {
    finished = true;
    return false;
  }
  started = true;
  if (!scanner.next(command)) finished = true;
  return !finished;
}

SatelliteFrameReader::SatelliteFrameReader(const std::string& path, bool withRecords)
    : path_(path), withRecords_(withRecords), file_(path), frames_(file_) {}

SatelliteFrameReader::~SatelliteFrameReader() = default;

bool SatelliteFrameReader::next() {
  frame_ = {};
  record_ = {};
  if (isEmpty()) return false;
  std::uint8_t command = 0;
  while (frames_.advance(command)) {
    if (frames_.scanner.isSatelliteFrame()) {
      ++number_;
      frame_ = frames_.scanner.unescapedText();
      if (withRecords_) record_ = nextRecord();
      return true;
    }
  }
  failure_ = frames_.scanner.failure();
  return false;
}

std::string_view SatelliteFrameReader::nextRecord() {
  if (!records_) {
    recordFile_ = std::make_unique<CaptureFile>(path_);
    records_ = std::make_unique<Pass>(*recordFile_);
  }
  // Damage ends the records here as it ends the frames in the other pass,
  // which reports it once it gets there.
  std::uint8_t command = 0;
  while (records_->advance(command)) {
    if (command == kTimestampCommand) return records_->scanner.text();
  }
  return {};
}

}  // namespace krvl2::cli
