// Numbers and moments as text: rounding on the exact value, the exact values
// themselves, and dates in the user's patterns.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "beacon/beacon_fields.h"
#include "beacon/calendar.h"
#include "beacon/exact_decimal.h"
#include "beacon/renderings.h"
#include "support/capture_builder.h"

namespace krvl2 {
namespace {

ExactDecimal decimal(const char* text) { return ExactDecimal::fromText(text); }

TEST(FixedText, RoundsTheExactValueHalfAwayFromZeroAndPadsToTheWidth) {
  struct Case {
    const char* value;
    int width;
    int decimals;
    const char* expected;
  };
  const Case cases[] = {
      {"8.123", 6, 3, " 8.123"},
      {"2.39", 6, 1, "   2.4"},
      {"597500", 6, 1, "597500.0"},  // the width is a minimum
      {"-84.995", 3, 0, "-85"},
      {"-120.002", 3, 0, "-120"},
      {"-0.000007", 6, 3, "-0.000"},  // below zero keeps its sign when it rounds to zero
      {"80.645", 6, 2, " 80.65"},
      {"-80.645", 6, 2, "-80.65"},
      {"0.5", 1, 0, "1"},
      {"0.4999999", 1, 0, "0"},
      {"0.05", 0, 3, "0.050"},
      {"7", 0, 2, "7.00"},
      {"0", 3, 0, "  0"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FixedText(decimal(c.value), c.width, c.decimals), c.expected)
        << c.value << " in " << c.width << "." << c.decimals;
  }
}

TEST(GeneralText, ShortestExactTextWithTheLocaleSeparator) {
  LocaleSettings comma;
  comma.decimalSeparator = ",";
  EXPECT_EQ(GeneralText(decimal("39.895"), LocaleSettings{}), "39.895");
  EXPECT_EQ(GeneralText(decimal("39.895"), comma), "39,895");
  EXPECT_EQ(GeneralText(decimal("79.000"), comma), "79");
  EXPECT_EQ(GeneralText(decimal("0.000"), comma), "0");
  EXPECT_EQ(GeneralText(decimal("-0.25"), LocaleSettings{}), "-0.25");
  // Beyond 15 significant digits the text is rounded, never given an exponent.
  EXPECT_EQ(GeneralText(decimal("1.234567890123456789"), LocaleSettings{}), "1.23456789012346");
  EXPECT_EQ(GeneralText(decimal("1234567890123456789"), LocaleSettings{}), "1234567890123460000");
}

// What a script reading the exact values gets: the whole decimal, no rounding.
TEST(BeaconReadings, ExactValuesOfTheScaledFields) {
  using namespace beacon;
  EXPECT_EQ(paTemperature(240).exactText(), "27.419344");
  EXPECT_EQ(paTemperature(155).exactText(), "-0.000007");
  EXPECT_EQ(paTemperature(0).exactText(), "-50");
  EXPECT_EQ(transmitPower(65535).exactText(), "1026465.857775");
  EXPECT_EQ(transmitPower(700).exactText(), "117.11");
  EXPECT_EQ(dopplerReading(25000).exactText(), "80.645");
  EXPECT_EQ(busVoltage(500).exactText(), "8.0645");
  EXPECT_EQ(batteryVoltage(8123).exactText(), "8.123");
  EXPECT_EQ(transceiverCurrent(200).exactText(), "79");
  EXPECT_EQ(rssiDbm(936)->exactText(), "-84.995");
  EXPECT_EQ(rssiDbm(951)->exactText(), "-110");
  EXPECT_FALSE(rssiDbm(919).has_value());
  EXPECT_FALSE(rssiDbm(958).has_value());
  EXPECT_EQ(decimal("1.50"), decimal("1.5"));
}

LocaleSettings withPatterns(const char* date, const char* time) {
  LocaleSettings locale;
  locale.shortDateFormat = date;
  locale.longTimeFormat = time;
  return locale;
}

TEST(UnixTimeText, DateAndTimeInTheUserPatterns) {
  constexpr std::int64_t kWorked = 1546336784;  // 2019-01-01 09:59:44
  constexpr std::int64_t kEvening = 1551992709;  // 2019-03-07 21:05:09
  LocaleSettings german = withPatterns("dd/MM/yyyy", "HH:mm:ss");
  german.dateSeparator = ".";
  LocaleSettings finnish = withPatterns("d/M/yyyy", "H:mm:ss");
  finnish.dateSeparator = ".";
  finnish.timeSeparator = ".";
  LocaleSettings lowerCase = withPatterns("yyyy-MM-dd", "hh:mm:ss tt");
  lowerCase.amDesignator = "am";
  lowerCase.pmDesignator = "pm";
  LocaleSettings dashes = withPatterns("yyyy\"/\"MM/dd", "HH:mm:ss");  // a quoted "/" stays itself
  dashes.dateSeparator = "-";

  struct Case {
    std::int64_t seconds;
    LocaleSettings locale;
    const char* expected;
  };
  const Case cases[] = {
      {kWorked, {}, "1/1/2019 9:59:44 AM"},
      {1546300800, {}, "1/1/2019"},  // midnight: the date alone
      {1546300801, {}, "1/1/2019 12:00:01 AM"},
      {1546344000, {}, "1/1/2019 12:00:00 PM"},
      {kEvening, {}, "3/7/2019 9:05:09 PM"},
      {kEvening, german, "07.03.2019 21:05:09"},
      {kEvening, finnish, "7.3.2019 21.05.09"},
      {kEvening, lowerCase, "2019-03-07 09:05:09 pm"},
      {kEvening, withPatterns("dd/MM/yy", "AP h:mm:ss"), "07/03/19 PM 9:05:09"},
      {kEvening, withPatterns("M/d/yyyy", "h:mm:ss ap"), "3/7/2019 9:05:09 pm"},
      {kEvening, withPatterns("M/d/yyyy", "h:mm:ss t"), "3/7/2019 9:05:09 P"},
      {kEvening, withPatterns("d MMM yyyy", "HH:mm:ss"), "7 Mar 2019 21:05:09"},
      {kEvening, withPatterns("dddd d MMMM yyyy", "HH:mm:ss"), "Thursday 7 March 2019 21:05:09"},
      {kEvening, withPatterns("d 'de' MMMM 'de' yyyy", "HH'h'mm''ss"), "7 de March de 2019 21h05'09"},
      {kEvening, dashes, "2019/03-07 21:05:09"},
      // A 48-bit millisecond count reaches the year 10889; 64 bits go further.
      {281474976710, {}, "8/2/10889 5:31:50 AM"},
      {std::numeric_limits<std::int64_t>::max(), {}, "12/4/292277026596 3:30:07 PM"},
      {0, {}, "1/1/1970"},
  };
  for (const auto& c : cases) EXPECT_EQ(UnixTimeText(c.seconds, c.locale), c.expected) << c.seconds;
}

TEST(Calendar, EveryDayOfTheOnBoardRangeAndBeyond9999RoundTrips) {
  // The test builder counts days forwards from a date; the calendar has to
  // find the same date from the count, across every leap rule.
  for (std::int64_t day = 0; day <= 4294967295LL / 86400 + 1; ++day) {
    const CivilTime t = civilTimeOf(day * 86400 + 86399);
    ASSERT_EQ(testing::unixMillis(static_cast<int>(t.year), t.month, t.day, 23, 59, 59) / 1000,
              static_cast<std::uint64_t>(day * 86400 + 86399))
        << t.year << "-" << t.month << "-" << t.day;
  }
  const CivilTime leapDay = civilTimeOf(951782400);  // 2000-02-29
  EXPECT_EQ(leapDay.month * 100 + leapDay.day, 229);
  const CivilTime notLeap = civilTimeOf(static_cast<std::int64_t>(testing::unixMillis(2100, 3, 1, 0, 0, 0) / 1000) -
                                        86400);
  EXPECT_EQ(notLeap.month * 100 + notLeap.day, 228);
  const CivilTime past9999 = civilTimeOf(253402300800);  // the second after 9999-12-31 23:59:59
  EXPECT_EQ(past9999.year, 10000);
  EXPECT_EQ(past9999.month * 100 + past9999.day, 101);
  EXPECT_EQ(civilTimeOf(1551992709).weekday, 4);  // a Thursday
  const CivilTime beforeEpoch = civilTimeOf(-1);
  EXPECT_EQ(beforeEpoch.year * 10000 + beforeEpoch.month * 100 + beforeEpoch.day, 19691231);
  EXPECT_EQ(beforeEpoch.second, 59);
}

TEST(IsoUtcText, WithAndWithoutMilliseconds) {
  EXPECT_EQ(isoUtcText(1546336784123, true), "2019-01-01T09:59:44.123Z");
  EXPECT_EQ(isoUtcText(1546336784123, false), "2019-01-01T09:59:44Z");
  EXPECT_EQ(isoUtcText(1546336784005, true), "2019-01-01T09:59:44.005Z");
  EXPECT_EQ(isoUtcText(0xFFFFFFFFFFFFLL, true), "10889-08-02T05:31:50.655Z");
}

}  // namespace
}  // namespace krvl2
