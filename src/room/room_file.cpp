// The room file: a fixed header and attribute block, the tile names, the whole field
// grid, then counted lights, entities and (optionally) surfaces. No record carries a
// length, so reader and writer follow the same field order; the attribute block is
// described once below and walked by both.

#include <filesystem>
#include <string>

#include "core/file_system.h"
#include "engine/edit_engine.h"
#include "entities/edit_entity.h"
#include "room/edit_room.h"

namespace {

constexpr std::size_t HeaderSize = 96;
constexpr std::string_view HeaderLines[] = {
    "Vorla?! (C)Zel Games 2003      ",
    "QZ Tor 3D Engine Converted     ",
    "Vorla?! Editor File            ",
};
// Room space for the largest entity body (a door's is 548 bytes).
constexpr std::size_t MaxEntityBodySize = 1024;

// The name is held with 255 characters but stored with 32.
struct AttributeWriter {
  BinaryWriter& file;
  void operator()(std::int16_t& v) { file.WriteI16(v); }
  void operator()(float& v) { file.WriteF32(v); }
  void operator()(TVector& v) { file.WriteVector(v); }
  void operator()(String255& s) { file.WriteString(s); }
  void Name32(String255& s) { file.WriteString(String32(s)); }
};

struct AttributeReader {
  BinaryReader& file;
  void operator()(std::int16_t& v) { v = file.ReadI16(); }
  void operator()(float& v) { v = file.ReadF32(); }
  void operator()(TVector& v) { v = file.ReadVector(); }
  void operator()(String255& s) { s = file.ReadString<255>(); }
  void Name32(String255& s) { s = file.ReadString<32>(); }
};

template <class Transfer>
void TransferAttributes(TRoomAttributes& room, Transfer io) {
  io.Name32(room.Name);
  io(room.RegionName);
  io(room.SizeX);
  io(room.SizeZ);
  io(room.Environment);
  io(room.Effect);
  io(room.EffectIntensity);
  io(room.Region);
  io(room.MapPosX);
  io(room.MapPosZ);
  io(room.Ambience);
  io(room.Diffuse);
  io(room.LightPos);
  io(room.FogTypus);
  io(room.FogDensity);
  io(room.FogStartDist);
  io(room.FogEndDist);
  io(room.FogColor);
  io(room.SkyBoxTexture);
  io(room.WeatherEffect);
  io(room.SunFlare);
  io(room.SunFlareIntensity);
  io(room.SunFlareSize);
  io(room.WaterMaterial);
  io(room.WaterHeight);
  io(room.WaterColor);
  io(room.WaterDensity);
  io(room.WaterFromX);
  io(room.WaterFromZ);
  io(room.WaterToX);
  io(room.WaterToZ);
  for (auto& tile : room.TileList) io(tile);
}

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

std::size_t TRoom::MaxFileSize() {
  constexpr std::size_t fixedPart = HeaderSize + 33 + 256 + 378 + TileSlots * 256 + FieldCount * TField::RecordSize;
  constexpr std::size_t entityEntry = 2 + TEntity::CommonRecordSize + MaxEntityBodySize;
  constexpr std::size_t surfaceRecord = TSurface::RecordHeaderSize + TSurface::LightMapBytes;
  return fixedPart + 2 + LightSlots * TLight::RecordSize + 2 + EntitySlots * entityEntry + 2 +
         SurfaceSlots * surfaceRecord;
}

void TRoom::WriteHead(BinaryWriter& file) {
  for (const auto line : HeaderLines) {
    file.WriteBytes({reinterpret_cast<const std::uint8_t*>(line.data()), line.size()});
    file.WriteU8(0);
  }
  TransferAttributes(*this, AttributeWriter{file});
}

void TRoom::ReadHead(BinaryReader& file) {
  file.Skip(HeaderSize);
  TransferAttributes(*this, AttributeReader{file});
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
