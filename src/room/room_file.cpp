// The room file: a fixed header and attribute block, the tile names, the whole field
// grid, then counted lights, entities and (optionally) surfaces. No record carries a
// length, so reader and writer follow the same field order: every record is described
// once by its VisitFields (the attribute block below) and walked by both.

#include <filesystem>
#include <string>

#include "core/file_system.h"
#include "engine/edit_engine.h"
#include "entities/edit_entity.h"
#include "entities/entity_registry.h"
#include "entities/entity_typus.h"
#include "entities/record_visitors.h"
#include "room/edit_room.h"
#include "world/world_links.h"

namespace {

constexpr std::string_view HeaderLines[] = {
    "Vorla?! (C)Zel Games 2003      ",
    "QZ Tor 3D Engine Converted     ",
    "Vorla?! Editor File            ",
};
// Room space for the largest entity body (a door's is 548 bytes).
constexpr std::size_t MaxEntityBodySize = 1024;

// A room read from a damaged file is saved beside it, never over it: the first name of
// "cave-recovered.rer", "cave-recovered-2.rer", ... that names no file yet.
std::string RecoveredName(std::string_view damagedPath) {
  const std::filesystem::path damaged{std::string(damagedPath)};
  const std::string stem = damaged.stem().string() + "-recovered";
  const std::string extension = damaged.extension().string();
  std::filesystem::path candidate = damaged.parent_path() / (stem + extension);
  for (int copy = 2; std::filesystem::symlink_status(candidate).type() != std::filesystem::file_type::not_found;
       ++copy)
    candidate = damaged.parent_path() / (stem + "-" + std::to_string(copy) + extension);
  return candidate.string();
}

std::string FileName(std::string_view hostPath) {
  return std::filesystem::path{std::string(hostPath)}.filename().string();
}

// What a load or save carried, for the status bar.
std::string ContentsOf(TRoom& room) {
  return std::to_string(room.CountLights()) + " lights, " + std::to_string(room.CountEntities()) + " entities, " +
         std::to_string(room.CountSurfaces()) + " surfaces";
}

// A count the slot table cannot hold means the file is not a room we can read.
int ReadCount(BinaryReader& file, int slots) {
  const int count = file.ReadI16();
  if (count < 0 || count > slots) throw ReadError("count out of range");
  return count;
}

}  // namespace

void TRoomAttributes::VisitFields(RecordVisitor& visitor) {
  // The name is held with 255 characters but stored with 32; a longer one in memory
  // stays as it is unless a reader changed it.
  String32 name = Name;
  visitor.Text(name, {"Name", "EditName"});
  if (name != String32(Name)) Name = name;
  visitor.Text(RegionName, {"RegionName", "EditRegion"});
  visitor.Number(SizeX, {"SizeX", "EditSizeX"});
  visitor.Number(SizeZ, {"SizeZ", "EditSizeZ"});
  visitor.List(Environment, {"Environment", "CBEnvironment"});
  visitor.List(Effect, {"Effect", "CBEffect"});
  visitor.Number(EffectIntensity, {"EffectIntensity", "EditEffectIntensity"});
  visitor.List(Region, {"Region", "CBRegion"});
  visitor.Number(MapPosX, {"MapPosX", "EditMapPosX"});
  visitor.Number(MapPosZ, {"MapPosZ", "EditMapPosZ"});
  visitor.Colour(Ambience, {"Ambience", "EditAmbience"});
  visitor.Colour(Diffuse, {"Diffuse", "EditDiffuse"});
  visitor.Vector(LightPos, {"LightPos", "EditLight"});
  visitor.List(FogTypus, {"FogTypus", "CBFogTypus"});
  visitor.Number(FogDensity, {.name = "FogDensity", .control = "EditFogDensity", .digits = 4});
  visitor.Number(FogStartDist, {"FogStartDist", "EditFogStartDist"});
  visitor.Number(FogEndDist, {"FogEndDist", "EditFogEndDist"});
  visitor.Colour(FogColor, {"FogColor", "EditFog"});
  visitor.Text(SkyBoxTexture, {"SkyBoxTexture", "CBSkyBoxTexture"});
  visitor.List(WeatherEffect, {"WeatherEffect", "CBWeatherEffect"});
  visitor.List(SunFlare, {"SunFlare", "CBSunFlare"});
  visitor.Number(SunFlareIntensity, {"SunFlareIntensity", "EditSunFlareIntensity"});
  visitor.Number(SunFlareSize, {"SunFlareSize", "EditSunFlareSize"});
  visitor.List(WaterMaterial, {"WaterMaterial", "CBWaterMaterial"});
  visitor.Number(WaterHeight, {"WaterHeight", "EditWaterHeight"});
  visitor.Colour(WaterColor, {"WaterColor", "EditWater"});
  visitor.Number(WaterDensity, {.name = "WaterDensity", .control = "EditWaterDensity", .digits = 4});
  visitor.Number(WaterFromX, {"WaterFromX", "EditWaterFromX"});
  visitor.Number(WaterFromZ, {"WaterFromZ", "EditWaterFromZ"});
  visitor.Number(WaterToX, {"WaterToX", "EditWaterToX"});
  visitor.Number(WaterToZ, {"WaterToZ", "EditWaterToZ"});
  visitor.Texts(TileList, {"TileList", "ListBoxTiles"});
}

