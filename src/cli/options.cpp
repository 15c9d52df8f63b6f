#include "cli/options.h"

#include <string_view>

#include "beacon/system_locale.h"

#ifndef KRVL2_VERSION
#define KRVL2_VERSION "unknown"
#endif

namespace krvl2::cli {

namespace {

constexpr std::string_view kHint = " (try 'krvl2-dump --help')";

std::size_t codePointCount(std::string_view utf8) {
  std::size_t count = 0;
  for (const char c : utf8) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  }
  return count;
}

std::optional<OutputFormat> formatNamed(std::string_view name) {
  if (name == "table") return OutputFormat::Table;
  if (name == "csv") return OutputFormat::Csv;
  if (name == "json") return OutputFormat::Json;
  if (name == "panel") return OutputFormat::Panel;
  return std::nullopt;
}

// Why a value of an option is not acceptable; empty when it is.
std::string checkValue(std::string_view option, const std::string& value) {
  if (option == "--format") {
    if (!formatNamed(value)) return "unknown format '" + value + "', choose table, csv, json or panel";
  } else if (option == "--decimal-separator") {
    if (codePointCount(value) != 1) return "--decimal-separator takes one character, not '" + value + "'";
    if (value != "?" && toWindows1252(value) == "?") {
      return "--decimal-separator '" + value + "' is not a character of the 8-bit Western set";
    }
  } else if (value.empty()) {
    return std::string(option) + " needs a value";
  }
  return {};
}

}  // namespace

ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments) {
  ParsedCommandLine parsed;
  DumpOptions& options = parsed.options;
  const auto fail = [&](const std::string& message) {
    parsed.error = message + std::string(kHint);
    return parsed;
  };

  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
      options.captures.push_back(argument);
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }
    if (argument == "-h" || argument == "--help") {
      options.help = true;
      continue;
    }
    if (argument == "--version") {
      options.version = true;
      continue;
    }

    // The options that take a value: "--name value" or "--name=value".
    const auto equals = argument.find('=');
    const std::string name = argument.substr(0, equals);
    std::optional<std::string>* target = nullptr;
    if (name == "--date-format") target = &options.dateFormat;
    if (name == "--time-format") target = &options.timeFormat;
    if (name == "--decimal-separator") target = &options.decimalSeparator;
    if (name == "--hex-out") target = &options.hexOutDirectory;
    if (!target && name != "--format") return fail("unknown option '" + argument + "'");

    std::string value;
    if (equals != std::string::npos) {
      value = argument.substr(equals + 1);
    } else if (i + 1 < arguments.size()) {
      value = arguments[++i];
    } else {
      return fail(name + " needs a value");
    }
    if (const std::string problem = checkValue(name, value); !problem.empty()) return fail(problem);
    if (target) {
      *target = value;
    } else {
      options.format = *formatNamed(value);
    }
  }
  if (options.captures.empty() && !options.help && !options.version) return fail("no capture given");
  return parsed;
}

std::string helpText() {
  return "Usage: krvl2-dump [OPTIONS] CAPTURE...\n"
         "Prints the telemetry of the Korvel-2 (KRVL2) beacons in KISS captures (.KSS).\n"
         "\n"
         "  --format FORMAT          table (default): aligned columns for people\n"
         "                           csv: one header row, then a row a frame; exact values\n"
         "                           json: one JSON object a line (JSON Lines); exact values\n"
         "                           panel: the decoder window's lines, frame after frame\n"
         "  --date-format PATTERN    date as in regional settings: d dd M MM yy yyyy\n"
         "  --time-format PATTERN    time: h hh H HH m mm s ss, AP for AM/PM\n"
         "  --decimal-separator C    decimal separator\n"
         "                           (the three above replace the user's own settings\n"
         "                           in the table and panel formats)\n"
         "  --hex-out DIR            also write each capture's .HEX export into DIR\n"
         "  -h, --help               show this help\n"
         "      --version            show the version\n"
         "\n"
         "Times are UTC. csv and json give the exact value of every reading; a field\n"
         "that a short frame does not hold is left empty (null). A nominal-mode beacon\n"
         "has no known layout: only its mode and reception time are given.\n"
         "A .HEX export is written only for a capture read to its end that holds\n"
         "frames of KRVL2.\n"
         "\n"
         "Exit status: 0 when every capture was read and every frame decoded,\n"
         "1 when a capture could not be read to its end or a frame not decoded\n"
         "(what came before is printed, the reason goes to standard error),\n"
         "2 for a wrong command line.\n";
}

std::string versionText() { return "krvl2-dump " KRVL2_VERSION "\n"; }

}  // namespace krvl2::cli
