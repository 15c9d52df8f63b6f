// The two summary lines of an opened capture, and the lines that stand in
// their place for an empty file and for a capture without the satellite's
// frames. The window shows them; the command-line tool prints them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace krvl2 {

// Follows the path of a capture of 0 bytes.
inline constexpr std::string_view kInvalidFileSuffix = "   is not a valid file !";

// A capture that holds no frame of the satellite.
inline constexpr std::string_view kForeignFileLine = "  This KSS file is not from KRVL2 !  ";

// The AX.25 addresses of the capture's first satellite frame: the source is
// always KRVL2, the destination is read from the frame.
std::string addressLine(std::string_view firstSatelliteFrame);

// " This file contains  12  frames", or "  frame" for one.
std::string frameCountLine(std::int32_t count);

}  // namespace krvl2
