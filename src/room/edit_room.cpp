#include "room/edit_room.h"

#include <cmath>
#include <string>
#include <utility>

#include "engine/edit_engine.h"
#include "entities/edit_entity.h"
#include "entities/entity_registry.h"
#include "entities/entity_tile.h"
#include "models/edit_model.h"
#include "room/texture_lookup.h"
#include "surfaces/light_map.h"

namespace {

template <std::size_t N, class Make>
auto MakeSlots(Make make) {
  return [&]<std::size_t... I>(std::index_sequence<I...>) { return std::array{make(I)...}; }(
             std::make_index_sequence<N>{});
}

}  // namespace

TRoom::TRoom(TQZEngine& engine)
    : Engine(engine),
      Fields(FieldCount, TField(*this)),
      Camera(engine),
      Lights(MakeSlots<LightSlots>([this](std::size_t) { return TLight(*this); })) {
  for (auto& entity : Entities) entity = std::make_unique<TEntity>(engine);
  for (std::size_t i = 0; i < Surfaces.size(); ++i) {
    Surfaces[i] = std::make_unique<TSurface>(*this, static_cast<std::int16_t>(i));
  }
}

TRoom::~TRoom() = default;

void TRoom::InitRoom() {
  for (int x = 0; x < GridSize; ++x) {
    for (int z = 0; z < GridSize; ++z) FieldOf(x, z).SetGrid(static_cast<std::int16_t>(x), static_cast<std::int16_t>(z));
  }
  ClearRoom();
  Camera.ResetCamera();
  Time = 0.0f;
}

void TRoom::ClearRoom() {
  Cursor.SetMode(0);
  Selection.Clear();
  Engine.GetHost().SetStatusText(MessageStatusPanel, "");
  loadedPartly_ = false;
  static_cast<TRoomAttributes&>(*this) = TRoomAttributes{};
  ClearFields();
  for (auto& light : Lights) light.ResetLight();
  for (auto& entity : Entities) entity->Delete();
  // One reading of the resolution edit for the whole table: a bad number there is
  // reported once, not once per slot.
  const auto texelsPerMetre = TSurface::ReadTexelsPerMetre(*this);
  for (auto& surface : Surfaces) surface->Reset(texelsPerMetre);
  missingEffectTextures_.clear();
  // All three, so the status bar never shows the counts of the room just dropped.
  CountLights();
  CountEntities();
  CountSurfaces();
  ReloadResources();
}

void TRoom::ClearFields() {
  for (auto& field : Fields) field.Reset();
}

void TRoom::DoFrame() {
  TQZEngine::AdvanceTime(Time);
  Camera.DoFrame();
  Cursor.Tick();
  for (int i = 0; i <= LastLight; ++i) {
    if (Lights[i].InUse() && Lights[i].Active) Lights[i].UpdateEffect();
  }
  for (int i = 0; i <= LastEntity; ++i) {
    if (Entities[i]->InUse()) Entities[i]->Animate();
  }
}

namespace {

// Highest slot in use (0 when none) and the number in use.
template <class Table, class InUse>
std::pair<std::int16_t, int> CountSlots(const Table& table, InUse inUse) {
  std::int16_t last = 0;
  int count = 0;
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (!inUse(table[i])) continue;
    last = static_cast<std::int16_t>(i);
    ++count;
  }
  return {last, count};
}

}  // namespace

int TRoom::CountLights() {
  const auto [last, count] = CountSlots(Lights, [](const TLight& l) { return l.InUse(); });
  LastLight = last;
  Engine.GetHost().SetStatusText(1, "Lights: " + std::to_string(count));
  return count;
}

int TRoom::CountEntities() {
  const auto [last, count] = CountSlots(Entities, [](const auto& e) { return e->InUse(); });
  LastEntity = last;
  Engine.GetHost().SetStatusText(2, "Entities: " + std::to_string(count));
  return count;
}

int TRoom::CountSurfaces() {
  const auto [last, count] = CountSlots(Surfaces, [](const auto& s) { return s->InUse(); });
  LastSurface = last;
  Engine.GetHost().SetStatusText(5, "Surfaces: " + std::to_string(count));
  return count;
}

