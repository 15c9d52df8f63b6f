// The command line of krvl2-dump.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace krvl2::cli {

enum class OutputFormat { Table, Csv, Json, Panel };

struct DumpOptions {
  OutputFormat format = OutputFormat::Table;
  // Overrides of the user's regional settings, as given (UTF-8).
  std::optional<std::string> dateFormat;
  std::optional<std::string> timeFormat;
  std::optional<std::string> decimalSeparator;
  // Where each capture's .HEX export goes, when asked for.
  std::optional<std::string> hexOutDirectory;
  std::vector<std::string> captures;
  bool help = false;
  bool version = false;
};

struct ParsedCommandLine {
  DumpOptions options;
  // One line saying what is wrong with the command line; empty when nothing is.
  std::string error;
};

// Reads the arguments after the program's name. Options and captures may come
// in any order; "--" ends the options.
ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments);

// What --help prints.
std::string helpText();

// What --version prints.
std::string versionText();

}  // namespace krvl2::cli
