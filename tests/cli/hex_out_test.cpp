// --hex-out: each capture's .HEX export, written by the export's own code
// under the export's own name, and only for a capture read to its end.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "capture/kss_reader.h"
#include "export/hex_writer.h"
#include "run_dump.h"
#include "support/capture_builder.h"
#include "support/temp_dir.h"

namespace krvl2::testing {
namespace {


// What the window's export writes for a capture.
std::string windowExport(const std::string& capturePath, const TempDir& dir) {
  DecoderState state;
  state.StartDirectory = dir.path();
  ReadKssFile(state, capturePath).readFrames(state);
  WriteHexFile(state);
  return fileContent(state.HexExportPath);
}

TEST(HexOut, WritesTheWindowsExportBesideTheOutput) {
  TempDir out;
  TempDir window;
  const std::string sample = sourceDirectory() + "/samples/pass.kss";
  const DumpRun run = runDump({"--format", "csv", "--hex-out", out.path() + "/", "samples/pass.kss"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(linesOf(run.out, "\r\n").size(), 14u);
  const std::string written = fileContent(out.file("pass.HEX"));
  EXPECT_EQ(linesOf(written, "\r\n").size(), 13u);
  EXPECT_EQ(written, windowExport(sample, window));
}

TEST(HexOut, WritesNothingForACaptureThatIsDamagedOrForeign) {
  TempDir dir;
  const std::string damaged = dir.file("damaged.kss");
  CaptureBuilder().frame(satelliteFrame().bytes()).raw({0xC0, 0x00, 0x86}).writeTo(damaged);
  const std::string foreign = dir.file("foreign.kss");
  CaptureBuilder().frame(otherStationFrame("DL1XYZ", "hello")).writeTo(foreign);
  TempDir out;

  const DumpRun run = runDump({"--format", "csv", "--hex-out", out.path(), damaged, foreign});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "krvl2-dump: " + damaged + ": Read beyond end of file\n");
  EXPECT_TRUE(std::filesystem::is_empty(out.path()));
}

TEST(HexOut, HoldsFramesThatCouldNotBeDecoded) {
  TempDir dir;
  const std::string path = dir.file("short.kss");
  const Bytes shortBeacon = satelliteFrame().withLength(30).bytes();
  CaptureBuilder().frame(shortBeacon).writeTo(path);
  TempDir out;
  const DumpRun run = runDump({"--format", "csv", "--hex-out", out.path(), path});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(fileContent(out.file("short.HEX")), hexText(shortBeacon) + "\r\n");
}

TEST(HexOut, ReportsAnExportThatCannotBeWritten) {
  TempDir out;
  const std::string missing = out.file("no/such/dir");
  const DumpRun run = runDump({"--format", "csv", "--hex-out", missing, "samples/pass.kss"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "krvl2-dump: " + missing + "/pass.HEX: Invalid filename\n");
  EXPECT_EQ(linesOf(run.out, "\r\n").size(), 14u);
}

TEST(HexOut, DoesNotLetASecondCaptureOfTheSameNameReplaceTheFirstsExport) {
  TempDir dir;
  std::filesystem::create_directories(dir.file("a"));
  std::filesystem::create_directories(dir.file("b"));
  CaptureBuilder().frame(satelliteFrame().withSequence(1).bytes()).writeTo(dir.file("a/pass.kss"));
  CaptureBuilder().frame(satelliteFrame().withSequence(2).bytes()).writeTo(dir.file("b/pass.kss"));
  TempDir out;

  const DumpRun run = runDump({"--format", "csv", "--hex-out", out.path(), dir.file("a/pass.kss"), dir.file("b/pass.kss")});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "krvl2-dump: " + out.file("pass.HEX") +
                         ": already the export of an earlier capture; not replaced by that of " +
                         dir.file("b/pass.kss") + "\n");
  EXPECT_EQ(fileContent(out.file("pass.HEX")), hexText(satelliteFrame().withSequence(1).bytes()) + "\r\n");
}

}  // namespace
}  // namespace krvl2::testing
