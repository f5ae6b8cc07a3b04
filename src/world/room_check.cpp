#include "world/room_check.h"

#include <cmath>
#include <map>
#include <string_view>

#include "core/file_system.h"
#include "engine/edit_engine.h"
#include "entities/edit_entity.h"
#include "models/edit_model.h"
#include "room/edit_room.h"
#include "world/world_links.h"

namespace {

class Checker {
public:
  explicit Checker(const TRoom& room) : room_(room), lists_(room.Engine.EditorLists) {}

  std::vector<RoomProblem> Run() {
    CheckAttributes();
    CheckFields();
    CheckLights();
    CheckTileModels();
    CheckEntities();
    CheckSurfaces();
    return std::move(problems_);
  }

private:
  using Kind = TSelection::Kind;

  // What the problems reported next are about.
  struct Subject {
    Kind kind;
    int slot;
    std::string where;
  };

  void Report(const Subject& about, const std::string& what, RoomProblem::Fix fix = RoomProblem::Fix::None) {
    problems_.push_back({about.kind, about.slot, about.where, what, fix, {}});
  }

  void Finite(const Subject& where, std::string_view field, float value) {
    if (!std::isfinite(value)) Report(where, std::string(field) + " is not a finite number");
  }
  void Finite(const Subject& where, std::string_view field, const TVector& v) {
    if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.z))
      Report(where, std::string(field) + " has a component that is not a finite number");
  }

  // A list index must name an entry of its editor.ini list; without the list (no
  // editor.ini here) there is nothing to compare against.
  void InList(const Subject& where, std::string_view field, int index, std::string_view header) {
    const auto it = lists_.find(header);
    if (it == lists_.end() || it->second.empty()) return;
    if (index < 0 || index >= static_cast<int>(it->second.size()))
      Report(where, std::string(field) + " " + std::to_string(index) + " is not an entry of " + std::string(header) +
                        " (" + std::to_string(it->second.size()) + " entries)");
  }

  void CheckAttributes() {
    const Subject where{Kind::None, -1, "room"};
    InList(where, "Environment", room_.Environment, "[ROOM_ENVIRONMENT]");
    InList(where, "Effect", room_.Effect, "[ROOM_EFFECT]");
    InList(where, "Region", room_.Region, "[ROOM_REGION]");
    InList(where, "FogTypus", room_.FogTypus, "[ROOM_FOG]");
    InList(where, "WeatherEffect", room_.WeatherEffect, "[ROOM_WEATHEREFFECT]");
    InList(where, "SunFlare", room_.SunFlare, "[LIGHT_FLARE]");
    InList(where, "WaterMaterial", room_.WaterMaterial, "[WATER_MATERIAL]");
    for (auto [field, value] : {std::pair{"EffectIntensity", room_.EffectIntensity}, {"FogDensity", room_.FogDensity},
                                {"FogStartDist", room_.FogStartDist}, {"FogEndDist", room_.FogEndDist},
                                {"SunFlareIntensity", room_.SunFlareIntensity}, {"SunFlareSize", room_.SunFlareSize},
                                {"WaterHeight", room_.WaterHeight}, {"WaterDensity", room_.WaterDensity}})
      Finite(where, field, value);
    for (auto [field, value] : {std::pair{"Ambience", room_.Ambience}, {"Diffuse", room_.Diffuse},
                                {"LightPos", room_.LightPos}, {"FogColor", room_.FogColor},
                                {"WaterColor", room_.WaterColor}})
      Finite(where, field, value);
    for (auto [field, value] : {std::pair{"WaterFromX", room_.WaterFromX}, {"WaterFromZ", room_.WaterFromZ},
                                {"WaterToX", room_.WaterToX}, {"WaterToZ", room_.WaterToZ}})
      if (value < 0 || value > TRoom::GridSize) Report(where, std::string(field) + " lies outside the grid (0 to 60)");
  }

  void CheckFields() {
    for (int x = 0; x < TRoom::GridSize; ++x)
      for (int z = 0; z < TRoom::GridSize; ++z) {
        const TField& f = room_.FieldOf(x, z);
        const Subject where{Kind::Fields, x * TRoom::GridSize + z,
                            "field " + std::to_string(x) + "," + std::to_string(z)};
        InList(where, "Typus", f.Typus, "[FIELD_TYPUS]");
        InList(where, "Material", f.Material, "[FIELD_MATERIAL]");
        Finite(where, "Height", f.Height);
        Finite(where, "Ceiling", f.Ceiling);
      }
  }

  void CheckLights() {
    for (int i = 0; i <= room_.LastLight; ++i) {
      const TLight& l = room_.Lights[i];
      if (!l.InUse()) continue;
      const Subject where{Kind::Lights, i, "light " + std::to_string(i) + " \"" + l.Name.str() + "\""};
      InList(where, "Effect", l.Effect, "[LIGHT_EFFECT]");
      InList(where, "Flare", l.Flare, "[LIGHT_FLARE]");
      Finite(where, "Position", l.Position);
      Finite(where, "Radius", l.Radius);
      Finite(where, "Color", l.Color);
      Finite(where, "Color2", l.Color2);
      if (std::isfinite(l.Radius) && l.Radius <= 0.0f) Report(where, "Radius is not above 0, so it lights nothing");
    }
  }

  // Each named tile is loaded from the model directory's "world" folder.
  void CheckTileModels() {
    for (std::size_t i = 0; i < room_.TileList.size(); ++i) {
      const auto& name = room_.TileList[i];
      if (name.empty()) continue;
      const std::string file = "world\\" + name.str() + ".ms3d";
      if (!fs_layer::FileExists(room_.Engine.ModelDir.str() + file))
        Report({Kind::None, static_cast<int>(i), "tile " + std::to_string(i) + " \"" + name.str() + "\""},
               "model file " + file + " is missing from the model directory");
    }
  }

  // An empty name means no model on purpose; any other must name a loaded catalogue model.
  void ModelFound(const Subject& where, const TEntity& e) {
    if (e.ModelName.empty()) return;
    const TModelEngine* models = room_.Engine.ModelEngine.get();
    if (!models || models->FindModel(e.ModelName) == -1)
      Report(where, "ModelName \"" + e.ModelName.str() + "\" finds no model; it shows as a marker box");
  }

  void CheckEntities() {
    std::map<std::string, int> slotOfName;
    for (int i = 0; i <= room_.LastEntity; ++i) {
      const TEntity& e = *room_.Entities[i];
      if (!e.InUse()) continue;
      const Subject where{Kind::Entities, i, "entity " + std::to_string(i) + " \"" + e.Name.str() + "\""};
      const auto [it, fresh] = slotOfName.emplace(e.Name.str(), i);
      if (!fresh)
        Report(where, "has the same name as entity " + std::to_string(it->second) +
                          "; references by name reach only the first",
               RoomProblem::Fix::GiveUniqueName);
      ModelFound(where, e);
      InList(where, "BlendingMode", e.BlendingMode, "[GL_BLENDING]");
      InList(where, "ShadowTypus", e.ShadowTypus, "[SHADOW_TYPUS]");
      InList(where, "AnimDirection", e.AnimDirection, "[ANIMATION_DIRECTION]");
      Finite(where, "Position", e.Position);
      Finite(where, "Rotation", e.Rotation);
      Finite(where, "Size", e.Size);
      Finite(where, "Color", e.Color);
    }
  }

  void CheckSurfaces() {
    for (int i = 0; i <= room_.LastSurface; ++i) {
      const TSurface& s = *room_.Surfaces[i];
      if (!s.InUse()) continue;
      const Subject where{Kind::Surfaces, i, "surface " + std::to_string(i) + " \"" + s.name.str() + "\""};
      for (const auto& corner : s.corners) Finite(where, "corner", corner.position);
      Finite(where, "normal", s.normal);
      const auto powerOfTwo = [](int v) { return v >= 4 && v <= 256 && (v & (v - 1)) == 0; };
      if (!powerOfTwo(s.lightMapWidth) || !powerOfTwo(s.lightMapHeight))
        Report(where, "light map " + std::to_string(s.lightMapWidth) + " x " + std::to_string(s.lightMapHeight) +
                          " is not a power of two from 4 to 256; recompute its lighting");
    }
  }

  const TRoom& room_;
  const std::map<std::string, std::vector<std::string>, std::less<>>& lists_;
  std::vector<RoomProblem> problems_;
};

}  // namespace

std::vector<RoomProblem> CheckRoom(const TRoom& room) { return Checker(room).Run(); }

std::string RoomProblem::FixCaption() const {
  switch (fix) {
    case Fix::GiveUniqueName: return "Give Unique Name";
    case Fix::UseMarker: return "Use Marker \"" + fixValue + "\"";
    case Fix::None: break;
  }
  return {};
}

bool ApplyFix(TRoom& room, const RoomProblem& problem) {
  if (problem.kind != TSelection::Kind::Entities || problem.slot < 0 || problem.slot >= TRoom::EntitySlots)
    return false;
  TEntity& entity = *room.Entities[static_cast<std::size_t>(problem.slot)];
  if (!entity.InUse()) return false;
  switch (problem.fix) {
    case RoomProblem::Fix::GiveUniqueName:
      room.GiveUniqueName(entity);
      break;
    case RoomProblem::Fix::UseMarker:
      if (!SetLinkMarker(entity, problem.fixValue)) return false;
      break;
    case RoomProblem::Fix::None: return false;
  }
  room.BindEntities();
  return true;
}
