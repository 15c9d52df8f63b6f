// Throughput of WriteHexFile on about 100 MB of frame texts against a plain
// write of the same number of bytes to a file of its own. Both end with the
// data flushed to disk, since the export does not replace the old file before
// its new content is safe.
//
//   build/bench/export_bench [--export-mb=N]
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "export/hex_writer.h"
#include "support/capture_builder.h"
#include "support/temp_dir.h"

namespace {

using namespace krvl2;
using namespace krvl2::testing;

std::size_t exportMegabytes = 100;

TempDir& benchDirectory() {
  static TempDir dir;
  return dir;
}

// Beacons of 52 to 300 bytes, as a long pass of many stations gives them.
const DecoderState& capture() {
  static const DecoderState state = [] {
    DecoderState decoder;
    decoder.HexExportPath = benchDirectory().file("bench.HEX");
    std::mt19937 random(2021);
    const std::size_t target = exportMegabytes << 20;
    std::size_t lineBytes = 0;
    while (lineBytes < target) {
      auto beacon = satelliteFrame().withSequence(static_cast<std::uint16_t>(random()));
      beacon.withLength(52 + random() % 249, static_cast<std::uint8_t>(random()));
      const auto text = beacon.text();
      decoder.SatelliteFrames.append(text);
      ++decoder.SatelliteFrameCount;
      lineBytes += text.size() + 2;
    }
    return decoder;
  }();
  return state;
}

std::int64_t exportBytes() {
  std::int64_t bytes = 0;
  for (std::int32_t i = 0; i < capture().SatelliteFrameCount; ++i) {
    bytes += static_cast<std::int64_t>(capture().SatelliteFrames.at(i).size()) + 2;
  }
  return bytes;
}

void PlainWrite(benchmark::State& state) {
  const auto size = static_cast<std::size_t>(exportBytes());
  const std::vector<char> block(std::size_t{1} << 20, 'A');
  const std::string path = benchDirectory().file("plain.bin");
  for (auto _ : state) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    for (std::size_t done = 0; done < size;) {
      const auto written = ::write(fd, block.data(), std::min(block.size(), size - done));
      if (written <= 0) break;
      done += static_cast<std::size_t>(written);
    }
    ::fsync(fd);
    ::close(fd);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(size));
}

void WriteHexFileWhole(benchmark::State& state) {
  for (auto _ : state) WriteHexFile(capture());
  state.SetBytesProcessed(state.iterations() * exportBytes());
  state.counters["frames"] = capture().SatelliteFrameCount;
}

}  // namespace

BENCHMARK(PlainWrite)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(WriteHexFileWhole)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--export-mb=", 12) == 0) exportMegabytes = std::strtoul(argv[i] + 12, nullptr, 10);
  }
  benchmark::Initialize(&argc, argv);
  capture();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
