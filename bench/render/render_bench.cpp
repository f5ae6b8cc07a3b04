// Whole-room frames offscreen at the view's size (see bench_world.h for the rooms).
// Each frame is one room step and one DrawFrame, finished with glFinish so the time is
// the rasteriser's too. CPU time is that of the whole process, the rasteriser's threads
// included, which stays steady when other work shares the machine and the real time
// does not. BM_FramePasses finishes after every pass as well and reports each pass's
// share of that CPU time in milliseconds, so a slower frame shows which pass grew.
// Also the cost of one rendered shadow test.

#include <benchmark/benchmark.h>

#include <array>
#include <ctime>
#include <string>

#include "bench_world.h"
#include "particles/particle_main.h"
#include "render/edit_gl.h"
#include "render/gl_api.h"
#include "render/projection.h"
#include "room/edit_room.h"

namespace {

BenchWorld& World(WorldKind kind) {
  static BenchWorld demo(WorldKind::Demo);
  static BenchWorld full(WorldKind::Full);
  static BenchWorld endless(WorldKind::EndlessDrops);
  return kind == WorldKind::Full ? full : kind == WorldKind::Demo ? demo : endless;
}

// The world of the benchmark's arguments (room, view, fields sheet), its camera placed
// and its first frame drawn (textures and display state settle on it); null when the
// world could not be made.
BenchWorld* Prepare(benchmark::State& state) {
  BenchWorld& world = World(static_cast<WorldKind>(state.range(0)));
  if (!world.Ready()) {
    state.SkipWithError("no offscreen context or sample world");
    return nullptr;
  }
  PlaceCamera(world.Room().Camera, static_cast<int>(state.range(1)));
  world.ShowFieldsSheet(state.range(2) != 0);
  world.Frame();
  return &world;
}

void BM_Frame(benchmark::State& state) {
  BenchWorld* world = Prepare(state);
  if (!world) return;
  for (auto _ : state) world->Frame();
  TRoom& room = world->Room();
  state.counters["polygons"] = static_cast<double>(world->GL().PolygonCount());
  state.counters["lights"] = room.CountLights();
  state.counters["entities"] = room.CountEntities();
  state.counters["surfaces"] = room.CountSurfaces();
  std::size_t particles = 0;
  for (const auto& entity : room.Entities)
    if (const auto* emitter = dynamic_cast<const TEParticle*>(entity.get()); emitter && emitter->InUse())
      particles += emitter->Pool.size();
  state.counters["particles"] = static_cast<double>(particles);
}

void BM_FramePasses(benchmark::State& state) {
  BenchWorld* world = Prepare(state);
  if (!world) return;
  std::array<double, FramePasses.size()> seconds{};
  double step = 0.0;
  std::clock_t mark = 0;
  const auto lap = [&] {
    glFinish();
    const std::clock_t now = std::clock();
    const double elapsed = static_cast<double>(now - mark) / CLOCKS_PER_SEC;
    mark = now;
    return elapsed;
  };
  const PassObserver afterPass = [&](RoomPass pass) { seconds[static_cast<std::size_t>(pass)] += lap(); };
  for (auto _ : state) {
    mark = std::clock();
    world->Room().DoFrame();
    step += lap();
    world->GL().DrawFrame(afterPass);
  }
  const auto perFrame = [&](double total) { return 1000.0 * total / static_cast<double>(state.iterations()); };
  state.counters["step_ms"] = perFrame(step);
  for (const RoomPass pass : FramePasses)
    state.counters[std::string(PassName(pass)) + "_ms"] = perFrame(seconds[static_cast<std::size_t>(pass)]);
}

// One rendered shadow test from a lamp to a point of the ground, in the full room.
void BM_RenderedIsOccluded(benchmark::State& state) {
  BenchWorld& world = World(WorldKind::Full);
  if (!world.Ready()) return state.SkipWithError("no offscreen context or sample world");
  GLOcclusion& test = world.GL().Occlusion();
  const TVector lamp{0.0f, 3.0f, 0.0f}, ground{2.5f, 0.05f, 1.5f};
  for (auto _ : state) benchmark::DoNotOptimize(test.IsOccluded(-1, -1, lamp, ground));
}

}  // namespace

// Arguments: room (0 demo, 1 full, 2 demo with endless drops), view mode (0 top, 1 side,
// 2 3D), fields (1: the Fields sheet is open, as when the window starts, so the field
// overlay is drawn too).
void EveryFrame(benchmark::internal::Benchmark* frames) {
  frames->ArgNames({"room", "view", "fields"})
      ->ArgsProduct({{0, 1, 2}, {0, 1, 2}, {0, 1}})
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime()
      ->MeasureProcessCPUTime()
      ->MinTime(1.0);
}
BENCHMARK(BM_Frame)->Apply(EveryFrame);
BENCHMARK(BM_FramePasses)->Apply(EveryFrame);
BENCHMARK(BM_RenderedIsOccluded)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
