// The program's texts are 8-bit Western (Windows-1252) strings; screens and
// terminals want UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace krvl2 {

std::string windows1252ToUtf8(std::string_view text);

// The byte that stands for a code point in the 8-bit Western set, if any.
std::optional<char> windows1252ByteOf(char32_t code);

}  // namespace krvl2
