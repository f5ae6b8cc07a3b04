// Drawing whole rooms offscreen at the view's size: the sample world's demo room and a
// room with every slot table full (64 lights, 128 entities of mixed kinds with walking
// units and running emitters, 256 surfaces, the pond's water). Each frame is one room
// step and one DrawFrame, finished with glFinish so the time is the rasteriser's too.
// Also the demo room with emitters whose drops never vanish, their pools full at the
// cap, and the cost of one rendered shadow test.

#include <benchmark/benchmark.h>

#include <array>
#include <memory>
#include <string>

#include "core/file_system.h"
#include "core/headless_host.h"
#include "engine/edit_engine.h"
#include "entities/edit_entity.h"
#include "entities/entity_typus.h"
#include "particles/particle_main.h"
#include "render/edit_gl.h"
#include "render/gl_api.h"
#include "render/offscreen_context.h"
#include "room/edit_room.h"
#include "render/projection.h"
#include "support/endless_emitters.h"

namespace {

constexpr int Width = 640;
constexpr int Height = 480;

enum class WorldKind { Demo, Full, EndlessDrops };

class BenchWorld {
public:
  explicit BenchWorld(WorldKind kind) {
    context_ = OffscreenContext::Create(Width, Height);
    if (!context_) return;
    engine_ = std::make_unique<TQZEngine>(host_, BRANNOCK_SAMPLE_DIR);
    gl_ = std::make_unique<TEditGL>(*engine_, context_->ProcLookup());
    gl_->ResizeGLScene(Width, Height);
    gl_->InitGLState();
    gl_->Attach();
    engine_->StartUp();
    Form& main = host_.GetForm(FormId::Main);
    for (auto item : {view_menu::ShowFog, view_menu::ShowSurfaces, view_menu::ShowLensFlares, view_menu::Lighting,
                      view_menu::ShowDetailmaps, view_menu::ShowLights, view_menu::ShowGrid})
      main.SetChecked(item, true);
    TRoom& room = *engine_->Room;
    if (!room.LoadFromFile(fs_layer::ToHostPath(engine_->RoomDir.str() + "demo.rer"))) return;
    if (kind == WorldKind::Full) FillEveryTable(room);
    if (kind == WorldKind::EndlessDrops && !FillEndlessPools(room)) return;
    ready_ = true;
  }

  bool Ready() const { return ready_; }
  TRoom& Room() { return *engine_->Room; }
  TEditGL& GL() { return *gl_; }

  void Frame() {
    Room().DoFrame();
    gl_->DrawFrame();
    glFinish();
  }

private:
  // Lights spread over the grid with every effect, entities cycling through drawn kinds,
  // and upright surfaces in rows until each table is full.
  static void FillEveryTable(TRoom& room) {
    for (int i = 0; room.CountLights() < TRoom::LightSlots; ++i) {
      TLight* light = room.AddLight({-14.0f + static_cast<float>(i % 8) * 4.0f, 2.0f + static_cast<float>(i % 3),
                                     -14.0f + static_cast<float>(i / 8) * 4.0f},
                                    {0.7f, 0.6f, 0.5f}, 6.0f);
      if (!light) break;
      light->Effect = static_cast<std::int16_t>(i % 4);
      light->Flare = static_cast<std::int16_t>(i % 4);
    }
    static constexpr std::array<std::int16_t, 8> Kinds = {typus::Tile, typus::Mutant,   typus::ClawShrimp,
                                                          typus::Fire, typus::Fountain, typus::Tile,
                                                          typus::Marker, typus::Sound};
    // Doors play their opening animation, skinned every frame; units stand still in the editor.
    static constexpr std::array<const char*, 3> Scenery = {"OLD_TREE", "STONE_COLUMN", "WOODEN_DOOR"};
    for (int i = 0; room.CountEntities() < TRoom::EntitySlots; ++i) {
      const TVector at{-13.0f + static_cast<float>(i % 9) * 3.2f, 0.0f, -13.0f + static_cast<float>(i / 9 % 9) * 3.2f};
      TEntity* entity = room.AddEntity(Kinds[static_cast<std::size_t>(i) % Kinds.size()], at,
                                       {0.0f, static_cast<float>(i * 37 % 360), 0.0f}, 1.0f);
      if (!entity) break;
      if (entity->Typus == typus::Tile) {
        entity->ModelName = Scenery[static_cast<std::size_t>(i) % Scenery.size()];
        if (entity->ModelName == "WOODEN_DOOR") entity->AnimName = "open";
      } else {
        entity->AnimName = "walk";
      }
      entity->Bind();
    }
    for (int i = 0; room.CountSurfaces() < TRoom::SurfaceSlots; ++i) {
      const float x = -14.0f + static_cast<float>(i % 14) * 2.0f, z = -12.0f + static_cast<float>(i / 14) * 1.5f;
      if (!room.AddSurface({x, 3.0f, z}, {x + 1.8f, 3.0f, z}, {x + 1.8f, 5.0f, z}, {x, 5.0f, z}, "textures\\planks"))
        break;
    }
  }

