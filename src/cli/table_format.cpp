// A table for people: one row a frame, columns aligned, units in the header.
//
// A whole date and time in two columns would not leave room for the readings
// in a terminal, so the rows give the times of day and a line above them
// gives the date whenever it changes. Readings are rounded as the window
// rounds them (the currents to their three exact decimals, so that they line
// up), and dates, times and the decimal separator follow the user's regional
// settings. Column widths are fixed from the start, since the table is
// printed as the frames are read; an unusually long value pushes the rest of
// its row to the right, and the next columns take up the slack again.
#include <algorithm>
#include <vector>

#include "beacon/renderings.h"
#include "beacon/reception_time.h"
#include "capture/windows1252.h"
#include "cli/beacon_readings.h"
#include "cli/formats.h"

namespace krvl2::cli {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

// Characters on the screen of a UTF-8 text.
std::size_t displayWidth(std::string_view utf8) {
  return static_cast<std::size_t>(
      std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string dateText(std::int64_t unixSeconds, const LocaleSettings& locale) {
  // At midnight the rendering is the date alone.
  const std::int64_t day = unixSeconds - unixSeconds % kSecondsPerDay;
  return windows1252ToUtf8(UnixTimeText(day, locale));
}

std::string timeText(std::int64_t unixSeconds, const LocaleSettings& locale) {
  // The time pattern in the date's place, and no time after it: the rendering
  // is then the time, plus the blank that would have led to the time except
  // at midnight.
  LocaleSettings timeOnly = locale;
  timeOnly.shortDateFormat = locale.longTimeFormat;
  timeOnly.longTimeFormat.clear();
  std::string text = UnixTimeText(unixSeconds, timeOnly);
  if (unixSeconds % kSecondsPerDay != 0 && !text.empty()) text.pop_back();
  return windows1252ToUtf8(text);
}

struct Column {
  std::string top;     // name
  std::string bottom;  // unit
  std::size_t width;
  bool alignRight;
  std::size_t gap;     // blanks before the column
};

// Builds one line of cells. A cell ends at its column's right edge when the
// cells before it leave room; a longer one pushes on, one blank after the
// cell before it, and the columns after it take up the slack.
class RowBuilder {
 public:
  explicit RowBuilder(const std::vector<Column>& columns) : columns_(columns) {}

  void cell(const std::string& text) {
    const Column& column = columns_[index_];
    const std::size_t start = edge_ + (index_ == 0 ? 0 : column.gap);
    edge_ = start + column.width;
    const std::size_t width = displayWidth(text);
    std::size_t at = std::max(start, lineWidth_ + (lineWidth_ == 0 ? 0 : 1));
    if (column.alignRight && at + width < edge_) at = edge_ - width;
    if (width > 0) {
      line_.append(at - lineWidth_, ' ');
      line_ += text;
      lineWidth_ = at + width;
    }
    ++index_;
  }

  std::string finish() { return line_ + "\n"; }

 private:
  const std::vector<Column>& columns_;
  std::size_t index_ = 0;
  std::size_t edge_ = 0;
  std::size_t lineWidth_ = 0;
  std::string line_;
};

// The readings after the mode and sequence number: the field, its decimals.
struct ReadingColumn {
  Field field;
  int decimals;
};
constexpr ReadingColumn kReadings[] = {
    {Field::BatteryVoltage, 3}, {Field::TotalCurrent, 0},   {Field::ForwardPower, 1}, {Field::TxCurrent, 3},
    {Field::RxCurrent, 3},      {Field::ReflectedPower, 1}, {Field::BusVoltage, 3},   {Field::PaTemperature, 3},
    {Field::Doppler, 2},        {Field::Rssi, 0},
};
constexpr Field kWords[] = {Field::AntennaA, Field::AntennaB, Field::ObcFlags};

class TableFormat : public FrameFormat {
 public:
  TableFormat(Console& console, const LocaleSettings& locale)
      : console_(console), locale_(locale), decimalSeparator_(windows1252ToUtf8(locale.decimalSeparator)) {
    // The widest time of day of these settings: every hour, late in it.
    // At least 9, so that the headings "received" and "on board" stay apart.
    std::size_t timeWidth = 9;
    for (int hour = 0; hour < 24; ++hour) {
      timeWidth = std::max(timeWidth, displayWidth(timeText(hour * 3600 + 59 * 60 + 59, locale)));
    }
    // Narrow enough for the usual readings of the satellite; "nominal" spills
    // over the sequence number, which such a beacon does not have.
    columns_ = {
        {"#", "", 3, true, 0},
        {"received", "(UTC)", timeWidth, false, 2},
        {"on board", "(UTC)", timeWidth, false, 1},
        {"mode", "", 4, false, 1},
        {"seq", "", 5, true, 1},
        {"batt", "V", 5, true, 2},
        {"total", "mA", 5, true, 1},
        {"fwd", "mW", 5, true, 1},
        {"TX", "mA", 6, true, 1},
        {"RX", "mA", 6, true, 1},
        {"refl", "mW", 4, true, 1},
        {"bus", "V", 5, true, 1},
        {"PA", "\u00B0C", 6, true, 1},
        {"Doppler", "", 7, true, 1},
        {"RSSI", "dBm", 4, true, 1},
        {"ant", "A", 4, true, 1},
        {"ant", "B", 4, true, 1},
        {"OBC", "flags", 5, true, 1},
    };
  }

  void beginCapture(const CaptureInfo& capture) override {
    if (!firstCapture_) console_.print("\n");
    firstCapture_ = false;
    console_.print(capture.path + "\n");
    empty_ = capture.empty;
    lastReceivedDate_.clear();
    lastOnBoardDate_.clear();
    headerPrinted_ = false;
  }

  std::optional<std::string> frame(std::int64_t number, std::string_view frame, std::string_view record) override {
    if (!headerPrinted_) printHeader();
    const BeaconReadings readings(frame);
    const ReceptionTime received = receptionTimeOf(record);

    // The date line, whenever a date changes.
    std::string receivedDate;
    std::string receivedTime;
    if (received.form == ReceptionTime::Form::Milliseconds) {
      // Cut to the second, as the window does.
      const std::int64_t seconds = received.unixMillis / 1000;
      receivedDate = dateText(seconds, locale_);
      receivedTime = timeText(seconds, locale_);
    } else if (received.form == ReceptionTime::Form::Text) {
      receivedTime = windows1252ToUtf8(received.text);
    }
    std::string onBoardDate;
    std::string onBoardTime;
    if (readings.has(Field::ObcTime)) {
      onBoardDate = dateText(readings.raw(Field::ObcTime), locale_);
      onBoardTime = timeText(readings.raw(Field::ObcTime), locale_);
    }
    const bool receivedDateChanged = !receivedDate.empty() && receivedDate != lastReceivedDate_;
    const bool onBoardDateChanged = !onBoardDate.empty() && onBoardDate != lastOnBoardDate_;
    if (receivedDateChanged || onBoardDateChanged) printDateLine(receivedDate, onBoardDate);
    if (!receivedDate.empty()) lastReceivedDate_ = receivedDate;
    if (!onBoardDate.empty()) lastOnBoardDate_ = onBoardDate;

    RowBuilder row(columns_);
    row.cell(std::to_string(number));
    row.cell(receivedTime);
    row.cell(onBoardTime);
    row.cell(modeName(readings));
    row.cell(readings.has(Field::Sequence) ? std::to_string(readings.raw(Field::Sequence)) : "");
    for (const ReadingColumn& reading : kReadings) row.cell(readingText(readings, reading));
    for (const Field word : kWords) row.cell(readings.has(word) ? readings.hexDigits(word) : "");
    console_.print(row.finish());

    if (!readings.complete()) return incompleteReason(readings);
    return std::nullopt;
  }

  void endCapture(std::int64_t framesPrinted) override {
    if (framesPrinted == 0) console_.print(empty_ ? "  (empty file)\n" : "  (no frame of KRVL2)\n");
  }

 private:
  void printHeader() {
    RowBuilder top(columns_);
    RowBuilder bottom(columns_);
    for (const Column& column : columns_) {
      top.cell(column.top);
      bottom.cell(column.bottom);
    }
    console_.print(top.finish());
    console_.print(bottom.finish());
    headerPrinted_ = true;
  }

  void printDateLine(const std::string& received, const std::string& onBoard) {
    std::string line = "-- ";
    if (received == onBoard) {
      line += received;
    } else if (onBoard.empty()) {
      line += "received " + received;
    } else if (received.empty()) {
      line += "on board " + onBoard;
    } else {
      line += "received " + received + ", on board " + onBoard;
    }
    console_.print(line + "\n");
  }

  std::string readingText(const BeaconReadings& readings, const ReadingColumn& reading) const {
    if (!readings.has(reading.field)) return {};
    // What the window shows for a signal strength outside the receiver's range.
    if (reading.field == Field::Rssi && !readings.rssiInRange()) return "bad";
    std::string text = FixedText(readings.exact(reading.field), 0, reading.decimals);
    if (const auto point = text.find('.'); point != std::string::npos) text.replace(point, 1, decimalSeparator_);
    return text;
  }

  Console& console_;
  LocaleSettings locale_;
  std::string decimalSeparator_;
  std::vector<Column> columns_;
  bool firstCapture_ = true;
  bool empty_ = false;
  bool headerPrinted_ = false;
  std::string lastReceivedDate_;
  std::string lastOnBoardDate_;
};

}  // namespace

std::unique_ptr<FrameFormat> makeTableFormat(Console& console, const LocaleSettings& locale) {
  return std::make_unique<TableFormat>(console, locale);
}

}  // namespace krvl2::cli
