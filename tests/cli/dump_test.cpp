// krvl2-dump on the sample capture in every format, on damaged and missing
// captures, and on command lines it must refuse.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "run_dump.h"
#include "support/capture_builder.h"
#include "support/temp_dir.h"

namespace krvl2::testing {
namespace {

const std::vector<std::string> kIsoDates = {"--date-format", "yyyy-MM-dd", "--time-format", "HH:mm:ss",
                                            "--decimal-separator", "."};

std::vector<std::string> join(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

struct SampleCase {
  std::string name;
  std::vector<std::string> arguments;
  std::string expected;
  std::string locale = "C.UTF-8";
  friend void PrintTo(const SampleCase& c, std::ostream* out) { *out << c.name; }
};

class SampleOutput : public ::testing::TestWithParam<SampleCase> {};

// The expected files were made by these very command lines and read line by
// line against the layout of each format; the locale is pinned by the
// options, so that they hold on any machine.
TEST_P(SampleOutput, MatchesTheCheckedInOutput) {
  const SampleCase& c = GetParam();
  const DumpRun run = runDump(join(c.arguments, {"samples/pass.kss"}), inLocale(c.locale));
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, expectedOutput(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Formats, SampleOutput,
    ::testing::Values(SampleCase{"table", kIsoDates, "pass.table.txt"},
                      // Each capture's lines as the window shows them; the decimal comma
                      // reaches only the currents, as in the window.
                      SampleCase{"panel",
                                 {"--format", "panel", "--date-format", "dd.MM.yyyy", "--time-format", "HH:mm:ss",
                                  "--decimal-separator", ","},
                                 "pass.panel.txt"},
                      SampleCase{"csv", {"--format", "csv"}, "pass.csv"},
                      SampleCase{"json", {"--format=json"}, "pass.jsonl"},
                      // The exact outputs owe nothing to the user's settings.
                      SampleCase{"csv_under_a_german_locale", {"--format", "csv"}, "pass.csv", "de_DE.UTF-8"},
                      SampleCase{"json_under_a_german_locale", {"--format", "json"}, "pass.jsonl", "de_DE.UTF-8"}),
    [](const auto& info) { return info.param.name; });

TEST(UserLocale, GivesDatesAndDecimalsUnlessTheOptionsOverrideThem) {
  const DumpRun german = runDump({"samples/pass.kss"}, inLocale("de_DE.UTF-8"));
  EXPECT_EQ(german.status, 0);
  EXPECT_NE(german.out.find("-- 01.01.19\n"), std::string::npos) << german.out;
  EXPECT_NE(german.out.find(" 8,123 "), std::string::npos) << german.out;

  // A "/" in a pattern given on the command line is a "/", not the German
  // date separator.
  const DumpRun overridden = runDump({"--date-format", "d/M/yyyy", "samples/pass.kss"}, inLocale("de_DE.UTF-8"));
  EXPECT_EQ(overridden.status, 0);
  EXPECT_NE(overridden.out.find("-- 1/1/2019\n"), std::string::npos) << overridden.out;
  EXPECT_NE(overridden.out.find(" 8,123 "), std::string::npos) << overridden.out;
}

// The sample's first three beacons, then a frame whose closing FEND never came.
std::string damagedCapture(const TempDir& dir) {
  CaptureBuilder capture;
  for (int i = 0; i < 3; ++i) {
    capture.timestamp(unixMillis(2019, 1, 1, 10, 0, i * 45));
    capture.frame(satelliteFrame().withSequence(static_cast<std::uint16_t>(300 + i)).bytes());
  }
  Bytes cut = satelliteFrame().withSequence(303).bytes();
  cut.resize(30);
  capture.raw({0xC0, 0x00}).raw(cut);
  const std::string path = dir.file("damaged.kss");
  capture.writeTo(path);
  return path;
}

struct DamageCase {
  std::string format;
  std::vector<std::string> expectedLines;  // lines of the output that show the frames read
  friend void PrintTo(const DamageCase& c, std::ostream* out) { *out << c.format; }
};

class DamagedCapture : public ::testing::TestWithParam<DamageCase> {};

TEST_P(DamagedCapture, PrintsTheFramesBeforeTheDamageAndFails) {
  TempDir dir;
  const std::string path = damagedCapture(dir);
  const DumpRun run = runDump({"--format", GetParam().format, path});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "krvl2-dump: " + path + ": Read beyond end of file\n");
  for (const std::string& line : GetParam().expectedLines) {
    EXPECT_NE(run.out.find(line), std::string::npos) << line << "\nin\n" << run.out;
  }
  EXPECT_EQ(run.out.find(",4,"), std::string::npos);
  EXPECT_EQ(run.out.find("\"frame\":4"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, DamagedCapture,
    ::testing::Values(DamageCase{"table", {"\n  3  10:01:30"}},
                      DamageCase{"csv", {",3,2019-01-01T10:01:30.000Z,"}},
                      DamageCase{"json", {"\"frame\":3,"}},
                      DamageCase{"panel", {" This file contains  3  frames\n", "frame 3 of 3\n", "Sequence number: 302\n"}}),
    [](const auto& info) { return info.param.format; });

TEST(MissingCapture, IsReportedAndTheOtherCapturesAreStillPrinted) {
  const DumpRun run = runDump({"--format", "csv", "samples/none.kss", "samples/pass.kss"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "krvl2-dump: samples/none.kss: File not found\n");
  EXPECT_EQ(linesOf(run.out, "\r\n").size(), 14u);
}

TEST(EmptyAndForeignCaptures, AreNoFailures) {
  TempDir dir;
  const std::string empty = dir.file("empty.kss");
  CaptureBuilder().writeTo(empty);
  const std::string foreign = dir.file("foreign.kss");
  CaptureBuilder().timestamp(0).frame(otherStationFrame("DL1XYZ", "hello")).writeTo(foreign);

  // The window's summary line, and nothing else.
  DumpRun run = runDump({"--format", "panel", empty});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, empty + "   is not a valid file !\n");
  run = runDump({"--format", "panel", foreign});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "  This KSS file is not from KRVL2 !  \n");

  run = runDump({"--format", "csv", empty, foreign});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(linesOf(run.out, "\r\n").size(), 1u);
  EXPECT_EQ(run.err, "");

  run = runDump({empty, foreign});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, empty + "\n  (empty file)\n\n" + foreign + "\n  (no frame of KRVL2)\n");
}

struct UsageCase {
  std::string name;
  std::vector<std::string> arguments;
  std::string message;
  friend void PrintTo(const UsageCase& c, std::ostream* out) { *out << c.name; }
};

class WrongCommandLine : public ::testing::TestWithParam<UsageCase> {};

TEST_P(WrongCommandLine, IsRefusedWithAOneLineHint) {
  const DumpRun run = runDump(GetParam().arguments);
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "krvl2-dump: " + GetParam().message + " (try 'krvl2-dump --help')\n");
}

INSTANTIATE_TEST_SUITE_P(
    Options, WrongCommandLine,
    ::testing::Values(UsageCase{"nothing", {}, "no capture given"},
                      UsageCase{"no_capture", {"--format", "csv"}, "no capture given"},
                      UsageCase{"unknown_format", {"--format", "xml", "samples/pass.kss"},
                                "unknown format 'xml', choose table, csv, json or panel"},
                      UsageCase{"format_without_value", {"samples/pass.kss", "--format"}, "--format needs a value"},
                      UsageCase{"unknown_option", {"--colour", "samples/pass.kss"}, "unknown option '--colour'"},
                      UsageCase{"unknown_short_option", {"-x", "samples/pass.kss"}, "unknown option '-x'"},
                      UsageCase{"separator_of_two_characters", {"--decimal-separator", "ab", "samples/pass.kss"},
                                "--decimal-separator takes one character, not 'ab'"},
                      UsageCase{"empty_pattern", {"--date-format=", "samples/pass.kss"},
                                "--date-format needs a value"}),
    [](const auto& info) { return info.param.name; });

TEST(CommandLine, OptionsMayFollowCapturesAndDoubleDashEndsTheOptions) {
  TempDir dir;
  CaptureBuilder().frame(satelliteFrame().bytes()).writeTo(dir.file("--format"));
  CaptureBuilder().frame(satelliteFrame().bytes()).writeTo(dir.file("a.kss"));
  const DumpRun run = runDump({"a.kss", "--format", "json", "--", "--format"}, inDirectory(dir.path()));
  EXPECT_EQ(run.status, 0) << run.err;
  const auto lines = linesOf(run.out);
  ASSERT_EQ(lines.size(), 2u) << run.out;
  EXPECT_EQ(lines[1].rfind("{\"capture\":\"--format\",", 0), 0u) << lines[1];
}

TEST(CommandLine, HelpAndVersion) {
  DumpRun run = runDump({"--help"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out.rfind("Usage: krvl2-dump [OPTIONS] CAPTURE...\n", 0), 0u);
  run = runDump({"--version"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out.rfind("krvl2-dump ", 0), 0u);
}

TEST(Output, AFullDiskIsAFailure) {
  const DumpRun run = runDump({"--format", "csv", "samples/pass.kss"}, withOutputTo("/dev/full"));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "krvl2-dump: standard output: No space left on device\n");
}

}  // namespace
}  // namespace krvl2::testing