std::array<std::uint8_t, TRoom::HeaderSize> TRoom::StandardHeader() {
  std::array<std::uint8_t, HeaderSize> header{};
  auto at = header.begin();
  for (const auto line : HeaderLines) at = std::copy(line.begin(), line.end(), at) + 1;  // and its zero byte
  return header;
}

std::size_t TRoom::MaxFileSize() {
  constexpr std::size_t fixedPart = HeaderSize + 33 + 256 + 378 + TileSlots * 256 + FieldCount * TField::RecordSize;
  constexpr std::size_t entityEntry = 2 + TEntity::CommonRecordSize + MaxEntityBodySize;
  constexpr std::size_t surfaceRecord = TSurface::RecordHeaderSize + TSurface::LightMapBytes;
  return fixedPart + 2 + LightSlots * TLight::RecordSize + 2 + EntitySlots * entityEntry + 2 +
         SurfaceSlots * surfaceRecord;
}

void TRoom::WriteHead(BinaryWriter& file) {
  file.WriteBytes(StandardHeader());
  RecordWriter writer(file);
  VisitFields(writer);
}

void TRoom::ReadHead(BinaryReader& file) {
  file.Skip(HeaderSize);
  RecordReader reader(file);
  VisitFields(reader);
}

void TRoom::WriteEntity(TEntity& entity, BinaryWriter& file) {
  entity.WriteTypus(file);
  entity.WriteCommon(file);
  entity.WriteRecord(file);
}

std::vector<std::uint8_t> TRoom::SaveToBytes() {
  BinaryWriter file;
  WriteHead(file);
  for (const auto& field : Fields) field.WriteRecord(file);

  file.WriteI16(static_cast<std::int16_t>(CountLights()));
  for (int i = 0; i <= LastLight; ++i) {
    if (Lights[i].InUse()) Lights[i].WriteRecord(file);
  }
  file.WriteI16(static_cast<std::int16_t>(CountEntities()));
  for (int i = 0; i <= LastEntity; ++i) {
    if (Entities[i]->InUse()) WriteEntity(*Entities[i], file);
  }
  file.WriteI16(static_cast<std::int16_t>(CountSurfaces()));
  for (int i = 0; i <= LastSurface; ++i) {
    if (Surfaces[i]->InUse()) Surfaces[i]->WriteRecord(file);
  }
  return file.Take();
}

bool TRoom::SaveToFile(std::string_view hostPath) {
  const auto bytes = SaveToBytes();
  const auto failure = fs_layer::WriteHostFileAtomic(hostPath, bytes);
  if (!failure) {
    Engine.GetHost().SetStatusText(MessageStatusPanel, "Saved " + FileName(hostPath) + ": " + ContentsOf(*this) + ", " +
                                                           std::to_string(bytes.size()) + " bytes");
    return true;
  }
  Engine.ShowError("QZ_ROOM", "Could not save room file \"" + std::string(hostPath) + "\": " + *failure);
  return false;
}

bool TRoom::LoadFromBytes(std::span<const std::uint8_t> bytes) {
  ClearRoom();
  return ReadRoom(bytes);
}

