// The user's regional settings that the renderings use, passed as a plain
// value so that tests and other callers can give their own.
//
// Every text here is 8-bit Western (Windows-1252), like the lines it ends up
// in. The two formats are patterns as in regional settings:
//   d dd        day of the month, without and with a leading zero
//   ddd dddd    name of the weekday, short and long
//   M MM        month, without and with a leading zero
//   MMM MMMM    name of the month, short and long
//   yy yyyy     year in two digits, or whole (y gives two digits without a
//               leading zero); years past 9999 keep all their digits
//   h hh        hour, 1..12 when the pattern holds a designator, else 0..23
//   H HH        hour 0..23
//   m mm s ss   minutes and seconds
//   AP ap       the AM or PM designator, in upper or lower case
//   tt t        the designator as the settings give it, or its first character
//   /  :        the date separator and the time separator of these settings
//   'text'      text as it stands ("text" too; '' is one quote)
// Any other character stands for itself.
#pragma once

#include <array>
#include <string>

namespace krvl2 {

struct LocaleSettings {
  std::string shortDateFormat = "M/d/yyyy";
  // Hours, minutes, seconds and the designator only: no time-zone name.
  std::string longTimeFormat = "h:mm:ss AP";
  std::string amDesignator = "AM";
  std::string pmDesignator = "PM";
  std::string dateSeparator = "/";
  std::string timeSeparator = ":";
  std::string decimalSeparator = ".";
  // Names for the date patterns that spell them out; January and Sunday first.
  std::array<std::string, 12> shortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::array<std::string, 12> longMonthNames = {"January", "February", "March",     "April",   "May",      "June",
                                                "July",    "August",   "September", "October", "November", "December"};
  std::array<std::string, 7> shortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  std::array<std::string, 7> longDayNames = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
};

}  // namespace krvl2
