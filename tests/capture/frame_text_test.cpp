// Conversions of frame texts: the digits, the limits and the error texts.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "capture/failure.h"
#include "capture/frame_text.h"

namespace krvl2 {
namespace {

TEST(ByteToHex, GivesTwoUpperCaseDigitsWithLeadingZero) {
  EXPECT_EQ(ByteToHex(0x00), "00");
  EXPECT_EQ(ByteToHex(0x09), "09");
  EXPECT_EQ(ByteToHex(0x0A), "0A");
  EXPECT_EQ(ByteToHex(0xC0), "C0");
  EXPECT_EQ(ByteToHex(0xFF), "FF");
}

// Either a value or the exact message of the conversion error.
template <typename T>
struct Outcome {
  std::optional<T> value;
  std::string error;
};

template <typename F>
auto outcomeOf(F convert) -> Outcome<decltype(convert())> {
  try {
    return {convert(), ""};
  } catch (const Failure& failure) {
    return {std::nullopt, failure.message()};
  }
}

struct FieldCase {
  const char* text;
  int first;
  int last;
  std::optional<std::int64_t> int32;  // nullopt: conversion error
  std::optional<std::int64_t> int64;
  const char* error32;
  const char* error64;
};

TEST(HexFieldConversion, ValuesLimitsAndErrors) {
  const FieldCase cases[] = {
      {"7F FF FF FF ", 1, 4, 2147483647, 2147483647, "", ""},
      {"80 00 00 00 ", 1, 4, -2147483648LL, 2147483648LL, "", ""},
      {"FF FF FF FF ", 1, 4, -1, 4294967295LL, "", ""},
      {"FF FF FF ", 1, 3, 16777215, 16777215, "", ""},
      {"00 00 00 00 12 ", 1, 5, 0x12, 0x12, "", ""},  // leading zeros do not count
      {"01 00 00 00 00 ", 1, 5, std::nullopt, 0x100000000LL, "'$0100000000' is not a valid integer value", ""},
      {"FF FF FF FF FF FF ", 1, 6, std::nullopt, 281474976710655LL, "'$FFFFFFFFFFFF' is not a valid integer value",
       ""},
      {"7F FF FF FF FF FF FF FF ", 1, 8, std::nullopt, 9223372036854775807LL,
       "'$7FFFFFFFFFFFFFFF' is not a valid integer value", ""},
      {"80 00 00 00 00 00 00 00 ", 1, 8, std::nullopt, std::nullopt, "'$8000000000000000' is not a valid integer value",
       "'$8000000000000000' is not a valid integer value"},
      {"01 00 00 00 00 00 00 00 00 ", 1, 9, std::nullopt, std::nullopt,
       "'$010000000000000000' is not a valid integer value", "'$010000000000000000' is not a valid integer value"},
      // A field whose later bytes are missing reads the bytes present.
      {"12 ", 1, 2, 0x12, 0x12, "", ""},
      {"00 00 5C 2B ", 3, 6, 0x5C2B, 0x5C2B, "", ""},
      // No byte of the field present: no digit at all.
      {"12 34 ", 3, 4, std::nullopt, std::nullopt, "'$' is not a valid integer value",
       "'$' is not a valid integer value"},
      {"", 1, 1, std::nullopt, std::nullopt, "'$' is not a valid integer value", "'$' is not a valid integer value"},
      // A text cut inside a pair gives a pair of one character.
      {"12 3", 1, 2, 0x123, 0x123, "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("text '") + c.text + "' bytes " + std::to_string(c.first) + ".." +
                 std::to_string(c.last));
    const auto as32 = outcomeOf([&] { return HexFieldToInt(c.text, c.first, c.last); });
    const auto as64 = outcomeOf([&] { return HexFieldToInt64(c.text, c.first, c.last); });
    EXPECT_EQ(as32.value ? std::optional<std::int64_t>(*as32.value) : std::nullopt, c.int32);
    EXPECT_EQ(as64.value, c.int64);
    EXPECT_EQ(as32.error, c.error32);
    EXPECT_EQ(as64.error, c.error64);
  }
}

TEST(HexPairsToText, CharactersByCode) {
  EXPECT_EQ(HexPairsToText("55 54 43 ", 3), "UTC");
  EXPECT_EQ(HexPairsToText("00 41 ", 2), std::string("\0A", 2));  // code 0 kept
  EXPECT_EQ(HexPairsToText("", 0), "");
  EXPECT_EQ(HexPairsToText("41 ", -5), "");
  EXPECT_EQ(HexPairsToText("41 4", 2), "A\x04");  // a cut pair reads as one digit
}

TEST(DecodeCallsign, DropsTheLowestBit) {
  EXPECT_EQ(DecodeCallsign("96 A4 AC 98 64 40 ", 6), "KRVL2 ");
  EXPECT_EQ(DecodeCallsign("97 ", 1), "K");
  EXPECT_EQ(DecodeCallsign("61 ", 1), "0");
  EXPECT_EQ(DecodeCallsign("", 0), "");
}

TEST(PairConversions, FailWholeAtTheFirstMissingPair) {
  for (auto convert : {HexPairsToText, DecodeCallsign}) {
    const auto outcome = outcomeOf([&] { return convert("55 54 ", 3); });
    EXPECT_FALSE(outcome.value.has_value());
    EXPECT_EQ(outcome.error, "'$' is not a valid integer value");
    EXPECT_EQ(outcomeOf([&] { return convert("", 1); }).error, "'$' is not a valid integer value");
  }
}

}  // namespace
}  // namespace krvl2

#include "capture/windows1252.h"

namespace krvl2 {
namespace {

TEST(Windows1252, ToUtf8) {
  EXPECT_EQ(windows1252ToUtf8(" \xB0" "C"), " \u00B0C");
  EXPECT_EQ(windows1252ToUtf8("\xA0 x"), "\u00A0 x");
  EXPECT_EQ(windows1252ToUtf8("\x80\x99"), "\u20AC\u2122");
  EXPECT_EQ(windows1252ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Windows1252, ByteOfACodePoint) {
  EXPECT_EQ(windows1252ByteOf(U'A'), 'A');
  EXPECT_EQ(windows1252ByteOf(U'\u00B0'), '\xB0');
  EXPECT_EQ(windows1252ByteOf(U'\u20AC'), '\x80');
  EXPECT_EQ(windows1252ByteOf(U'\u0081'), std::nullopt);  // a byte without a character
  EXPECT_EQ(windows1252ByteOf(U'\u4E2D'), std::nullopt);
}

}  // namespace
}  // namespace krvl2
