// A beacon's fields as values, for the outputs that print numbers rather than
// the window's lines (the table, CSV and JSON).
//
// A field has a value only when the frame holds all of its bytes: a reading
// made from half a field is a wrong number, so it is left out instead. A
// nominal-mode beacon has no known layout, and the window shows none of its
// fields; here too only its mode is read. Beacons of any other mode byte are
// read by the safe-mode layout, as the window reads them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "beacon/exact_decimal.h"

namespace krvl2::cli {

// In the order of the output's columns.
enum class Field {
  ObcTime,
  Mode,
  Sequence,
  BatteryVoltage,
  TotalCurrent,
  ForwardPower,
  TxCurrent,
  RxCurrent,
  ReflectedPower,
  BusVoltage,
  PaTemperature,
  Doppler,
  Rssi,
  AntennaA,
  AntennaB,
  ObcFlags,
};
inline constexpr std::size_t kFieldCount = 16;

struct FieldLayout {
  Field field;
  const char* name;  // the column's name in CSV and JSON
  int firstByte;     // counted from 1 over the unescaped frame
  int size;          // bytes
};

// Every field, in column order.
const std::array<FieldLayout, kFieldCount>& fieldLayouts();

enum class BeaconMode { Unknown, Safe, Nominal, Other };

class BeaconReadings {
 public:
  // `frame` (a frame text) must outlive the readings.
  explicit BeaconReadings(std::string_view frame);

  BeaconMode mode() const { return mode_; }
  // The frame's length in bytes.
  std::int64_t frameBytes() const { return static_cast<std::int64_t>(frame_.size() / 3); }
  // Whether every field that the beacon's mode calls for has its value.
  bool complete() const { return complete_; }

  bool has(Field field) const { return raw_[static_cast<std::size_t>(field)].has_value(); }
  // The field as it stands: the 16-bit reading, the 32-bit time stamp, the
  // mode byte. Only when has(field).
  std::int64_t raw(Field field) const { return *raw_[static_cast<std::size_t>(field)]; }

  // The exact value of a reading in its unit, without any rounding. Only for
  // the scaled readings, when has(field); for Rssi only when it is in the
  // receiver's range (rssiInRange()).
  ExactDecimal exact(Field field) const;
  bool rssiInRange() const;

  // The pair of the mode byte ("FF"), or the four hex digits of a status
  // word ("A55A"), as they stand in the frame. Only when has(field).
  std::string hexDigits(Field field) const;

 private:
  std::string_view frame_;
  BeaconMode mode_ = BeaconMode::Unknown;
  bool complete_ = false;
  std::array<std::optional<std::int64_t>, kFieldCount> raw_;
};

// The mode's name in the outputs: "safe", "nominal", or the byte in hex.
std::string modeName(const BeaconReadings& readings);

// The field as the exact outputs give it: the on-board time in ISO 8601 UTC,
// the mode's name, counts in decimal, readings as their exact decimal value,
// status words as four hex digits. Nothing when the field has no value, or
// for a signal strength outside the receiver's range.
std::optional<std::string> exactFieldText(const BeaconReadings& readings, Field field);

// Whether the field is a number (JSON writes it without quotes).
bool isNumericField(Field field);

// Why a beacon's readings are incomplete: "only 40 of the beacon's 52 bytes".
std::string incompleteReason(const BeaconReadings& readings);

}  // namespace krvl2::cli
