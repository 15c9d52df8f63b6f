// Decoding the selected frame into the window's lines: the texts, the order in
// which a short frame stops, the mode's visibility and the reception time.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "beacon/beacon_fields.h"
#include "beacon/calcula.h"
#include "capture/failure.h"
#include "capture/kss_reader.h"
#include "support/capture_builder.h"
#include "support/temp_dir.h"
#include "recording_lines.h"

namespace krvl2 {
namespace {

using testing::BeaconBuilder;
using testing::Bytes;
using testing::hexText;
using testing::RecordingLines;
using testing::satelliteFrame;
using testing::unixMillis;

// The 8-byte record of 2019-01-01 09:59:44.123.
const Bytes kWorkedRecord = {0x00, 0x00, 0x01, 0x68, 0x08, 0xDA, 0xCE, 0xFB};

Bytes millisRecord(std::uint64_t millis) {
  Bytes record = {0x00, 0x00};
  for (int shift = 40; shift >= 0; shift -= 8) record.push_back(static_cast<std::uint8_t>(millis >> shift));
  return record;
}

Bytes textRecord(const std::string& text) { return Bytes(text.begin(), text.end()); }

DecoderState stateWith(const std::vector<std::string>& frames, const std::vector<std::string>& records) {
  DecoderState state;
  for (const auto& frame : frames) state.SatelliteFrames.append(frame);
  for (const auto& record : records) state.TimestampRecords.append(record);
  state.SatelliteFrameCount = static_cast<std::int32_t>(frames.size());
  state.SelectedFrame = 1;
  return state;
}

LocaleSettings decimalComma() {
  LocaleSettings locale;
  locale.decimalSeparator = ",";
  return locale;
}

LocaleSettings twentyFourHours() {
  LocaleSettings locale;
  locale.shortDateFormat = "dd/MM/yyyy";
  locale.dateSeparator = ".";
  locale.longTimeFormat = "HH:mm:ss";
  return locale;
}

const std::string kDegreesCelsius = " \xB0" "C";

TEST(Calcula, WorkedExampleWritesEveryLineExactly) {
  const DecoderState state = stateWith({satelliteFrame().text()}, {hexText(kWorkedRecord)});
  RecordingLines lines;

  calcula(state, LocaleSettings{}, lines);

  const std::map<int, std::string> expected = {
      {20, " RX date: 1/1/2019 9:59:44 AM UTC"},
      {3, " TimeStamp : 1/1/2019 9:59:44 AM"},
      {6, " Safe mode beacon  "},
      {7, " Sequence number: 300"},
      {9, " EPS battery voltage:  8.123 V"},
      {8, " EPS total system current: 245 mA"},
      {10, " TX forward power:  117.1 mW"},
      {11, " TRXUV TX current: 39.895 mA"},
      {12, " TRXUV RX current: 79 mA"},
      {13, " TRXUV TX reflected power:    2.4 mW"},
      {14, " TRXUV bus voltage:  8.065 V"},
      {15, " TRXUV power amp tenperature: 27.419" + kDegreesCelsius},
      {16, " TRXUV Doppler:   3.23  "},
      {17, " TRXUV RX RSSI: -85 dBm"},
      {18, " Side A antenna status: A55A HEX"},
      {19, " Side B antenna status: 0F0F HEX"},
      {21, " OBC HK status flags: 001F HEX"},
  };
  std::set<int> labels;
  for (const auto& [label, text] : expected) {
    EXPECT_EQ(lines.text(label), text) << "Label" << label;
    labels.insert(label);
  }
  EXPECT_EQ(lines.textsWritten, labels) << "no other line is written";
  for (int label = 3; label <= 21; ++label) EXPECT_TRUE(lines.visible(label)) << "Label" << label;
  EXPECT_EQ(lines.visibilitiesWritten.count(6), 0u);
  EXPECT_EQ(lines.visibilitiesWritten.count(20), 0u);
}

struct RenderingCase {
  const char* what;
  int firstByte;
  std::uint16_t value;
  bool decimalComma;
  int label;
  std::string expected;
};

TEST(Calcula, RendersReadingsExactlyAtHalvesBoundsAndExtremes) {
  using namespace beacon;
  const RenderingCase cases[] = {
      // Halves of the exact value round away from zero.
      {"bus voltage half", kBusVoltageByte, 500, false, 14, " TRXUV bus voltage:  8.065 V"},
      {"temperature half", kPaTemperatureByte, 2500, false, 15, " TRXUV power amp tenperature: 756.452" + kDegreesCelsius},
      {"Doppler half", kDopplerByte, 25000, false, 16, " TRXUV Doppler:  80.65  "},
      {"forward power half", kForwardPowerByte, 500, false, 10, " TX forward power:   59.8 mW"},
      // Temperature: below zero by a hair keeps its sign; the range ends.
      {"temperature -0.000007", kPaTemperatureByte, 155, false, 15,
       " TRXUV power amp tenperature: -0.000" + kDegreesCelsius},
      {"temperature 0", kPaTemperatureByte, 0, false, 15, " TRXUV power amp tenperature: -50.000" + kDegreesCelsius},
      {"temperature top", kPaTemperatureByte, 65535, false, 15,
       " TRXUV power amp tenperature: 21090.320" + kDegreesCelsius},
      // Powers square a 16-bit reading without overflow.
      {"forward power top", kForwardPowerByte, 65535, false, 10, " TX forward power: 1026465.9 mW"},
      {"reflected power 46341", kReflectedPowerByte, 46341, false, 13, " TRXUV TX reflected power: 513249.7 mW"},
      {"battery 5", kBatteryVoltageByte, 5, false, 9, " EPS battery voltage:  0.005 V"},
      {"battery top", kBatteryVoltageByte, 65535, false, 9, " EPS battery voltage: 65.535 V"},
      // Only the general rendering follows the locale's decimal separator.
      {"TX current 0", kTxCurrentByte, 0, true, 11, " TRXUV TX current: 0 mA"},
      {"TX current 1", kTxCurrentByte, 1, true, 11, " TRXUV TX current: 0,395 mA"},
      {"TX current 101", kTxCurrentByte, 101, true, 11, " TRXUV TX current: 39,895 mA"},
      {"RX current 101", kRxCurrentByte, 101, true, 12, " TRXUV RX current: 39,895 mA"},
      {"battery under a comma locale", kBatteryVoltageByte, 5, true, 9, " EPS battery voltage:  0.005 V"},
      // Signal strength only within 920..957, both ends included.
      {"RSSI 919", kRssiByte, 919, false, 17, " TRXUV RX RSSI:  Bad data !"},
      {"RSSI 920", kRssiByte, 920, false, 17, " TRXUV RX RSSI: -58 dBm"},
      {"RSSI 951", kRssiByte, 951, false, 17, " TRXUV RX RSSI: -110 dBm"},
      {"RSSI 957", kRssiByte, 957, false, 17, " TRXUV RX RSSI: -120 dBm"},
      {"RSSI 958", kRssiByte, 958, false, 17, " TRXUV RX RSSI:  Bad data !"},
  };
  for (const auto& c : cases) {
    const DecoderState state = stateWith({satelliteFrame().set16(c.firstByte, c.value).text()}, {});
    RecordingLines lines;
    calcula(state, c.decimalComma ? decimalComma() : LocaleSettings{}, lines);
    EXPECT_EQ(lines.text(c.label), c.expected) << c.what;
  }
}

struct ShortFrameCase {
  std::size_t length;
  std::set<int> written;  // the lines the decode writes before it stops
  bool fails;
  std::map<int, std::string> texts;  // lines read from the bytes still present
};

TEST(Calcula, ShortFrameStopsAtTheFirstFieldItDoesNotHold) {
  const std::set<int> upToSequence = {20, 3, 6, 7};
  const auto plus = [](std::set<int> labels, std::initializer_list<int> more) {
    labels.insert(more);
    return labels;
  };
  const std::set<int> all = {20, 3, 6, 7, 9, 8, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 21};
  const ShortFrameCase cases[] = {
      {0, {20}, true, {}},
      {18, {20}, true, {}},  // the mode byte is there, but the time stamp comes first
      {20, {20}, true, {}},
      {21, upToSequence, true, {{3, " TimeStamp : 1/1/1970 12:01:32 AM"}}},  // byte 21 alone: 0x5C seconds
      {26, upToSequence, true, {}},
      {27, plus(upToSequence, {9}), true, {{9, " EPS battery voltage:  0.031 V"}}},  // byte 27 alone: 0x1F
      {28, plus(upToSequence, {9}), true, {}},
      {29, plus(upToSequence, {9, 8}), true, {}},
      {31, plus(upToSequence, {9, 8, 10}), true, {}},
      {33, plus(upToSequence, {9, 8, 10, 11}), true, {}},
      {35, plus(upToSequence, {9, 8, 10, 11, 12}), true, {}},
      {40, plus(upToSequence, {9, 8, 10, 11, 12}), true, {}},
      {41, plus(upToSequence, {9, 8, 10, 11, 12, 13}), true, {}},
      {46, plus(upToSequence, {9, 8, 10, 11, 12, 13}), true, {}},
      {47, all, false,
       {{14, " TRXUV bus voltage:  0.016 V"},  // byte 47 alone: 01
        {18, " Side A antenna status:  HEX"},
        {19, " Side B antenna status:  HEX"},
        {21, " OBC HK status flags: 001F HEX"}}},
      {50, all, false, {{18, " Side A antenna status: A55A HEX"}, {19, " Side B antenna status:  HEX"}}},
      {51, all, false, {{19, " Side B antenna status: 0F HEX"}}},
      {52, all, false, {}},
      {60, all, false, {{19, " Side B antenna status: 0F0F HEX"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("frame of " + std::to_string(c.length) + " bytes");
    const DecoderState state = stateWith({satelliteFrame().withLength(c.length).text()}, {hexText(kWorkedRecord)});
    RecordingLines lines;
    std::string message;
    try {
      calcula(state, LocaleSettings{}, lines);
    } catch (const Failure& failure) {
      message = failure.message();
    }
    EXPECT_EQ(message, c.fails ? "'$' is not a valid integer value" : "");
    EXPECT_EQ(lines.textsWritten, c.written);
    for (int label = 1; label <= 21; ++label) {
      if (c.written.count(label) == 0) {
        EXPECT_EQ(lines.text(label), RecordingLines().text(label)) << "Label" << label << " keeps its text";
      }
    }
    for (const auto& [label, text] : c.texts) EXPECT_EQ(lines.text(label), text) << "Label" << label;
  }
}

TEST(Calcula, ModeByteShowsHidesOrLeavesTheBeaconLines) {
  const int beaconLines[] = {3, 7, 9, 8, 10, 11, 12, 13, 15, 14, 16, 17, 18, 19, 21};
  const std::string safe = " Safe mode beacon  ";
  const std::string nominal = " Nominal mode beacon   (not yet implemented) ";
  // An unknown mode first, right after the open, then safe, nominal, unknown, safe.
  DecoderState state = stateWith({satelliteFrame().withMode(0x42).withSequence(1).text(),
                                  satelliteFrame().withSequence(2).text(),
                                  satelliteFrame().withMode(0x01).withSequence(3).text(),
                                  satelliteFrame().withMode(0x42).withSequence(4).text(),
                                  satelliteFrame().withSequence(5).text()},
                                 {});
  struct Step {
    std::string label6;
    bool beaconLinesShown;
    bool label21Shown;
  };
  const Step steps[] = {
      {"old 6", true, false},  // after an open Label21 waits for a safe-mode beacon
      {safe, true, true},
      {nominal, false, false},
      {nominal, false, false},
      {safe, true, true},
  };
  RecordingLines lines;
  for (std::int32_t frame = 1; frame <= 5; ++frame) {
    SCOPED_TRACE("frame " + std::to_string(frame));
    selectFrame(state, frame, LocaleSettings{}, lines);
    const Step& step = steps[frame - 1];
    EXPECT_EQ(lines.text(6), step.label6);
    for (const int label : beaconLines) {
      EXPECT_EQ(lines.visible(label), label == 21 ? step.label21Shown : step.beaconLinesShown) << "Label" << label;
    }
    EXPECT_TRUE(lines.visible(6));
    EXPECT_TRUE(lines.visible(20));
    // The lines are written whatever the mode, also while hidden.
    EXPECT_EQ(lines.text(7), " Sequence number: " + std::to_string(frame));
  }
  EXPECT_EQ(lines.visibilitiesWritten.count(6) + lines.visibilitiesWritten.count(20), 0u);
}

TEST(Calcula, TimeStampsPairWithFramesByPositionInTheCapture) {
  // Two records before any frame, another station's frame between the
  // satellite's: the n-th record still belongs to the n-th satellite frame,
  // and the third frame has none.
  testing::TempDir dir;
  const std::string path = dir.file("pass.kss");
  testing::CaptureBuilder()
      .timestamp(unixMillis(2019, 1, 1, 9, 59, 44, 123))
      .textTimestamp("2019-01-01 10:01:02.500 UTC")
      .frame(satelliteFrame().withSequence(1).bytes())
      .frame(testing::otherStationFrame("N0CALL", "hello"))
      .frame(satelliteFrame().withSequence(2).bytes())
      .frame(satelliteFrame().withSequence(3).bytes())
      .writeTo(path);
  DecoderState state;
  ReadKssFile(state, path).readFrames(state);
  ASSERT_EQ(state.SatelliteFrameCount, 3);

  const std::string expected[] = {" RX date: 1/1/2019 9:59:44 AM UTC", " RX date: 2019-01-01 10:01:02.500 UTC", ""};
  RecordingLines lines;
  for (std::int32_t frame = 1; frame <= 3; ++frame) {
    selectFrame(state, frame, LocaleSettings{}, lines);
    EXPECT_EQ(state.SelectedFrame, frame);
    EXPECT_EQ(lines.text(1), std::to_string(frame));
    EXPECT_EQ(lines.text(7), " Sequence number: " + std::to_string(frame));
    // Frame 3 has no record: its line is emptied rather than left showing the
    // time of frame 2.
    EXPECT_EQ(lines.text(20), expected[frame - 1]) << "frame " << frame;
  }
}

struct ReceptionCase {
  const char* what;
  Bytes record;
  LocaleSettings locale;
  std::string expected;
};

TEST(Calcula, ReceptionTimeFromEitherFormOrNone) {
  const std::string thirtyBytes = "2019-01-01 09:59:44.123 UTC\r\nX";
  Bytes nineBytes = kWorkedRecord;
  nineBytes.push_back(0x00);
  const ReceptionCase cases[] = {
      {"8-byte form", kWorkedRecord, {}, " RX date: 1/1/2019 9:59:44 AM UTC"},
      {"milliseconds cut, not rounded", millisRecord(unixMillis(2019, 1, 1, 9, 59, 44, 999)), {},
       " RX date: 1/1/2019 9:59:44 AM UTC"},
      {"same second at .000", millisRecord(unixMillis(2019, 1, 1, 9, 59, 44, 0)), {},
       " RX date: 1/1/2019 9:59:44 AM UTC"},
      {"midnight shows the date alone", millisRecord(unixMillis(2019, 1, 1, 0, 0, 0, 999)), {},
       " RX date: 1/1/2019 UTC"},
      {"24-hour locale", millisRecord(unixMillis(2019, 3, 7, 21, 5, 9)), twentyFourHours(),
       " RX date: 07.03.2019 21:05:09 UTC"},
      {"the largest 48-bit count, past 9999", millisRecord(0xFFFFFFFFFFFFULL), {},
       " RX date: 8/2/10889 5:31:50 AM UTC"},
      {"text form of 30 bytes", textRecord(thirtyBytes), {}, " RX date: 2019-01-01 09:59:44.123 UTC"},
      {"text form of 26 bytes", textRecord("2019-01-01 09:59:44.12 UTC"), {}, ""},
      {"27 bytes not ending in UTC", textRecord("2019-01-01 09:59:44.123 GMT"), {}, ""},
      {"7 bytes", Bytes(kWorkedRecord.begin() + 1, kWorkedRecord.end()), {}, ""},
      {"9 bytes", nineBytes, {}, ""},
  };
  for (const auto& c : cases) {
    const DecoderState state = stateWith({satelliteFrame().text()}, {hexText(c.record)});
    RecordingLines lines;
    calcula(state, c.locale, lines);
    EXPECT_EQ(lines.text(20), c.expected) << c.what;
  }
}

}  // namespace
}  // namespace krvl2
