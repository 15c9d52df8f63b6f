// The safe-mode beacon: where each field stands and what its reading means.
//
// Byte numbers count from 1 over the frame as kept in SatelliteFrames (KISS
// escapes removed, no command byte): bytes 1..16 are the AX.25 addresses,
// control and protocol bytes, and the beacon follows at fixed positions
// without regard to the frame's length. Fields of two bytes are unsigned and
// big-endian. The readings are exact decimals; the window rounds them for
// display, the command-line tool prints them whole.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "beacon/exact_decimal.h"

namespace krvl2::beacon {

// First byte of each field.
inline constexpr int kModeByte = 18;              // 1 byte: FF safe, 01 nominal
inline constexpr int kSequenceByte = 19;          // count
inline constexpr int kObcTimeByte = 21;           // 4 bytes: seconds since 1970
inline constexpr int kObcFlagsByte = 25;          // status word
inline constexpr int kBatteryVoltageByte = 27;    // batteryVoltage
inline constexpr int kTotalCurrentByte = 29;      // mA as it stands
inline constexpr int kForwardPowerByte = 31;      // transmitPower
inline constexpr int kTxCurrentByte = 33;         // transceiverCurrent
inline constexpr int kRxCurrentByte = 35;         // transceiverCurrent
inline constexpr int kDopplerByte = 37;           // dopplerReading
inline constexpr int kRssiByte = 39;              // rssiDbm
inline constexpr int kReflectedPowerByte = 41;    // transmitPower
inline constexpr int kPaTemperatureByte = 45;     // paTemperature
inline constexpr int kBusVoltageByte = 47;        // busVoltage
inline constexpr int kAntennaAByte = 49;          // status word
inline constexpr int kAntennaBByte = 51;          // status word
inline constexpr int kLastByte = 52;

// The pairs of the mode byte that have a meaning.
inline constexpr std::string_view kSafeModePair = "FF";
inline constexpr std::string_view kNominalModePair = "01";

// The readings of the 16-bit fields, N being the field's value.
ExactDecimal batteryVoltage(std::int64_t n);      // N x 0.001 V
ExactDecimal transmitPower(std::int64_t n);       // N^2 x 0.000239 mW, forward and reflected
ExactDecimal transceiverCurrent(std::int64_t n);  // N x 0.395 mA, transmit and receive
ExactDecimal dopplerReading(std::int64_t n);      // N x 0.0032258, no unit
ExactDecimal busVoltage(std::int64_t n);          // N x 0.016129 V
ExactDecimal paTemperature(std::int64_t n);       // N x 0.3225806 - 50 degrees Celsius
// (951 - N) x 1.667 - 110 dBm; the receiver reports nothing sound outside
// 920..957, and then there is no value.
std::optional<ExactDecimal> rssiDbm(std::int64_t n);

// The hex digits of the two bytes from `firstByte` as they stand, first byte
// first ("A55A"); bytes the frame does not hold give nothing. Never fails.
std::string statusWord(std::string_view frame, int firstByte);

}  // namespace krvl2::beacon
