#include "cli/dump.h"

#include <unistd.h>

#include <cstring>
#include <memory>
#include <set>

#include "beacon/system_locale.h"
#include "capture/decoder_state.h"
#include "capture/failure.h"
#include "capture/kss_reader.h"
#include "cli/console.h"
#include "cli/formats.h"
#include "cli/options.h"
#include "cli/satellite_frame_reader.h"
#include "export/hex_writer.h"

namespace krvl2::cli {

namespace {

constexpr std::string_view kPrefix = "krvl2-dump: ";

// The user's regional settings with the command line's overrides. A pattern
// given on the command line means its "/" and ":" as they stand.
LocaleSettings localeFor(const DumpOptions& options) {
  LocaleSettings locale = systemLocaleSettings();
  if (options.dateFormat) {
    locale.shortDateFormat = toWindows1252(*options.dateFormat);
    locale.dateSeparator = "/";
  }
  if (options.timeFormat) {
    locale.longTimeFormat = toWindows1252(*options.timeFormat);
    locale.timeSeparator = ":";
  }
  if (options.decimalSeparator) locale.decimalSeparator = toWindows1252(*options.decimalSeparator);
  return locale;
}

std::unique_ptr<FrameFormat> makeFormat(const DumpOptions& options, Console& console) {
  switch (options.format) {
    case OutputFormat::Csv:
      return makeCsvFormat(console);
    case OutputFormat::Json:
      return makeJsonFormat(console);
    case OutputFormat::Table:
      return makeTableFormat(console, localeFor(options));
    case OutputFormat::Panel:
      return makePanelFormat(console, localeFor(options), options.captures.size() > 1);
  }
  return nullptr;
}

class Dump {
 public:
  Dump(const DumpOptions& options, Console& console)
      : options_(options), console_(console), format_(makeFormat(options, console)) {
    if (options.hexOutDirectory) {
      hexDirectory_ = *options.hexOutDirectory;
      while (hexDirectory_.size() > 1 && hexDirectory_.back() == '/') hexDirectory_.pop_back();
    }
  }

  // 0 or 1, as the exit status.
  int capture(const std::string& path) {
    DecoderState exportState;
    Outcome outcome;
    try {
      outcome = printCapture(path, exportState);
    } catch (const Failure& failure) {
      report(path, failure.message());
      return 1;
    }
    // The export holds the frames, decoded or not, as the window's does; a
    // capture read only in part gets none, lest it replace a whole one.
    if (outcome.readToEnd && options_.hexOutDirectory && exportState.SatelliteFrameCount > 0) {
      try {
        writeExport(path, exportState);
      } catch (const Failure& failure) {
        report(exportState.HexExportPath, failure.message());
        return 1;
      }
    }
    return outcome.readToEnd && outcome.everyFrameDecoded ? 0 : 1;
  }

 private:
  struct Outcome {
    bool readToEnd = false;
    bool everyFrameDecoded = true;
  };

  Outcome printCapture(const std::string& path, DecoderState& exportState) {
    SatelliteFrameReader reader(path);
    CaptureInfo info;
    info.path = path;
    info.empty = reader.isEmpty();
    // The panel counts the frames before it shows the first: one more pass.
    const int passes = format_->needsFrameCount() && !info.empty ? 2 : 1;
    const std::uint64_t work = reader.size() * static_cast<std::uint64_t>(passes);
    if (passes == 2) {
      SatelliteFrameReader counter(path, false);
      while (counter.next()) {
        if (info.frameCount++ == 0) info.firstFrame = counter.frame();
        console_.progress(path, counter.position(), work);
      }
      info.readFails = counter.failure().has_value();
    }

    Outcome outcome;
    const bool exporting = options_.hexOutDirectory.has_value();
    if (exporting) exportState.HexExportPath = exportPathFor(hexDirectory_, path);
    format_->beginCapture(info);
    std::int64_t printed = 0;
    while (reader.next()) {
      std::optional<std::string> problem;
      try {
        problem = format_->frame(reader.number(), reader.frame(), reader.record());
      } catch (const Failure& failure) {
        problem = failure.message();
        format_->frameFailed(*problem);
      }
      ++printed;
      if (problem) {
        report(path, "frame " + std::to_string(reader.number()) + ": " + *problem);
        outcome.everyFrameDecoded = false;
      }
      if (exporting) {
        exportState.SatelliteFrames.append(reader.frame());
        ++exportState.SatelliteFrameCount;
      }
      console_.progress(path, reader.size() * static_cast<std::uint64_t>(passes - 1) + reader.position(), work);
      if (console_.outputFailed()) return outcome;
    }
    format_->endCapture(printed);
    console_.endProgress();
    console_.flush();
    if (reader.failure()) {
      report(path, reader.failure()->message());
    } else {
      outcome.readToEnd = true;
    }
    return outcome;
  }

  void writeExport(const std::string& path, const DecoderState& exportState) {
    // Two captures of the same name would share one export file; the second
    // must not silently replace the first.
    if (!exportsWritten_.insert(exportState.HexExportPath).second) {
      throw Failure("already the export of an earlier capture; not replaced by that of " + path);
    }
    WriteHexFile(exportState);
  }

  void report(const std::string& path, const std::string& message) {
    console_.endProgress();
    console_.report(std::string(kPrefix) + path + ": " + message);
  }

  const DumpOptions& options_;
  Console& console_;
  std::unique_ptr<FrameFormat> format_;
  std::string hexDirectory_;
  std::set<std::string> exportsWritten_;
};

void writeLine(int fd, const std::string& text) {
  std::string_view rest = text;
  while (!rest.empty()) {
    const auto written = ::write(fd, rest.data(), rest.size());
    if (written <= 0) return;
    rest.remove_prefix(static_cast<std::size_t>(written));
  }
}

}  // namespace

int runDump(const std::vector<std::string>& arguments, int outputFd, int errorFd) {
  const ParsedCommandLine parsed = parseCommandLine(arguments);
  if (!parsed.error.empty()) {
    writeLine(errorFd, std::string(kPrefix) + parsed.error + "\n");
    return 2;
  }
  const DumpOptions& options = parsed.options;
  if (options.help || options.version) {
    writeLine(outputFd, options.help ? helpText() : versionText());
    return 0;
  }

  Console console(outputFd, errorFd, ::isatty(errorFd) == 1);
  Dump dump(options, console);
  int status = 0;
  for (const std::string& path : options.captures) {
    status |= dump.capture(path);
    if (console.outputFailed()) break;
  }
  console.flush();
  if (console.outputFailed()) {
    console.report(std::string(kPrefix) + "standard output: " + std::strerror(console.outputError()));
    return 1;
  }
  return status;
}

}  // namespace krvl2::cli
