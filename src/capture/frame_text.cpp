#include "capture/frame_text.h"

#include "capture/failure.h"

namespace krvl2 {

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// "$" + the joined pairs of bytes first..last, as the conversion sees it.
std::string joinedField(std::string_view text, std::int32_t first, std::int32_t last) {
  std::string joined = "$";
  for (std::int64_t k = first; k <= last; ++k) {
    const auto pair = pairOf(text, k);
    if (pair.empty()) break;
    joined += pair;
  }
  return joined;
}

// Reads the joined pairs of bytes first..last as an unsigned hex value with at
// most `maxDigits` significant digits; `topDigitLimit` bounds the first of
// exactly maxDigits digits (the 64-bit form must stay below 2^63). The text of
// the conversion is only put together when it fails.
std::uint64_t readField(std::string_view text, std::int32_t first, std::int32_t last, std::size_t maxDigits,
                        int topDigitLimit) {
  std::uint64_t value = 0;
  std::size_t digits = 0;
  std::size_t significant = 0;
  int firstSignificant = 0;
  bool valid = true;
  for (std::int64_t k = first; k <= last && valid; ++k) {
    const auto pair = pairOf(text, k);
    if (pair.empty()) break;
    for (const char c : pair) {
      const int digit = hexValue(c);
      ++digits;
      if (digit < 0 || (significant == 0 && digit == 0)) {
        valid = digit >= 0;
        continue;
      }
      if (significant == 0) firstSignificant = digit;
      if (++significant > maxDigits) valid = false;
      value = value << 4 | static_cast<std::uint64_t>(digit);
    }
  }
  if (digits == 0 || !valid || (significant == maxDigits && firstSignificant > topDigitLimit)) {
    throw Failure(conversionErrorText(joinedField(text, first, last)));
  }
  return value;
}

// One pair, read as a number: 0..255, or 0..15 for a pair of one character.
unsigned readPair(std::string_view pair) {
  unsigned value = 0;
  for (const char c : pair) {
    const int digit = hexValue(c);
    if (digit < 0) throw Failure(conversionErrorText("$" + std::string(pair)));
    value = value << 4 | static_cast<unsigned>(digit);
  }
  if (pair.empty()) throw Failure(conversionErrorText("$"));
  return value;
}

template <typename CodeOf>
std::string pairsToText(std::string_view text, std::int32_t count, CodeOf codeOf) {
  std::string result;
  if (count <= 0) return result;
  result.reserve(static_cast<std::size_t>(count));
  for (std::int64_t i = 1; i <= count; ++i) {
    result += static_cast<char>(codeOf(readPair(pairOf(text, i))));
  }
  return result;
}

}  // namespace

std::string ByteToHex(std::uint8_t byte) { return {kDigits[byte >> 4], kDigits[byte & 0x0F]}; }

std::string_view pairOf(std::string_view text, std::int64_t byteNumber) {
  if (byteNumber < 1) return {};
  const auto start = static_cast<std::uint64_t>(3 * (byteNumber - 1));
  if (start >= text.size()) return {};
  return text.substr(start, 2);
}

std::string conversionErrorText(std::string_view convertedText) {
  return "'" + std::string(convertedText) + "' is not a valid integer value";
}

std::string HexPairsToText(std::string_view text, std::int32_t count) {
  return pairsToText(text, count, [](unsigned v) { return v; });
}

std::string DecodeCallsign(std::string_view text, std::int32_t count) {
  return pairsToText(text, count, [](unsigned v) { return v >> 1; });
}

std::int32_t HexFieldToInt(std::string_view text, std::int32_t first, std::int32_t last) {
  const auto value = readField(text, first, last, 8, 15);
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

std::int64_t HexFieldToInt64(std::string_view text, std::int32_t first, std::int32_t last) {
  return static_cast<std::int64_t>(readField(text, first, last, 16, 7));
}

}  // namespace krvl2
