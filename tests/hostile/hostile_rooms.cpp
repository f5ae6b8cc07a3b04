// Damaged room files, from one sound room holding a light, a fire emitter and a surface.
#include <limits>

#include "engine/edit_engine.h"
#include "entities/edit_entity.h"
#include "entities/entity_typus.h"
#include "hostile/hostile_parts.h"
#include "room/edit_room.h"

namespace hostile {

namespace {

const std::string LoadError = "QZ_ROOM: Error while loading room file!";

// Where the records of the sound room begin and end.
struct RoomLayout {
  static constexpr std::size_t Header = 96;
  static constexpr std::size_t Name = 96;
  static constexpr std::size_t Region = 129;
  static constexpr std::size_t FogDensity = 441;
  static constexpr std::size_t EffectIntensity = 393;
  static constexpr std::size_t Tiles = 763;
  static constexpr std::size_t Fields = 8955;
  static constexpr std::size_t LightCount = Fields + TRoom::FieldCount * TField::RecordSize;
  static constexpr std::size_t Light = LightCount + 2;
  static constexpr std::size_t EntityCount = Light + TLight::RecordSize;
  static constexpr std::size_t Typus = EntityCount + 2;
  static constexpr std::size_t Common = Typus + 2;
  static constexpr std::size_t Body = Common + TEntity::CommonRecordSize;
  std::size_t surfaceCount = 0;  // also where the entities end
  std::size_t surface = 0;
  std::size_t end = 0;
};

// Offsets inside the records.
constexpr std::size_t LightPosition = 33 + 2;
constexpr std::size_t LightRadius = LightPosition + 12;
constexpr std::size_t EntityPosition = 33;
constexpr std::size_t EntitySize = 33 + 12 + 12 + 33 + 2 + 1;
constexpr std::size_t SurfaceLightMapWidth = 33 + 2 + 256 + 12;
constexpr std::size_t SurfaceLightMapHeight = SurfaceLightMapWidth + 2;
constexpr std::size_t SurfaceFirstCorner = SurfaceLightMapHeight + 2 + 12 + 12 + 4 + 4;

std::vector<std::uint8_t> SoundRoom(TRoom& room, bool withSurface) {
  room.ClearRoom();
  room.AddLight({1.0f, 2.0f, 1.0f}, {1.0f, 0.8f, 0.6f}, 6.0f);
  room.AddEntity(typus::Fire, {2.0f, 0.0f, 2.0f}, {}, 1.0f);
  if (withSurface) room.AddSurface({0, 0, 5}, {4, 0, 5}, {4, 2, 5}, {0, 2, 5}, "textures\\wall");
  auto bytes = room.SaveToBytes();
  room.ClearRoom();
  return bytes;
}

struct RoomFiles {
  std::vector<std::uint8_t> sound;
  RoomLayout at;
  std::vector<HostileFile>& files;

