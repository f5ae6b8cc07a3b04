// Baking light maps by both shadow tests, side by side in one run.
//
// The benchmark room is the sample world's bake room: the demo place with 16 static
// lights, 201 surfaces at 8 texels per metre, 26 tiles and doors. The processor
// bakes it whole; the rendered test costs one render per sample, so it is timed on a
// fixed random subset of the same samples and its whole-room time is that rate times
// the room's samples. The summary after the run gives times, the ratio, the agreement
// on the subset and the throughput.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <map>
#include <memory>
#include <random>
#include <thread>

#include "core/file_system.h"
#include "core/headless_host.h"
#include "engine/edit_engine.h"
#include "render/edit_gl.h"
#include "render/offscreen_context.h"
#include "render/projection.h"
#include "room/edit_room.h"
#include "surfaces/cpu_occlusion.h"
#include "surfaces/light_map.h"

namespace {

constexpr std::size_t SubsetSize = 1500;

// One shadow test of the bake, with its texel's neighbours to tell shadow edges.
struct Sample {
  TVector light;
  TVector point;
  std::array<TVector, 4> neighbours;
  std::int16_t surface;
};

struct BakeRoom {
  HeadlessHost host;
  TQZEngine engine{host, BRANNOCK_SAMPLE_DIR};
  std::unique_ptr<OffscreenContext> context;
  std::unique_ptr<TEditGL> gl;
  std::vector<Sample> samples;  // every sample of the room, as SumLights would test it
  std::vector<Sample> subset;
  int staticLights = 0;

  explicit BakeRoom(const char* file) {
    engine.StartUp();
    host.Memory(FormId::Main).SetChecked("CBLightMapCompute", true);
    TRoom& room = *engine.Room;
    if (!room.LoadFromFile(fs_layer::ToHostPath(engine.RoomDir.str() + file))) return;
    for (const TLight& light : room.Lights) staticLights += light.InUse() && light.Effect == 0;
    CollectSamples(room);
  }

  bool Ready() const { return !samples.empty(); }

  void CollectSamples(TRoom& room) {
    for (const auto& surface : room.Surfaces) {
      if (!surface->InUse()) continue;
      const auto& c = surface->corners;
      const float w = surface->lightMapWidth, h = surface->lightMapHeight;
      const auto at = [&](float row, float column) {
        const auto lerp = [](const TVector& a, const TVector& b, float f) {
          return TVector{a.x + (b.x - a.x) * f, a.y + (b.y - a.y) * f, a.z + (b.z - a.z) * f};
        };
        return lerp(lerp(c[0].position, c[3].position, row / h), lerp(c[1].position, c[2].position, row / h),
                    column / w);
      };
      for (int r = 0; r < surface->lightMapHeight; ++r) {
        for (int col = 0; col < surface->lightMapWidth; ++col) {
          const float y = static_cast<float>(r) + 0.5f, x = static_cast<float>(col) + 0.5f;
          const TVector p = at(y, x);
          for (const TLight& light : room.Lights) {
            if (!light.InUse() || light.Effect != 0 || !(light.Radius > 0.0f)) continue;
            if (TQZEngine::Distance(light.Position, p) > light.Radius) continue;
            samples.push_back({light.Position, p, {at(y - 1, x), at(y + 1, x), at(y, x - 1), at(y, x + 1)},
                               surface->slotIndex});
          }
        }
      }
    }
    std::mt19937 random(2024);
    std::sample(samples.begin(), samples.end(), std::back_inserter(subset), SubsetSize, random);
  }

  // The rendered test in an offscreen context of the editor's view size; null when no
  // context can be made.
  Occlusion* Rendered() {
    if (!gl) {
      context = OffscreenContext::Create(640, 480);
      if (!context) return nullptr;
      gl = std::make_unique<TEditGL>(engine, context->ProcLookup());
      gl->ResizeGLScene(640, 480);
      gl->InitGLState();
    }
    return &gl->Occlusion();
  }

