// The CSV and JSON outputs read back by strict readers: every row whole,
// every value where it belongs, whatever the capture's path or frames hold.
#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "run_dump.h"
#include "strict_readers.h"
#include "support/capture_builder.h"
#include "support/temp_dir.h"

namespace krvl2::testing {
namespace {

const std::vector<std::string> kColumns = {
    "capture",  "frame",         "rx_time_utc",      "obc_time_utc",  "mode",          "sequence",
    "battery_v", "total_current_ma", "tx_forward_mw", "tx_current_ma", "rx_current_ma", "tx_reflected_mw",
    "bus_v",    "pa_temp_c",     "doppler",          "rssi_dbm",      "antenna_a",     "antenna_b",
    "obc_flags", "hex"};

std::string withoutTrailingBlank(std::string text) {
  if (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

// The rows as maps from column name to field.
std::vector<std::map<std::string, std::string>> csvRows(const std::string& csv) {
  const auto rows = readCsv(csv);
  EXPECT_FALSE(rows.empty());
  if (rows.empty()) return {};
  EXPECT_EQ(rows[0], kColumns);
  std::vector<std::map<std::string, std::string>> result;
  for (std::size_t r = 1; r < rows.size(); ++r) {
    EXPECT_EQ(rows[r].size(), kColumns.size()) << "row " << r;
    std::map<std::string, std::string> row;
    for (std::size_t c = 0; c < rows[r].size() && c < kColumns.size(); ++c) row[kColumns[c]] = rows[r][c];
    result.push_back(row);
  }
  return result;
}

// A beacon followed by the 256 byte values, C0 and DB among them, which the
// capture holds escaped.
Bytes everyByteFrame() {
  Bytes bytes = satelliteFrame().withSequence(1).bytes();
  for (int b = 0; b < 256; ++b) bytes.push_back(static_cast<std::uint8_t>(b));
  return bytes;
}

struct OddCapture {
  TempDir dir;
  std::string path = dir.file("pass, \"best\" of 2019.kss");
  Bytes everyByte = everyByteFrame();
  Bytes nominal = satelliteFrame().withMode(0x01).withSequence(2).bytes();
  Bytes shortBeacon = satelliteFrame().withSequence(3).withLength(40).bytes();
  Bytes late = satelliteFrame().withSequence(4).withRssi(960).withPaTemperature(155).bytes();

  OddCapture() {
    CaptureBuilder()
        .timestamp(unixMillis(2019, 1, 1, 9, 59, 44, 123))
        .frame(everyByte)
        .timestamp(unixMillis(2019, 1, 1, 10, 0, 29, 999))
        .frame(nominal)
        .textTimestamp("2019-01-01 10:01:14.000 UTC")
        .frame(shortBeacon)
        .frame(late)
        .writeTo(path);
  }
};

TEST(Csv, ReadsBackWholeWithOddPathsAndEveryByteValue) {
  const OddCapture capture;
  const DumpRun run = runDump({"--format", "csv", capture.path});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "krvl2-dump: " + capture.path + ": frame 3: only 40 of the beacon's 52 bytes\n");

  const auto rows = csvRows(run.out);
  ASSERT_EQ(rows.size(), 4u);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].at("capture"), capture.path);
    EXPECT_EQ(rows[i].at("frame"), std::to_string(i + 1));
  }
  EXPECT_EQ(rows[0].at("hex"), withoutTrailingBlank(hexText(capture.everyByte)));
  EXPECT_EQ(rows[1].at("hex"), withoutTrailingBlank(hexText(capture.nominal)));
  EXPECT_EQ(rows[2].at("hex"), withoutTrailingBlank(hexText(capture.shortBeacon)));

  // The worked example's readings, exact.
  const std::map<std::string, std::string> first = {
      {"rx_time_utc", "2019-01-01T09:59:44.123Z"}, {"obc_time_utc", "2019-01-01T09:59:44Z"},
      {"mode", "safe"}, {"sequence", "1"}, {"battery_v", "8.123"}, {"total_current_ma", "245"},
      {"tx_forward_mw", "117.11"}, {"tx_current_ma", "39.895"}, {"rx_current_ma", "79"},
      {"tx_reflected_mw", "2.39"}, {"bus_v", "8.0645"}, {"pa_temp_c", "27.419344"}, {"doppler", "3.2258"},
      {"rssi_dbm", "-84.995"}, {"antenna_a", "A55A"}, {"antenna_b", "0F0F"}, {"obc_flags", "001F"}};
  for (const auto& [column, value] : first) EXPECT_EQ(rows[0].at(column), value) << column;

