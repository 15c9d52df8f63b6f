// RFC 4180 CSV: one header row for the whole run, then one row a satellite
// frame, fields separated by commas, rows ended by CR LF, a field in double
// quotes (its own quotes doubled) when it holds a comma, a quote or a line
// break. Only the capture's path and a text-form reception time can.
#include "cli/beacon_readings.h"
#include "cli/formats.h"

namespace krvl2::cli {

namespace {

void appendField(std::string& row, std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
    row += text;
    return;
  }
  row += '"';
  for (const char c : text) {
    if (c == '"') row += '"';
    row += c;
  }
  row += '"';
}

class CsvFormat : public FrameFormat {
 public:
  explicit CsvFormat(Console& console) : console_(console) {
    std::string header = "capture,frame,rx_time_utc";
    for (const FieldLayout& layout : fieldLayouts()) {
      header += ',';
      header += layout.name;
    }
    header += ",hex\r\n";
    console_.print(header);
  }

  void beginCapture(const CaptureInfo& capture) override {
    quotedPath_.clear();
    appendField(quotedPath_, capture.path);
  }

  std::optional<std::string> frame(std::int64_t number, std::string_view frame, std::string_view record) override {
    const BeaconReadings readings(frame);
    row_ = quotedPath_;
    row_ += ',';
    row_ += std::to_string(number);
    row_ += ',';
    if (const auto time = receptionTimeText(record)) appendField(row_, *time);
    for (const FieldLayout& layout : fieldLayouts()) {
      row_ += ',';
      if (const auto text = exactFieldText(readings, layout.field)) row_ += *text;
    }
    row_ += ',';
    row_ += hexColumn(frame);
    row_ += "\r\n";
    console_.print(row_);
    if (!readings.complete()) return incompleteReason(readings);
    return std::nullopt;
  }

  void endCapture(std::int64_t) override {}

 private:
  Console& console_;
  std::string quotedPath_;
  std::string row_;
};

}  // namespace

std::unique_ptr<FrameFormat> makeCsvFormat(Console& console) { return std::make_unique<CsvFormat>(console); }

}  // namespace krvl2::cli
