// The capture reader on small captures: framing, the command-9 rule, the
// satellite test, unescaping, and what survives a damaged capture.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "capture/kss_reader.h"
#include "support/capture_builder.h"
#include "support/temp_dir.h"

namespace krvl2 {
namespace {

using testing::Bytes;
using testing::CaptureBuilder;
using testing::hexText;
using testing::satelliteFrame;

struct ReadResult {
  bool empty = false;
  std::vector<std::string> escaped;
  std::vector<std::string> frames;
  std::vector<std::string> timestamps;
  std::int32_t count = -1;
  std::string error;
  std::vector<std::int32_t> progress;
};

std::vector<std::string> entries(const FrameList& list) {
  std::vector<std::string> result;
  for (std::size_t i = 0; i < list.size(); ++i) result.emplace_back(list.at(static_cast<std::int64_t>(i)));
  return result;
}

ReadResult readCapture(const Bytes& bytes, DecoderState& state) {
  testing::TempDir dir;
  const auto path = dir.file("capture.kss");
  CaptureBuilder().raw(bytes).writeTo(path);
  ReadResult result;
  try {
    auto capture = ReadKssFile(state, path);
    result.empty = capture.isEmpty();
    if (!result.empty) capture.readFrames(state, [&](std::int32_t n) { result.progress.push_back(n); });
  } catch (const Failure& failure) {
    result.error = failure.message();
  }
  result.escaped = entries(state.SatelliteFramesEscaped);
  result.frames = entries(state.SatelliteFrames);
  result.timestamps = entries(state.TimestampRecords);
  result.count = state.SatelliteFrameCount;
  return result;
}

ReadResult readCapture(const Bytes& bytes) {
  DecoderState state;
  return readCapture(bytes, state);
}

Bytes concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

const Bytes kBeacon = satelliteFrame().bytes();
const std::string kBeaconText = hexText(kBeacon);
// Without a 00 byte, which in a command-9 record would start a run.
const Bytes kShortBeacon = testing::ax25Frame("CQ", "KRVL2", {0x11, 0x22});
const std::string kShortBeaconText = hexText(kShortBeacon);

TEST(ReadKssFile, EmptyFileIsReportedAndNothingIsRead) {
  DecoderState state;
  state.StartDirectory = "/start";
  state.SatelliteFrames.append("01 ");
  state.SatelliteFrameCount = 1;
  const auto result = readCapture({}, state);
  EXPECT_TRUE(result.empty);
  EXPECT_EQ(result.error, "");
  EXPECT_TRUE(result.frames.empty());
  EXPECT_EQ(result.count, 0);
  EXPECT_EQ(state.HexExportPath, "/start/capture.HEX");
}

TEST(ReadKssFile, Framing) {
  struct Case {
    const char* what;
    Bytes bytes;
    std::vector<std::string> escaped;
    std::vector<std::string> timestamps;
    const char* error;
  };
  const Bytes beaconFrame = CaptureBuilder().frame(kBeacon).bytes();
  const Case cases[] = {
      {"one byte", {0xC0}, {}, {}, "Read beyond end of file"},
      {"frame without data", {0xC0, 0x00, 0xC0}, {}, {}, ""},
      {"empty time-stamp record", {0xC0, 0x09, 0xC0}, {}, {""}, ""},
      {"a satellite frame", beaconFrame, {kBeaconText}, {}, ""},
      {"opening byte not examined", concat({{0x55, 0x00}, kBeacon, {0xC0}}), {kBeaconText}, {}, ""},
      {"missing closing FEND", concat({beaconFrame, {0xC0, 0x00}, kBeacon}), {kBeaconText}, {},
       "Read beyond end of file"},
      {"extra FEND at the end", concat({beaconFrame, {0xC0}}), {kBeaconText}, {}, "Read beyond end of file"},
      {"trailing empty frame", concat({beaconFrame, {0xC0, 0x00, 0xC0}}), {kBeaconText}, {}, ""},
      // Frame 2 loses its command byte to the shared FEND: shifted and not kept.
      {"shared FEND", concat({beaconFrame, {0x00}, kBeacon, {0xC0}}), {kBeaconText}, {}, ""},
      {"doubled FEND", concat({{0xC0, 0xC0, 0x00}, kBeacon, {0xC0}}), {}, {}, ""},
      {"KISS port 1", CaptureBuilder().frame(kBeacon, 0x10).bytes(), {kBeaconText}, {}, ""},
      {"satellite frame with command 9", CaptureBuilder().frame(kShortBeacon, 0x09).bytes(), {kShortBeaconText},
       {kShortBeaconText}, ""},
      {"command 0x19 is no time stamp", {0xC0, 0x19, 0x00, 0x01, 0xC0}, {}, {}, ""},
      {"8-byte record with C0 inside", {0xC0, 0x09, 0x00, 0x00, 0x01, 0xC0, 0x08, 0xDA, 0xCE, 0xFB, 0xC0}, {},
       {"00 00 01 C0 08 DA CE FB "}, ""},
      {"ninth byte of a run dropped", {0xC0, 0x09, 0x00, 1, 2, 3, 4, 5, 6, 7, 0x00, 0x41, 0xC0}, {},
       {"00 01 02 03 04 05 06 07 41 "}, ""},
      {"a new run at each later 00", {0xC0, 0x09, 0x00, 1, 2, 3, 4, 5, 6, 7, 0x99, 0x00, 0xC0, 2, 3, 4, 5, 6, 7, 0xC0},
       {}, {"00 01 02 03 04 05 06 07 00 C0 02 03 04 05 06 07 "}, ""},
      // A text record whose 00 run passes over its closing FEND and swallows
      // the opening FEND, the command byte and the start of the next frame.
      {"text record swallows the next frame",
       {0xC0, 0x09, 0x41, 0x00, 0x42, 0xC0, 0xC0, 0x00, 0x11, 0x22, 0x33, 0x44, 0xC0}, {},
       {"41 00 42 C0 C0 00 11 22 33 "}, ""},
      {"KRVL2 only as destination", CaptureBuilder().frame(testing::ax25Frame("KRVL2", "N0CALL", {1, 2})).bytes(), {},
       {}, ""},
      {"KRVL2 with a sixth character and an SSID",
       CaptureBuilder().frame(testing::ax25Frame("CQ", "KRVL2X", {1}, 7)).bytes(),
       {hexText(testing::ax25Frame("CQ", "KRVL2X", {1}, 7))}, {}, ""},
      {"record cut inside its run", {0xC0, 0x09, 0x00, 1, 2}, {}, {}, "Read beyond end of file"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto result = readCapture(c.bytes);
    EXPECT_EQ(result.error, c.error);
    EXPECT_EQ(result.escaped, c.escaped);
    EXPECT_EQ(result.timestamps, c.timestamps);
    EXPECT_EQ(result.count, static_cast<std::int32_t>(c.escaped.size()));
  }
}

TEST(ReadKssFile, EscapesAreKeptForTheSatelliteTestAndRemovedAfter) {
  // A 0xC0 data byte after the source address: kept, and unescaped.
  const Bytes withEscapes = satelliteFrame().setByte(19, 0xC0).setByte(20, 0xDB).bytes();
  // A 0xC0 inside the destination address moves the source callsign: not kept.
  const Bytes early = satelliteFrame().setByte(3, 0xC0).bytes();
  const auto result = readCapture(CaptureBuilder().frame(withEscapes).frame(early).bytes());
  ASSERT_EQ(result.count, 1);
  EXPECT_NE(result.escaped[0].find("DB DC DB DD "), std::string::npos);
  EXPECT_EQ(result.frames, std::vector<std::string>{hexText(withEscapes)});
}

TEST(ReadKssFile, DamagedCaptureKeepsTheFramesCompletedBeforeTheDamage) {
  CaptureBuilder capture;
  capture.timestamp(1000).frame(kBeacon).frame(testing::otherStationFrame("N0CALL", "hi")).timestamp(2000);
  capture.frame(satelliteFrame().withSequence(2).bytes()).raw({0xC0, 0x00, 0x96, 0xA4});
  const auto result = readCapture(capture.bytes());
  EXPECT_EQ(result.error, "Read beyond end of file");
  EXPECT_EQ(result.count, 2);
  EXPECT_EQ(result.frames.size(), 2u);
  EXPECT_EQ(result.frames[1], hexText(satelliteFrame().withSequence(2).bytes()));
  EXPECT_EQ(result.timestamps.size(), 2u);
  EXPECT_EQ(result.progress, (std::vector<std::int32_t>{0, 1, 1, 1, 2}));
}

TEST(ReadKssFile, LongFramesReadBackWhole) {
  const Bytes longFrame = satelliteFrame().withLength(5000, 0x5A).bytes();
  const auto result = readCapture(CaptureBuilder().frame(longFrame).frame(longFrame).bytes());
  ASSERT_EQ(result.frames.size(), 2u);
  EXPECT_EQ(result.frames[0].size(), 15000u);
  EXPECT_EQ(result.frames[1], hexText(longFrame));
}

TEST(ReadKssFile, FramesLongerThanTheReadBufferAreWhole) {
  const Bytes huge = satelliteFrame().withLength(3 << 20, 0xC0).bytes();
  const auto result = readCapture(CaptureBuilder().frame(huge).timestamp(5).bytes());
  ASSERT_EQ(result.frames.size(), 1u);
  EXPECT_EQ(result.frames[0], hexText(huge));
  EXPECT_EQ(result.timestamps.size(), 1u);
}

TEST(ReadKssFile, ASecondOpenReplacesTheFirstCapture) {
  DecoderState state;
  readCapture(CaptureBuilder().frame(kBeacon).frame(kBeacon).timestamp(1).bytes(), state);
  const Bytes other = satelliteFrame().withSequence(9).bytes();
  const auto result = readCapture(CaptureBuilder().frame(other).bytes(), state);
  EXPECT_EQ(result.frames, std::vector<std::string>{hexText(other)});
  EXPECT_TRUE(result.timestamps.empty());
  EXPECT_EQ(result.count, 1);
}

TEST(ReadKssFile, AFailedOpenLeavesThePreviousCapture) {
  DecoderState state;
  state.StartDirectory = "/start";
  readCapture(CaptureBuilder().frame(kBeacon).bytes(), state);
  EXPECT_THROW(ReadKssFile(state, "/nonexistent/dir/pass.kss"), Failure);
  EXPECT_EQ(state.SatelliteFrameCount, 1);
  EXPECT_EQ(state.SatelliteFrames.size(), 1u);
  EXPECT_EQ(state.HexExportPath, "/start/capture.HEX");
}

TEST(UnescapeFrame, Examples) {
  const std::pair<const char*, const char*> cases[] = {
      {"", ""},
      {"DB DC ", "C0 "},
      {"DB DD ", "DB "},
      {"01 DB 41 02 ", "01 02 "},
      {"01 DB ", "01 "},
      {"DB DB DC ", "DC "},
      {"DB DC DD ", "C0 DD "},
      {"0D BD CD ", "0D BD CD "},  // only whole pairs are compared
  };
  for (const auto& [escaped, plain] : cases) EXPECT_EQ(UnescapeFrame(escaped), plain) << escaped;
}

TEST(ExportPath, ReplacesTheExtensionOfTheFileName) {
  const std::pair<const char*, const char*> cases[] = {
      {"/data/pass.kss", "/home/op/pass.HEX"},
      {"/data/pass.2024.kss", "/home/op/pass.2024.HEX"},
      {"/data/pass", "/home/op/pass.HEX"},
      {"/data/pass.", "/home/op/pass.HEX"},
      {"/data/.kss", "/home/op/.HEX"},
      {"/data.d/Pass.KsS", "/home/op/Pass.HEX"},
      {"pass.bin", "/home/op/pass.HEX"},
  };
  for (const auto& [capture, expected] : cases) EXPECT_EQ(exportPathFor("/home/op", capture), expected);
  EXPECT_EQ(exportPathFor("/", "/data/pass.kss"), "//pass.HEX");
}

}  // namespace
}  // namespace krvl2

namespace krvl2 {
namespace {

// The reader unescapes from the bytes as it goes; that must agree with
// UnescapeFrame on the text for any frame, dangling and unknown escapes included.
TEST(ReadKssFile, UnescapingAgreesWithUnescapeFrameOnRandomFrames) {
  std::uint32_t seed = 12345;
  auto nextRandom = [&] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
  const std::uint8_t alphabet[] = {0xDB, 0xDC, 0xDD, 0x00, 0x41, 0xC0};
  CaptureBuilder capture;
  for (int frame = 0; frame < 300; ++frame) {
    auto beacon = testing::satelliteFrame();
    const auto length = 12 + nextRandom() % 40;
    beacon.withLength(length);
    for (std::size_t k = 13; k <= length; ++k) beacon.setByte(static_cast<int>(k), alphabet[nextRandom() % 5]);
    // Raw, so that unescaped DB pairs of every kind reach the reader.
    Bytes bytes = {0xC0, 0x00};
    bytes.insert(bytes.end(), beacon.bytes().begin(), beacon.bytes().end());
    bytes.push_back(0xC0);
    capture.raw(bytes);
  }
  DecoderState state;
  const auto result = readCapture(capture.bytes(), state);
  ASSERT_EQ(result.error, "");
  ASSERT_EQ(result.count, 300);
  for (std::size_t i = 0; i < result.escaped.size(); ++i) {
    EXPECT_EQ(result.frames[i], UnescapeFrame(result.escaped[i])) << result.escaped[i];
  }
}

}  // namespace
}  // namespace krvl2
