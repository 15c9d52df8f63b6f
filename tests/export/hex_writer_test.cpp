// The .HEX file: what it holds, where it goes, and that a failed export
// leaves an earlier file exactly as it was, with nothing beside it.
#include "export/hex_writer.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "capture/kss_reader.h"
#include "support/capture_builder.h"
#include "support/temp_dir.h"

namespace krvl2 {
namespace {

using testing::Bytes;
using testing::CaptureBuilder;
using testing::hexText;
using testing::satelliteFrame;
using testing::TempDir;

std::string contentOf(const std::string& path) {
  if (std::filesystem::is_directory(path)) return "(directory)";
  std::ifstream in(path, std::ios::binary);
  if (!in) return "(missing)";
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

std::string filesIn(const std::string& directory) {
  std::set<std::string> names;
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator(directory, ignored)) {
    names.insert(entry.path().filename().string());
  }
  std::string list;
  for (const auto& name : names) list += (list.empty() ? "" : " ") + name;
  return list;
}

void makeDirectory(const std::string& path, mode_t mode = 0755) {
  ASSERT_EQ(::mkdir(path.c_str(), mode), 0) << path;
  ASSERT_EQ(::chmod(path.c_str(), mode), 0) << path;
}

// Opens a capture as the main window does, from `startDirectory`.
DecoderState openCapture(const std::string& startDirectory, const std::string& capturePath) {
  DecoderState state;
  state.StartDirectory = startDirectory;
  auto capture = ReadKssFile(state, capturePath);
  capture.readFrames(state);
  return state;
}

// What the .HEX file of these frames must hold.
std::string hexLines(const std::vector<Bytes>& frames) {
  std::string lines;
  for (const auto& frame : frames) lines += hexText(frame) + "\r\n";
  return lines;
}

TEST(HexExport, WritesAFrameTextAndCrLf) {
  TempDir dir;
  DecoderState state;
  state.HexExportPath = dir.file("pass.HEX");
  state.SatelliteFrames.append("01 2F C0 DB FF ");
  state.SatelliteFrameCount = 1;
  WriteHexFile(state);
  EXPECT_EQ(contentOf(state.HexExportPath), "01 2F C0 DB FF \r\n");
  EXPECT_EQ(exportNotice(state.HexExportPath), " Writing pass.HEX");
}

TEST(HexExport, EverySatelliteFrameOfACaptureWholeAndInCaptureOrder) {
  TempDir dir;
  // Readings holding C0 and DB travel as escape pairs in the capture; a frame
  // of 2000 bytes is longer than any line limit of 4096 characters; the same
  // frame captured twice is written twice.
  const Bytes escapes = satelliteFrame().withBatteryMv(0xC0DB).withSequence(0xDBC0).bytes();
  const Bytes longFrame = satelliteFrame().withSequence(2).withLength(2000, 0xDB).bytes();
  const Bytes repeated = satelliteFrame().withSequence(3).bytes();
  CaptureBuilder()
      .timestamp(testing::unixMillis(2021, 4, 10, 12, 0, 0))
      .frame(escapes)
      .frame(testing::otherStationFrame("N0CALL", "not ours"))
      .timestamp(testing::unixMillis(2021, 4, 10, 12, 0, 10))
      .frame(longFrame)
      .timestamp(testing::unixMillis(2021, 4, 10, 12, 0, 20))
      .frame(repeated)
      .timestamp(testing::unixMillis(2021, 4, 10, 12, 0, 30))
      .frame(repeated)
      .writeTo(dir.file("pass.kss"));

  auto state = openCapture(dir.path(), dir.file("pass.kss"));
  WriteHexFile(state);
  const auto first = contentOf(dir.file("pass.HEX"));
  EXPECT_EQ(first, hexLines({escapes, longFrame, repeated, repeated}));
  EXPECT_EQ(first.size(), (3 * escapes.size() + 2) + (3 * 2000 + 2) + 2 * (3 * repeated.size() + 2));

  WriteHexFile(state);
  EXPECT_EQ(contentOf(dir.file("pass.HEX")), first);
  EXPECT_EQ(filesIn(dir.path()), "pass.HEX pass.kss");
}

TEST(HexExport, GoesToTheStartDirectoryUnderTheCapturesName) {
  TempDir dir;
  makeDirectory(dir.file("start"));
  makeDirectory(dir.file("a"));
  makeDirectory(dir.file("b"));
  const Bytes one = satelliteFrame().withSequence(1).bytes();
  const Bytes two = satelliteFrame().withSequence(2).bytes();
  CaptureBuilder().frame(one).writeTo(dir.file("a/pass.kss"));
  CaptureBuilder().frame(two).frame(two).writeTo(dir.file("b/pass.bin"));

  WriteHexFile(openCapture(dir.file("start"), dir.file("a/pass.kss")));
  EXPECT_EQ(contentOf(dir.file("start/pass.HEX")), hexLines({one}));
  // Another capture of the same name replaces that file without a question.
  WriteHexFile(openCapture(dir.file("start"), dir.file("b/pass.bin")));
  EXPECT_EQ(contentOf(dir.file("start/pass.HEX")), hexLines({two, two}));

  EXPECT_EQ(filesIn(dir.file("start")), "pass.HEX");
  EXPECT_EQ(filesIn(dir.file("a")), "pass.kss");
  EXPECT_EQ(filesIn(dir.file("b")), "pass.bin");
}

TEST(HexExport, ReplacingKeepsWhatAWriteInPlaceWouldKeep) {
  TempDir dir;
  DecoderState state;
  state.SatelliteFrames.append("C0 ");
  state.SatelliteFrameCount = 1;

  // Permissions of the replaced file, not those of a private new file.
  state.HexExportPath = dir.file("shared.HEX");
  writeFile(state.HexExportPath, "old\r\n");
  ASSERT_EQ(::chmod(state.HexExportPath.c_str(), 0664), 0);
  WriteHexFile(state);
  struct stat info {};
  ASSERT_EQ(::stat(state.HexExportPath.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0664u);

  // A new file gets what the umask allows, as any new file does.
  const mode_t previousMask = ::umask(022);
  state.HexExportPath = dir.file("new.HEX");
  WriteHexFile(state);
  ::umask(previousMask);
  ASSERT_EQ(::stat(state.HexExportPath.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0644u);

  // A symbolic link stays a link; the file it points to gets the lines.
  makeDirectory(dir.file("elsewhere"));
  writeFile(dir.file("elsewhere/kept.HEX"), "old\r\n");
  ASSERT_EQ(::symlink(dir.file("elsewhere/kept.HEX").c_str(), dir.file("linked.HEX").c_str()), 0);
  state.HexExportPath = dir.file("linked.HEX");
  WriteHexFile(state);
  EXPECT_TRUE(std::filesystem::is_symlink(dir.file("linked.HEX")));
  EXPECT_EQ(contentOf(dir.file("elsewhere/kept.HEX")), "C0 \r\n");
  EXPECT_EQ(filesIn(dir.file("elsewhere")), "kept.HEX");
}

// ---- Failures ------------------------------------------------------------

// Frames enough to overflow the small limits below many times over.
DecoderState manyFrames(const std::string& exportPath) {
  DecoderState state;
  state.HexExportPath = exportPath;
  const auto text = satelliteFrame().withLength(300, 0xAB).text();
  for (int i = 0; i < 400; ++i) state.SatelliteFrames.append(text);
  state.SatelliteFrameCount = 400;
  return state;
}

const std::string kPrevious = "01 02 03 \r\n";

// The failure's message, then what the target holds, then the files of its
// directory: everything a user would look at after a failed export.
std::string exportOutcome(const std::string& exportPath) {
  std::string message = "(no failure)";
  try {
    WriteHexFile(manyFrames(exportPath));
  } catch (const Failure& failure) {
    message = failure.message();
  }
  const auto directory = exportPath.substr(0, exportPath.find_last_of('/'));
  auto content = contentOf(exportPath);
  if (content.size() > 64) content = "(" + std::to_string(content.size()) + " bytes)";
  return message + " | " + content + " | " + filesIn(directory);
}

// Runs `work` in a child process, so that limits and mounts stay there.
std::string runInChild(const std::function<std::string()>& work) {
  int channel[2];
  if (::pipe(channel) != 0) return "pipe failed";
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(channel[0]);
    const auto result = work();
    const auto written = ::write(channel[1], result.data(), result.size());
    ::_exit(written == static_cast<ssize_t>(result.size()) ? 0 : 1);
  }
  ::close(channel[1]);
  std::string result;
  char buffer[4096];
  for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;) result.append(buffer, got);
  ::close(channel[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  return result;
}

struct FailureCase {
  const char* what;
  // Prepares `start` (made writable, holding kPrevious as pass.HEX) and
  // gives the export path.
  std::function<std::string(const std::string& start)> prepare;
  // How the export runs: as this process, or in a child process.
  std::function<std::string(const std::function<std::string()>&)> run;
  std::string message;
  std::string targetAfter;
  std::string filesAfter;
};

std::string directly(const std::function<std::string()>& work) { return work(); }

std::string asOrdinaryUser(const std::function<std::string()>& work) { return testing::runUnprivileged(work); }

// Writes past the limit fail with EFBIG instead of killing the process.
std::string withFileSizeLimit(const std::function<std::string()>& work) {
  return runInChild([&] {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{16384, 16384};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return std::string("setrlimit failed");
    return work();
  });
}

TEST(HexExport, FailuresLeaveThePreviousFileAndNothingElse) {
  const std::vector<FailureCase> cases = {
      {"start directory removed", [](const std::string& start) { return start + "/gone/pass.HEX"; }, directly,
       "Invalid filename", "(missing)", ""},
      {"read-only file of that name",
       [](const std::string& start) {
         ::chmod((start + "/pass.HEX").c_str(), 0444);
         return start + "/pass.HEX";
       },
       asOrdinaryUser, "File access denied", kPrevious, "pass.HEX"},
      {"directory without write permission",
       [](const std::string& start) {
         ::chmod(start.c_str(), 0555);
         return start + "/pass.HEX";
       },
       asOrdinaryUser, "File access denied", kPrevious, "pass.HEX"},
      {"directory of that name",
       [](const std::string& start) {
         ::mkdir((start + "/folder.HEX").c_str(), 0777);
         return start + "/folder.HEX";
       },
       directly, "File access denied", "(directory)", "folder.HEX pass.HEX"},
      {"file size limit reached while writing", [](const std::string& start) { return start + "/pass.HEX"; },
       withFileSizeLimit, "I/O error 27", kPrevious, "pass.HEX"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    ::chmod(dir.path().c_str(), 0755);  // an ordinary user may enter
    const auto start = dir.file("start");
    makeDirectory(start, 0777);
    writeFile(start + "/pass.HEX", kPrevious);
    ::chmod((start + "/pass.HEX").c_str(), 0666);
    const auto exportPath = c.prepare(start);
    const auto outcome = c.run([&] { return exportOutcome(exportPath); });
    EXPECT_EQ(outcome, c.message + " | " + c.targetAfter + " | " + c.filesAfter);
  }
}

// Mounts a file system of 64 KiB over `directory` in a mount namespace of
// the calling process's own; false where this system allows none.
bool mountSmallFileSystem(const std::string& directory) {
  if (::unshare(CLONE_NEWNS) != 0) {
    const auto uid = ::getuid();
    const auto gid = ::getgid();
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return false;
    writeFile("/proc/self/setgroups", "deny");
    writeFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1");
    writeFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1");
  }
  // Nothing mounted here may reach the namespace the tests started in.
  if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return false;
  return ::mount("tmpfs", directory.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k") == 0;
}

TEST(HexExport, FullDiskLeavesThePreviousFileAndNothingElse) {
  TempDir dir;
  const auto start = dir.file("start");
  makeDirectory(start);
  const auto outcome = runInChild([&] {
    if (!mountSmallFileSystem(start)) return std::string("no small file system");
    writeFile(start + "/pass.HEX", kPrevious);
    return exportOutcome(start + "/pass.HEX");
  });
  if (outcome == "no small file system") GTEST_SKIP() << "this system lets no test mount a small file system";
  EXPECT_EQ(outcome, "I/O error 28 | " + kPrevious + " | pass.HEX");
}

}  // namespace
}  // namespace krvl2
