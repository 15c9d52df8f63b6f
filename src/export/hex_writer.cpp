#include "export/hex_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

#include "capture/failure.h"

namespace krvl2 {

namespace {

// Lines are gathered into blocks of this size, so that a capture of millions
// of frames costs a few hundred system calls rather than one per line.
constexpr std::size_t kBlockSize = std::size_t{1} << 20;

std::string directoryOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A symbolic link is followed, so that the file it points to gets the lines,
// as it would if the file were written in place; the link itself stays.
std::string fileToReplace(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
    if (char* resolved = ::realpath(path.c_str(), nullptr)) {
      std::string result(resolved);
      std::free(resolved);
      return result;
    }
  }
  return path;
}

// The export file as it is being written: a new file beside the one it will
// replace. Unless replace() succeeds, the new file is removed again.
class NewHexFile {
 public:
  explicit NewHexFile(const std::string& target) : target_(target) {
    const std::string stem = directoryOf(target) + "/." + nameOf(target) + ".";
    // Unique among concurrent exports of this and other processes; O_EXCL
    // settles any clash. 0666 lets the umask decide, as for any new file.
    auto seed = static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                (static_cast<unsigned long long>(::getpid()) << 32);
    for (int attempt = 0; attempt < 100; ++attempt) {
      seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
      path_ = stem + std::to_string(seed >> 24) + ".tmp";
      fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd_ >= 0 || errno != EEXIST) break;
    }
    if (fd_ < 0) throw openFailure(errno, target);
    block_ = std::make_unique<char[]>(kBlockSize);
  }

  ~NewHexFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!replaced_) ::unlink(path_.c_str());
  }

  NewHexFile(const NewHexFile&) = delete;
  NewHexFile& operator=(const NewHexFile&) = delete;

  void append(std::string_view text) {
    if (text.size() > kBlockSize - used_) {
      flush();
      if (text.size() >= kBlockSize) {
        writeAll(text.data(), text.size());
        return;
      }
    }
    std::memcpy(block_.get() + used_, text.data(), text.size());
    used_ += text.size();
  }

  // Writes what is left, gives the file the permissions of the file it
  // replaces, and makes it durable before anything is renamed: a rename that
  // reached the disk ahead of the data could otherwise leave an empty file
  // after a power cut.
  void finish(const struct stat* replaced) {
    flush();
    if (replaced && ::fchmod(fd_, replaced->st_mode & 0777) != 0) throw ioFailure(errno);
    if (::fsync(fd_) != 0) throw ioFailure(errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) throw ioFailure(errno);
  }

  void replace() {
    if (::rename(path_.c_str(), target_.c_str()) != 0) throw openFailure(errno, target_);
    replaced_ = true;
    // The rename itself reaches the disk with the directory; a failure here
    // leaves the new content in place and is not worth a message.
    const int directory = ::open(directoryOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directory >= 0) {
      ::fsync(directory);
      ::close(directory);
    }
  }

 private:
  void flush() {
    writeAll(block_.get(), used_);
    used_ = 0;
  }

  void writeAll(const char* data, std::size_t size) {
    while (size > 0) {
      const auto written = ::write(fd_, data, size);
      if (written < 0) {
        if (errno == EINTR) continue;
        throw ioFailure(errno);
      }
      data += written;
      size -= static_cast<std::size_t>(written);
    }
  }

  std::string target_;
  std::string path_;
  int fd_ = -1;
  bool replaced_ = false;
  std::unique_ptr<char[]> block_;
  std::size_t used_ = 0;
};

}  // namespace

void WriteHexFile(const DecoderState& state) {
  const std::string target = fileToReplace(state.HexExportPath);

  // A file the user may not write is refused as it would be if it were
  // opened for writing, although a rename in its directory could replace it.
  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0 && errno != ENOENT) {
    throw openFailure(errno, target);
  }
  if (exists && S_ISDIR(existing.st_mode)) throw openFailure(EISDIR, target);

  NewHexFile file(target);
  for (std::int32_t i = 0; i < state.SatelliteFrameCount; ++i) {
    file.append(state.SatelliteFrames.at(i));
    file.append("\r\n");
  }
  file.finish(exists && S_ISREG(existing.st_mode) ? &existing : nullptr);
  file.replace();
}

std::string exportNotice(const std::string& hexExportPath) {
  return " Writing " + hexExportPath.substr(hexExportPath.find_last_of('/') + 1);
}

}  // namespace krvl2
