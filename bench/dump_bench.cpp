// krvl2-dump --format csv over a generated capture of about 100 MB: the
// throughput in capture bytes a second, and the peak memory of a whole run in
// a child process, which stays a few megabytes whatever the capture's size
// since the frames stream from the file to the output.
//
//   build/bench/dump_bench [--capture-mb=N]
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
#include "cli/dump.h"
#include "support/capture_builder.h"
#include "support/temp_dir.h"

namespace {

using namespace krvl2;
using namespace krvl2::testing;

std::size_t captureMegabytes = 100;

// Beacons with their time stamps and varying readings, other stations'
// frames between them, and the escapes that readings such as C0 bring.
const std::string& capturePath() {
  static TempDir dir;
  static const std::string path = [] {
    std::mt19937 random(2019);
    CaptureBuilder capture;
    const std::size_t target = captureMegabytes << 20;
    std::uint64_t millis = unixMillis(2019, 1, 1, 0, 0, 0);
    std::uint16_t sequence = 0;
    while (capture.bytes().size() < target) {
      capture.timestamp(millis += 10000);
      auto beacon = satelliteFrame()
                        .withSequence(sequence++)
                        .withObcTime(static_cast<std::uint32_t>(millis / 1000))
                        .withBatteryMv(static_cast<std::uint16_t>(7000 + random() % 1500))
                        .withPaTemperature(static_cast<std::uint16_t>(random()))
                        .withDoppler(static_cast<std::uint16_t>(random()))
                        .withRssi(static_cast<std::uint16_t>(900 + random() % 70));
      if (random() % 8 == 0) beacon.withBusVoltage(0x01C0);
      capture.frame(beacon.bytes());
      if (random() % 4 == 0) capture.frame(otherStationFrame("N0CALL", std::string(20 + random() % 100, 'x')));
    }
    const std::string file = dir.file("bench.kss");
    capture.writeTo(file);
    return file;
  }();
  return path;
}

std::int64_t fileSize() { return static_cast<std::int64_t>(CaptureFile(capturePath()).size()); }

int dumpCsvToNull() {
  const int null = ::open("/dev/null", O_WRONLY);
  const int status = cli::runDump({"--format", "csv", capturePath()}, null, null);
  ::close(null);
  return status;
}

void CsvOutput(benchmark::State& state) {
  const auto size = fileSize();
  for (auto _ : state) {
    if (dumpCsvToNull() != 0) state.SkipWithError("krvl2-dump failed");
  }
  state.SetBytesProcessed(state.iterations() * size);
}

// Peak resident memory of a process that runs the CSV output once, in
// megabytes and as a share of the capture's size.
void CsvOutputPeakMemory(benchmark::State& state) {
  const auto size = fileSize();
  double megabytes = 0;
  for (auto _ : state) {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(dumpCsvToNull());
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("krvl2-dump failed");
    megabytes = static_cast<double>(usage.ru_maxrss) / 1024.0;
  }
  state.counters["peak_rss_mb"] = megabytes;
  state.counters["peak_rss_per_capture_byte"] = megabytes * (1 << 20) / static_cast<double>(size);
  state.counters["capture_mb"] = static_cast<double>(size) / (1 << 20);
}

}  // namespace

BENCHMARK(CsvOutput)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(CsvOutputPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

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
