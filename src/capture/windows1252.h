// The program's texts are 8-bit Western (Windows-1252) strings; screens and
// terminals want UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace krvl2 {

std::string windows1252ToUtf8(std::string_view text);

}  // namespace krvl2
