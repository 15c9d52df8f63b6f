// An exact decimal number: a whole count of units of 10^-scale.
//
// The beacon's scale factors are exact decimals (0.3225806, 0.000239, 1.667),
// and its readings are shown rounded to a few places. A binary double cannot
// hold 25000 x 0.0032258 = 80.645; it lies just below the half and would show
// 80.64. So every reading is computed and rounded here, on its exact value, and
// the command-line tool prints the same exact value without rounding.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace krvl2 {

class ExactDecimal {
 public:
  // The largest scale whose unit still fits the 64-bit count.
  static constexpr int kMaxScale = 18;

  ExactDecimal() = default;
  // units x 10^-scale; throws std::out_of_range for a scale outside 0..18.
  ExactDecimal(std::int64_t units, int scale);
  // A whole number.
  static ExactDecimal whole(std::int64_t value) { return ExactDecimal(value, 0); }
  // "0.3225806", "-50", "1.667": an optional minus, digits, an optional full
  // stop and digits. Throws std::invalid_argument for anything else.
  static ExactDecimal fromText(std::string_view text);

  std::int64_t units() const { return units_; }
  int scale() const { return scale_; }
  bool isNegative() const { return units_ < 0; }

  // Exact arithmetic; a result outside the 64-bit count throws
  // std::overflow_error (no 16-bit beacon reading comes near it).
  friend ExactDecimal operator+(const ExactDecimal& a, const ExactDecimal& b);
  friend ExactDecimal operator-(const ExactDecimal& a, const ExactDecimal& b);
  friend ExactDecimal operator*(const ExactDecimal& a, const ExactDecimal& b);
  // Equal values are equal whatever their scales: 1.50 == 1.5.
  friend bool operator==(const ExactDecimal& a, const ExactDecimal& b);

  // The whole value with a full stop and no trailing zeros: "27.419344", "0",
  // "-0.000007". What a script or a spreadsheet should read.
  std::string exactText() const;

  // Rounded to `decimals` places, halves away from zero; a minus sign whenever
  // the value is below zero, also when it rounds to zero ("-0.000"); the full
  // stop as decimal point; blanks on the left up to `width` characters (a
  // longer text is kept whole).
  std::string fixedText(int width, int decimals) const;

  // The shortest text with at most 15 significant digits: no trailing zeros,
  // no separator for a whole value, no exponent, the given decimal separator.
  std::string generalText(std::string_view decimalSeparator) const;

 private:
  std::int64_t units_ = 0;
  int scale_ = 0;
};

}  // namespace krvl2
