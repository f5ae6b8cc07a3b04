#include "bench_world.h"

#include <array>
#include <string>

#include "core/file_system.h"
#include "engine/edit_engine.h"
#include "entities/edit_entity.h"
#include "entities/entity_typus.h"
#include "particles/particle_main.h"
#include "render/edit_gl.h"
#include "render/gl_api.h"
#include "render/offscreen_context.h"
#include "room/edit_room.h"
#include "support/endless_emitters.h"

void FillEveryTable(TRoom& room) {
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

namespace {

// Runs the emitters until their pools hold the most they ever will.
bool FillEndlessPools(TRoom& room) {
  if (!AddEndlessEmitters(room)) return false;
  for (int frame = 0; frame < static_cast<int>(TEParticle::MaxParticleAge / 0.5f) + 100; ++frame) room.DoFrame();
  return true;
}

}  // namespace

BenchWorld::BenchWorld(WorldKind kind) {
  context_ = OffscreenContext::Create(Width, Height);
  if (!context_) return;
  engine_ = std::make_unique<TQZEngine>(host_, BRANNOCK_SAMPLE_DIR);
  gl_ = std::make_unique<TEditGL>(*engine_, context_->ProcLookup());
  gl_->ResizeGLScene(Width, Height);
  gl_->InitGLState();
  gl_->Attach();
  engine_->StartUp();
  // Drops and flickers repeat from run to run, so two builds draw the same frames.
  engine_->Seed(1);
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

BenchWorld::~BenchWorld() = default;

TRoom& BenchWorld::Room() { return *engine_->Room; }

void BenchWorld::ShowFieldsSheet(bool shown) {
  host_.GetForm(FormId::Main).SetActivePage(view_menu::ToolPalette, shown ? view_menu::FieldsSheet : "");
}

void BenchWorld::Frame() {
  Room().DoFrame();
  gl_->DrawFrame();
  glFinish();
}

void PlaceCamera(TCamera& camera, int mode) {
  camera.Mode = static_cast<std::uint16_t>(mode);
  camera.Position = mode == TCamera::Mode3D ? TVector{-0.5f, 4.5f, 16.5f} : TVector{0.0f, 2.0f, 0.0f};
  camera.Rotation = mode == TCamera::Mode3D ? TVector{-14.0f, 16.0f, 0.0f} : TVector{};
}
