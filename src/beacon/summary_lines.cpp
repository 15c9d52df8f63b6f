#include "beacon/summary_lines.h"

#include "capture/frame_text.h"

namespace krvl2 {

std::string addressLine(std::string_view firstSatelliteFrame) {
  return " AX.25   from:  KRVL2  to:  " + DecodeCallsign(firstSatelliteFrame, 6);
}

std::string frameCountLine(std::int32_t count) {
  return " This file contains  " + std::to_string(count) + (count == 1 ? "  frame" : "  frames");
}

}  // namespace krvl2
