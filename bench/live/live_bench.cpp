// Drags with live lighting on, an update requested after each step as the window does.
// Per step: the time from the request until its maps are finished (the worker's bake;
// the upload is the window's, see brannock_window_frames), and the part of it the
// request itself takes on the calling thread (the room copied, occluders collected).
// Reported as p50 and p95 over the steps, for one and two bake threads.
//
// - a static light of the sample world's bake room, 100 steps of 0.25 m across it;
// - a tile of the bake room (an occluder of the shadow pass), the same way;
// - the same light drag in a full room: 64 static lights, 256 surfaces with 256 x 256
//   maps, where a step re-bakes tens of thousands of texels per metre moved.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

#include "core/file_system.h"
#include "core/headless_host.h"
#include "engine/edit_engine.h"
#include "entities/entity_tile.h"
#include "room/edit_room.h"
#include "surfaces/light_map.h"
#include "surfaces/live_lighting.h"
#include "surfaces/surface_main.h"

namespace {

double Percentile(std::vector<double> values, double p) {
  std::sort(values.begin(), values.end());
  return values[static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5)];
}

struct Room {
  HeadlessHost host;
  TQZEngine engine{host, BRANNOCK_SAMPLE_DIR};
  Room() {
    engine.StartUp();
    host.Memory(FormId::Main).SetChecked("CBLightMapCompute", true);
  }
  TRoom& operator*() { return *engine.Room; }
  bool Load(const char* file) {
    return engine.Room->LoadFromFile(fs_layer::ToHostPath(engine.RoomDir.str() + file));
  }
};

// 64 static lights over a 32 m square and 256 upright 2 m panels in rows, each with the
// largest map.
void FillWithLargeMaps(TRoom& room) {
  for (int i = 0; i < TRoom::LightSlots; ++i)
    room.AddLight({-14.0f + static_cast<float>(i % 8) * 4.0f, 2.0f + static_cast<float>(i % 3),
                   -14.0f + static_cast<float>(i / 8) * 4.0f},
                  {0.7f, 0.6f, 0.5f}, 6.0f);
  for (int i = 0; i < TRoom::SurfaceSlots; ++i) {
    const float x = -15.0f + static_cast<float>(i % 16) * 2.0f, z = -15.0f + static_cast<float>(i / 16) * 2.0f;
    TSurface* surface = room.AddSurface({x, 0.0f, z}, {x + 1.8f, 0.0f, z}, {x + 1.8f, 2.0f, z}, {x, 2.0f, z}, "");
    if (!surface) break;
    surface->lightMapWidth = surface->lightMapHeight = TSurface::MaxLightMapSize;
  }
}

TLight* FirstStaticLight(TRoom& room) {
  for (int i = 0; i <= room.LastLight; ++i)
    if (room.Lights[i].InUse() && room.Lights[i].Effect == 0) return &room.Lights[i];
  return nullptr;
}

TEntity* FirstOccludingTile(TRoom& room) {
  for (auto& entity : room.Entities)
    if (entity->InUse() && entity->Visible && entity->ModelIndex > 0 && dynamic_cast<TETile*>(entity.get()))
      return entity.get();
  return nullptr;
}

// The middle of the room's surfaces along x.
float MiddleX(TRoom& room) {
  float lo = 1e9f, hi = -1e9f;
  for (const auto& s : room.Surfaces)
    if (s->InUse())
      for (const auto& c : s->corners) lo = std::min(lo, c.position.x), hi = std::max(hi, c.position.x);
  return (lo + hi) / 2.0f;
}

// The whole-room bake first (adopted), then 100 steps of `step`, each one's update timed.
void Drag(benchmark::State& state, TRoom& room, float& x, const std::function<void()>& moved) {
  LiveLighting live;
  live.Threads = static_cast<int>(state.range(0));
  std::vector<double> total, request;
  double texels = 0;
  const auto first = std::chrono::steady_clock::now();
  live.Request(room);
  live.WaitUntilIdle();
  live.ApplyFinished(room);
  state.counters["whole_room_ms"] =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - first).count();
  const float start = MiddleX(room) - 12.5f;
  for (auto _ : state) {
    live.Adopt(room);
    x = start;
    for (int step = 0; step < 100; ++step) {
      x += 0.25f;
      moved();
      const auto begin = std::chrono::steady_clock::now();
      live.Request(room);
      const auto asked = std::chrono::steady_clock::now();
      live.WaitUntilIdle();
      const auto done = std::chrono::steady_clock::now();
      for (const FinishedMap& map : live.TakeFinished()) {
        for (const LightMapTexelRun& run : map.runs) texels += run.count;
        map.ApplyTo(*room.Surfaces[static_cast<std::size_t>(map.slot)]);
      }
      total.push_back(std::chrono::duration<double, std::milli>(done - begin).count());
      request.push_back(std::chrono::duration<double, std::milli>(asked - begin).count());
    }
  }
  state.counters["texels_per_step"] = texels / static_cast<double>(total.size());
  state.counters["p50_ms"] = Percentile(total, 0.50);
  state.counters["p95_ms"] = Percentile(total, 0.95);
  state.counters["request_p50_ms"] = Percentile(request, 0.50);
  state.counters["request_p95_ms"] = Percentile(request, 0.95);
}

void BM_LiveLightDrag(benchmark::State& state) {
  Room room;
  TLight* light = room.Load("bake.rer") ? FirstStaticLight(*room) : nullptr;
  if (!light) return state.SkipWithError("bake room missing");
  Drag(state, *room, light->Position.x, [] {});
}

void BM_LiveOccluderDrag(benchmark::State& state) {
  Room room;
  TEntity* tile = room.Load("bake.rer") ? FirstOccludingTile(*room) : nullptr;
  if (!tile) return state.SkipWithError("bake room missing");
  Drag(state, *room, tile->Position.x, [] {});
}

void BM_LiveLightDragFullRoom(benchmark::State& state) {
  Room room;
  FillWithLargeMaps(*room);
  TLight* light = FirstStaticLight(*room);
  if (!light || (*room).CountSurfaces() < TRoom::SurfaceSlots) return state.SkipWithError("room not filled");
  Drag(state, *room, light->Position.x, [] {});
}

}  // namespace

BENCHMARK(BM_LiveLightDrag)->Arg(1)->Arg(2)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LiveOccluderDrag)->Arg(1)->Arg(2)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LiveLightDragFullRoom)->Arg(2)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
