// Where the renderings' regional settings come from on a desktop: Qt's system
// locale, which on Windows reads the user's regional settings.
//
// Qt's patterns differ from those of LocaleSettings in two ways that matter:
// its "t" is a time-zone name (ours is the designator), and its separators are
// plain characters (ours are "/" and ":" standing for the settings' own). The
// conversions below are pure functions of the pattern texts, so that they can
// be checked on any machine.
#pragma once

#include <string>

#include "beacon/locale_settings.h"

class QLocale;

namespace krvl2 {

// The settings of the user's locale.
LocaleSettings systemLocaleSettings();

// The settings of a given Qt locale.
LocaleSettings localeSettingsOf(const QLocale& locale);

// A pattern of LocaleSettings and the separator that its "/" or ":" stands for.
struct RegionalFormat {
  std::string pattern;
  std::string separator;
};

// Qt's short date format (UTF-8) as a date pattern: "dd.MM.yy" gives the
// pattern "dd/MM/yy" with the separator ".".
RegionalFormat shortDateFormatFromQt(const std::string& qtFormat);

// Qt's long time format (UTF-8) reduced to hours, minutes and seconds joined
// by the time separator, and the AM/PM designator before or after them as the
// format places it: no time-zone name, no milliseconds. "h:mm:ss AP t" gives
// "h:mm:ss AP" with ":", "H.mm.ss t" gives "H:mm:ss" with ".".
RegionalFormat longTimeFormatFromQt(const std::string& qtFormat);

// UTF-8 text in the lines' 8-bit Western set: every kind of space becomes a
// blank, invisible format marks are dropped, characters the set lacks are "?".
std::string toWindows1252(const std::string& utf8);

}  // namespace krvl2