  // A nominal-mode beacon has no known layout: its reception time and mode.
  for (const auto& column : kColumns) {
    if (column == "capture" || column == "frame" || column == "hex") continue;
    const bool given = column == "rx_time_utc" || column == "mode";
    EXPECT_EQ(rows[1].at(column).empty(), !given) << column;
  }
  EXPECT_EQ(rows[1].at("rx_time_utc"), "2019-01-01T10:00:29.999Z");
  EXPECT_EQ(rows[1].at("mode"), "nominal");

  // A text-form record as it stands; no record at all leaves the time empty.
  EXPECT_EQ(rows[2].at("rx_time_utc"), "2019-01-01 10:01:14.000 UTC");
  EXPECT_EQ(rows[3].at("rx_time_utc"), "");
  // Out of the receiver's range there is no signal strength; a temperature
  // just below zero keeps its sign and every digit.
  EXPECT_EQ(rows[3].at("rssi_dbm"), "");
  EXPECT_EQ(rows[3].at("pa_temp_c"), "-0.000007");
}

TEST(Json, GivesTheNamesAndValuesOfTheCsv) {
  const OddCapture capture;
  const DumpRun csv = runDump({"--format", "csv", capture.path});
  const DumpRun json = runDump({"--format", "json", capture.path});
  EXPECT_EQ(json.status, csv.status);
  EXPECT_EQ(json.err, csv.err);

  const auto rows = csvRows(csv.out);
  const auto lines = linesOf(json.out);
  ASSERT_EQ(lines.size(), rows.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(jsonNamesInOrder(lines[i]), kColumns);
    const auto object = readJsonObject(lines[i]);
    for (const auto& column : kColumns) {
      const JsonValue& value = object.at(column);
      const std::string& field = rows[i].at(column);
      if (field.empty()) {
        EXPECT_EQ(value.kind, JsonValue::Kind::Null) << column << " of frame " << i + 1;
        continue;
      }
      EXPECT_EQ(value.text, field) << column << " of frame " << i + 1;
      const bool text = column == "capture" || column == "rx_time_utc" || column == "obc_time_utc" ||
                        column == "mode" || column.rfind("antenna", 0) == 0 || column == "obc_flags" ||
                        column == "hex";
      EXPECT_EQ(value.kind, text ? JsonValue::Kind::String : JsonValue::Kind::Number) << column;
    }
  }
}

TEST(Json, StaysValidForAPathThatIsNotUtf8) {
  TempDir dir;
  const std::string path = dir.file("pass\xFF\tnight.kss");
  CaptureBuilder().frame(satelliteFrame().bytes()).writeTo(path);
  const DumpRun run = runDump({"--format", "json", path});
  EXPECT_EQ(run.status, 0);
  const auto object = readJsonObject(linesOf(run.out).at(0));
  EXPECT_EQ(object.at("capture").text, dir.file("pass\xEF\xBF\xBD\tnight.kss"));
}

struct ShortFrameCase {
  std::size_t length;
  std::set<std::string> filled;  // the columns with a value; all others empty
  friend void PrintTo(const ShortFrameCase& c, std::ostream* out) { *out << c.length << " bytes"; }
};

class ShortFrame : public ::testing::TestWithParam<ShortFrameCase> {};

