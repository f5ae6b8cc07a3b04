#include "tool/room_json.h"

#include <algorithm>
#include <span>
#include <string>
#include <vector>

#include "core/sha256.h"
#include "entities/edit_entity.h"
#include "entities/record_fields.h"
#include "room/edit_room.h"
#include "room/room_selection.h"
#include "tool/json_text.h"

using Json = nlohmann::ordered_json;
using json_text::Num;
using json_text::Utf8;

namespace {

Json Vec(const TVector& v) { return Json::array({Num(v.x), Num(v.y), Num(v.z)}); }

// A record's stored fields as members of its object, in stored order, or as the
// elements of its list.
class JsonFieldVisitor : public StoredFieldVisitor {
public:
  explicit JsonFieldVisitor(Json& into) : into_(into) {}

  void Number(float& value, const FieldInfo& field) override { Put(field, Num(value)); }
  void Number(std::int16_t& value, const FieldInfo& field) override { Put(field, value); }
  void Vector(TVector& value, const FieldInfo& field) override { Put(field, Vec(value)); }
  void List(std::int16_t& value, const FieldInfo& field) override { Put(field, value); }
  void Check(bool& value, const FieldInfo& field) override { Put(field, value); }
  void Byte(std::uint8_t& value, const FieldInfo& field) override { Put(field, value); }
  void Text(String32& value, const FieldInfo& field) override { Put(field, Utf8(value)); }
  void Text(String255& value, const FieldInfo& field) override { Put(field, Utf8(value)); }
  void Names(std::span<String32> values, const FieldInfo& field) override { Put(field, TextList(values)); }
  void Texts(std::span<String255> values, const FieldInfo& field) override { Put(field, TextList(values)); }
  void Variable(std::int16_t& variable, std::int16_t& mode, std::int16_t& value, const VariableBoxes& boxes) override {
    Put({boxes.name, boxes.variableBox}, Json::array({variable, mode, value}));
  }
  void Gap(std::size_t) override {}

private:
  template <std::size_t N>
  static Json TextList(std::span<ShortString<N>> values) {
    Json list = Json::array();
    for (const auto& text : values) list.push_back(Utf8(text));
    return list;
  }
  void Put(const FieldInfo& field, Json value) {
    if (into_.is_array())
      into_.push_back(std::move(value));
    else
      into_[std::string(field.name)] = std::move(value);
  }

  Json& into_;
};

// The visitors only read the record.
template <class Record>
Json Visited(const Record& record, Json into) {
  JsonFieldVisitor fields(into);
  const_cast<Record&>(record).VisitFields(fields);
  return into;
}

Json Attributes(const TRoom& r) { return Visited<TRoomAttributes>(r, Json::object()); }

Json Field(const TField& f) { return Visited(f, Json::array()); }

Json Fields(const TRoom& r) {
  Json fields = Json::array();
  for (const TField& f : r.Fields) fields.push_back(Field(f));
  return fields;
}

Json Light(const TLight& l) { return Visited(l, Json::object()); }

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
  Json surface = Visited(s, Json::object());
  Json corners = Json::array();
  for (const auto& c : s.corners) corners.push_back(Visited(c, Json::object()));
  surface["corners"] = std::move(corners);
  surface["lightMapSha256"] = Sha256Hex(std::span(s.lightMapPixels.data(), s.LightMapSize()));
  return surface;
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

Json SelectionToJson(const TRoom& room, const TSelection& selection) {
  const auto inRange = [](int slot, int slots) { return slot >= 0 && slot < slots; };
  Json objects = Json::array();
  switch (selection.What()) {
    case TSelection::Kind::Lights:
      for (const int i : selection.Slots())
        if (inRange(i, TRoom::LightSlots) && room.Lights[i].InUse()) objects.push_back(Light(room.Lights[i]));
      return objects.empty() ? Json() : Json{{"lights", objects}};
    case TSelection::Kind::Entities:
      for (const int i : selection.Slots())
        if (inRange(i, TRoom::EntitySlots) && room.Entities[i]->InUse()) objects.push_back(Entity(*room.Entities[i]));
      return objects.empty() ? Json() : Json{{"entities", objects}};
    case TSelection::Kind::Surfaces:
      for (const int i : selection.Slots())
        if (inRange(i, TRoom::SurfaceSlots) && room.Surfaces[i]->InUse()) objects.push_back(Surface(*room.Surfaces[i]));
      return objects.empty() ? Json() : Json{{"surfaces", objects}};
    case TSelection::Kind::Fields: {
      const TFieldRect& s = selection.Fields();
      const TFieldRect rect{std::max(s.minX, 0), std::max(s.minZ, 0), std::min(s.maxX, TRoom::GridSize - 1),
                            std::min(s.maxZ, TRoom::GridSize - 1)};
      if (rect.Empty()) return Json();
      for (int x = rect.minX; x <= rect.maxX; ++x)
        for (int z = rect.minZ; z <= rect.maxZ; ++z) objects.push_back(Field(room.FieldOf(x, z)));
      return Json{{"fieldRect", Json{{"minX", rect.minX}, {"minZ", rect.minZ}, {"maxX", rect.maxX}, {"maxZ", rect.maxZ}}},
                  {"fields", objects}};
    }
    default: return Json();
  }
}

std::string SelectionText(const TRoom& room, const TSelection& selection) {
  const Json json = SelectionToJson(room, selection);
  return json.is_null() ? std::string() : json.dump(1) + "\n";
}
