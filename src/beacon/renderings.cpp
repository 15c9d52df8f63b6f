#include "beacon/renderings.h"

#include <string_view>

#include "beacon/calendar.h"

namespace krvl2 {

namespace {

std::string padded(std::int64_t value, std::size_t digits) {
  std::string text = std::to_string(value < 0 ? -value : value);
  if (text.size() < digits) text.insert(0, digits - text.size(), '0');
  return value < 0 ? "-" + text : text;
}

std::string asciiUpper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

std::string asciiLower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

bool isDesignatorStart(std::string_view pattern, std::size_t i) {
  return pattern[i] == 'A' || pattern[i] == 'a' || pattern[i] == 't';
}

// Whether the pattern shows a designator outside its quoted texts: then h and
// hh count the hours from 1 to 12.
bool hasDesignator(std::string_view pattern) {
  char quote = 0;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '\'' || c == '"') {
      quote = c;
    } else if (isDesignatorStart(pattern, i)) {
      return true;
    }
  }
  return false;
}

// Renders a pattern of the regional-settings kind (see locale_settings.h).
std::string formatMoment(std::string_view pattern, const CivilTime& t, const LocaleSettings& locale) {
  const bool twelveHour = hasDesignator(pattern);
  const std::string& designator = t.hour < 12 ? locale.amDesignator : locale.pmDesignator;
  std::string out;
  std::size_t i = 0;
  while (i < pattern.size()) {
    const char c = pattern[i];
    if (c == '\'' || c == '"') {
      // Quoted text; two single quotes in a row stand for one.
      if (c == '\'' && i + 1 < pattern.size() && pattern[i + 1] == '\'') {
        out += '\'';
        i += 2;
        continue;
      }
      std::size_t end = i + 1;
      while (end < pattern.size()) {
        if (pattern[end] == c) {
          if (c == '\'' && end + 1 < pattern.size() && pattern[end + 1] == '\'') {
            out += '\'';
            end += 2;
            continue;
          }
          break;
        }
        out += pattern[end++];
      }
      i = end + 1;
      continue;
    }
    if (c == '/') {
      out += locale.dateSeparator;
      ++i;
      continue;
    }
    if (c == ':') {
      out += locale.timeSeparator;
      ++i;
      continue;
    }
    if ((c == 'A' || c == 'a') && i + 1 < pattern.size() && (pattern[i + 1] == 'P' || pattern[i + 1] == 'p')) {
      out += c == 'A' ? asciiUpper(designator) : asciiLower(designator);
      i += 2;
      continue;
    }
    std::size_t run = 1;
    while (i + run < pattern.size() && pattern[i + run] == c) ++run;
    const std::string_view letters = pattern.substr(i, run);
    i += run;
    const auto twoDigits = [&](std::int64_t value) { return padded(value, run == 2 ? 2 : 1); };
    switch (c) {
      case 'd':
        out += run <= 2   ? twoDigits(t.day)
               : run == 3 ? locale.shortDayNames[static_cast<std::size_t>(t.weekday)]
                          : locale.longDayNames[static_cast<std::size_t>(t.weekday)];
        break;
      case 'M':
        out += run <= 2   ? twoDigits(t.month)
               : run == 3 ? locale.shortMonthNames[static_cast<std::size_t>(t.month - 1)]
                          : locale.longMonthNames[static_cast<std::size_t>(t.month - 1)];
        break;
      case 'y': {
        const std::int64_t shortYear = (t.year < 0 ? -t.year : t.year) % 100;
        out += run <= 2 ? twoDigits(shortYear) : padded(t.year, 4);
        break;
      }
      case 'h': {
        const int hour = twelveHour ? (t.hour % 12 == 0 ? 12 : t.hour % 12) : t.hour;
        out += run <= 2 ? twoDigits(hour) : std::string(letters);
        break;
      }
      case 'H':
        out += run <= 2 ? twoDigits(t.hour) : std::string(letters);
        break;
      case 'm':
        out += run <= 2 ? twoDigits(t.minute) : std::string(letters);
        break;
      case 's':
        out += run <= 2 ? twoDigits(t.second) : std::string(letters);
        break;
      case 'A':
        out += asciiUpper(designator);
        break;
      case 'a':
        out += asciiLower(designator);
        break;
      case 't':
        out += run == 1 ? designator.substr(0, 1) : designator;
        break;
      default:
        out += letters;
    }
  }
  return out;
}

}  // namespace

std::string FixedText(const ExactDecimal& x, int width, int decimals) { return x.fixedText(width, decimals); }

std::string GeneralText(const ExactDecimal& x, const LocaleSettings& locale) {
  return x.generalText(locale.decimalSeparator);
}

std::string UnixTimeText(std::int64_t unixSeconds, const LocaleSettings& locale) {
  const CivilTime t = civilTimeOf(unixSeconds);
  std::string text = formatMoment(locale.shortDateFormat, t, locale);
  if (t.hour != 0 || t.minute != 0 || t.second != 0) text += " " + formatMoment(locale.longTimeFormat, t, locale);
  return text;
}

}  // namespace krvl2