  // Every surface in use, by the processor's test on all cores.
  void BakeOnCpu(int threads) {
    TRoom& room = *engine.Room;
    CpuOcclusion occlusion(room);
    for (const auto& surface : room.Surfaces) {
      if (surface->InUse()) ComputeLightMap(room, *surface, &occlusion, threads);
    }
  }
};

BakeRoom& BenchRoom() {
  static BakeRoom room("bake.rer");
  return room;
}

int Cores() { return static_cast<int>(std::max(1u, std::thread::hardware_concurrency())); }

void BM_CpuBakeBenchRoom(benchmark::State& state) {
  BakeRoom& room = BenchRoom();
  if (!room.Ready()) return state.SkipWithError("sample world's demo room not found");
  for (auto _ : state) room.BakeOnCpu(Cores());
  state.counters["samples"] = static_cast<double>(room.samples.size());
  state.counters["samples/s"] =
      benchmark::Counter(static_cast<double>(room.samples.size()), benchmark::Counter::kIsIterationInvariantRate);
}

// What every bake pays before its first ray: the occluders collected (models posed)
// and the tree built.
void BM_CpuSceneBuild(benchmark::State& state) {
  BakeRoom& room = BenchRoom();
  if (!room.Ready()) return state.SkipWithError("sample world's demo room not found");
  for (auto _ : state) benchmark::DoNotOptimize(CpuOcclusion(*room.engine.Room));
  const CpuOcclusion scene(*room.engine.Room);
  state.counters["triangles"] = static_cast<double>(scene.Scene().TriangleCount());
}

void BM_CpuSamplesOneThread(benchmark::State& state) {
  BakeRoom& room = BenchRoom();
  if (!room.Ready()) return state.SkipWithError("sample world's demo room not found");
  CpuOcclusion occlusion(*room.engine.Room);
  for (auto _ : state) {
    for (const Sample& s : room.subset) benchmark::DoNotOptimize(occlusion.IsOccluded(-1, s.surface, s.light, s.point));
  }

  state.counters["rays/s"] =
      benchmark::Counter(static_cast<double>(room.subset.size()), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_GlSamples(benchmark::State& state) {
  BakeRoom& room = BenchRoom();
  if (!room.Ready()) return state.SkipWithError("sample world's demo room not found");
  Occlusion* rendered = room.Rendered();
  if (!rendered) return state.SkipWithError("no offscreen GL context");
  for (auto _ : state) {
    for (const Sample& s : room.subset) benchmark::DoNotOptimize(rendered->IsOccluded(-1, s.surface, s.light, s.point));
  }
  state.counters["samples/s"] =
      benchmark::Counter(static_cast<double>(room.subset.size()), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_CpuBakeDemoRoom(benchmark::State& state) {
  static BakeRoom demo("demo.rer");
  if (!demo.Ready()) return state.SkipWithError("sample world's demo room not found");
  for (auto _ : state) demo.BakeOnCpu(Cores());
  state.counters["samples"] = static_cast<double>(demo.samples.size());
}

// "Compute Surface Lighting" as the editor runs it: every surface recomputed through
// the room, textures and light maps uploaded, the ray caster chosen by the baker.
void BM_EditorComputeSurfaceLighting(benchmark::State& state) {
  BakeRoom& room = BenchRoom();
  if (!room.Ready()) return state.SkipWithError("sample world's demo room not found");
  if (!room.Rendered()) return state.SkipWithError("no offscreen GL context");
  room.gl->Attach();
  for (auto _ : state) room.engine.Room->ComputeSurfaceShadows();
  room.gl->Detach();
}

// Seconds per iteration of every finished benchmark, by name, for the summary.
class RecordingReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.iterations > 0 && !run.error_occurred) {
        seconds[run.benchmark_name()] = run.real_accumulated_time / static_cast<double>(run.iterations);
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double, std::less<>> seconds;
};

// Both tests on the subset under one rule: how often they differ, and how many
// differences lie away from a shadow edge (the processor's answer is the same at all
// four neighbours).
void PrintAgreement(BakeRoom& room, OcclusionRule rule) {
  Occlusion* rendered = room.Rendered();
  if (!rendered) return;
  CpuOcclusion cpu(*room.engine.Room);
  cpu.Rule = rule;
  rendered->Rule = rule;
  std::size_t differing = 0, awayFromEdges = 0;
  for (const Sample& s : room.subset) {
    const bool byCpu = cpu.IsOccluded(-1, s.surface, s.light, s.point);
    if (rendered->IsOccluded(-1, s.surface, s.light, s.point) == byCpu) continue;
    ++differing;
    bool edge = false;
    for (const TVector& n : s.neighbours) edge = edge || cpu.IsOccluded(-1, s.surface, s.light, n) != byCpu;
    awayFromEdges += !edge;
  }
  rendered->Rule = OcclusionRule::Exact;
  std::printf("%s rule, agreement on %zu samples: %.2f%% (%zu differ, %zu of them away from a shadow edge)\n",
              rule == OcclusionRule::Exact ? "exact" : "literal", room.subset.size(), 100.0 * static_cast<double>(room.subset.size() - differing) /
                                      static_cast<double>(room.subset.size()),
              differing, awayFromEdges);
}

void PrintSummary(const std::map<std::string, double, std::less<>>& seconds, BakeRoom& room) {
  const auto find = [&](const char* name) {
    // Names carry the run's options after a slash.
    const auto it = seconds.lower_bound(name);
    return it == seconds.end() || it->first.rfind(name, 0) != 0 ? 0.0 : it->second;
  };
  const double cpuBake = find("BM_CpuBakeBenchRoom");
  const double glPerSample = find("BM_GlSamples") / static_cast<double>(room.subset.size());
  const double cpuPerSample = find("BM_CpuSamplesOneThread") / static_cast<double>(room.subset.size());
  const double samples = static_cast<double>(room.samples.size());
  std::printf("\nbench room: %d static lights, %.0f texel-light samples on %d threads\n", room.staticLights, samples,
              Cores());
  std::printf("cpu bake: %.3f s, %.2f million samples/s\n", cpuBake, cpuBake > 0 ? samples / cpuBake / 1e6 : 0.0);
  std::printf("cpu one thread: %.3f us per sample\n", cpuPerSample * 1e6);
  if (glPerSample > 0) {
    std::printf("gl: %.3f ms per sample, whole room %.0f s (%.1f h)\n", glPerSample * 1e3, glPerSample * samples,
                glPerSample * samples / 3600);
    std::printf("ratio, whole room cpu (all cores) to gl: %.0f\n", glPerSample * samples / cpuBake);
    std::printf("ratio, per sample cpu (one thread) to gl: %.0f\n", glPerSample / cpuPerSample);
  }
  PrintAgreement(room, OcclusionRule::Exact);
  PrintAgreement(room, OcclusionRule::Literal);
  std::printf("demo room cpu bake: %.3f s\n", find("BM_CpuBakeDemoRoom"));
  std::printf("bench room, Compute Surface Lighting in the editor: %.3f s\n", find("BM_EditorComputeSurfaceLighting"));
}

}  // namespace

// Wall-clock rates: the bakes run on worker threads while the caller waits.
BENCHMARK(BM_CpuBakeBenchRoom)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_CpuSceneBuild)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CpuSamplesOneThread)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_GlSamples)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_CpuBakeDemoRoom)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EditorComputeSurfaceLighting)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintSummary(reporter.seconds, BenchRoom());
  benchmark::Shutdown();
  return 0;
}
