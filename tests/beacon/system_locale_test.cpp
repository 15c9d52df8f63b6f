// Turning Qt's locale patterns into the renderings' settings. Only Qt's own
// locale data is used, never the machine's locale.
#include <gtest/gtest.h>

#include <QLocale>

#include "beacon/renderings.h"
#include "beacon/system_locale.h"

namespace krvl2 {
namespace {

struct FormatCase {
  const char* qt;
  const char* pattern;
  const char* separator;
};

TEST(LongTimeFormatFromQt, KeepsHoursMinutesSecondsAndTheDesignatorInPlace) {
  const FormatCase cases[] = {
      {"h:mm:ss AP t", "h:mm:ss AP", ":"},
      {"h:mm:ss\u202fAP t", "h:mm:ss AP", ":"},  // a narrow no-break space before the designator
      {"HH:mm:ss t", "HH:mm:ss", ":"},
      {"H.mm.ss t", "H:mm:ss", "."},
      {"t HH:mm:ss", "HH:mm:ss", ":"},
      {"HH:mm:ss.zzz t", "HH:mm:ss", ":"},
      {"hh:mm:ss ap (t)", "hh:mm:ss ap", ":"},
      {"Ah:mm:ss", "APh:mm:ss", ":"},
      {"AP h\uC2DC m\uBD84 s\uCD08 t", "AP h:m:s", ":"},  // words between the fields are no separator
      {"HH 'h' mm 'min' ss 's' t", "HH:mm:ss", ":"},
      {"HH:mm", "HH:mm:ss", ":"},
  };
  for (const auto& c : cases) {
    const RegionalFormat format = longTimeFormatFromQt(c.qt);
    EXPECT_EQ(format.pattern, c.pattern) << c.qt;
    EXPECT_EQ(format.separator, c.separator) << c.qt;
  }
}

TEST(ShortDateFormatFromQt, TheSeparatorBecomesThePlaceholder) {
  const FormatCase cases[] = {
      {"M/d/yy", "M/d/yy", "/"},
      {"dd.MM.yy", "dd/MM/yy", "."},
      {"yyyy-MM-dd", "yyyy/MM/dd", "-"},
      {"yyyy. MM. dd.", "yyyy/MM/dd'.'", ". "},
      {"d MMM yyyy", "d/MMM/yyyy", " "},
      {"d\u200F/M\u200F/yyyy", "d/M/yyyy", "/"},  // right-to-left marks dropped
      {"yyyyMMdd", "yyyyMMdd", "/"},
  };
  for (const auto& c : cases) {
    const RegionalFormat format = shortDateFormatFromQt(c.qt);
    EXPECT_EQ(format.pattern, c.pattern) << c.qt;
    EXPECT_EQ(format.separator, c.separator) << c.qt;
  }
}

TEST(ToWindows1252, MapsWhatTheSetHoldsAndMarksTheRest) {
  EXPECT_EQ(toWindows1252("a.m."), "a.m.");
  EXPECT_EQ(toWindows1252("\u00E9\u20AC\u00B0"), "\xE9\x80\xB0");
  EXPECT_EQ(toWindows1252("a\u00A0b\u202Fc"), "a b c");
  EXPECT_EQ(toWindows1252("\u200F\uC624\uD6C4"), "??");
}

TEST(LocaleSettingsOf, QtLocalesRenderAsTheirUsersWrite) {
  constexpr std::int64_t kEvening = 1551992709;  // 2019-03-07 21:05:09
  const LocaleSettings german = localeSettingsOf(QLocale(QLocale::German, QLocale::Germany));
  EXPECT_EQ(UnixTimeText(kEvening, german), "07.03.19 21:05:09");
  EXPECT_EQ(german.decimalSeparator, ",");
  const LocaleSettings american = localeSettingsOf(QLocale(QLocale::English, QLocale::UnitedStates));
  EXPECT_EQ(UnixTimeText(kEvening, american), "3/7/19 9:05:09 PM");
  EXPECT_EQ(american.decimalSeparator, ".");
  // A designator the 8-bit set cannot show falls back to AM and PM.
  const LocaleSettings korean = localeSettingsOf(QLocale(QLocale::Korean, QLocale::SouthKorea));
  EXPECT_EQ(korean.pmDesignator, "PM");
}

}  // namespace
}  // namespace krvl2
