#include "beacon/calendar.h"

#include <cstdio>

namespace krvl2 {

namespace {

// Division rounding towards minus infinity (b > 0), so that moments before
// 1970 fall on the day they belong to; written so that no product can
// overflow, whatever the count.
std::int64_t floorDivide(std::int64_t a, std::int64_t b) { return a / b - (a % b < 0 ? 1 : 0); }

std::int64_t floorRemainder(std::int64_t a, std::int64_t b) {
  const std::int64_t remainder = a % b;
  return remainder < 0 ? remainder + b : remainder;
}

}  // namespace

CivilTime civilTimeOf(std::int64_t unixSeconds) {
  constexpr std::int64_t kSecondsPerDay = 86400;
  const std::int64_t days = floorDivide(unixSeconds, kSecondsPerDay);
  const std::int64_t secondOfDay = floorRemainder(unixSeconds, kSecondsPerDay);

  // Counted from 0000-03-01 in eras of 400 years (146097 days), so that the
  // leap day ends each year of the count.
  const std::int64_t shifted = days + 719468;
  const std::int64_t era = floorDivide(shifted, 146097);
  const std::int64_t dayOfEra = shifted - era * 146097;
  const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;

  CivilTime time;
  time.day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
  time.month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
  time.year = yearOfEra + era * 400 + (time.month <= 2 ? 1 : 0);
  time.hour = static_cast<int>(secondOfDay / 3600);
  time.minute = static_cast<int>(secondOfDay / 60 % 60);
  time.second = static_cast<int>(secondOfDay % 60);
  time.weekday = static_cast<int>(floorRemainder(days + 4, 7));  // 1970-01-01 was a Thursday
  return time;
}

std::string isoUtcText(std::int64_t unixMillis, bool withMilliseconds) {
  const std::int64_t seconds = floorDivide(unixMillis, 1000);
  const auto millis = static_cast<int>(floorRemainder(unixMillis, 1000));
  const CivilTime t = civilTimeOf(seconds);
  char text[64];
  std::snprintf(text, sizeof text, "%04lld-%02d-%02dT%02d:%02d:%02d", static_cast<long long>(t.year), t.month, t.day,
                t.hour, t.minute, t.second);
  std::string result = text;
  if (withMilliseconds) {
    std::snprintf(text, sizeof text, ".%03d", millis);
    result += text;
  }
  return result + "Z";
}

}  // namespace krvl2
