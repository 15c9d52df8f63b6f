// How the beacon lines show numbers and moments.
//
// The fixed rendering always uses the full stop; only the general rendering
// and the date and time follow the user's settings. Numbers come in as exact
// decimals, so a half is a half and rounds away from zero.
#pragma once

#include <cstdint>
#include <string>

#include "beacon/exact_decimal.h"
#include "beacon/locale_settings.h"

namespace krvl2 {

// x rounded to `decimals` places, halves away from zero, "-" for any value
// below zero, blanks on the left up to `width` characters.
std::string FixedText(const ExactDecimal& x, int width, int decimals);

// The shortest exact text of x (at most 15 significant digits) with the
// locale's decimal separator.
std::string GeneralText(const ExactDecimal& x, const LocaleSettings& locale);

// The date of `unixSeconds` in the short date format, then one blank and the
// time in the long time format, unless the time of day is exactly midnight.
std::string UnixTimeText(std::int64_t unixSeconds, const LocaleSettings& locale);

}  // namespace krvl2
