// How long writing the whole sample world takes: textures, models, the demo room and
// its reload. `make run` and every test build pay this once per generator change.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include <unistd.h>

#include "sample_world/sample_world.h"

namespace {

void BM_GenerateSampleWorld(benchmark::State& state) {
  const auto dir = std::filesystem::temp_directory_path() / ("brannock-world-bench-" + std::to_string(::getpid()));
  SampleWorldResult result;
  for (auto _ : state) {
    std::filesystem::remove_all(dir);
    result = GenerateSampleWorld(dir);
  }
  std::filesystem::remove_all(dir);
  if (!result.errors.empty()) state.SkipWithError(result.errors.front().c_str());
  state.counters["files"] = static_cast<double>(result.files);
  state.counters["MB"] = static_cast<double>(result.bytes) / (1024.0 * 1024.0);
}
BENCHMARK(BM_GenerateSampleWorld)->Unit(benchmark::kMillisecond);

}  // namespace