// A field is given only when the frame holds all of its bytes: half a field
// would be a wrong number.
TEST_P(ShortFrame, GivesTheFieldsItHoldsWhole) {
  TempDir dir;
  const std::string path = dir.file("short.kss");
  CaptureBuilder().frame(satelliteFrame().withLength(GetParam().length).bytes()).writeTo(path);
  const DumpRun run = runDump({"--format", "csv", path});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "krvl2-dump: " + path + ": frame 1: only " + std::to_string(GetParam().length) +
                         " of the beacon's 52 bytes\n");
  const auto rows = csvRows(run.out);
  ASSERT_EQ(rows.size(), 1u);
  for (std::size_t c = 3; c + 1 < kColumns.size(); ++c) {
    const std::string& column = kColumns[c];
    EXPECT_EQ(!rows[0].at(column).empty(), GetParam().filled.count(column) == 1) << column;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, ShortFrame,
    ::testing::Values(
        ShortFrameCase{17, {}}, ShortFrameCase{20, {"mode", "sequence"}},
        ShortFrameCase{40,
                       {"obc_time_utc", "mode", "sequence", "battery_v", "total_current_ma", "tx_forward_mw",
                        "tx_current_ma", "rx_current_ma", "doppler", "rssi_dbm", "obc_flags"}},
        // The window reads byte 47 alone as the bus voltage.
        ShortFrameCase{47,
                       {"obc_time_utc", "mode", "sequence", "battery_v", "total_current_ma", "tx_forward_mw",
                        "tx_current_ma", "rx_current_ma", "tx_reflected_mw", "pa_temp_c", "doppler", "rssi_dbm",
                        "obc_flags"}},
        ShortFrameCase{51,
                       {"obc_time_utc", "mode", "sequence", "battery_v", "total_current_ma", "tx_forward_mw",
                        "tx_current_ma", "rx_current_ma", "tx_reflected_mw", "bus_v", "pa_temp_c", "doppler",
                        "rssi_dbm", "antenna_a", "obc_flags"}}),
    [](const auto& info) { return "bytes_" + std::to_string(info.param.length); });

TEST(ShortFrame, OfANominalBeaconIsNoFailure) {
  TempDir dir;
  const std::string path = dir.file("nominal.kss");
  CaptureBuilder().frame(satelliteFrame().withMode(0x01).withLength(18).bytes()).writeTo(path);
  const DumpRun run = runDump({"--format", "json", path});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(readJsonObject(run.out).at("mode").text, "nominal");
}

struct PairingCase {
  std::string name;
  CaptureBuilder capture;
  std::vector<std::string> receptionTimes;  // of the satellite frames, in order
  friend void PrintTo(const PairingCase& c, std::ostream* out) { *out << c.name; }
};

const Bytes kBeacon = satelliteFrame().bytes();
const Bytes kOther = otherStationFrame("DL1XYZ", "73");
std::uint64_t at(int second) { return unixMillis(2019, 1, 1, 10, 0, second); }
std::string iso(int second) { return "2019-01-01T10:00:" + std::string(second < 10 ? "0" : "") + std::to_string(second) + ".000Z"; }

class Pairing : public ::testing::TestWithParam<PairingCase> {};

// The n-th record goes with the n-th satellite frame, wherever each stands.
TEST_P(Pairing, TakesTheRecordAtTheFramesPosition) {
  TempDir dir;
  const std::string path = dir.file("pairing.kss");
  GetParam().capture.writeTo(path);
  const DumpRun run = runDump({"--format", "csv", path});
  EXPECT_EQ(run.status, 0) << run.err;
  const auto rows = csvRows(run.out);
  std::vector<std::string> times;
  for (const auto& row : rows) times.push_back(row.at("rx_time_utc"));
  EXPECT_EQ(times, GetParam().receptionTimes);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, Pairing,
    ::testing::Values(
        PairingCase{"record_before_its_frame",
                    CaptureBuilder().timestamp(at(1)).frame(kBeacon).frame(kOther).timestamp(at(2)).frame(kBeacon),
                    {iso(1), iso(2)}},
        PairingCase{"record_after_its_frame",
                    CaptureBuilder().frame(kBeacon).timestamp(at(1)).frame(kBeacon).timestamp(at(2)),
                    {iso(1), iso(2)}},
        PairingCase{"records_at_the_end",
                    CaptureBuilder().frame(kBeacon).frame(kBeacon).frame(kBeacon).timestamp(at(1)).timestamp(at(2))
                        .timestamp(at(3)),
                    {iso(1), iso(2), iso(3)}},
        PairingCase{"fewer_records_than_frames", CaptureBuilder().timestamp(at(1)).frame(kBeacon).frame(kBeacon),
                    {iso(1), ""}},
        PairingCase{"other_stations_stamped_too",
                    CaptureBuilder().timestamp(at(1)).frame(kOther).timestamp(at(2)).frame(kBeacon).timestamp(at(3))
                        .frame(kOther).timestamp(at(4)).frame(kBeacon),
                    {iso(1), iso(2)}},
        PairingCase{"no_records", CaptureBuilder().frame(kBeacon).frame(kOther).frame(kBeacon), {"", ""}}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace krvl2::testing
