// The program-wide state of the decoder: what the last open of a capture left.
#pragma once

#include <cstdint>
#include <string>

#include "capture/frame_list.h"

namespace krvl2 {

struct DecoderState {
  // The working directory when the program started; the export writes here.
  std::string StartDirectory;
  // Full path of the .HEX file for the capture last opened.
  std::string HexExportPath;
  // The satellite's frames as read, KISS escapes in place.
  FrameList SatelliteFramesEscaped;
  // The same frames with the escapes removed.
  FrameList SatelliteFrames;
  // Every command-9 record of the capture, paired with SatelliteFrames by position.
  FrameList TimestampRecords;
  std::int32_t SatelliteFrameCount = 0;
  // Counted from 1.
  std::int32_t SelectedFrame = 0;
};

}  // namespace krvl2
