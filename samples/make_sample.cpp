// Writes samples/pass.kss: a ten-minute pass of Korvel-2 as a ground station
// logs it. Twelve safe-mode beacons, each preceded by its 8-byte reception
// time, one nominal-mode beacon with its own, and a few other stations heard
// meanwhile (without time stamps). Some readings contain the bytes C0 and DB,
// so the capture carries KISS escapes.
//
// Usage: krvl2-make-sample OUTPUT.kss
#include <cstdio>
#include <exception>

#include "support/capture_builder.h"

using namespace krvl2::testing;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.kss\n", argv[0]);
    return 2;
  }
  try {
    CaptureBuilder capture;
    const std::uint32_t aos = 1546336784;  // 2019-01-01 09:59:44 UTC, on-board clock
    const auto rxStart = unixMillis(2019, 1, 1, 9, 59, 44, 123);

    capture.frame(otherStationFrame("EA4ABC", "=4025.50N/00340.10W-PHG2360 QRV 145.500"));
    for (int i = 0; i < 13; ++i) {
      const std::uint32_t elapsed = 45u * static_cast<std::uint32_t>(i);
      capture.timestamp(rxStart + elapsed * 1000u + static_cast<std::uint64_t>(i) * 7u);
      if (i == 6) {
        // The satellite left safe mode for one beacon.
        capture.frame(satelliteFrame().withMode(0x01).withSequence(static_cast<std::uint16_t>(300 + i)).bytes());
        continue;
      }
      auto beacon = satelliteFrame();
      beacon.withSequence(static_cast<std::uint16_t>(300 + i))
          .withObcTime(aos + elapsed)
          .withObcFlags(i < 3 ? 0x001F : 0x003F)
          .withBatteryMv(static_cast<std::uint16_t>(8123 - 4 * i))
          .withTotalCurrentMa(static_cast<std::uint16_t>(245 + (i % 4) * 30))
          .withForwardPower(static_cast<std::uint16_t>(i % 5 == 4 ? 0x00C0 : 700 - 10 * i))
          .withTxCurrent(static_cast<std::uint16_t>(i % 3 == 0 ? 101 : 190 + i))
          .withRxCurrent(static_cast<std::uint16_t>(200 + i))
          .withDoppler(static_cast<std::uint16_t>(1000 + 137 * i))
          .withRssi(static_cast<std::uint16_t>(i == 11 ? 960 : 936 - 2 * i))
          .withReflectedPower(static_cast<std::uint16_t>(100 + i))
          .withPaTemperature(static_cast<std::uint16_t>(240 + 3 * i))
          .withBusVoltage(static_cast<std::uint16_t>(i == 8 ? 0x01DB : 500 + i))
          .withAntennaA(0xA55A)
          .withAntennaB(i < 9 ? 0x0F0F : 0x0FC0);
      capture.frame(beacon.bytes());
      if (i == 2) capture.frame(otherStationFrame("DL1XYZ", ">ISS pass tonight, 73"));
      if (i == 9) capture.frame(otherStationFrame("F4KLM", "CQ CQ de F4KLM"));
    }
    capture.writeTo(argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
