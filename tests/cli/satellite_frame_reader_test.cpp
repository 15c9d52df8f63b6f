// The tool's streaming reader against the window's reader: the same frames,
// each with the record at its position, and the same failure, on captures
// built to trip a reader and on many random ones.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "capture/kss_reader.h"
#include "cli/satellite_frame_reader.h"
#include "support/capture_builder.h"
#include "support/temp_dir.h"

namespace krvl2::testing {
namespace {

struct Reading {
  std::vector<std::pair<std::string, std::string>> framesWithRecords;
  std::string failure;
};

Reading byTheWindow(const std::string& path) {
  DecoderState state;
  Reading reading;
  auto capture = ReadKssFile(state, path);
  if (capture.isEmpty()) return reading;
  if (const auto failure = capture.readAvailableFrames(state)) reading.failure = failure->message();
  for (std::int32_t i = 0; i < state.SatelliteFrameCount; ++i) {
    reading.framesWithRecords.emplace_back(state.SatelliteFrames.at(i), state.TimestampRecords.at(i));
  }
  return reading;
}

Reading byTheTool(const std::string& path) {
  cli::SatelliteFrameReader reader(path);
  Reading reading;
  std::int64_t expectedNumber = 1;
  while (reader.next()) {
    EXPECT_EQ(reader.number(), expectedNumber++);
    reading.framesWithRecords.emplace_back(reader.frame(), reader.record());
  }
  if (reader.failure()) reading.failure = reader.failure()->message();
  return reading;
}

void expectSameReading(const Bytes& capture, const std::string& what) {
  TempDir dir;
  const std::string path = dir.file("capture.kss");
  CaptureBuilder().raw(capture).writeTo(path);
  const Reading window = byTheWindow(path);
  const Reading tool = byTheTool(path);
  EXPECT_EQ(tool.framesWithRecords, window.framesWithRecords) << what;
  EXPECT_EQ(tool.failure, window.failure) << what;
}

const Bytes kBeacon = satelliteFrame().bytes();

TEST(SatelliteFrameReader, ReadsOddCapturesAsTheWindowDoes) {
  const Bytes other = otherStationFrame("DL1XYZ", "73");
  const Bytes escaped = satelliteFrame().withBatteryMv(0xC0DB).withAntennaB(0xDBC0).bytes();
  const struct {
    const char* what;
    Bytes capture;
  } cases[] = {
      {"empty file", {}},
      {"one byte", {0xC0}},
      {"frame without data", {0xC0, 0x00, 0xC0}},
      {"escapes", CaptureBuilder().timestamp(1).frame(escaped).bytes()},
      {"frames sharing one FEND",
       CaptureBuilder().frame(kBeacon).raw({0x00}).raw(kBeacon).raw({0xC0}).frame(kBeacon).bytes()},
      {"doubled FEND", CaptureBuilder().raw({0xC0}).frame(kBeacon).frame(kBeacon).bytes()},
      {"a record whose run takes in the next frame",
       CaptureBuilder().raw({0xC0, 0x09, 0x41, 0x00, 0x01, 0xC0}).frame(kBeacon).frame(kBeacon).bytes()},
      {"a beacon sent with command 9", CaptureBuilder().timestamp(5).frame(kBeacon, 0x09).frame(kBeacon).bytes()},
      {"a beacon on KISS port 1", CaptureBuilder().timestamp(5).frame(kBeacon, 0x10).bytes()},
      {"a trailing FEND", CaptureBuilder().frame(kBeacon).timestamp(7).raw({0xC0}).bytes()},
      {"cut inside a record", CaptureBuilder().frame(kBeacon).frame(kBeacon).raw({0xC0, 0x09, 0x00, 0x00, 0x01}).bytes()},
      {"records and others in any order",
       CaptureBuilder().frame(kBeacon).timestamp(1).timestamp(2).frame(other).frame(kBeacon).frame(kBeacon)
           .timestamp(3).bytes()},
  };
  for (const auto& c : cases) expectSameReading(c.capture, c.what);
}

// Captures of random pieces, many of them cut short at a random byte.
TEST(SatelliteFrameReader, ReadsRandomCapturesAsTheWindowDoes) {
  std::mt19937 random(1963);
  const auto pick = [&](std::uint32_t n) { return static_cast<std::uint32_t>(random() % n); };
  const auto byte = [&] {
    // Now and then a byte that frames, escapes or starts a record's run.
    static constexpr std::uint8_t special[] = {0xC0, 0xDB, 0xDC, 0xDD, 0x00, 0x09};
    return pick(4) == 0 ? special[pick(6)] : static_cast<std::uint8_t>(random());
  };
  for (int round = 0; round < 300; ++round) {
    CaptureBuilder capture;
    const auto pieces = pick(12);
    for (std::uint32_t p = 0; p < pieces; ++p) {
      switch (pick(6)) {
        case 0:
          capture.timestamp(random());
          break;
        case 1:
          capture.textTimestamp("2019-01-01 10:00:00.000 UTC");
          break;
        case 2: {
          auto beacon = satelliteFrame().withSequence(static_cast<std::uint16_t>(p));
          beacon.withLength(12 + pick(60));
          for (std::size_t k = 13; k <= beacon.bytes().size(); ++k) beacon.setByte(static_cast<int>(k), byte());
          capture.frame(beacon.bytes(), pick(5) == 0 ? 0x09 : 0x00);
          break;
        }
        case 3:
          capture.frame(otherStationFrame("N0CALL", "x"));
          break;
        default: {
          Bytes junk(1 + pick(4));
          for (auto& b : junk) b = byte();
          capture.raw(junk);
        }
      }
    }
    Bytes bytes = capture.bytes();
    if (!bytes.empty() && pick(2) == 0) bytes.resize(pick(static_cast<std::uint32_t>(bytes.size())));
    expectSameReading(bytes, "round " + std::to_string(round));
    if (::testing::Test::HasFailure()) break;
  }
}

}  // namespace
}  // namespace krvl2::testing