bool TRoom::LoadFromFile(std::string_view hostPath) {
  ClearRoom();
  Form& main = Engine.GetHost().GetForm(FormId::Main);
  main.SetText("SaveDialog", hostPath);
  if (!Engine.CheckHostFile(hostPath, true)) return false;
  const auto bytes = fs_layer::ReadHostFile(hostPath, MaxFileSize());
  bool complete = false;
  if (bytes) {
    complete = ReadRoom(*bytes);
  } else {
    // Unreadable, or larger than any room can be.
    Engine.ShowError("QZ_ROOM", "Error while loading room file!");
    ReportDamage("Unreadable room file: nothing read");
    FinishLoad();
  }
  if (complete) {
    Engine.GetHost().SetStatusText(MessageStatusPanel, "Loaded " + FileName(hostPath) + ": " + ContentsOf(*this));
  } else {
    main.SetText("SaveDialog", RecoveredName(hostPath));
  }
  return complete;
}

void TRoom::ReportDamage(std::string_view howMuch) {
  loadedPartly_ = true;
  Engine.GetHost().SetStatusText(MessageStatusPanel, howMuch);
}

// Reads into the cleared room; whatever was read before a failure stays.
bool TRoom::ReadRoom(std::span<const std::uint8_t> bytes) {
  BinaryReader file(bytes);
  bool complete = true;
  try {
    ReadHead(file);
    for (auto& field : Fields) field.ReadRecord(file);

    const int lights = ReadCount(file, LightSlots);
    for (int i = 0; i < lights; ++i) Lights[i].ReadRecord(file);

    const int entities = ReadCount(file, EntitySlots);
    for (int i = 0; i < entities; ++i) {
      // A typus without a class has no known body length, so nothing after it can be
      // trusted; AddEntity has already said which typus it was.
      TEntity* entity = AddEntity(file.ReadI16(), {}, {}, 1.0f);
      if (!entity) throw ReadError("entity typus without a class");
      entity->ReadCommon(file);
      entity->ReadRecord(file);
    }

    // The surface block is optional: a file may end after its entities.
    if (!file.AtEnd()) {
      const int surfaces = ReadCount(file, SurfaceSlots);
      for (int i = 0; i < surfaces; ++i) Surfaces[i]->ReadRecord(file);
    }
  } catch (const ReadError&) {
    Engine.ShowError("QZ_ROOM", "Error while loading room file!");
    ReportDamage("Damaged room file: " + std::to_string(file.Position()) + " of " + std::to_string(bytes.size()) +
                 " bytes read");
    complete = false;
  }
  FinishLoad();
  return complete;
}

void TRoom::FinishLoad() {
  CountLights();
  CountEntities();
  CountSurfaces();
  // Builds the room's tile models, then binds every entity to models and links.
  ReloadResources();
}

// The world's view of a room file: the attribute block for the name, the fields and
// lights skipped by their fixed sizes, then every entity read as the room reads it.
RoomOutline ReadRoomOutline(TQZEngine& engine, std::span<const std::uint8_t> bytes) {
  RoomOutline outline;
  BinaryReader file(bytes);
  try {
    file.Skip(TRoom::HeaderSize);
    TRoomAttributes attributes;
    RecordReader reader(file);
    attributes.VisitFields(reader);
    outline.name = String32(attributes.Name).str();
    file.Skip(TRoom::FieldCount * TField::RecordSize);
    file.Skip(static_cast<std::size_t>(ReadCount(file, TRoom::LightSlots)) * TLight::RecordSize);
    const int entities = ReadCount(file, TRoom::EntitySlots);
    for (int slot = 0; slot < entities; ++slot) {
      const auto entity = CreateEntity(engine, file.ReadI16());
      if (!entity) throw ReadError("entity typus without a class");
      entity->ReadCommon(file);
      entity->ReadRecord(file);
      if (entity->IsTypus(typus::Marker)) outline.markers.push_back(entity->Name.str());
      if (auto link = LinkOf(*entity); link && !link->toRoom.empty()) {
        link->slot = slot;
        outline.links.push_back(std::move(*link));
      }
    }
  } catch (const ReadError&) {
    outline.complete = false;
  }
  return outline;
}
