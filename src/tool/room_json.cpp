#include "tool/room_json.h"

#include <span>
#include <string>
#include <vector>

#include "core/sha256.h"
#include "entities/edit_entity.h"
#include "entities/record_fields.h"
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

// An entity's stored fields as members of its object, in stored order.
class JsonFieldVisitor : public StoredFieldVisitor {
public:
  explicit JsonFieldVisitor(Json& object) : object_(object) {}

  void Number(float& value, const FieldInfo& field) override { Put(field, Num(value)); }
  void Number(std::int16_t& value, const FieldInfo& field) override { Put(field, value); }
  void Vector(TVector& value, const FieldInfo& field) override { Put(field, Vec(value)); }
  void List(std::int16_t& value, const FieldInfo& field) override { Put(field, value); }
  void Check(bool& value, const FieldInfo& field) override { Put(field, value); }
  void Text(String32& value, const FieldInfo& field) override { Put(field, Utf8(value)); }
  void Text(String255& value, const FieldInfo& field) override { Put(field, Utf8(value)); }
  void Names(std::span<String32> values, const FieldInfo& field) override {
    Json list = Json::array();
    for (const auto& name : values) list.push_back(Utf8(name));
    Put(field, list);
  }
  void Variable(std::int16_t& variable, std::int16_t& mode, std::int16_t& value, const VariableBoxes& boxes) override {
    object_[std::string(boxes.name)] = Json::array({variable, mode, value});
  }
  void Gap(std::size_t) override {}

private:
  void Put(const FieldInfo& field, Json value) { object_[std::string(field.name)] = std::move(value); }

  Json& object_;
};

Json Entity(TEntity& e) {
  Json object{{"Typus", e.Typus}, {"Class", std::string(e.ClassName())}};
  JsonFieldVisitor fields(object);
  e.VisitCommon(fields);
  e.VisitFields(fields);
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