  void Add(std::string name, std::vector<std::uint8_t> bytes, bool accepted) {
    std::vector<std::string> messages;
    if (!accepted) messages.push_back(LoadError);
    files.push_back({std::move(name), HostileReader::Room, std::move(bytes), std::move(messages), accepted});
  }
  void Cut(std::string what, std::size_t size) {
    Add("room cut " + what + " (" + std::to_string(size) + " bytes)",
        {sound.begin(), sound.begin() + static_cast<std::ptrdiff_t>(size)}, size == at.surfaceCount);
  }
  template <class T>
  void Patch(std::string name, std::size_t offset, T value, bool accepted) {
    auto bytes = sound;
    Poke(bytes, offset, value);
    Add(std::move(name), std::move(bytes), accepted);
  }
};

}  // namespace

void AddRoomFiles(TQZEngine& engine, std::vector<HostileFile>& files) {
  TRoom& room = *engine.Room;
  const auto withoutSurface = SoundRoom(room, false);
  RoomFiles set{SoundRoom(room, true), {}, files};
  RoomLayout& at = set.at;
  at.surfaceCount = withoutSurface.size() - 2;
  at.surface = at.surfaceCount + 2;
  at.end = set.sound.size();

  // Every record boundary, and a cut inside each record.
  set.Cut("inside the header", 1);
  set.Cut("after the header", RoomLayout::Header);
  set.Cut("after the name", RoomLayout::Region);
  set.Cut("after the region name", RoomLayout::Region + 256);
  set.Cut("inside the attributes", RoomLayout::FogDensity);
  set.Cut("after the attributes", RoomLayout::Tiles);
  set.Cut("after the first tile name", RoomLayout::Tiles + 256);
  set.Cut("after the tile names", RoomLayout::Fields);
  set.Cut("inside a field", RoomLayout::Fields + 5);
  set.Cut("after the first field", RoomLayout::Fields + TField::RecordSize);
  set.Cut("half-way through the fields", RoomLayout::Fields + TRoom::FieldCount / 2 * TField::RecordSize);
  set.Cut("after the fields", RoomLayout::LightCount);
  set.Cut("inside the light count", RoomLayout::LightCount + 1);
  set.Cut("after the light count", RoomLayout::Light);
  set.Cut("inside the light", RoomLayout::Light + TLight::RecordSize / 2);
  set.Cut("after the lights", RoomLayout::EntityCount);
  set.Cut("after the entity count", RoomLayout::Typus);
  set.Cut("after the typus", RoomLayout::Common);
  set.Cut("inside the common record", RoomLayout::Common + 40);
  set.Cut("after the common record", RoomLayout::Body);
  set.Cut("inside the body", at.surfaceCount - 1);
  set.Cut("after the entities", at.surfaceCount);
  set.Cut("inside the surface count", at.surfaceCount + 1);
  set.Cut("after the surface count", at.surface);
  set.Cut("inside the surface header", at.surface + 100);
  set.Cut("before the light-map pixels", at.surface + TSurface::RecordHeaderSize);
  set.Cut("one byte short", at.end - 1);

  // Counts the slot tables cannot hold.
  for (const std::int16_t count : {std::int16_t{-1}, std::int16_t{-32768}}) {
    const std::string value = std::to_string(count) + " (" + std::to_string(static_cast<std::uint16_t>(count)) + ")";
    set.Patch("light count " + value, RoomLayout::LightCount, count, false);
    set.Patch("entity count " + value, RoomLayout::EntityCount, count, false);
    set.Patch("surface count " + value, at.surfaceCount, count, false);
  }
  set.Patch("light count 65", RoomLayout::LightCount, std::int16_t{65}, false);
  set.Patch("entity count 129", RoomLayout::EntityCount, std::int16_t{129}, false);
  set.Patch("surface count 257", at.surfaceCount, std::int16_t{257}, false);
  set.Patch("entity typus without a class", RoomLayout::Typus, std::int16_t{4999}, false);
  files.back().messages.insert(files.back().messages.begin(), "QZ_ENTITY: Undefined entity typus!");

  // Length bytes above the capacity are cut to it.
  set.Patch("room name length byte 255", RoomLayout::Name, std::uint8_t{255}, true);
  set.Patch("light name length byte 200", RoomLayout::Light, std::uint8_t{200}, true);
  set.Patch("entity name length byte 255", RoomLayout::Common, std::uint8_t{255}, true);
  set.Patch("surface name length byte 255", at.surface, std::uint8_t{255}, true);

  // Light maps the buffer cannot hold; a map of no texels is read as stored.
  for (const std::int16_t size : {std::int16_t{0}, std::int16_t{4096}, std::int16_t{-1}}) {
    set.Patch("light-map width " + std::to_string(size), at.surface + SurfaceLightMapWidth, size, size == 0);
    set.Patch("light-map height " + std::to_string(size), at.surface + SurfaceLightMapHeight, size, size == 0);
  }

  // Floats that are not numbers are data like any other.
  constexpr float nan = std::numeric_limits<float>::quiet_NaN();
  constexpr float inf = std::numeric_limits<float>::infinity();
  set.Patch("fog density NaN", RoomLayout::FogDensity, nan, true);
  set.Patch("effect intensity infinite", RoomLayout::EffectIntensity, inf, true);
  set.Patch("light position NaN", RoomLayout::Light + LightPosition, nan, true);
  set.Patch("light radius infinite", RoomLayout::Light + LightRadius, inf, true);
  set.Patch("entity position NaN", RoomLayout::Common + EntityPosition, nan, true);
  set.Patch("entity size infinite", RoomLayout::Common + EntitySize, inf, true);
  set.Patch("fire size NaN", RoomLayout::Body, nan, true);
  set.Patch("fire radius infinite", RoomLayout::Body + 4, -inf, true);
  set.Patch("surface corner NaN", at.surface + SurfaceFirstCorner, nan, true);
}

}  // namespace hostile
