// JSON Lines: one object a satellite frame, with the names and values of the
// CSV columns; numbers as JSON numbers, fields without a value as null.
#include "cli/beacon_readings.h"
#include "cli/formats.h"

namespace krvl2::cli {

namespace {

// A JSON string. Paths are bytes: what is not UTF-8 in them becomes U+FFFD,
// so that every line stays valid JSON.
void appendString(std::string& out, std::string_view text) {
  static constexpr char kDigits[] = "0123456789abcdef";
  out += '"';
  std::size_t i = 0;
  while (i < text.size()) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80) {
      if (byte == '"' || byte == '\\') {
        out += '\\';
        out += static_cast<char>(byte);
      } else if (byte < 0x20 || byte == 0x7F) {
        out += "\\u00";
        out += kDigits[byte >> 4];
        out += kDigits[byte & 0x0F];
      } else {
        out += static_cast<char>(byte);
      }
      ++i;
      continue;
    }
    // The length of a well-formed UTF-8 sequence starting here, or 0.
    std::size_t length = 0;
    char32_t code = 0;
    if (byte >= 0xC2 && byte <= 0xDF) {
      length = 2;
      code = byte & 0x1F;
    } else if (byte >= 0xE0 && byte <= 0xEF) {
      length = 3;
      code = byte & 0x0F;
    } else if (byte >= 0xF0 && byte <= 0xF4) {
      length = 4;
      code = byte & 0x07;
    }
    bool wellFormed = length > 0 && i + length <= text.size();
    for (std::size_t k = 1; wellFormed && k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      wellFormed = (next & 0xC0) == 0x80;
      code = code << 6 | (next & 0x3F);
    }
    // No overlong forms, surrogates or codes past U+10FFFF.
    wellFormed = wellFormed && !(length == 3 && code < 0x800) && !(length == 4 && code < 0x10000) &&
                 !(code >= 0xD800 && code <= 0xDFFF) && code <= 0x10FFFF;
    if (wellFormed) {
      out.append(text.substr(i, length));
      i += length;
    } else {
      out += "\xEF\xBF\xBD";
      ++i;
    }
  }
  out += '"';
}

class JsonFormat : public FrameFormat {
 public:
  explicit JsonFormat(Console& console) : console_(console) {}

  void beginCapture(const CaptureInfo& capture) override {
    quotedPath_.clear();
    appendString(quotedPath_, capture.path);
  }

  std::optional<std::string> frame(std::int64_t number, std::string_view frame, std::string_view record) override {
    const BeaconReadings readings(frame);
    line_ = "{\"capture\":";
    line_ += quotedPath_;
    line_ += ",\"frame\":";
    line_ += std::to_string(number);
    line_ += ",\"rx_time_utc\":";
    if (const auto time = receptionTimeText(record)) {
      appendString(line_, *time);
    } else {
      line_ += "null";
    }
    for (const FieldLayout& layout : fieldLayouts()) {
      line_ += ",\"";
      line_ += layout.name;
      line_ += "\":";
      const auto text = exactFieldText(readings, layout.field);
      if (!text) {
        line_ += "null";
      } else if (isNumericField(layout.field)) {
        line_ += *text;
      } else {
        appendString(line_, *text);
      }
    }
    line_ += ",\"hex\":";
    appendString(line_, hexColumn(frame));
    line_ += "}\n";
    console_.print(line_);
    if (!readings.complete()) return incompleteReason(readings);
    return std::nullopt;
  }

  void endCapture(std::int64_t) override {}

 private:
  Console& console_;
  std::string quotedPath_;
  std::string line_;
};

}  // namespace

std::unique_ptr<FrameFormat> makeJsonFormat(Console& console) { return std::make_unique<JsonFormat>(console); }

}  // namespace krvl2::cli
