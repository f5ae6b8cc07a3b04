#include "tool/room_text.h"

#include <algorithm>

#include "core/binary_io.h"
#include "core/sha256.h"
#include "engine/edit_engine.h"
#include "entities/edit_entity.h"
#include "room/edit_room.h"
#include "tool/json_text.h"
#include "tool/record_layout.h"

// From the bytes to the JSON: the records' layouts read from the file, the room's
// framing around them.

using Json = nlohmann::ordered_json;
using json_text::Base64;
using json_text::Num;

namespace room_text {
namespace {

constexpr std::string_view Stored = "storedBytes";
constexpr std::size_t Corners = 4;

std::string Index(const std::string& at, std::size_t i) { return at + "[" + std::to_string(i) + "]"; }

// A count the slot table cannot hold, as the room reader refuses it.
int ReadCount(BinaryReader& file, int slots) {
  const int count = file.ReadI16();
  if (count < 0 || count > slots) throw ReadError("count out of range");
  return count;
}

Json ReadText(BinaryReader& file, std::size_t capacity, const std::string& key, Json& stored) {
  const std::uint8_t length = file.ReadU8();
  std::vector<std::uint8_t> chars(capacity);
  file.ReadBytes(chars);
  const std::size_t used = std::min<std::size_t>(length, capacity);
  Json extra = Json::object();
  if (length > capacity) extra["lengthByte"] = length;
  const auto first = std::find_if(chars.begin() + static_cast<std::ptrdiff_t>(used), chars.end(),
                                  [](std::uint8_t b) { return b != 0; });
  if (first != chars.end()) extra["after"] = Base64(std::span(first, chars.end()));
  if (!extra.empty()) stored[key] = std::move(extra);
  return json_text::Utf8(std::string_view(reinterpret_cast<const char*>(chars.data()), used));
}

// One record into `into`: an object by key, or an array in stored order. What else
// its bytes need goes to `stored`.
void ReadRecord(BinaryReader& file, const RecordLayout& layout, Json& into, Json& stored) {
  for (const StoredField& field : layout) {
    Json value;
    switch (field.type) {
      case StoredType::Int16: value = file.ReadI16(); break;
      case StoredType::Byte: value = file.ReadU8(); break;
      case StoredType::Bool: {
        const std::uint8_t byte = file.ReadU8();
        value = byte != 0;
        if (byte > 1) stored[field.key] = byte;
        break;
      }
      case StoredType::Float: value = Num(file.ReadF32()); break;
      case StoredType::Vector: value = Json::array({Num(file.ReadF32()), Num(file.ReadF32()), Num(file.ReadF32())}); break;
      case StoredType::Text: value = ReadText(file, field.capacity, field.key, stored); break;
      case StoredType::Texts:
        value = Json::array();
        for (std::size_t i = 0; i < field.count; ++i) value.push_back(ReadText(file, field.capacity, Index(field.key, i), stored));
        break;
      case StoredType::Variable: value = Json::array({file.ReadI16(), file.ReadI16(), file.ReadI16()}); break;
      case StoredType::Gap: {
        std::vector<std::uint8_t> bytes(field.size);
        file.ReadBytes(bytes);
        if (std::any_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b != 0; })) stored[field.key] = Base64(bytes);
        continue;
      }
    }
    if (into.is_array())
      into.push_back(std::move(value));
    else
      into[field.key] = std::move(value);
  }
}

void PutStored(Json& record, Json& stored) {
  if (!stored.empty()) record[Stored] = std::move(stored);
}

Json ReadObject(BinaryReader& file, const RecordLayout& layout) {
  Json object = Json::object();
  Json stored = Json::object();
  ReadRecord(file, layout, object, stored);
  PutStored(object, stored);
  return object;
}

Json ReadSurface(BinaryReader& file, RoomLayouts& layouts) {
  Json surface = Json::object();
  Json stored = Json::object();
  ReadRecord(file, layouts.surface, surface, stored);
  const auto width = surface["lightMapWidth"].get<std::int16_t>();
  const auto height = surface["lightMapHeight"].get<std::int16_t>();
  if (!TSurface::FitsLightMap(width) || !TSurface::FitsLightMap(height)) throw ReadError("light map size out of range");
  Json corners = Json::array();
  for (std::size_t i = 0; i < Corners; ++i) corners.push_back(ReadObject(file, layouts.corner));
  surface["corners"] = std::move(corners);
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
  file.ReadBytes(pixels);
  surface["lightMapSha256"] = Sha256Hex(pixels);
  surface["lightMapPixels"] = Base64(pixels);
  PutStored(surface, stored);
  return surface;
}

Json Walk(TRoom& room, std::span<const std::uint8_t> bytes) {
  RoomLayouts layouts(room);
  BinaryReader file(bytes);
  Json stored = Json::object();
  std::array<std::uint8_t, TRoom::HeaderSize> header;
  file.ReadBytes(header);
  if (header != TRoom::StandardHeader()) stored["header"] = Base64(header);

  Json document = Json::object();
  document["room"] = ReadObject(file, layouts.attributes);
  Json fields = Json::array();
  for (int i = 0; i < TRoom::FieldCount; ++i) {
    Json field = Json::array();
    Json none = Json::object();
    ReadRecord(file, layouts.field, field, none);
    fields.push_back(std::move(field));
  }
  document["fields"] = std::move(fields);

  Json lights = Json::array();
  for (int i = ReadCount(file, TRoom::LightSlots); i > 0; --i) lights.push_back(ReadObject(file, layouts.light));
  document["lights"] = std::move(lights);

  Json entities = Json::array();
  const int entityCount = ReadCount(file, TRoom::EntitySlots);
  for (int i = 0; i < entityCount; ++i) {
    const std::int16_t typus = file.ReadI16();
    const RoomLayouts::Kind* kind = layouts.KindOf(typus);
    if (!kind) throw ReadError("entity typus without a class");
    Json entity{{"Typus", typus}, {"Class", std::string(kind->prototype->ClassName())}};
    Json entityStored = Json::object();
    ReadRecord(file, layouts.common, entity, entityStored);
    ReadRecord(file, kind->body, entity, entityStored);
    Json links = Json::array();
    for (const auto link : room.Entities[static_cast<std::size_t>(i)]->Links) links.push_back(link);
    entity["Links"] = std::move(links);
    PutStored(entity, entityStored);
    entities.push_back(std::move(entity));
  }
  document["entities"] = std::move(entities);

  Json surfaces = Json::array();
  if (file.AtEnd()) {
    stored["surfaceBlock"] = false;
  } else {
    for (int i = ReadCount(file, TRoom::SurfaceSlots); i > 0; --i) surfaces.push_back(ReadSurface(file, layouts));
  }
  document["surfaces"] = std::move(surfaces);
  if (!file.AtEnd()) {
    std::vector<std::uint8_t> rest(file.Remaining());
    file.ReadBytes(rest);
    stored["trailing"] = Base64(rest);
  }
  PutStored(document, stored);
  return document;
}

}  // namespace

std::optional<Json> CompleteJson(TRoom& room, std::span<const std::uint8_t> bytes) {
  if (!room.LoadFromBytes(bytes)) return std::nullopt;
  try {
    return Walk(room, bytes);
  } catch (const ReadError&) {
    // The room reader took the file, so this walk should too.
    room.Engine.ShowError("QZ_ROOM", "Error while loading room file!");
    return std::nullopt;
  }
}

}  // namespace room_text