TLight* TRoom::AddLight(const TVector& position, const TVector& color, float radius) {
  TLight* light = nullptr;
  for (auto& candidate : Lights) {
    if (!candidate.InUse()) {
      light = &candidate;
      break;
    }
  }
  if (light) {
    light->Name = "LIGHT";
    light->State = 0;
    light->Position = position;
    light->Radius = radius;
    light->Color = color;
    light->Color2 = color;
    light->Active = 1;
    light->Effect = 0;
    light->EffectSpeed = 1.0f;
    light->EffectOffset = 0.0f;
    light->Flare = 0;
    light->FlareIntensity = 0.7f;
    light->FlareSize = 0.7f;
    light->FlareAbove = 0.0f;
  }
  CountLights();
  return light;
}

// The constructor's base name followed by the lowest number that no other entity in
// use carries. Every slot is looked at, so the result does not depend on the counters.
void TRoom::GiveUniqueName(TEntity& entity) {
  const std::string base = entity.Name.str();
  // With at most 128 entities one of the first 129 numbers is free - unless the base
  // name fills all 32 characters and every candidate is cut to the same text.
  for (int n = 1; n <= EntitySlots + 1; ++n) {
    const String32 candidate(base + std::to_string(n));
    bool taken = false;
    for (const auto& other : Entities) {
      if (other.get() != &entity && other->InUse() && other->Name == candidate) {
        taken = true;
        break;
      }
    }
    entity.Name = candidate;
    if (!taken) return;
  }
}

void TRoom::PutEntity(std::size_t slot, std::unique_ptr<TEntity> entity) {
  if (Entities[slot]) Cursor.Forget(*Entities[slot]);
  Entities[slot] = std::move(entity);
}

TEntity* TRoom::AddEntity(std::int16_t typus, const TVector& position, const TVector& rotation, float size) {
  std::size_t slot = 0;
  while (slot < Entities.size() && Entities[slot]->InUse()) ++slot;
  if (slot == Entities.size()) {
    CountEntities();
    return nullptr;
  }
  std::unique_ptr<TEntity> entity = CreateEntity(Engine, typus);
  if (!entity) {
    PutEntity(slot, std::make_unique<TEntity>(Engine));
    Engine.ShowError("QZ_ENTITY", "Undefined entity typus!");
    CountEntities();
    return nullptr;
  }
  entity->Position = position;
  entity->Rotation = rotation;
  entity->Size = size;
  entity->SlotIndex = static_cast<std::int16_t>(slot);
  PutEntity(slot, std::move(entity));
  GiveUniqueName(*Entities[slot]);
  CountEntities();
  return Entities[slot].get();
}

bool TRoom::DuplicatesSurface(const std::array<TVector, 4>& points) const {
  for (int i = 0; i <= LastSurface; ++i) {
    const TSurface& surface = *Surfaces[i];
    if (!surface.InUse()) continue;
    int equalPairs = 0;
    for (const auto& corner : surface.corners) {
      for (const auto& point : points) equalPairs += corner.position == point ? 1 : 0;
    }
    if (equalPairs > 3) return true;
  }
  return false;
}

TSurface* TRoom::AddSurface(const TVector& p0, const TVector& p1, const TVector& p2, const TVector& p3,
                            std::string_view textureName) {
  if (TQZEngine::Distance(p0, p1) == 0.0f || TQZEngine::Distance(p0, p3) == 0.0f ||
      TQZEngine::Distance(p1, p2) == 0.0f)
    return nullptr;
  const std::array<TVector, 4> points{p0, p1, p2, p3};
  if (DuplicatesSurface(points)) return nullptr;
  TSurface* surface = nullptr;
  for (std::size_t i = 0; i < Surfaces.size() && !surface; ++i) {
    if (!Surfaces[i]->InUse()) surface = Surfaces[i].get();
  }
  if (!surface) {
    CountSurfaces();
    return nullptr;
  }
  surface->Reset();
  surface->state = 0;
  surface->textureName = textureName;
  constexpr std::array<std::pair<float, float>, 4> texCoords{{{0.0f, 1.0f}, {1.0f, 1.0f}, {1.0f, 0.0f}, {0.0f, 0.0f}}};
  for (std::size_t i = 0; i < points.size(); ++i) {
    surface->corners[i].position = points[i];
    surface->corners[i].s = texCoords[i].first;
    surface->corners[i].t = texCoords[i].second;
  }
  // A surface whose light map the designer cancelled is not made.
  if (!surface->Recompute()) {
    surface->Reset();
    surface = nullptr;
  }
  CountSurfaces();
  return surface;
}

