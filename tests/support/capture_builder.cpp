#include "support/capture_builder.h"

#include <fstream>
#include <stdexcept>

namespace krvl2::testing {

std::string hexText(const Bytes& bytes) {
  static constexpr char digits[] = "0123456789ABCDEF";
  std::string text;
  for (auto b : bytes) {
    text += digits[b >> 4];
    text += digits[b & 0x0F];
    text += ' ';
  }
  return text;
}

Bytes ax25Address(const std::string& callsign, int ssid, bool last) {
  std::string padded = callsign.substr(0, 6);
  padded.resize(6, ' ');
  Bytes address;
  for (char c : padded) address.push_back(static_cast<std::uint8_t>(c << 1));
  address.push_back(static_cast<std::uint8_t>(0x60 | (ssid & 0x0F) << 1 | (last ? 1 : 0)));
  return address;
}

Bytes ax25Frame(const std::string& destination, const std::string& source, const Bytes& information,
                int sourceSsid) {
  Bytes frame = ax25Address(destination, 0, false);
  const Bytes from = ax25Address(source, sourceSsid, true);
  frame.insert(frame.end(), from.begin(), from.end());
  frame.push_back(0x03);
  frame.push_back(0xF0);
  frame.insert(frame.end(), information.begin(), information.end());
  return frame;
}

Bytes kissEscape(const Bytes& data) {
  Bytes escaped;
  for (auto b : data) {
    if (b == 0xC0) {
      escaped.push_back(0xDB);
      escaped.push_back(0xDC);
    } else if (b == 0xDB) {
      escaped.push_back(0xDB);
      escaped.push_back(0xDD);
    } else {
      escaped.push_back(b);
    }
  }
  return escaped;
}

BeaconBuilder::BeaconBuilder() : bytes_(52, 0x00) {
  setAddresses();
  bytes_[17] = 0xFF;
}

void BeaconBuilder::setAddresses() {
  const Bytes head = ax25Frame(destination_, source_, {}, sourceSsid_);
  std::copy(head.begin(), head.end(), bytes_.begin());
}

BeaconBuilder& BeaconBuilder::to(const std::string& destination) {
  destination_ = destination;
  setAddresses();
  return *this;
}

BeaconBuilder& BeaconBuilder::from(const std::string& source, int ssid) {
  source_ = source;
  sourceSsid_ = ssid;
  setAddresses();
  return *this;
}

BeaconBuilder& BeaconBuilder::withMode(std::uint8_t mode) { return setByte(18, mode); }

BeaconBuilder& BeaconBuilder::withObcTime(std::uint32_t unixSeconds) {
  set16(21, static_cast<std::uint16_t>(unixSeconds >> 16));
  return set16(23, static_cast<std::uint16_t>(unixSeconds & 0xFFFF));
}

BeaconBuilder& BeaconBuilder::set16(int byteNumber, std::uint16_t value) {
  setByte(byteNumber, static_cast<std::uint8_t>(value >> 8));
  return setByte(byteNumber + 1, static_cast<std::uint8_t>(value & 0xFF));
}

BeaconBuilder& BeaconBuilder::setByte(int byteNumber, std::uint8_t value) {
  if (byteNumber < 1) throw std::out_of_range("byte numbers count from 1");
  if (static_cast<std::size_t>(byteNumber) > bytes_.size()) bytes_.resize(byteNumber, 0x00);
  bytes_[byteNumber - 1] = value;
  return *this;
}

BeaconBuilder& BeaconBuilder::withLength(std::size_t length, std::uint8_t fill) {
  bytes_.resize(length, fill);
  return *this;
}

BeaconBuilder satelliteFrame() {
  BeaconBuilder beacon;
  beacon.setByte(17, 0x00)
      .withMode(0xFF)
      .withSequence(300)
      .withObcTime(0x5C2B3A10)  // 2019-01-01 09:59:44
      .withObcFlags(0x001F)
      .withBatteryMv(0x1FBB)
      .withTotalCurrentMa(245)
      .withForwardPower(700)
      .withTxCurrent(101)
      .withRxCurrent(200)
      .withDoppler(1000)
      .withRssi(936)
      .withReflectedPower(100)
      .set16(43, 0)
      .withPaTemperature(240)
      .withBusVoltage(500)
      .withAntennaA(0xA55A)
      .withAntennaB(0x0F0F);
  return beacon;
}

Bytes otherStationFrame(const std::string& source, const std::string& text) {
  return ax25Frame("APRS", source, Bytes(text.begin(), text.end()));
}

CaptureBuilder& CaptureBuilder::frame(const Bytes& data, std::uint8_t command) {
  bytes_.push_back(0xC0);
  bytes_.push_back(command);
  const Bytes escaped = kissEscape(data);
  bytes_.insert(bytes_.end(), escaped.begin(), escaped.end());
  bytes_.push_back(0xC0);
  return *this;
}

CaptureBuilder& CaptureBuilder::timestamp(std::uint64_t unixMillis) {
  Bytes record = {0xC0, 0x09, 0x00, 0x00};
  for (int shift = 40; shift >= 0; shift -= 8) record.push_back(static_cast<std::uint8_t>(unixMillis >> shift));
  record.push_back(0xC0);
  return raw(record);
}

CaptureBuilder& CaptureBuilder::textTimestamp(const std::string& text) {
  Bytes record = {0xC0, 0x09};
  record.insert(record.end(), text.begin(), text.end());
  record.push_back(0xC0);
  return raw(record);
}

CaptureBuilder& CaptureBuilder::raw(const Bytes& bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  return *this;
}

void CaptureBuilder::writeTo(const std::string& path) const {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes_.data()), static_cast<std::streamsize>(bytes_.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

std::uint64_t unixMillis(int year, int month, int day, int hour, int minute, int second, int millis) {
  // Days from civil, proleptic Gregorian.
  year -= month <= 2;
  const long era = (year >= 0 ? year : year - 399) / 400;
  const long yearOfEra = year - era * 400;
  const long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  const long days = era * 146097 + dayOfEra - 719468;
  return static_cast<std::uint64_t>(((days * 24 + hour) * 60 + minute) * 60 + second) * 1000 +
         static_cast<std::uint64_t>(millis);
}

}  // namespace krvl2::testing