  // Runs the emitters until their pools hold the most they ever will.
  static bool FillEndlessPools(TRoom& room) {
    if (!AddEndlessEmitters(room)) return false;
    for (int frame = 0; frame < static_cast<int>(TEParticle::MaxParticleAge / 0.5f) + 100; ++frame) room.DoFrame();
    return true;
  }

  HeadlessHost host_;
  std::unique_ptr<OffscreenContext> context_;
  std::unique_ptr<TQZEngine> engine_;
  std::unique_ptr<TEditGL> gl_;
  bool ready_ = false;
};

BenchWorld& World(WorldKind kind) {
  static BenchWorld demo(WorldKind::Demo);
  static BenchWorld full(WorldKind::Full);
  static BenchWorld endless(WorldKind::EndlessDrops);
  return kind == WorldKind::Full ? full : kind == WorldKind::Demo ? demo : endless;
}

// The camera of each view mode over the middle of the room.
void PlaceCamera(TCamera& camera, int mode) {
  camera.Mode = static_cast<std::uint16_t>(mode);
  camera.Position = mode == TCamera::Mode3D ? TVector{-0.5f, 4.5f, 16.5f} : TVector{0.0f, 2.0f, 0.0f};
  camera.Rotation = mode == TCamera::Mode3D ? TVector{-14.0f, 16.0f, 0.0f} : TVector{};
}

void BM_Frame(benchmark::State& state) {
  BenchWorld& world = World(static_cast<WorldKind>(state.range(0)));
  if (!world.Ready()) return state.SkipWithError("no offscreen context or sample world");
  PlaceCamera(world.Room().Camera, static_cast<int>(state.range(1)));
  world.Frame();  // textures and display state settle on the first frame
  for (auto _ : state) world.Frame();
  state.counters["polygons"] = static_cast<double>(world.GL().PolygonCount());
  state.counters["lights"] = world.Room().CountLights();
  state.counters["entities"] = world.Room().CountEntities();
  state.counters["surfaces"] = world.Room().CountSurfaces();
  std::size_t particles = 0;
  for (const auto& entity : world.Room().Entities)
    if (const auto* emitter = dynamic_cast<const TEParticle*>(entity.get()); emitter && emitter->InUse())
      particles += emitter->Pool.size();
  state.counters["particles"] = static_cast<double>(particles);
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

// Arguments: room (0 demo, 1 full, 2 demo with endless drops), view mode (0 top, 1 side, 2 3D).
BENCHMARK(BM_Frame)
    ->ArgNames({"room", "view"})
    ->ArgsProduct({{0, 1, 2}, {0, 1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(1.0);
BENCHMARK(BM_RenderedIsOccluded)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
