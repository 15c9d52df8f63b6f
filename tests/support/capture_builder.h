// Builders for the bytes of AX.25 frames, safe-mode beacons and .KSS captures,
// so that tests, benchmarks and the sample generator say what they build
// instead of spelling out bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace krvl2::testing {

using Bytes = std::vector<std::uint8_t>;

// The frame text of raw bytes: "96 A4 " for {0x96, 0xA4}.
std::string hexText(const Bytes& bytes);

// A 7-byte AX.25 address: the callsign padded with blanks to six characters,
// each shifted left by one bit, then the SSID byte.
Bytes ax25Address(const std::string& callsign, int ssid, bool last);

// An AX.25 UI frame: destination, source, control 03, PID F0, information.
Bytes ax25Frame(const std::string& destination, const std::string& source, const Bytes& information,
                int sourceSsid = 0);

// KISS escaping: C0 becomes DB DC, DB becomes DB DD.
Bytes kissEscape(const Bytes& data);

// A safe-mode beacon of 52 bytes; the defaults are an ordinary reading.
// Setters take the raw field values, as the satellite sends them.
class BeaconBuilder {
 public:
  BeaconBuilder();

  BeaconBuilder& to(const std::string& destination);
  BeaconBuilder& from(const std::string& source, int ssid = 0);
  BeaconBuilder& withMode(std::uint8_t mode);
  BeaconBuilder& withSequence(std::uint16_t value) { return set16(19, value); }
  BeaconBuilder& withObcTime(std::uint32_t unixSeconds);
  BeaconBuilder& withObcFlags(std::uint16_t value) { return set16(25, value); }
  BeaconBuilder& withBatteryMv(std::uint16_t value) { return set16(27, value); }
  BeaconBuilder& withTotalCurrentMa(std::uint16_t value) { return set16(29, value); }
  BeaconBuilder& withForwardPower(std::uint16_t value) { return set16(31, value); }
  BeaconBuilder& withTxCurrent(std::uint16_t value) { return set16(33, value); }
  BeaconBuilder& withRxCurrent(std::uint16_t value) { return set16(35, value); }
  BeaconBuilder& withDoppler(std::uint16_t value) { return set16(37, value); }
  BeaconBuilder& withRssi(std::uint16_t value) { return set16(39, value); }
  BeaconBuilder& withReflectedPower(std::uint16_t value) { return set16(41, value); }
  BeaconBuilder& withPaTemperature(std::uint16_t value) { return set16(45, value); }
  BeaconBuilder& withBusVoltage(std::uint16_t value) { return set16(47, value); }
  BeaconBuilder& withAntennaA(std::uint16_t value) { return set16(49, value); }
  BeaconBuilder& withAntennaB(std::uint16_t value) { return set16(51, value); }
  // Sets the 16-bit big-endian field whose first byte is `byteNumber` (from 1).
  BeaconBuilder& set16(int byteNumber, std::uint16_t value);
  BeaconBuilder& setByte(int byteNumber, std::uint8_t value);
  // Cuts the frame to its first `length` bytes, or pads it with `fill`.
  BeaconBuilder& withLength(std::size_t length, std::uint8_t fill = 0x00);

  const Bytes& bytes() const { return bytes_; }
  std::string text() const { return hexText(bytes_); }

 private:
  void setAddresses();

  std::string destination_ = "CQ";
  std::string source_ = "KRVL2";
  int sourceSsid_ = 0;
  Bytes bytes_;
};

// The worked example of the beacon layout: every field set.
BeaconBuilder satelliteFrame();

// A beacon of another station: "APRS" from the given callsign with a text.
Bytes otherStationFrame(const std::string& source, const std::string& text);

// A .KSS capture as a logging program writes it.
class CaptureBuilder {
 public:
  // A KISS frame: C0, the command byte, the escaped data, C0.
  CaptureBuilder& frame(const Bytes& data, std::uint8_t command = 0x00);
  // An 8-byte time-stamp record: 00 00 and 48 bits of milliseconds since 1970.
  CaptureBuilder& timestamp(std::uint64_t unixMillis);
  // A text time-stamp record, written as it stands (command 9).
  CaptureBuilder& textTimestamp(const std::string& text);
  // Bytes as they stand, for damage and odd framing.
  CaptureBuilder& raw(const Bytes& bytes);

  const Bytes& bytes() const { return bytes_; }
  void writeTo(const std::string& path) const;

 private:
  Bytes bytes_;
};

// The milliseconds since 1970 of a UTC date and time.
std::uint64_t unixMillis(int year, int month, int day, int hour, int minute, int second, int millis = 0);

}  // namespace krvl2::testing
