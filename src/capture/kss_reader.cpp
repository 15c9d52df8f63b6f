#include "capture/kss_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

namespace krvl2 {

namespace {

constexpr std::uint8_t kFend = 0xC0;
constexpr std::uint8_t kFesc = 0xDB;
constexpr std::uint8_t kTimestampCommand = 0x09;
constexpr std::size_t kBufferSize = 1 << 20;

// The three characters of every byte value, for encoding runs of data at once.
constexpr auto kByteTexts = [] {
  constexpr char digits[] = "0123456789ABCDEF";
  std::array<std::array<char, 4>, 256> table{};
  for (int b = 0; b < 256; ++b) table[b] = {digits[b >> 4], digits[b & 0x0F], ' ', ' '};
  return table;
}();

}  // namespace

// ---- CaptureFile ---------------------------------------------------------

CaptureFile::CaptureFile(const std::string& path) {
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) throw openFailure(errno, path);
  struct stat info {};
  if (::fstat(fd_, &info) != 0) {
    const int error = errno;
    close();
    throw ioFailure(error);
  }
  if (S_ISDIR(info.st_mode)) {
    close();
    throw openFailure(EISDIR, path);
  }
  size_ = static_cast<std::uint64_t>(info.st_size);
}

CaptureFile::~CaptureFile() { close(); }

CaptureFile::CaptureFile(CaptureFile&& other) noexcept : fd_(other.fd_), size_(other.size_) {
  other.fd_ = -1;
}

void CaptureFile::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

// ---- KssFrameScanner -----------------------------------------------------

template <typename Unit>
Unit* ScratchBuffer<Unit>::reserveMore(std::size_t count) {
  if (capacity_ - size_ < count) {
    const auto capacity = std::max(2 * capacity_, size_ + count + 64);
    auto bigger = std::make_unique_for_overwrite<Unit[]>(capacity);
    if (size_ > 0) std::memcpy(bigger.get(), data_.get(), size_ * sizeof(Unit));
    data_ = std::move(bigger);
    capacity_ = capacity;
  }
  return data_.get() + size_;
}

template class ScratchBuffer<std::uint8_t>;
template class ScratchBuffer<char>;

namespace {

void encodeBytes(const std::uint8_t* bytes, std::size_t count, ScratchBuffer<char>& text) {
  // One spare character lets every byte be stored as four, the fourth being
  // overwritten by the next byte's first digit.
  char* out = text.reserveMore(3 * count + 1);
  for (std::size_t i = 0; i < count; ++i, out += 3) std::memcpy(out, kByteTexts[bytes[i]].data(), 4);
  text.grow(3 * count);
}

}  // namespace

KssFrameScanner::KssFrameScanner(const CaptureFile& file)
    : fd_(file.descriptor()), buffer_(std::make_unique_for_overwrite<std::uint8_t[]>(kBufferSize)) {}

int KssFrameScanner::fill() {
  consumed_ += end_;
  begin_ = end_ = 0;
  for (;;) {
    const auto got = ::read(fd_, buffer_.get(), kBufferSize);
    if (got > 0) {
      end_ = static_cast<std::size_t>(got);
      return 1;
    }
    if (got == 0) return 0;
    if (errno == EINTR) continue;
    failure_ = ioFailure(errno);
    return -1;
  }
}

bool KssFrameScanner::readByte(std::uint8_t& byte) {
  if (begin_ == end_) {
    const int filled = fill();
    if (filled <= 0) {
      if (filled == 0) failure_ = readBeyondEndOfFile();
      return false;
    }
  }
  byte = buffer_[begin_++];
  return true;
}

bool KssFrameScanner::next(std::uint8_t& command) {
  frame_.clear();
  hasEscapes_ = false;
  textMade_ = false;
  unescapedMade_ = false;
  std::uint8_t openingFend = 0;
  if (!readByte(openingFend) || !readByte(command)) return false;

  if (command != kTimestampCommand) {
    // An ordinary frame is everything up to the next 0xC0.
    for (;;) {
      if (begin_ == end_) {
        const int filled = fill();
        if (filled <= 0) {
          if (filled == 0) failure_ = readBeyondEndOfFile();
          return false;
        }
      }
      const std::uint8_t* start = buffer_.get() + begin_;
      const auto available = end_ - begin_;
      const auto* fend = static_cast<const std::uint8_t*>(std::memchr(start, kFend, available));
      const auto count = fend ? static_cast<std::size_t>(fend - start) : available;
      if (count > 0) {
        std::memcpy(frame_.reserveMore(count), start, count);
        frame_.grow(count);
      }
      begin_ += count;
      if (fend) {
        ++begin_;
        hasEscapes_ = frame_.size() > 0 && std::memchr(frame_.data(), kFesc, frame_.size()) != nullptr;
        return true;
      }
    }
  }

  for (;;) {
    std::uint8_t x = 0;
    if (!readByte(x)) return false;
    if (x == 0x00) {
      // The command-9 rule: the 0x00 and seven bytes as they stand.
      frame_.push(x);
      for (int i = 0; i < 7; ++i) {
        std::uint8_t b = 0;
        if (!readByte(b)) return false;
        frame_.push(b);
      }
      std::uint8_t after = 0;
      if (!readByte(after)) return false;
      if (after == kFend) break;
    } else if (x == kFend) {
      break;
    } else {
      frame_.push(x);
    }
  }
  hasEscapes_ = frame_.size() > 0 && std::memchr(frame_.data(), kFesc, frame_.size()) != nullptr;
  return true;
}