TVector TRoom::SumLights(const TVector& point, std::int16_t skipEntity, std::int16_t skipSurface) const {
  TVector sum;
  for (int i = 0; i <= LastLight; ++i) {
    const TLight& light = Lights[i];
    if (light.InUse() && light.Effect == 0) {
      sum = TQZEngine::Add(sum, light.LightContribution(point, skipEntity, skipSurface));
    }
  }
  return sum;
}

void TRoom::FillEntityCombo(Form& form, std::string_view combo, std::int16_t typus, const TEntity* except) const {
  std::vector<std::string> names;
  for (int i = 0; i <= LastEntity; ++i) {
    const TEntity& entity = *Entities[i];
    if (entity.InUse() && &entity != except && (typus == -1 || entity.Typus == typus)) names.push_back(entity.Name.str());
  }
  form.SetItems(combo, names);
  form.SetDropDownCount(combo, 22);
  form.SortItems(combo);
}

void TRoom::SelectEntityPalette(int group) {
  static constexpr std::string_view palettes[] = {"LBEntityTiles", "LBEntitySequences", "LBEntityUnits",
                                                  "LBEntityPortals", "LBEntityParticles"};
  Form& main = Engine.GetHost().GetForm(FormId::Main);
  main.SetItemIndex("CBEntityTypus", group);
  for (const auto palette : palettes) main.SetVisible(palette, false);
  if (group >= 0 && group < static_cast<int>(std::size(palettes))) main.SetVisible(palettes[group], true);
}

// Tiles and every class derived from them (doors).
void TRoom::SetTileShadows() {
  for (int i = 0; i <= LastEntity; ++i) {
    TEntity& entity = *Entities[i];
    if (entity.InUse() && dynamic_cast<TETile*>(&entity) && entity.Visible) entity.ShadowTypus = 2;
  }
}

void TRoom::ComputeSurfaceShadows() {
  int rows = 0;
  for (int i = 0; i <= LastSurface; ++i)
    if (Surfaces[i]->InUse()) rows += Surfaces[i]->LightMapRows();
  const LightMapBaker::Batch batch(LightMaps, rows);
  std::vector<std::pair<TSurface*, std::vector<std::uint8_t>>> done;
  for (int i = 0; i <= LastSurface; ++i) {
    TSurface& surface = *Surfaces[i];
    if (!surface.InUse()) continue;
    auto kept = surface.Record();
    if (!surface.RecomputeOrRestore(kept)) {
      for (auto& [earlier, record] : done) earlier->Restore(record);
      return;
    }
    done.emplace_back(&surface, std::move(kept));
  }
}

// A model name is looked up over every slot, so any kind of entity may show one of the
// tile list's models, whose slots have just been refilled: every entity binds again.
void TRoom::ReloadResources() {
  if (Engine.ModelEngine) Engine.ModelEngine->LoadRoomModels(TileList);
  BindEntities();
  SkyTexture = -1;
  if (!SkyBoxTexture.empty() && Textures) SkyTexture = Textures->FindTexture(SkyBoxTexture.view());
}

void TRoom::BindEntities() {
  for (int i = 0; i <= LastEntity; ++i)
    if (Entities[i]->InUse()) Entities[i]->Bind();
}

std::int16_t TRoom::FindEffectTexture(std::string_view name) {
  if (!Textures || missingEffectTextures_.contains(name)) return -1;
  const std::int16_t slot = Textures->FindTexture(name);
  if (slot < 0) missingEffectTextures_.emplace(name);
  return slot;
}
