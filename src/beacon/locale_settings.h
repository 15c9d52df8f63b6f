// The user's regional settings that the renderings use, passed as a plain
// value so that tests and other callers can give their own.
#pragma once

#include <string>

namespace krvl2 {

struct LocaleSettings {
  // Patterns as in regional settings: d dd M MM yy yyyy; h hh H HH m mm s ss
  // and AP (or tt) for the AM/PM designator.
  std::string shortDateFormat = "M/d/yyyy";
  std::string longTimeFormat = "h:mm:ss AP";
  std::string amDesignator = "AM";
  std::string pmDesignator = "PM";
  std::string dateSeparator = "/";
  std::string timeSeparator = ":";
  std::string decimalSeparator = ".";
};

}  // namespace krvl2
