#include "beacon/exact_decimal.h"

#include <algorithm>
#include <stdexcept>

namespace krvl2 {

namespace {

// 10^n for n in 0..19, the powers that fit an unsigned 64-bit value.
std::uint64_t powerOfTen(int n) {
  std::uint64_t value = 1;
  for (int i = 0; i < n; ++i) value *= 10;
  return value;
}

std::uint64_t magnitudeOf(std::int64_t units) {
  return units < 0 ? 0 - static_cast<std::uint64_t>(units) : static_cast<std::uint64_t>(units);
}

std::int64_t checkedMultiply(std::int64_t a, std::int64_t b) {
  std::int64_t product = 0;
  if (__builtin_mul_overflow(a, b, &product)) throw std::overflow_error("exact decimal out of range");
  return product;
}

std::int64_t checkedAdd(std::int64_t a, std::int64_t b) {
  std::int64_t sum = 0;
  if (__builtin_add_overflow(a, b, &sum)) throw std::overflow_error("exact decimal out of range");
  return sum;
}

std::int64_t rescaled(const ExactDecimal& x, int scale) {
  return checkedMultiply(x.units(), static_cast<std::int64_t>(powerOfTen(scale - x.scale())));
}

// magnitude / 10^drop, the half rounded away from zero.
std::uint64_t dropDigitsRounded(std::uint64_t magnitude, int drop) {
  if (drop <= 0) return magnitude;
  if (drop > 19) return 0;  // every 64-bit magnitude is below half of 10^20
  const std::uint64_t divisor = powerOfTen(drop);
  const std::uint64_t quotient = magnitude / divisor;
  const std::uint64_t remainder = magnitude % divisor;
  return remainder >= divisor - remainder ? quotient + 1 : quotient;
}

void dropTrailingZeros(std::uint64_t& magnitude, int& scale) {
  while (scale > 0 && magnitude % 10 == 0 && magnitude != 0) {
    magnitude /= 10;
    --scale;
  }
  if (magnitude == 0) scale = 0;
}

// The digits of magnitude x 10^-scale with exactly `scale` digits after the
// separator (none and no separator for a scale of 0 or less).
std::string placedDigits(std::uint64_t magnitude, int scale, std::string_view separator) {
  std::string digits = std::to_string(magnitude);
  if (scale <= 0) return digits + std::string(static_cast<std::size_t>(-scale), '0');
  const auto fraction = static_cast<std::size_t>(scale);
  if (digits.size() <= fraction) digits.insert(0, fraction + 1 - digits.size(), '0');
  const auto point = digits.size() - fraction;
  return digits.substr(0, point) + std::string(separator) + digits.substr(point);
}

}  // namespace

ExactDecimal::ExactDecimal(std::int64_t units, int scale) : units_(units), scale_(scale) {
  if (scale < 0 || scale > kMaxScale) throw std::out_of_range("exact decimal scale out of range");
}

ExactDecimal ExactDecimal::fromText(std::string_view text) {
  const auto invalid = [&] { return std::invalid_argument("not a decimal number: " + std::string(text)); };
  std::size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (negative) ++i;
  std::int64_t units = 0;
  int scale = 0;
  bool digits = false;
  bool point = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '.' && !point) {
      point = true;
      continue;
    }
    if (c < '0' || c > '9') throw invalid();
    digits = true;
    units = checkedAdd(checkedMultiply(units, 10), c - '0');
    if (point && ++scale > kMaxScale) throw invalid();
  }
  if (!digits) throw invalid();
  return ExactDecimal(negative ? -units : units, scale);
}

ExactDecimal operator+(const ExactDecimal& a, const ExactDecimal& b) {
  const int scale = std::max(a.scale(), b.scale());
  return ExactDecimal(checkedAdd(rescaled(a, scale), rescaled(b, scale)), scale);
}

ExactDecimal operator-(const ExactDecimal& a, const ExactDecimal& b) {
  return a + ExactDecimal(checkedMultiply(b.units(), -1), b.scale());
}

ExactDecimal operator*(const ExactDecimal& a, const ExactDecimal& b) {
  std::int64_t units = checkedMultiply(a.units(), b.units());
  int scale = a.scale() + b.scale();
  while (scale > ExactDecimal::kMaxScale && units % 10 == 0) {
    units /= 10;
    --scale;
  }
  if (scale > ExactDecimal::kMaxScale) throw std::overflow_error("exact decimal out of range");
  return ExactDecimal(units, scale);
}

bool operator==(const ExactDecimal& a, const ExactDecimal& b) {
  if (a.isNegative() != b.isNegative()) return a.units() == 0 && b.units() == 0;
  std::uint64_t magnitudeA = magnitudeOf(a.units());
  std::uint64_t magnitudeB = magnitudeOf(b.units());
  int scaleA = a.scale();
  int scaleB = b.scale();
  dropTrailingZeros(magnitudeA, scaleA);
  dropTrailingZeros(magnitudeB, scaleB);
  return magnitudeA == magnitudeB && scaleA == scaleB;
}

std::string ExactDecimal::exactText() const {
  std::uint64_t magnitude = magnitudeOf(units_);
  int scale = scale_;
  dropTrailingZeros(magnitude, scale);
  return (units_ < 0 ? "-" : "") + placedDigits(magnitude, scale, ".");
}

std::string ExactDecimal::fixedText(int width, int decimals) const {
  decimals = std::max(decimals, 0);
  const std::uint64_t magnitude = magnitudeOf(units_);
  std::string text;
  if (decimals >= scale_) {
    // Only zeros to add: done on the text, so that no scale can overflow.
    text = placedDigits(magnitude, scale_, ".");
    if (decimals > scale_) {
      if (scale_ == 0) text += '.';
      text.append(static_cast<std::size_t>(decimals - scale_), '0');
    }
  } else {
    text = placedDigits(dropDigitsRounded(magnitude, scale_ - decimals), decimals, ".");
  }
  if (units_ < 0) text.insert(0, 1, '-');
  if (width > 0 && text.size() < static_cast<std::size_t>(width)) {
    text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
  }
  return text;
}

std::string ExactDecimal::generalText(std::string_view decimalSeparator) const {
  constexpr int kSignificantDigits = 15;
  std::uint64_t magnitude = magnitudeOf(units_);
  int scale = scale_;
  const int digits = static_cast<int>(std::to_string(magnitude).size());
  if (digits > kSignificantDigits) {
    magnitude = dropDigitsRounded(magnitude, digits - kSignificantDigits);
    scale -= digits - kSignificantDigits;
  }
  dropTrailingZeros(magnitude, scale);
  const bool minus = units_ < 0 && magnitude != 0;
  return (minus ? "-" : "") + placedDigits(magnitude, scale, decimalSeparator);
}

}  // namespace krvl2
