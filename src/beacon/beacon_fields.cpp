#include "beacon/beacon_fields.h"

#include "capture/frame_text.h"

namespace krvl2::beacon {

namespace {

// The satellite's scale factors, written as its documentation gives them.
struct ScaleFactors {
  ExactDecimal millivolt = ExactDecimal::fromText("0.001");
  ExactDecimal power = ExactDecimal::fromText("0.000239");
  ExactDecimal current = ExactDecimal::fromText("0.395");
  ExactDecimal doppler = ExactDecimal::fromText("0.0032258");
  ExactDecimal busVoltage = ExactDecimal::fromText("0.016129");
  ExactDecimal temperature = ExactDecimal::fromText("0.3225806");
  ExactDecimal temperatureOffset = ExactDecimal::whole(50);
  ExactDecimal rssi = ExactDecimal::fromText("1.667");
  ExactDecimal rssiOffset = ExactDecimal::whole(110);
};

const ScaleFactors& factors() {
  static const ScaleFactors instance;
  return instance;
}

}  // namespace

ExactDecimal batteryVoltage(std::int64_t n) { return ExactDecimal::whole(n) * factors().millivolt; }

ExactDecimal transmitPower(std::int64_t n) { return ExactDecimal::whole(n) * ExactDecimal::whole(n) * factors().power; }

ExactDecimal transceiverCurrent(std::int64_t n) { return ExactDecimal::whole(n) * factors().current; }

ExactDecimal dopplerReading(std::int64_t n) { return ExactDecimal::whole(n) * factors().doppler; }

ExactDecimal busVoltage(std::int64_t n) { return ExactDecimal::whole(n) * factors().busVoltage; }

ExactDecimal paTemperature(std::int64_t n) {
  return ExactDecimal::whole(n) * factors().temperature - factors().temperatureOffset;
}

std::optional<ExactDecimal> rssiDbm(std::int64_t n) {
  if (n < 920 || n > 957) return std::nullopt;
  return ExactDecimal::whole(951 - n) * factors().rssi - factors().rssiOffset;
}

std::string statusWord(std::string_view frame, int firstByte) {
  return std::string(pairOf(frame, firstByte)) + std::string(pairOf(frame, firstByte + 1));
}

}  // namespace krvl2::beacon
