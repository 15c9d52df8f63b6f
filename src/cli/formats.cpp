#include "cli/formats.h"

#include "beacon/calendar.h"
#include "beacon/reception_time.h"
#include "capture/windows1252.h"

namespace krvl2::cli {

std::optional<std::string> receptionTimeText(std::string_view record) {
  const ReceptionTime time = receptionTimeOf(record);
  switch (time.form) {
    case ReceptionTime::Form::Milliseconds:
      return isoUtcText(time.unixMillis, true);
    case ReceptionTime::Form::Text:
      return windows1252ToUtf8(time.text);
    case ReceptionTime::Form::None:
      break;
  }
  return std::nullopt;
}

std::string_view hexColumn(std::string_view frame) {
  if (!frame.empty() && frame.back() == ' ') frame.remove_suffix(1);
  return frame;
}

}  // namespace krvl2::cli
