// Each message of the input/output error table from a real failing operation.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "capture/kss_reader.h"
#include "support/capture_builder.h"
#include "support/temp_dir.h"

namespace krvl2 {
namespace {

using testing::TempDir;

std::string openMessage(const std::string& path) {
  DecoderState state;
  try {
    auto capture = ReadKssFile(state, path);
    if (!capture.isEmpty()) capture.readFrames(state);
    return "";
  } catch (const Failure& failure) {
    return failure.message();
  }
}

TEST(IoErrors, MessagesByErrorCode) {
  EXPECT_EQ(ioErrorMessage(ENOENT), "File not found");
  EXPECT_EQ(ioErrorMessage(ENOTDIR), "Invalid filename");
  EXPECT_EQ(ioErrorMessage(EMFILE), "Too many open files");
  EXPECT_EQ(ioErrorMessage(EACCES), "File access denied");
  EXPECT_EQ(ioErrorMessage(ENOSPC), "I/O error 28");
  EXPECT_EQ(ioErrorMessage(EIO), "I/O error 5");
}

TEST(IoErrors, OpeningACapture) {
  TempDir dir;
  testing::CaptureBuilder().raw({0xC0, 0x00, 0xC0}).writeTo(dir.file("plain.kss"));
  EXPECT_EQ(openMessage(dir.file("plain.kss")), "");
  EXPECT_EQ(openMessage(dir.file("missing.kss")), "File not found");
  EXPECT_EQ(openMessage(dir.file("no-such-dir/pass.kss")), "Invalid filename");
  EXPECT_EQ(openMessage(dir.file("plain.kss/pass.kss")), "Invalid filename");
  EXPECT_EQ(openMessage(dir.path()), "File access denied");
}

TEST(IoErrors, AccessDeniedAsAnOrdinaryUser) {
  TempDir dir;
  const auto path = dir.file("locked.kss");
  testing::CaptureBuilder().raw({0xC0, 0x00, 0xC0}).writeTo(path);
  // The directory stays open to everyone: only the file itself is locked.
  ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
  ASSERT_EQ(::chmod(path.c_str(), 0), 0);
  EXPECT_EQ(testing::runUnprivileged([&] { return openMessage(path); }), "File access denied");
}

TEST(IoErrors, TooManyOpenFiles) {
  TempDir dir;
  const auto path = dir.file("pass.kss");
  testing::CaptureBuilder().raw({0xC0, 0x00, 0xC0}).writeTo(path);
  // In a child, so that the lowered limit cannot disturb other tests. The
  // limit is raised again before the failure is looked at: the sanitizers
  // need descriptors of their own to check it.
  const auto message = testing::runUnprivileged([&] {
    rlimit original{};
    ::getrlimit(RLIMIT_NOFILE, &original);
    const rlimit lowered{3, original.rlim_max};  // standard input, output and error, nothing more
    if (::setrlimit(RLIMIT_NOFILE, &lowered) != 0) return std::string("setrlimit failed");
    DecoderState state;
    try {
      ReadKssFile(state, path);
    } catch (const Failure& failure) {
      ::setrlimit(RLIMIT_NOFILE, &original);
      return failure.message();
    }
    return std::string("opened");
  });
  EXPECT_EQ(message, "Too many open files");
}

}  // namespace
}  // namespace krvl2
