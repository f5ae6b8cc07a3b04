#include "tool/room_json.h"

#include <span>
#include <string>
#include <vector>

#include "core/sha256.h"
#include "entities/edit_entity.h"
#include "entities/field_sink.h"
#include "room/edit_room.h"
#include "tool/json_text.h"

using Json = nlohmann::ordered_json;
using json_text::Num;
using json_text::Utf8;

namespace {

Json Vec(const TVector& v) { return Json::array({Num(v.x), Num(v.y), Num(v.z)}); }

Json Attributes(const TRoom& r) {
  Json tiles = Json::array();
  for (const auto& name : r.TileList) tiles.push_back(Utf8(name));
  return Json{{"Name", Utf8(r.Name)},
              {"RegionName", Utf8(r.RegionName)},
              {"SizeX", r.SizeX},
              {"SizeZ", r.SizeZ},
              {"Environment", r.Environment},
              {"Effect", r.Effect},
              {"EffectIntensity", Num(r.EffectIntensity)},
              {"Region", r.Region},
              {"MapPosX", r.MapPosX},
              {"MapPosZ", r.MapPosZ},
              {"Ambience", Vec(r.Ambience)},
              {"Diffuse", Vec(r.Diffuse)},
              {"LightPos", Vec(r.LightPos)},
              {"FogTypus", r.FogTypus},
              {"FogDensity", Num(r.FogDensity)},
              {"FogStartDist", Num(r.FogStartDist)},
              {"FogEndDist", Num(r.FogEndDist)},
              {"FogColor", Vec(r.FogColor)},
              {"SkyBoxTexture", Utf8(r.SkyBoxTexture)},
              {"WeatherEffect", r.WeatherEffect},
              {"SunFlare", r.SunFlare},
              {"SunFlareIntensity", Num(r.SunFlareIntensity)},
              {"SunFlareSize", Num(r.SunFlareSize)},
              {"WaterMaterial", r.WaterMaterial},
              {"WaterHeight", Num(r.WaterHeight)},
              {"WaterColor", Vec(r.WaterColor)},
              {"WaterDensity", Num(r.WaterDensity)},
              {"WaterFromX", r.WaterFromX},
              {"WaterFromZ", r.WaterFromZ},
              {"WaterToX", r.WaterToX},
              {"WaterToZ", r.WaterToZ},
              {"TileList", tiles}};
}

Json Fields(const TRoom& r) {
  Json fields = Json::array();
  for (const TField& f : r.Fields) fields.push_back(Json::array({f.Typus, f.Material, Num(f.Height), Num(f.Ceiling)}));
  return fields;
}

Json Light(const TLight& l) {
  return Json{{"Name", Utf8(l.Name)},
              {"State", l.State},
              {"Position", Vec(l.Position)},
              {"Radius", Num(l.Radius)},
              {"Color", Vec(l.Color)},
              {"Active", l.Active},
              {"Effect", l.Effect},
              {"Color2", Vec(l.Color2)},
              {"EffectSpeed", Num(l.EffectSpeed)},
              {"EffectOffset", Num(l.EffectOffset)},
              {"Flare", l.Flare},
              {"FlareIntensity", Num(l.FlareIntensity)},
              {"FlareSize", Num(l.FlareSize)},
              {"FlareAbove", Num(l.FlareAbove)}};
}

// A kind's own fields as members of the entity's object, in the kind's order.
class JsonFieldSink : public FieldSink {
public:
  explicit JsonFieldSink(Json& object) : object_(object) {}

  void Field(std::string_view name, int value) override { Put(name, value); }
  void Field(std::string_view name, bool value) override { Put(name, value); }
  void Field(std::string_view name, float value) override { Put(name, Num(value)); }
  void Field(std::string_view name, std::string_view value) override { Put(name, Utf8(value)); }
  void Field(std::string_view name, const TVector& value) override { Put(name, Vec(value)); }
  void List(std::string_view name, std::span<const std::int16_t> values) override {
    Put(name, Json(std::vector<std::int16_t>(values.begin(), values.end())));
  }
  void List(std::string_view name, std::span<const String32> names) override {
    Json list = Json::array();
    for (const auto& n : names) list.push_back(Utf8(n));
    Put(name, list);
  }

private:
  void Put(std::string_view name, Json value) { object_[std::string(name)] = std::move(value); }

  Json& object_;
};

Json Entity(const TEntity& e) {
  Json object{{"Typus", e.Typus},
              {"Class", std::string(e.ClassName())},
              {"Name", Utf8(e.Name)},
              {"Position", Vec(e.Position)},
              {"Rotation", Vec(e.Rotation)},
              {"ModelName", Utf8(e.ModelName)},
              {"Health", e.Health},
              {"Active", e.Active},
              {"Size", Num(e.Size)},
              {"Visible", e.Visible},
              {"ApplyLighting", e.ApplyLighting},
              {"Color", Vec(e.Color)},
              {"BlendingMode", e.BlendingMode},
              {"Density", Num(e.Density)},
              {"ShadowTypus", e.ShadowTypus},
              {"ShadowRadius", Num(e.ShadowRadius)},
              {"AnimName", Utf8(e.AnimName)},
              {"AnimDirection", e.AnimDirection},
              {"AnimSpeed", Num(e.AnimSpeed)},
              {"AnimLoop", e.AnimLoop}};
  JsonFieldSink sink(object);
  e.DescribeFields(sink);
  Json links = Json::array();
  for (auto link : e.Links) links.push_back(link);
  object["Links"] = links;
  return object;
}

Json Surface(const TSurface& s) {
  Json corners = Json::array();
  for (const auto& c : s.corners) corners.push_back(Json{{"Position", Vec(c.position)}, {"S", Num(c.s)}, {"T", Num(c.t)}});
  const std::span<const std::uint8_t> map(s.lightMapPixels.data(), s.LightMapSize());
  return Json{{"name", Utf8(s.name)},
              {"state", s.state},
              {"textureName", Utf8(s.textureName)},
              {"texPerMetreS", Num(s.texPerMetreS)},
              {"texPerMetreT", Num(s.texPerMetreT)},
              {"lightMapTexelsPerMetre", Num(s.lightMapTexelsPerMetre)},
              {"lightMapWidth", s.lightMapWidth},
              {"lightMapHeight", s.lightMapHeight},
              {"normal", Vec(s.normal)},
              {"centre", Vec(s.centre)},
              {"horizontalRadius", Num(s.horizontalRadius)},
              {"halfHeight", Num(s.halfHeight)},
              {"corners", corners},
              {"lightMapSha256", Sha256Hex(map)}};
}

}  // namespace

Json RoomToJson(const TRoom& room) {
  Json lights = Json::array();
  for (int i = 0; i <= room.LastLight; ++i)
    if (room.Lights[i].InUse()) lights.push_back(Light(room.Lights[i]));
  Json entities = Json::array();
  for (int i = 0; i <= room.LastEntity; ++i)
    if (room.Entities[i]->InUse()) entities.push_back(Entity(*room.Entities[i]));
  Json surfaces = Json::array();
  for (int i = 0; i <= room.LastSurface; ++i)
    if (room.Surfaces[i]->InUse()) surfaces.push_back(Surface(*room.Surfaces[i]));
  return Json{{"room", Attributes(room)},
              {"fields", Fields(room)},
              {"lights", lights},
              {"entities", entities},
              {"surfaces", surfaces}};
}
