// Calendar dates of second counts since 1970-01-01 00:00:00.
//
// Days are exactly 86400 seconds: no time zone, daylight saving or leap
// seconds. The calendar is the Gregorian one run backwards and forwards
// without limit, so that a 48-bit millisecond count (up to the year 10889)
// and any 64-bit count of seconds has a date and never an error.
#pragma once

#include <cstdint>
#include <string>

namespace krvl2 {

struct CivilTime {
  std::int64_t year = 1970;
  int month = 1;   // 1..12
  int day = 1;     // 1..31
  int hour = 0;    // 0..23
  int minute = 0;  // 0..59
  int second = 0;  // 0..59
  int weekday = 4;  // 0 Sunday .. 6 Saturday
};

// The date and time of day `unixSeconds` after (or before) 1970-01-01 00:00:00.
CivilTime civilTimeOf(std::int64_t unixSeconds);

// ISO 8601 in UTC: "2019-01-01T09:59:44Z", or "2019-01-01T09:59:44.123Z"
// when `withMilliseconds`. Years past 9999 keep all their digits.
std::string isoUtcText(std::int64_t unixMillis, bool withMilliseconds);

}  // namespace krvl2
