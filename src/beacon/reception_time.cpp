#include "beacon/reception_time.h"

#include "capture/frame_text.h"

namespace krvl2 {

namespace {

constexpr std::size_t kBinaryRecordCharacters = 8 * 3;
constexpr int kTextRecordBytes = 27;

}  // namespace

ReceptionTime receptionTimeOf(std::string_view record) {
  ReceptionTime time;
  if (record.size() == kBinaryRecordCharacters) {
    time.form = ReceptionTime::Form::Milliseconds;
    time.unixMillis = HexFieldToInt64(record, 3, 8);
  } else if (pairOf(record, 25) == "55" && pairOf(record, 26) == "54" && pairOf(record, kTextRecordBytes) == "43") {
    time.form = ReceptionTime::Form::Text;
    time.text = HexPairsToText(record, kTextRecordBytes);
  }
  return time;
}

}  // namespace krvl2
