// Frame hex text: the form in which every frame and record is held.
//
// A frame of n bytes is a text of exactly 3n characters: for each byte its two
// upper-case hex digits, then one blank. Byte k (counted from 1) stands at
// characters 3k-2 and 3k-1. Frames are never kept as bytes once read; fields
// are picked out of the text by byte position and converted here.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace krvl2 {

// An 8-bit string: hex digits and blanks as the reader builds it.
using FrameText = std::string;

// Two upper-case hex digits of one byte: 0x0A gives "0A".
std::string ByteToHex(std::uint8_t byte);

// N characters, the character of byte i having the code of that byte's pair.
// Throws the conversion error at the first missing pair; N <= 0 gives "".
std::string HexPairsToText(std::string_view text, std::int32_t count);

// As HexPairsToText with every code shifted right by one bit: the AX.25
// address field back to its callsign characters.
std::string DecodeCallsign(std::string_view text, std::int32_t count);

// The big-endian value of bytes a..b (counted from 1), read as a signed 32-bit
// pattern. Pairs missing at the end only shorten the digits; no digit at all,
// or more than 8 significant digits, is the conversion error.
std::int32_t HexFieldToInt(std::string_view text, std::int32_t first, std::int32_t last);

// As HexFieldToInt, with a 64-bit value that must stay below 2^63.
std::int64_t HexFieldToInt64(std::string_view text, std::int32_t first, std::int32_t last);

// The pair of byte k: two characters, one where the text ends inside it, or
// none beyond the end.
std::string_view pairOf(std::string_view text, std::int64_t byteNumber);

// The message of a failed conversion of "$" + digits.
std::string conversionErrorText(std::string_view convertedText);

}  // namespace krvl2
