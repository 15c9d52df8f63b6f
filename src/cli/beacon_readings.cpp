#include "cli/beacon_readings.h"

#include <stdexcept>

#include "beacon/beacon_fields.h"
#include "beacon/calendar.h"
#include "capture/frame_text.h"

namespace krvl2::cli {

using namespace krvl2::beacon;

const std::array<FieldLayout, kFieldCount>& fieldLayouts() {
  static const std::array<FieldLayout, kFieldCount> layouts = {{
      {Field::ObcTime, "obc_time_utc", kObcTimeByte, 4},
      {Field::Mode, "mode", kModeByte, 1},
      {Field::Sequence, "sequence", kSequenceByte, 2},
      {Field::BatteryVoltage, "battery_v", kBatteryVoltageByte, 2},
      {Field::TotalCurrent, "total_current_ma", kTotalCurrentByte, 2},
      {Field::ForwardPower, "tx_forward_mw", kForwardPowerByte, 2},
      {Field::TxCurrent, "tx_current_ma", kTxCurrentByte, 2},
      {Field::RxCurrent, "rx_current_ma", kRxCurrentByte, 2},
      {Field::ReflectedPower, "tx_reflected_mw", kReflectedPowerByte, 2},
      {Field::BusVoltage, "bus_v", kBusVoltageByte, 2},
      {Field::PaTemperature, "pa_temp_c", kPaTemperatureByte, 2},
      {Field::Doppler, "doppler", kDopplerByte, 2},
      {Field::Rssi, "rssi_dbm", kRssiByte, 2},
      {Field::AntennaA, "antenna_a", kAntennaAByte, 2},
      {Field::AntennaB, "antenna_b", kAntennaBByte, 2},
      {Field::ObcFlags, "obc_flags", kObcFlagsByte, 2},
  }};
  return layouts;
}

BeaconReadings::BeaconReadings(std::string_view frame) : frame_(frame) {
  const std::string_view modePair = pairOf(frame, kModeByte);
  if (modePair.size() == 2) {
    mode_ = modePair == kSafeModePair      ? BeaconMode::Safe
            : modePair == kNominalModePair ? BeaconMode::Nominal
                                           : BeaconMode::Other;
  }
  complete_ = true;
  for (const FieldLayout& layout : fieldLayouts()) {
    if (mode_ == BeaconMode::Nominal && layout.field != Field::Mode) continue;
    const int lastByte = layout.firstByte + layout.size - 1;
    if (pairOf(frame, lastByte).size() == 2) {
      raw_[static_cast<std::size_t>(layout.field)] = HexFieldToInt64(frame, layout.firstByte, lastByte);
    } else {
      complete_ = false;
    }
  }
}

ExactDecimal BeaconReadings::exact(Field field) const {
  const std::int64_t n = raw(field);
  switch (field) {
    case Field::Sequence:
    case Field::TotalCurrent:
      return ExactDecimal::whole(n);
    case Field::BatteryVoltage:
      return batteryVoltage(n);
    case Field::ForwardPower:
    case Field::ReflectedPower:
      return transmitPower(n);
    case Field::TxCurrent:
    case Field::RxCurrent:
      return transceiverCurrent(n);
    case Field::BusVoltage:
      return busVoltage(n);
    case Field::PaTemperature:
      return paTemperature(n);
    case Field::Doppler:
      return dopplerReading(n);
    case Field::Rssi:
      return rssiDbm(n).value();
    default:
      throw std::logic_error("not a reading");
  }
}

bool BeaconReadings::rssiInRange() const { return has(Field::Rssi) && rssiDbm(raw(Field::Rssi)).has_value(); }

std::string BeaconReadings::hexDigits(Field field) const {
  if (field == Field::Mode) return std::string(pairOf(frame_, kModeByte));
  for (const FieldLayout& layout : fieldLayouts()) {
    if (layout.field == field) return statusWord(frame_, layout.firstByte);
  }
  return {};
}

std::string modeName(const BeaconReadings& readings) {
  switch (readings.mode()) {
    case BeaconMode::Safe:
      return "safe";
    case BeaconMode::Nominal:
      return "nominal";
    case BeaconMode::Other:
      return readings.hexDigits(Field::Mode);
    case BeaconMode::Unknown:
      break;
  }
  return {};
}

std::optional<std::string> exactFieldText(const BeaconReadings& readings, Field field) {
  if (!readings.has(field)) return std::nullopt;
  switch (field) {
    case Field::ObcTime:
      return isoUtcText(readings.raw(field) * 1000, false);
    case Field::Mode:
      return modeName(readings);
    case Field::AntennaA:
    case Field::AntennaB:
    case Field::ObcFlags:
      return readings.hexDigits(field);
    case Field::Rssi:
      if (!readings.rssiInRange()) return std::nullopt;
      break;
    default:
      break;
  }
  return readings.exact(field).exactText();
}

bool isNumericField(Field field) {
  return field != Field::ObcTime && field != Field::Mode && field != Field::AntennaA && field != Field::AntennaB &&
         field != Field::ObcFlags;
}

std::string incompleteReason(const BeaconReadings& readings) {
  return "only " + std::to_string(readings.frameBytes()) + " of the beacon's " + std::to_string(kLastByte) +
         " bytes";
}

}  // namespace krvl2::cli
