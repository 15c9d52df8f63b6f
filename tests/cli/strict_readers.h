// Strict readers of the tool's machine outputs, written from the formats'
// definitions rather than from the tool's code: RFC 4180 CSV, and the flat
// JSON objects of JSON Lines. Anything the definitions do not allow throws.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace krvl2::testing {

// Records end with CR LF; a field in double quotes may hold commas, quotes
// (doubled) and line breaks; outside quotes a quote or a bare CR or LF is an
// error.
std::vector<std::vector<std::string>> readCsv(const std::string& text);

struct JsonValue {
  enum class Kind { String, Number, Null, Boolean };
  Kind kind = Kind::Null;
  std::string text;  // the string's value, or the number as written
};

// One JSON object whose values are strings, numbers, null, true or false;
// strings must be valid UTF-8.
std::map<std::string, JsonValue> readJsonObject(const std::string& line);

// The names of that object in the order they were written.
std::vector<std::string> jsonNamesInOrder(const std::string& line);

}  // namespace krvl2::testing
