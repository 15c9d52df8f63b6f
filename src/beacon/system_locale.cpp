#include "beacon/system_locale.h"

#include <QLocale>
#include <QString>
#include <algorithm>
#include <optional>
#include <vector>

#include "capture/windows1252.h"

namespace krvl2 {

namespace {

std::string windows1252Of(const std::u32string& text) {
  std::string out;
  for (const char32_t code : text) {
    const QChar::Category category = QChar::category(code);
    if (category == QChar::Other_Format) continue;
    if (category == QChar::Separator_Space) {
      out += ' ';
    } else {
      out += windows1252ByteOf(code).value_or('?');
    }
  }
  return out;
}

std::u32string codePointsOf(const std::string& utf8) { return QString::fromStdString(utf8).toStdU32String(); }

// One piece of a Qt date or time format: a field (a run of one letter, or the
// designator A/AP/a/ap) or literal text.
struct Token {
  char32_t letter = 0;  // 0 for literal text
  int count = 0;
  std::u32string text;  // literal text, quotes removed
};

bool isQtFieldLetter(char32_t c) {
  return c == 'd' || c == 'M' || c == 'y' || c == 'h' || c == 'H' || c == 'm' || c == 's' || c == 'z' || c == 't' ||
         c == 'A' || c == 'a';
}

std::vector<Token> qtTokens(const std::u32string& format) {
  std::vector<Token> tokens;
  const auto literal = [&](char32_t c) {
    if (tokens.empty() || tokens.back().letter != 0) tokens.push_back(Token{});
    tokens.back().text += c;
  };
  std::size_t i = 0;
  while (i < format.size()) {
    const char32_t c = format[i];
    if (c == '\'') {
      if (i + 1 < format.size() && format[i + 1] == '\'') {
        literal('\'');
        i += 2;
        continue;
      }
      ++i;
      while (i < format.size()) {
        if (format[i] == '\'') {
          if (i + 1 < format.size() && format[i + 1] == '\'') {
            literal('\'');
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        literal(format[i++]);
      }
      continue;
    }
    if (!isQtFieldLetter(c)) {
      literal(c);
      ++i;
      continue;
    }
    Token field{c, 1, {}};
    if (c == 'A' || c == 'a') {
      if (i + 1 < format.size() && (format[i + 1] == 'P' || format[i + 1] == 'p')) ++i;
    } else {
      while (i + static_cast<std::size_t>(field.count) < format.size() && format[i + field.count] == c) ++field.count;
    }
    i += static_cast<std::size_t>(c == 'A' || c == 'a' ? 1 : field.count);
    tokens.push_back(field);
  }
  return tokens;
}

std::optional<std::size_t> firstToken(const std::vector<Token>& tokens, std::u32string_view letters) {
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    if (tokens[i].letter != 0 && letters.find(tokens[i].letter) != std::u32string_view::npos) return i;
  }
  return std::nullopt;
}

// The literal text between two tokens, quotes removed.
std::u32string literalBetween(const std::vector<Token>& tokens, std::size_t from, std::size_t to) {
  std::u32string text;
  for (std::size_t i = from + 1; i < to; ++i) text += tokens[i].text;
  return text;
}

std::string letters(char letter, int count) { return std::string(static_cast<std::size_t>(std::min(count, 2)), letter); }

std::string quoted(const std::string& text) {
  std::string out = "'";
  for (const char c : text) out += c == '\'' ? std::string("''") : std::string(1, c);
  return out + "'";
}

}  // namespace

std::string toWindows1252(const std::string& utf8) { return windows1252Of(codePointsOf(utf8)); }

RegionalFormat shortDateFormatFromQt(const std::string& qtFormat) {
  const std::vector<Token> tokens = qtTokens(codePointsOf(qtFormat));
  RegionalFormat result;
  const auto first = firstToken(tokens, U"dMy");
  if (first) {
    for (std::size_t i = *first + 1; i < tokens.size(); ++i) {
      if (tokens[i].letter == 'd' || tokens[i].letter == 'M' || tokens[i].letter == 'y') {
        result.separator = windows1252Of(literalBetween(tokens, *first, i));
        break;
      }
    }
  }
  for (const Token& token : tokens) {
    if (token.letter == 0) {
      const std::string text = windows1252Of(token.text);
      if (text.empty()) continue;
      result.pattern += text == result.separator ? "/" : quoted(text);
    } else if (token.letter == 'y') {
      result.pattern += token.count == 2 ? "yy" : "yyyy";
    } else if (token.letter == 'A' || token.letter == 'a') {
      result.pattern += token.letter == 'A' ? "AP" : "ap";
    } else if (token.letter != 't' && token.letter != 'z') {
      result.pattern += std::string(static_cast<std::size_t>(token.count), static_cast<char>(token.letter));
    }
  }
  if (result.separator.empty()) result.separator = "/";
  return result;
}

RegionalFormat longTimeFormatFromQt(const std::string& qtFormat) {
  const std::vector<Token> tokens = qtTokens(codePointsOf(qtFormat));
  const auto hour = firstToken(tokens, U"hH");
  const auto minute = firstToken(tokens, U"m");
  const auto second = firstToken(tokens, U"s");
  const auto designator = firstToken(tokens, U"Aa");

  RegionalFormat result;
  result.separator = ":";
  if (hour && minute && *hour < *minute) {
    // Only a single mark between hour and minute is a separator; words such
    // as "h" or a letter of the language are not.
    const std::string between = windows1252Of(literalBetween(tokens, *hour, *minute));
    if (between.size() == 1 && between != " " && between != "?") result.separator = between;
  }

  std::string time = hour ? letters(static_cast<char>(tokens[*hour].letter), tokens[*hour].count)
                          : std::string(designator ? "h" : "HH");
  time += ":" + (minute ? letters('m', tokens[*minute].count) : std::string("mm"));
  time += ":" + (second ? letters('s', tokens[*second].count) : std::string("ss"));
  if (!designator) {
    result.pattern = time;
    return result;
  }

  const std::string mark = tokens[*designator].letter == 'A' ? "AP" : "ap";
  std::vector<std::size_t> timeFields;
  for (const auto field : {hour, minute, second}) {
    if (field) timeFields.push_back(*field);
  }
  if (timeFields.empty()) {
    result.pattern = time + " " + mark;
    return result;
  }
  const std::size_t firstField = *std::min_element(timeFields.begin(), timeFields.end());
  const std::size_t lastField = *std::max_element(timeFields.begin(), timeFields.end());
  if (*designator < firstField) {
    const bool gap = !literalBetween(tokens, *designator, firstField).empty();
    result.pattern = mark + (gap ? " " : "") + time;
  } else {
    const bool gap = !literalBetween(tokens, lastField, *designator).empty();
    result.pattern = time + (gap ? " " : "") + mark;
  }
  return result;
}

// The text in the 8-bit set, or `fallback` when the set cannot show it: a
// designator or a separator of question marks helps nobody.
std::string windows1252Or(const QString& text, const std::string& fallback) {
  const std::u32string codes = text.toStdU32String();
  const std::string converted = windows1252Of(codes);
  const auto marks = [](auto first, auto last) { return std::count(first, last, '?'); };
  if (converted.empty() || marks(converted.begin(), converted.end()) != marks(codes.begin(), codes.end())) {
    return fallback;
  }
  return converted;
}

LocaleSettings localeSettingsOf(const QLocale& locale) {
  LocaleSettings settings;
  const RegionalFormat date = shortDateFormatFromQt(locale.dateFormat(QLocale::ShortFormat).toStdString());
  const RegionalFormat time = longTimeFormatFromQt(locale.timeFormat(QLocale::LongFormat).toStdString());
  settings.shortDateFormat = date.pattern;
  settings.dateSeparator = date.separator;
  settings.longTimeFormat = time.pattern;
  settings.timeSeparator = time.separator;
  settings.amDesignator = windows1252Or(locale.amText(), settings.amDesignator);
  settings.pmDesignator = windows1252Or(locale.pmText(), settings.pmDesignator);
  settings.decimalSeparator = windows1252Or(locale.decimalPoint(), settings.decimalSeparator);
  for (int month = 1; month <= 12; ++month) {
    auto& shortName = settings.shortMonthNames[static_cast<std::size_t>(month - 1)];
    auto& longName = settings.longMonthNames[static_cast<std::size_t>(month - 1)];
    shortName = windows1252Or(locale.monthName(month, QLocale::ShortFormat), shortName);
    longName = windows1252Or(locale.monthName(month, QLocale::LongFormat), longName);
  }
  for (int day = 0; day < 7; ++day) {
    // Qt counts the weekdays from Monday = 1 to Sunday = 7.
    const int qtDay = day == 0 ? 7 : day;
    auto& shortName = settings.shortDayNames[static_cast<std::size_t>(day)];
    auto& longName = settings.longDayNames[static_cast<std::size_t>(day)];
    shortName = windows1252Or(locale.dayName(qtDay, QLocale::ShortFormat), shortName);
    longName = windows1252Or(locale.dayName(qtDay, QLocale::LongFormat), longName);
  }
  return settings;
}

LocaleSettings systemLocaleSettings() { return localeSettingsOf(QLocale::system()); }

}  // namespace krvl2
