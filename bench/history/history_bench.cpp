// The undo history on the fullest room there can be: the demo room with every table
// full - 64 lights, 128 entities, and its surfaces replaced by 256 each with a 256 x 256
// light map (48 MB of pixels, uploaded to an offscreen GL context). What 1 000 single-field edits leave in
// the history, what recording one step costs (the end of every mouse gesture), and one
// undo and one redo of steps of several kinds, each finished with glFinish so the
// light-map uploads are in the time.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <chrono>
#include <memory>

#include "core/file_system.h"
#include "core/headless_host.h"
#include "engine/edit_engine.h"
#include "entities/edit_entity.h"
#include "entities/entity_typus.h"
#include "render/edit_gl.h"
#include "render/gl_api.h"
#include "render/offscreen_context.h"
#include "room/edit_room.h"
#include "room/room_history.h"

namespace {

constexpr double MiB = 1024.0 * 1024.0;

class FullRoom {
public:
  FullRoom() {
    context_ = OffscreenContext::Create(64, 64);
    if (!context_) return;
    engine_ = std::make_unique<TQZEngine>(host_, BRANNOCK_SAMPLE_DIR);
    gl_ = std::make_unique<TEditGL>(*engine_, context_->ProcLookup());
    gl_->ResizeGLScene(64, 64);
    gl_->InitGLState();
    gl_->Attach();
    engine_->StartUp();
    TRoom& room = Room();
    if (!room.LoadFromFile(fs_layer::ToHostPath(engine_->RoomDir.str() + "demo.rer"))) return;
    // 128 texels a metre: each 2 m surface below gets the largest light map.
    host_.Memory(FormId::Main).SetText("EditSurfaceLightMapPixelPerMeter", "128");
    Fill(room);
    ready_ = room.CountLights() == TRoom::LightSlots && room.CountEntities() == TRoom::EntitySlots &&
             room.CountSurfaces() == TRoom::SurfaceSlots;
  }

  bool Ready() const { return ready_; }
  TRoom& Room() { return *engine_->Room; }

private:
  static void Fill(TRoom& room) {
    for (int i = 0; room.AddLight({float(i % 8) * 4 - 14, 2, float(i / 8) * 4 - 14}, {0.7f, 0.6f, 0.5f}, 6); ++i) {
    }
    constexpr std::int16_t Kinds[] = {typus::Marker, typus::Trigger, typus::Sound, typus::Mutant, typus::Fire};
    for (int i = 0; room.AddEntity(Kinds[i % 5], {float(i % 11) * 2.5f - 13, 0, float(i / 11) * 2.5f - 13}, {}, 1);
         ++i) {
    }
    // The demo's own surfaces have small light maps: they make way for the largest.
    for (auto& surface : room.Surfaces) surface->Reset();
    for (int i = 0; i < TRoom::SurfaceSlots; ++i) {
      const float x = float(i % 14) * 2.1f - 14.5f, z = float(i / 14) * 1.6f - 14.5f;
      TSurface* surface = room.AddSurface({x, 3, z}, {x + 2, 3, z}, {x + 2, 5, z}, {x, 5, z}, "textures\\planks");
      if (!surface) return;
      // Light maps of their own, as a bake leaves them.
      for (std::size_t p = 0; p < surface->LightMapSize(); ++p) surface->lightMapPixels[p] = std::uint8_t(p * 31 + i);
      surface->BuildTextures();
    }
  }

  HeadlessHost host_;
  std::unique_ptr<OffscreenContext> context_;
  std::unique_ptr<TQZEngine> engine_;
  std::unique_ptr<TEditGL> gl_;
  bool ready_ = false;
};

FullRoom& World() {
  static FullRoom world;
  return world;
}

std::size_t HeapInUse() { return mallinfo2().uordblks; }

// 1 000 edits of one field each, every one a step: the history's own count and the
// heap it really took, the full room's first snapshot included.
void BM_ThousandFieldEdits(benchmark::State& state) {
  FullRoom& world = World();
  if (!world.Ready()) return state.SkipWithError("no offscreen context or sample world");
  TRoom& room = world.Room();
  for (auto _ : state) {
    const std::size_t heapBefore = HeapInUse();
    RoomHistory history(room);
    const std::size_t first = history.Bytes();
    for (int i = 0; i < 1000; ++i) {
      room.Fields[static_cast<std::size_t>(i * 37 % TRoom::FieldCount)].Height += 0.25f;
      history.Record("Paint Field Height");
    }
    state.counters["steps"] = static_cast<double>(history.StepCount());
    state.counters["first_MB"] = static_cast<double>(first) / MiB;
    state.counters["history_MB"] = static_cast<double>(history.Bytes()) / MiB;
    state.counters["heap_MB"] = static_cast<double>(HeapInUse() - heapBefore) / MiB;
  }
}

// The end of a gesture that changed one field: the whole room is compared record by
// record with the last snapshot.
void BM_RecordOneStep(benchmark::State& state) {
  FullRoom& world = World();
  if (!world.Ready()) return state.SkipWithError("no offscreen context or sample world");
  TRoom& room = world.Room();
  RoomHistory history(room);
  for (auto _ : state) {
    room.Fields[7].Typus = static_cast<std::int16_t>(room.Fields[7].Typus ^ 1);
    history.Record("Paint Field Typus");
  }
}

enum StepKind { OneField, OneEntity, OneLightMap, EveryLightMap };

void Edit(TRoom& room, int kind) {
  switch (kind) {
    case OneField: room.Fields[100].Height += 1; break;
    case OneEntity: room.Entities[5]->Position.x += 1; break;
    case OneLightMap: room.Surfaces[9]->lightMapPixels[0] ^= 0xFF; break;
    case EveryLightMap:
      for (auto& surface : room.Surfaces) surface->lightMapPixels[0] ^= 0xFF;
      break;
  }
}

double Milliseconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  glFinish();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// One iteration: the step undone, then redone; the time is that of one of them.
void BM_UndoRedo(benchmark::State& state) {
  FullRoom& world = World();
  if (!world.Ready()) return state.SkipWithError("no offscreen context or sample world");
  TRoom& room = world.Room();
  RoomHistory history(room);
  Edit(room, static_cast<int>(state.range(0)));
  history.Record("Edit");
  double undo = 0, redo = 0;
  for (auto _ : state) {
    const double back = Milliseconds([&] { history.Undo(); });
    const double again = Milliseconds([&] { history.Redo(); });
    undo += back;
    redo += again;
    state.SetIterationTime((back + again) / 2000.0);
  }
  state.counters["undo_ms"] = benchmark::Counter(undo, benchmark::Counter::kAvgIterations);
  state.counters["redo_ms"] = benchmark::Counter(redo, benchmark::Counter::kAvgIterations);
}

}  // namespace

BENCHMARK(BM_ThousandFieldEdits)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_RecordOneStep)->Unit(benchmark::kMillisecond)->UseRealTime();
// Step kinds: 0 one field, 1 one entity, 2 one surface's light map, 3 every light map.
BENCHMARK(BM_UndoRedo)->ArgName("step")->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->UseManualTime();

BENCHMARK_MAIN();
