// The reception time that a command-9 record of a capture carries.
//
// Two forms exist. The 8-byte form is exactly 8 bytes, of which bytes 3..8
// are a big-endian count of milliseconds since 1970 (UTC). The text form is
// at least 27 bytes whose 25th to 27th are the characters "UTC"; its first
// 27 bytes are the time as the logging program wrote it. Any other record,
// the empty one included, carries no reception time.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace krvl2 {

struct ReceptionTime {
  enum class Form { None, Milliseconds, Text };
  Form form = Form::None;
  std::int64_t unixMillis = 0;  // the 8-byte form: 0 .. 2^48-1
  std::string text;             // the text form: 27 characters ending in "UTC"
};

// Reads `record` (a frame text); never fails.
ReceptionTime receptionTimeOf(std::string_view record);

}  // namespace krvl2
