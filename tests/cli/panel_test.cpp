// The panel of a capture that mixes beacon modes and a short frame: each
// frame's lines as the window shows them after stepping to it, with what the
// frames before left in the lines that a decode does not write.
#include <gtest/gtest.h>

#include "run_dump.h"
#include "support/capture_builder.h"
#include "support/temp_dir.h"

namespace krvl2::testing {
namespace {

TEST(Panel, CarriesTextsAndVisibilityFromFrameToFrameAsTheWindowDoes) {
  TempDir dir;
  const std::string path = dir.file("mixed.kss");
  CaptureBuilder()
      .timestamp(unixMillis(2019, 1, 1, 9, 59, 44, 123))
      .frame(satelliteFrame().withSequence(1).bytes())
      .timestamp(unixMillis(2019, 1, 1, 10, 0, 29))
      .frame(satelliteFrame().withMode(0x01).withSequence(2).bytes())
      .timestamp(unixMillis(2019, 1, 1, 10, 1, 14))
      .frame(satelliteFrame()
                 .withMode(0x3C)
                 .withSequence(3)
                 .withReflectedPower(200)
                 .withBusVoltage(600)
                 .withPaTemperature(300)
                 .withDoppler(2000)
                 .withRssi(950)
                 .withAntennaA(0x1111)
                 .withAntennaB(0x2222)
                 .withObcFlags(0x0033)
                 .bytes())
      .frame(satelliteFrame().withSequence(4).withBatteryMv(7500).withLength(40).bytes())
      .writeTo(path);

  const DumpRun run =
      runDump({"--format", "panel", "--date-format", "M/d/yyyy", "--time-format", "HH:mm:ss", path});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "krvl2-dump: " + path + ": frame 4: '$' is not a valid integer value\n");
  EXPECT_EQ(run.out,
            " AX.25   from:  KRVL2  to:  CQ    \n"
            " This file contains  4  frames\n"
            "frame 1 of 4\n"
            " RX date: 1/1/2019 09:59:44 UTC\n"
            " Safe mode beacon  \n"
            " OBC HK status flags: 001F HEX\n"
            " Sequence number: 1\n"
            " TimeStamp : 1/1/2019 09:59:44\n"
            " EPS battery voltage:  8.123 V\n"
            " EPS total system current: 245 mA\n"
            " TX forward power:  117.1 mW\n"
            " TRXUV TX reflected power:    2.4 mW\n"
            " TRXUV TX current: 39.895 mA\n"
            " TRXUV RX current: 79 mA\n"
            " TRXUV bus voltage:  8.065 V\n"
            " TRXUV power amp tenperature: 27.419 \u00B0C\n"
            " TRXUV Doppler:   3.23  \n"
            " TRXUV RX RSSI: -85 dBm\n"
            " Side A antenna status: A55A HEX\n"
            " Side B antenna status: 0F0F HEX\n"
            // A nominal-mode beacon hides the beacon lines...
            "frame 2 of 4\n"
            " RX date: 1/1/2019 10:00:29 UTC\n"
            " Nominal mode beacon   (not yet implemented) \n"
            // ...and a beacon of an unknown mode leaves the mode line and the
            // visibility as they were, while its lines are written hidden.
            "frame 3 of 4\n"
            " RX date: 1/1/2019 10:01:14 UTC\n"
            " Nominal mode beacon   (not yet implemented) \n"
            // A short safe-mode beacon shows the lines again; its decode stops at
            // the reflected power, so that line and the ones after it show frame
            // 3's texts. It has no time-stamp record: its reception time is empty.
            "frame 4 of 4\n"
            "\n"
            " Safe mode beacon  \n"
            " OBC HK status flags: 0033 HEX\n"
            " Sequence number: 4\n"
            " TimeStamp : 1/1/2019 09:59:44\n"
            " EPS battery voltage:  7.500 V\n"
            " EPS total system current: 245 mA\n"
            " TX forward power:  117.1 mW\n"
            " TRXUV TX reflected power:    9.6 mW\n"
            " TRXUV TX current: 39.895 mA\n"
            " TRXUV RX current: 79 mA\n"
            " TRXUV bus voltage:  9.677 V\n"
            " TRXUV power amp tenperature: 46.774 \u00B0C\n"
            " TRXUV Doppler:   6.45  \n"
            " TRXUV RX RSSI: -108 dBm\n"
            " Side A antenna status: 1111 HEX\n"
            " Side B antenna status: 2222 HEX\n"
            "error: '$' is not a valid integer value\n");
}

TEST(Panel, StartsEachCaptureFromAFreshWindow) {
  TempDir dir;
  const std::string first = dir.file("first.kss");
  CaptureBuilder().timestamp(unixMillis(2019, 1, 1, 9, 59, 44)).frame(satelliteFrame().bytes()).writeTo(first);
  // Its only beacon is of an unknown mode: a fresh window shows the first
  // texts of the lines, and not those of the capture before.
  const std::string second = dir.file("second.kss");
  CaptureBuilder().frame(satelliteFrame().withMode(0x3C).withLength(20).bytes()).writeTo(second);

  const DumpRun run = runDump({"--format", "panel", first, second});
  EXPECT_EQ(run.status, 1);
  const std::string secondBlock = run.out.substr(run.out.find("\n== " + second + "\n"));
  EXPECT_EQ(secondBlock,
            "\n== " + second + "\n"
            " AX.25   from:  KRVL2  to:  CQ    \n"
            " This file contains  1  frame\n"
            "frame 1 of 1\n"
            "\n"
            "Label6\n"
            "Label7\n"
            "Label3\n"
            "Label9\n"
            "Label8\n"
            "Label10\n"
            "Label13\n"
            "Label11\n"
            "Label12\n"
            "Label14\n"
            "Label15\n"
            "Label16\n"
            "Label17\n"
            "Label18\n"
            "Label19\n"
            "error: '$' is not a valid integer value\n");
  EXPECT_EQ(run.out.rfind("== " + first + "\n", 0), 0u);
}

}  // namespace
}  // namespace krvl2::testing