bool KssFrameScanner::atEnd() {
  if (begin_ < end_) return false;
  return fill() != 1;
}

std::string_view KssFrameScanner::text() {
  if (!textMade_) {
    text_.clear();
    encodeBytes(frame_.data(), frame_.size(), text_);
    textMade_ = true;
  }
  return {text_.data(), text_.size()};
}

std::string_view KssFrameScanner::unescapedText() {
  // The frame text's tokens are its bytes, so unescaping the bytes gives
  // what UnescapeFrame gives on the text.
  if (!hasEscapes_) return text();
  if (!unescapedMade_) {
    unescaped_.clear();
    const auto* bytes = frame_.data();
    const auto count = frame_.size();
    std::size_t i = 0;
    while (i < count) {
      const auto* fesc = static_cast<const std::uint8_t*>(std::memchr(bytes + i, kFesc, count - i));
      const std::size_t plain = fesc ? static_cast<std::size_t>(fesc - bytes) : count;
      encodeBytes(bytes + i, plain - i, unescaped_);
      if (plain == count) break;
      if (plain + 1 < count) {
        const std::uint8_t escaped = bytes[plain + 1];
        if (escaped == 0xDC) encodeBytes(&kFend, 1, unescaped_);
        if (escaped == 0xDD) encodeBytes(&kFesc, 1, unescaped_);
      }
      i = plain + 2;
    }
    unescapedMade_ = true;
  }
  return {unescaped_.data(), unescaped_.size()};
}

bool KssFrameScanner::isSatelliteFrame() const {
  // Bytes 8 to 12, the first five characters of the AX.25 source callsign
  // shifted left by one bit: K, R, V, L, 2. (Characters 22 to 35 of the
  // frame's text are "96 A4 AC 98 64".)
  static constexpr std::uint8_t source[] = {0x96, 0xA4, 0xAC, 0x98, 0x64};
  return frame_.size() >= 12 && std::memcmp(frame_.data() + 7, source, sizeof source) == 0;
}

// ---- frame texts ---------------------------------------------------------

FrameText UnescapeFrame(std::string_view text) {
  // Token by token, three characters at a time: only a whole "DB " is an
  // escape, and the pair after it goes with it.
  FrameText result;
  for (std::size_t p = 0; p < text.size(); p += 3) {
    const auto token = text.substr(p, 3);
    if (token != "DB ") {
      result += token;
      continue;
    }
    p += 3;
    const auto escaped = p < text.size() ? text.substr(p, 2) : std::string_view{};
    if (escaped == "DC") result += "C0 ";
    if (escaped == "DD") result += "DB ";
  }
  return result;
}

std::string exportPathFor(const std::string& startDirectory, const std::string& capturePath) {
  const auto slash = capturePath.find_last_of('/');
  std::string name = slash == std::string::npos ? capturePath : capturePath.substr(slash + 1);
  const auto dot = name.find_last_of('.');
  if (dot != std::string::npos) name.erase(dot);
  return startDirectory + "/" + name + ".HEX";
}

// ---- ReadKssFile ---------------------------------------------------------

KssCapture ReadKssFile(DecoderState& state, const std::string& path) {
  CaptureFile file(path);
  state.SatelliteFramesEscaped.clear();
  state.SatelliteFrames.clear();
  state.TimestampRecords.clear();
  state.SatelliteFrameCount = 0;
  state.HexExportPath = exportPathFor(state.StartDirectory, path);
  KssCapture capture(std::move(file));
  if (capture.isEmpty()) capture.file_.close();
  return capture;
}

void KssCapture::readFrames(DecoderState& state, const FrameCountCallback& onFrameCompleted) {
  if (auto failure = readAvailableFrames(state, onFrameCompleted)) throw *failure;
}

std::optional<Failure> KssCapture::readAvailableFrames(DecoderState& state,
                                                       const FrameCountCallback& onFrameCompleted) {
  if (empty_) return std::nullopt;
  if (!state.StartDirectory.empty()) {
    // The working directory goes back to where the program started; a
    // failure to do so changes nothing that matters.
    [[maybe_unused]] const int ignored = ::chdir(state.StartDirectory.c_str());
  }

  KssFrameScanner scanner(file_);
  std::uint8_t command = 0;
  while (scanner.next(command)) {
    if (scanner.isSatelliteFrame()) {
      state.SatelliteFramesEscaped.append(scanner.text());
      ++state.SatelliteFrameCount;
      // Unescaping each frame as it is filed gives the same list as
      // unescaping them all after the read, and keeps the frames read before
      // a failure.
      state.SatelliteFrames.append(scanner.unescapedText());
    }
    if (command == kTimestampCommand) state.TimestampRecords.append(scanner.text());
    if (onFrameCompleted) onFrameCompleted(state.SatelliteFrameCount);
    if (scanner.atEnd()) break;
  }
  file_.close();
  return scanner.failure();
}

}  // namespace krvl2
