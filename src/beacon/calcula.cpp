#include "beacon/calcula.h"

#include <string_view>

#include "beacon/beacon_fields.h"
#include "beacon/reception_time.h"
#include "beacon/renderings.h"
#include "capture/frame_text.h"

namespace krvl2 {

namespace {

// The beacon lines that a safe-mode beacon shows and a nominal-mode one hides.
constexpr int kBeaconLines[] = {3, 7, 9, 8, 10, 11, 12, 13, 15, 14, 16, 17, 18, 19, 21};

// The 16-bit field from `firstByte`; a frame that holds only its first byte
// gives that byte's value, one that holds neither throws the conversion error.
std::int32_t field16(std::string_view frame, int firstByte) { return HexFieldToInt(frame, firstByte, firstByte + 1); }

std::string receptionLine(std::string_view record, const LocaleSettings& locale) {
  const ReceptionTime time = receptionTimeOf(record);
  switch (time.form) {
    case ReceptionTime::Form::Milliseconds:
      // The milliseconds are cut, not rounded: a frame received at .999 still
      // belongs to its second.
      return " RX date: " + UnixTimeText(time.unixMillis / 1000, locale) + " UTC";
    case ReceptionTime::Form::Text:
      return " RX date: " + time.text;
    case ReceptionTime::Form::None:
      break;
  }
  // Empty rather than the previous frame's time, which would belong to
  // another frame.
  return {};
}

void showMode(std::string_view frame, DisplayLines& lines) {
  const std::string_view mode = pairOf(frame, beacon::kModeByte);
  bool visible = false;
  if (mode == beacon::kSafeModePair) {
    lines.setText(6, " Safe mode beacon  ");
    visible = true;
  } else if (mode == beacon::kNominalModePair) {
    lines.setText(6, " Nominal mode beacon   (not yet implemented) ");
  } else {
    return;  // an unknown mode leaves the lines as they are shown
  }
  for (const int label : kBeaconLines) lines.setVisible(label, visible);
}

}  // namespace

void calcula(const DecoderState& state, const LocaleSettings& locale, DisplayLines& lines) {
  using namespace beacon;
  const std::int64_t index = static_cast<std::int64_t>(state.SelectedFrame) - 1;
  const std::string_view record = state.TimestampRecords.at(index);
  const std::string_view frame = state.SatelliteFrames.at(index);

  lines.setText(20, receptionLine(record, locale));
  lines.setText(3, " TimeStamp : " + UnixTimeText(HexFieldToInt64(frame, kObcTimeByte, kObcTimeByte + 3), locale));
  showMode(frame, lines);
  lines.setText(7, " Sequence number: " + std::to_string(field16(frame, kSequenceByte)));
  lines.setText(9, " EPS battery voltage: " + FixedText(batteryVoltage(field16(frame, kBatteryVoltageByte)), 6, 3) +
                       " V");
  lines.setText(8, " EPS total system current: " + std::to_string(field16(frame, kTotalCurrentByte)) + " mA");
  lines.setText(10, " TX forward power: " + FixedText(transmitPower(field16(frame, kForwardPowerByte)), 6, 1) +
                        " mW");
  lines.setText(11, " TRXUV TX current: " + GeneralText(transceiverCurrent(field16(frame, kTxCurrentByte)), locale) +
                        " mA");
  lines.setText(12, " TRXUV RX current: " + GeneralText(transceiverCurrent(field16(frame, kRxCurrentByte)), locale) +
                        " mA");
  lines.setText(13, " TRXUV TX reflected power: " +
                        FixedText(transmitPower(field16(frame, kReflectedPowerByte)), 6, 1) + " mW");
  lines.setText(14, " TRXUV bus voltage: " + FixedText(busVoltage(field16(frame, kBusVoltageByte)), 6, 3) + " V");
  // The degree sign is code B0 in the lines' 8-bit character set.
  lines.setText(15, " TRXUV power amp tenperature: " +
                        FixedText(paTemperature(field16(frame, kPaTemperatureByte)), 6, 3) + " \xB0" "C");
  lines.setText(16, " TRXUV Doppler: " + FixedText(dopplerReading(field16(frame, kDopplerByte)), 6, 2) + "  ");
  const auto rssi = rssiDbm(field16(frame, kRssiByte));
  lines.setText(17, rssi ? " TRXUV RX RSSI: " + FixedText(*rssi, 3, 0) + " dBm" : " TRXUV RX RSSI:  Bad data !");
  lines.setText(18, " Side A antenna status: " + statusWord(frame, kAntennaAByte) + " HEX");
  lines.setText(19, " Side B antenna status: " + statusWord(frame, kAntennaBByte) + " HEX");
  lines.setText(21, " OBC HK status flags: " + statusWord(frame, kObcFlagsByte) + " HEX");
}

void selectFrame(DecoderState& state, std::int32_t position, const LocaleSettings& locale, DisplayLines& lines) {
  state.SelectedFrame = position;
  lines.setText(1, std::to_string(state.SelectedFrame));
  calcula(state, locale, lines);
}

}  // namespace krvl2
