// Throughput of ReadKssFile (both phases, unescaping included) against simply
// reading the same file into memory, on a generated capture of about 100 MB,
// and the peak memory of one read measured in a child process.
//
//   build/bench/capture_bench [--capture-mb=N]
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "capture/kss_reader.h"
#include "support/capture_builder.h"
#include "support/temp_dir.h"

namespace {

using namespace krvl2;
using namespace krvl2::testing;

std::size_t captureMegabytes = 100;

// Satellite frames of 52 to 300 bytes with their time stamps, other stations'
// frames, and data bytes that need escapes.
const std::string& capturePath() {
  static TempDir dir;
  static const std::string path = [] {
    std::mt19937 random(2019);
    CaptureBuilder capture;
    const std::size_t target = captureMegabytes << 20;
    std::uint64_t millis = unixMillis(2019, 1, 1, 0, 0, 0);
    while (capture.bytes().size() < target) {
      capture.timestamp(millis += 10000);
      auto beacon = satelliteFrame().withSequence(static_cast<std::uint16_t>(random()));
      beacon.withLength(52 + random() % 249);
      for (std::size_t k = 53; k <= beacon.bytes().size(); ++k) {
        const auto roll = random() % 64;
        beacon.setByte(static_cast<int>(k), roll == 0 ? 0xC0 : roll == 1 ? 0xDB : static_cast<std::uint8_t>(random()));
      }
      capture.frame(beacon.bytes());
      if (random() % 4 == 0) capture.frame(otherStationFrame("N0CALL", std::string(20 + random() % 100, 'x')));
    }
    const std::string file = dir.file("bench.kss");
    capture.writeTo(file);
    return file;
  }();
  return path;
}

std::int64_t fileSize() {
  CaptureFile file(capturePath());
  return static_cast<std::int64_t>(file.size());
}

void PlainRead(benchmark::State& state) {
  const auto size = fileSize();
  for (auto _ : state) {
    std::vector<char> bytes(static_cast<std::size_t>(size));
    const int fd = ::open(capturePath().c_str(), O_RDONLY);
    std::size_t done = 0;
    while (done < bytes.size()) {
      const auto got = ::read(fd, bytes.data() + done, bytes.size() - done);
      if (got <= 0) break;
      done += static_cast<std::size_t>(got);
    }
    ::close(fd);
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(state.iterations() * size);
}

void ReadKssFileBothPhases(benchmark::State& state) {
  const auto size = fileSize();
  for (auto _ : state) {
    DecoderState decoder;
    decoder.StartDirectory = "";
    auto capture = ReadKssFile(decoder, capturePath());
    capture.readFrames(decoder);
    benchmark::DoNotOptimize(decoder.SatelliteFrameCount);
  }
  state.SetBytesProcessed(state.iterations() * size);
}

// Peak resident memory of a process that reads the capture once, as a
// multiple of the capture's size.
void ReadKssFilePeakMemory(benchmark::State& state) {
  const auto size = fileSize();
  double ratio = 0;
  for (auto _ : state) {
    const pid_t child = ::fork();
    if (child == 0) {
      DecoderState decoder;
      auto capture = ReadKssFile(decoder, capturePath());
      capture.readFrames(decoder);
      ::_exit(decoder.SatelliteFrameCount > 0 ? 0 : 1);
    }
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    ratio = static_cast<double>(usage.ru_maxrss) * 1024.0 / static_cast<double>(size);
  }
  state.counters["peak_rss_per_capture_byte"] = ratio;
  state.counters["capture_mb"] = static_cast<double>(size) / (1 << 20);
}

}  // namespace

BENCHMARK(PlainRead)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(ReadKssFileBothPhases)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(ReadKssFilePeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--capture-mb=", 13) == 0) captureMegabytes = std::strtoul(argv[i] + 13, nullptr, 10);
  }
  benchmark::Initialize(&argc, argv);
  capturePath();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
