#include "strict_readers.h"

#include <stdexcept>

namespace krvl2::testing {

std::vector<std::vector<std::string>> readCsv(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> row;
  std::string field;
  std::size_t i = 0;
  const auto fail = [&](const std::string& why) {
    throw std::runtime_error("CSV: " + why + " at offset " + std::to_string(i));
  };
  while (i < text.size()) {
    if (text[i] == '"') {
      ++i;
      for (;;) {
        if (i >= text.size()) fail("unterminated quoted field");
        if (text[i] == '"') {
          if (i + 1 < text.size() && text[i + 1] == '"') {
            field += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        field += text[i++];
      }
      if (i < text.size() && text[i] != ',' && text[i] != '\r') fail("text after a closing quote");
    }
    while (i < text.size() && text[i] != ',' && text[i] != '\r') {
      if (text[i] == '"' || text[i] == '\n') fail("quote or line feed in an unquoted field");
      field += text[i++];
    }
    if (i >= text.size()) fail("last record without CR LF");
    row.push_back(field);
    field.clear();
    if (text[i] == ',') {
      ++i;
      if (i >= text.size()) fail("last record without CR LF");
      continue;
    }
    if (i + 1 >= text.size() || text[i + 1] != '\n') fail("CR without LF");
    i += 2;
    rows.push_back(row);
    row.clear();
  }
  return rows;
}

namespace {

class JsonReader {
 public:
  explicit JsonReader(const std::string& text) : text_(text) {}

  std::vector<std::pair<std::string, JsonValue>> object() {
    std::vector<std::pair<std::string, JsonValue>> members;
    skipSpace();
    expect('{');
    skipSpace();
    if (peek() == '}') {
      ++i_;
    } else {
      for (;;) {
        skipSpace();
        if (peek() != '"') fail("name expected");
        std::string name = string();
        skipSpace();
        expect(':');
        skipSpace();
        members.emplace_back(name, value());
        skipSpace();
        if (peek() == ',') {
          ++i_;
          continue;
        }
        expect('}');
        break;
      }
    }
    skipSpace();
    if (i_ != text_.size()) fail("text after the object");
    return members;
  }

 private:
  [[noreturn]] void fail(const std::string& why) {
    throw std::runtime_error("JSON: " + why + " at offset " + std::to_string(i_));
  }
  char peek() { return i_ < text_.size() ? text_[i_] : '\0'; }
  void skipSpace() {
    while (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r') ++i_;
  }
  void expect(char c) {
    if (peek() != c) fail(std::string("'") + c + "' expected");
    ++i_;
  }

  JsonValue value() {
    JsonValue v;
    const char c = peek();
    if (c == '"') {
      v.kind = JsonValue::Kind::String;
      v.text = string();
    } else if (text_.compare(i_, 4, "null") == 0) {
      i_ += 4;
    } else if (text_.compare(i_, 4, "true") == 0 || text_.compare(i_, 5, "false") == 0) {
      v.kind = JsonValue::Kind::Boolean;
      v.text = c == 't' ? "true" : "false";
      i_ += v.text.size();
    } else {
      v.kind = JsonValue::Kind::Number;
      v.text = number();
    }
    return v;
  }

  bool digit() { return peek() >= '0' && peek() <= '9'; }

  std::string number() {
    const std::size_t start = i_;
    if (peek() == '-') ++i_;
    if (peek() == '0') {
      ++i_;
    } else if (digit()) {
      while (digit()) ++i_;
    } else {
      fail("number expected");
    }
    if (peek() == '.') {
      ++i_;
      if (!digit()) fail("digit expected after '.'");
      while (digit()) ++i_;
    }
    if (peek() == 'e' || peek() == 'E') {
      ++i_;
      if (peek() == '+' || peek() == '-') ++i_;
      if (!digit()) fail("digit expected in exponent");
      while (digit()) ++i_;
    }
    return text_.substr(start, i_ - start);
  }

  static void appendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (code >> 18));
      out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }

  unsigned hex4() {
    unsigned value = 0;
    for (int k = 0; k < 4; ++k) {
      const char c = peek();
      value <<= 4;
      if (c >= '0' && c <= '9') {
        value |= static_cast<unsigned>(c - '0');
      } else if (c >= 'a' && c <= 'f') {
        value |= static_cast<unsigned>(c - 'a' + 10);
      } else if (c >= 'A' && c <= 'F') {
        value |= static_cast<unsigned>(c - 'A' + 10);
      } else {
        fail("hex digit expected");
      }
      ++i_;
    }
    return value;
  }

  std::string string() {
    expect('"');
    std::string out;
    for (;;) {
      if (i_ >= text_.size()) fail("unterminated string");
      const auto byte = static_cast<unsigned char>(text_[i_]);
      if (byte == '"') {
        ++i_;
        return out;
      }
      if (byte < 0x20) fail("control character in a string");
      if (byte == '\\') {
        ++i_;
        const char e = peek();
        ++i_;
        switch (e) {
          case '"': out += '"'; break;
          case '\\': out += '\\'; break;
          case '/': out += '/'; break;
          case 'b': out += '\b'; break;
          case 'f': out += '\f'; break;
          case 'n': out += '\n'; break;
          case 'r': out += '\r'; break;
          case 't': out += '\t'; break;
          case 'u': {
            char32_t code = hex4();
            if (code >= 0xD800 && code <= 0xDBFF) {
              if (peek() != '\\') fail("lone surrogate");
              ++i_;
              expect('u');
              const unsigned low = hex4();
              if (low < 0xDC00 || low > 0xDFFF) fail("bad surrogate pair");
              code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
            } else if (code >= 0xDC00 && code <= 0xDFFF) {
              fail("lone surrogate");
            }
            appendUtf8(out, code);
            break;
          }
          default:
            fail("unknown escape");
        }
        continue;
      }
      // A raw UTF-8 sequence, checked for being well formed.
      std::size_t length = byte < 0x80 ? 1 : byte >= 0xC2 && byte <= 0xDF ? 2 : byte >= 0xE0 && byte <= 0xEF ? 3
                                            : byte >= 0xF0 && byte <= 0xF4 ? 4 : 0;
      if (length == 0 || i_ + length > text_.size()) fail("not UTF-8");
      char32_t code = length == 1 ? byte : byte & (0x7F >> length);
      for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text_[i_ + k]);
        if ((next & 0xC0) != 0x80) fail("not UTF-8");
        code = (code << 6) | (next & 0x3F);
      }
      if ((length == 3 && code < 0x800) || (length == 4 && (code < 0x10000 || code > 0x10FFFF)) ||
          (code >= 0xD800 && code <= 0xDFFF)) {
        fail("not UTF-8");
      }
      out.append(text_, i_, length);
      i_ += length;
    }
  }

  const std::string& text_;
  std::size_t i_ = 0;
};

}  // namespace

std::map<std::string, JsonValue> readJsonObject(const std::string& line) {
  std::map<std::string, JsonValue> result;
  for (auto& [name, value] : JsonReader(line).object()) {
    if (!result.emplace(name, value).second) throw std::runtime_error("JSON: name twice: " + name);
  }
  return result;
}

std::vector<std::string> jsonNamesInOrder(const std::string& line) {
  std::vector<std::string> names;
  for (auto& member : JsonReader(line).object()) names.push_back(member.first);
  return names;
}

}  // namespace krvl2::testing
