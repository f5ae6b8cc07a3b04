#include <cstring>
#include <filesystem>
#include <fstream>

#include "core/file_system.h"
#include "entities/edit_entity.h"
#include "room/room_fixture.h"

namespace {

using RoomFile = RoomTest;

std::int16_t I16At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  return static_cast<std::int16_t>(bytes.at(offset) | (bytes.at(offset + 1) << 8));
}

float F32At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  float value = 0;
  std::memcpy(&value, &bytes.at(offset), 4);
  return value;
}

std::string TextAt(const std::vector<std::uint8_t>& bytes, std::size_t offset, std::size_t length) {
  return std::string(reinterpret_cast<const char*>(&bytes.at(offset)), length);
}

void PutI16(std::vector<std::uint8_t>& bytes, std::size_t offset, std::int16_t value) {
  bytes.at(offset) = static_cast<std::uint8_t>(value & 0xFF);
  bytes.at(offset + 1) = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

constexpr std::size_t LightCountOffset = 52155;

TEST_F(RoomFile, NewRoomIsByteExact) {
  const auto bytes = room.SaveToBytes();
  ASSERT_EQ(bytes.size(), 52161u);
  EXPECT_EQ(TextAt(bytes, 0, 32), std::string("Vorla?! (C)Zel Games 2003      ") + '\0');
  EXPECT_EQ(TextAt(bytes, 32, 32), std::string("QZ Tor 3D Engine Converted     ") + '\0');
  EXPECT_EQ(TextAt(bytes, 64, 32), std::string("Vorla?! Editor File            ") + '\0');
  EXPECT_EQ(bytes[96], 4);
  EXPECT_EQ(TextAt(bytes, 97, 4), "ROOM");
  EXPECT_EQ(bytes[101], 0);  // unused characters are zeros
  EXPECT_EQ(bytes[129], 6);
  EXPECT_EQ(TextAt(bytes, 130, 6), "REGION");
  EXPECT_EQ(I16At(bytes, 385), 1);  // SizeX
  EXPECT_EQ(F32At(bytes, 393), 1.0f);  // EffectIntensity
  EXPECT_EQ(F32At(bytes, 431), 0.7f);  // LightPos.y
  EXPECT_EQ(F32At(bytes, 441), 0.1f);  // FogDensity
  EXPECT_EQ(F32At(bytes, 461), 1.0f);  // FogColor blue
  EXPECT_EQ(bytes[465], 0);            // empty sky box
  EXPECT_EQ(F32At(bytes, 729), 2.0f);  // SunFlareSize
  EXPECT_EQ(F32At(bytes, 743), 0.3f);  // WaterColor green
  EXPECT_EQ(I16At(bytes, 759), 60);    // WaterToX
  EXPECT_EQ(I16At(bytes, 761), 60);    // WaterToZ
  EXPECT_EQ(bytes[763], 0);            // first tile name empty
  EXPECT_EQ(F32At(bytes, 8955 + 8), 10.0f);  // first field's ceiling
  EXPECT_EQ(F32At(bytes, 52155 - 4), 10.0f);  // last field's ceiling
  EXPECT_EQ(I16At(bytes, 52155), 0);
  EXPECT_EQ(I16At(bytes, 52157), 0);
  EXPECT_EQ(I16At(bytes, 52159), 0);
}

void FillLight(TLight& light, float seed) {
  light.Name = "LAMP" + std::to_string(static_cast<int>(seed));
  light.State = 0;
  light.Position = {seed, -seed, seed * 0.5f};
  light.Radius = seed + 0.25f;
  light.Color = {0.1f, 0.2f, 0.3f};
  light.Active = 0;
  light.Effect = 4;
  light.Color2 = {0.4f, 0.5f, seed};
  light.EffectSpeed = 1.75f;
  light.EffectOffset = -3.5f;
  light.Flare = 2;
  light.FlareIntensity = 0.125f;
  light.FlareSize = 1.0e-7f;
  light.FlareAbove = seed * 3;
}

TSurface& AddSquare(TRoom& room, float x, float size) {
  TSurface* surface = room.AddSurface({x, 0, 0}, {x + size, 0, 0}, {x + size, 0, size}, {x, 0, size}, "textures\\stone");
  EXPECT_NE(surface, nullptr);
  return *surface;
}

TEST_F(RoomFile, RoundTripCompactsSlotsAndKeepsEveryField) {
  room.Name = std::string(32, 'N');
  room.RegionName = std::string(255, 'r');
  room.FogColor = {0.25f, 0.5f, 0.75f};
  room.WaterToZ = -7;
  room.TileList[3] = "object\\crate";
  room.FieldOf(59, 59).Typus = 7;
  room.FieldOf(59, 59).Height = -1.5f;
  for (const int slot : {0, 5, 9}) FillLight(room.Lights[slot], static_cast<float>(slot));
  // Surfaces are created in slots 0..9, then all but 2 and 9 are freed.
  for (int i = 0; i < 10; ++i) AddSquare(room, static_cast<float>(i * 2), 1.0f + 0.5f * static_cast<float>(i));
  for (int i = 0; i < 10; ++i) {
    if (i != 2 && i != 9) room.Surfaces[i]->Reset();
  }
  room.Surfaces[9]->lightMapPixels[5] = 77;
  room.CountLights();
  room.CountSurfaces();
  std::vector<std::vector<std::uint8_t>> lights, surfaces;
  for (const int slot : {0, 5, 9}) lights.push_back(RecordBytes(room.Lights[slot]));
  for (const int slot : {2, 9}) surfaces.push_back(RecordBytes(*room.Surfaces[slot]));

  const auto saved = room.SaveToBytes();
  ASSERT_TRUE(room.LoadFromBytes(saved));
  // The tile model is not in the empty test directory; that is the catalogue's message.
  for (const auto& error : host.errors) EXPECT_NE(error.tag, "QZ_ROOM");

  EXPECT_EQ(room.Name.str(), std::string(32, 'N'));
  EXPECT_EQ(room.RegionName.size(), 255u);
  EXPECT_EQ(room.FogColor, (TVector{0.25f, 0.5f, 0.75f}));
  EXPECT_EQ(room.WaterToZ, -7);
  EXPECT_EQ(room.TileList[3].str(), "object\\crate");
  EXPECT_EQ(room.FieldOf(59, 59).Height, -1.5f);
  EXPECT_EQ(room.FieldOf(59, 59).GridX, 59);  // not stored, kept
  EXPECT_EQ(room.LastLight, 2);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(RecordBytes(room.Lights[i]), lights[i]) << "light " << i;
  EXPECT_EQ(room.Lights[2].Name.str(), "LAMP9");
  EXPECT_FALSE(room.Lights[3].InUse());
  EXPECT_EQ(room.LastSurface, 1);
  for (int i = 0; i < 2; ++i) EXPECT_EQ(RecordBytes(*room.Surfaces[i]), surfaces[i]) << "surface " << i;
  EXPECT_EQ(room.Surfaces[1]->lightMapPixels[5], 77);
  EXPECT_EQ(room.Surfaces[1]->slotIndex, 1);
  EXPECT_EQ(host.StatusText(1), "Lights: 3");
  EXPECT_EQ(host.StatusText(5), "Surfaces: 2");

  EXPECT_EQ(room.SaveToBytes(), saved);  // resaving changes nothing
}

TEST_F(RoomFile, EntitiesComeBackCompactedWithTheirRecords) {
  TEntity* tile = room.AddEntity(1000, {1, 2, 3}, {0, 90, 0}, 2.0f);
  TEntity* gap = room.AddEntity(2007, {}, {}, 1.0f);
  TEntity* trigger = room.AddEntity(2002, {-4, 0, 4}, {}, 1.0f);
  ASSERT_TRUE(tile && gap && trigger);
  tile->AnimName = "open";
  tile->Color = {0.5f, 0.25f, 0.125f};
  trigger->Name = "GATE";
  gap->Delete();
  room.CountEntities();
  const auto common = [](const TEntity& e) {
    BinaryWriter file;
    e.WriteCommon(file);
    return file.Take();
  };
  const auto tileBytes = common(*tile);
  const auto triggerBytes = common(*trigger);

  const auto saved = room.SaveToBytes();
  ASSERT_TRUE(room.LoadFromBytes(saved));
  EXPECT_TRUE(host.errors.empty());
  EXPECT_EQ(room.LastEntity, 1);
  EXPECT_EQ(room.Entities[0]->Typus, 1000);
  EXPECT_EQ(room.Entities[1]->Typus, 2002);
  EXPECT_EQ(room.Entities[1]->SlotIndex, 1);
  EXPECT_EQ(common(*room.Entities[0]), tileBytes);
  EXPECT_EQ(common(*room.Entities[1]), triggerBytes);
  EXPECT_EQ(room.SaveToBytes(), saved);
}

TEST_F(RoomFile, ATypusWithoutClassStopsTheLoad) {
  room.AddEntity(2007, {}, {}, 1.0f);
  room.AddEntity(2007, {}, {}, 1.0f);
  auto bytes = room.SaveToBytes();
  const std::size_t firstEntity = LightCountOffset + 2 + 2;
  const std::size_t secondEntity = firstEntity + 2 + TEntity::CommonRecordSize + 70;  // marker body
  ASSERT_EQ(I16At(bytes, secondEntity), 2007);
  PutI16(bytes, secondEntity, 2010);
  EXPECT_FALSE(room.LoadFromBytes(bytes));
  EXPECT_EQ(Errors(), (std::vector<std::string>{"QZ_ENTITY: Undefined entity typus!",
                                                "QZ_ROOM: Error while loading room file!"}));
  EXPECT_TRUE(room.Entities[0]->InUse());
  EXPECT_FALSE(room.Entities[1]->InUse());
}

TEST_F(RoomFile, FileEndingAfterTheEntitiesHasNoSurfaces) {
  AddSquare(room, 0, 1);
  auto bytes = room.SaveToBytes();
  bytes.resize(LightCountOffset + 4);  // light and entity counts, no surface block
  EXPECT_TRUE(room.LoadFromBytes(bytes));
  EXPECT_TRUE(host.errors.empty());
  EXPECT_FALSE(room.Surfaces[0]->InUse());
}

TEST_F(RoomFile, TruncatedFilesKeepWhatWasRead) {
  room.Name = "KEEP";
  room.FieldOf(0, 1).Height = 3.0f;
  room.AddLight({1, 1, 1}, {1, 1, 1}, 5);
  room.AddLight({2, 2, 2}, {1, 1, 1}, 5);
  AddSquare(room, 0, 1);
  const auto full = room.SaveToBytes();
  const std::size_t afterLights = LightCountOffset + 2 + 200;
  struct Cut {
    std::size_t size;
    bool nameKept, fieldKept;
    int lightsKept;
  };
  const Cut cuts[] = {
      {0, false, false, 0},
      {95, false, false, 0},
      {96 + 20, false, false, 0},          // a string is read whole or not at all
      {8955 + 20, true, true, 0},          // second field record read, third cut
      {LightCountOffset, true, true, 0},   // ends before the light count
      {LightCountOffset + 1, true, true, 0},
      {LightCountOffset + 2 + 120, true, true, 1},  // inside the second light's name
      {afterLights, true, true, 2},        // no entity count
      {afterLights + 2 + 2 + 100, true, true, 2},   // inside the surface record
      {full.size() - 1, true, true, 2},    // one light-map byte short
  };
  for (const auto& cut : cuts) {
    host.errors.clear();
    const std::vector<std::uint8_t> bytes(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(cut.size));
    EXPECT_FALSE(room.LoadFromBytes(bytes)) << cut.size;
    EXPECT_EQ(Errors(), std::vector<std::string>{"QZ_ROOM: Error while loading room file!"}) << cut.size;
    EXPECT_EQ(room.Name.str(), cut.nameKept ? "KEEP" : "ROOM") << cut.size;
    EXPECT_EQ(room.FieldOf(0, 1).Height, cut.fieldKept ? 3.0f : 0.0f) << cut.size;
    EXPECT_EQ(room.CountLights(), cut.lightsKept) << cut.size;
  }
  // A surface cut short is in use with what it had read; the light map is not trusted.
  EXPECT_EQ(room.LastSurface, 0);
}

TEST_F(RoomFile, CountsTheSlotTablesCannotHoldAreRefused) {
  const auto clean = room.SaveToBytes();
  const std::size_t entityCount = LightCountOffset + 2, surfaceCount = LightCountOffset + 4;
  const std::pair<std::size_t, std::int16_t> cases[] = {
      {LightCountOffset, -1}, {LightCountOffset, 65}, {LightCountOffset, 32767},
      {entityCount, -1},      {entityCount, 129},     {entityCount, 32767},
      {surfaceCount, -1},     {surfaceCount, 257},    {surfaceCount, 32767},
  };
  for (const auto& [offset, count] : cases) {
    host.errors.clear();
    auto bytes = clean;
    PutI16(bytes, offset, count);
    bytes.resize(bytes.size() + 100000, 0x41);  // plenty to read past the slots
    EXPECT_FALSE(room.LoadFromBytes(bytes)) << offset << " " << count;
    EXPECT_EQ(Errors(), std::vector<std::string>{"QZ_ROOM: Error while loading room file!"});
    EXPECT_EQ(room.CountLights() + room.CountEntities() + room.CountSurfaces(), 0);
  }
}

TEST_F(RoomFile, FullSlotCountsStillLoad) {
  for (int i = 0; i < 64; ++i) ASSERT_NE(room.AddLight({0, 0, static_cast<float>(i)}, {1, 1, 1}, 1), nullptr);
  ASSERT_TRUE(room.LoadFromBytes(room.SaveToBytes()));
  EXPECT_EQ(room.CountLights(), 64);
}

TEST_F(RoomFile, OverlongLengthBytesAreCutToTheCapacity) {
  room.AddLight({}, {1, 1, 1}, 1);
  auto bytes = room.SaveToBytes();
  bytes[96] = 200;                     // room name holds at most 32
  bytes[LightCountOffset + 2] = 255;  // light name likewise
  ASSERT_TRUE(room.LoadFromBytes(bytes));
  EXPECT_EQ(room.Name.size(), 32u);
  EXPECT_EQ(room.Lights[0].Name.size(), 32u);
  EXPECT_EQ(room.Lights[0].State, 0);  // the record stays aligned
}

TEST_F(RoomFile, HeaderTextIsNotChecked) {
  auto bytes = room.SaveToBytes();
  std::fill(bytes.begin(), bytes.begin() + 96, 0xEE);
  EXPECT_TRUE(room.LoadFromBytes(bytes));
  EXPECT_TRUE(host.errors.empty());
}

TEST_F(RoomFile, SurfaceLightMapSizesMustFitTheBuffer) {
  AddSquare(room, 0, 1);
  const auto clean = room.SaveToBytes();
  const std::size_t widthOffset = LightCountOffset + 6 + 303;
  for (const std::int16_t width : {-1, -4, 257, 32767}) {
    host.errors.clear();
    auto bytes = clean;
    PutI16(bytes, widthOffset, width);
    EXPECT_FALSE(room.LoadFromBytes(bytes)) << width;
    EXPECT_EQ(Errors(), std::vector<std::string>{"QZ_ROOM: Error while loading room file!"});
    EXPECT_EQ(room.Surfaces[0]->lightMapWidth, 32) << "a refused size never reaches the surface";
  }
  // Sizes that fit are used as read, even when they are not powers of two.
  auto bytes = clean;
  PutI16(bytes, widthOffset, 3);
  PutI16(bytes, widthOffset + 2, 1);
  bytes.resize(LightCountOffset + 6 + TSurface::RecordHeaderSize + 9);
  EXPECT_TRUE(room.LoadFromBytes(bytes));
  EXPECT_EQ(room.Surfaces[0]->lightMapWidth, 3);
  EXPECT_EQ(RecordBytes(*room.Surfaces[0]).size(), TSurface::RecordHeaderSize + 9);
}

TEST_F(RoomFile, ALightMapOfSizeZeroIsReadAsStoredAndTheSurfacesAfterItStay) {
  AddSquare(room, 0, 1).lightMapWidth = 0;
  AddSquare(room, 2, 1).lightMapPixels[4] = 99;
  const auto bytes = room.SaveToBytes();
  ASSERT_TRUE(room.LoadFromBytes(bytes));
  EXPECT_TRUE(host.errors.empty());
  ASSERT_EQ(room.CountSurfaces(), 2);
  EXPECT_EQ(room.Surfaces[0]->lightMapWidth, 0);
  EXPECT_EQ(room.Surfaces[0]->LightMapSize(), 0u);
  EXPECT_EQ(room.Surfaces[1]->lightMapPixels[4], 99);
  EXPECT_EQ(room.SaveToBytes(), bytes);
}

TEST_F(RoomFile, TheChosenPathIsUsedExactlyAsSpelled) {
  ASSERT_TRUE(room.SaveToFile(PathOf("cave.rer")));
  room.AddLight({}, {1, 1, 1}, 1);
  ASSERT_TRUE(room.SaveToFile(PathOf("Cave.rer")));
  EXPECT_EQ(std::filesystem::file_size(PathOf("cave.rer")), 52161u) << "another file must not be replaced";
  EXPECT_EQ(std::filesystem::file_size(PathOf("Cave.rer")), 52161u + 100);

  host.errors.clear();
  EXPECT_FALSE(room.LoadFromFile(PathOf("CAVE.rer")));
  EXPECT_EQ(Errors(), std::vector<std::string>{"QZ_FILE: File \"" + PathOf("CAVE.rer") + " not found!"});
}

TEST_F(RoomFile, ADamagedFileSaysHowMuchWasReadAndProposesANameBesideIt) {
  room.AddLight({1, 2, 3}, {1, 1, 1}, 1);
  AddSquare(room, 0, 1);
  auto bytes = room.SaveToBytes();
  bytes.resize(bytes.size() - 10);  // cut inside the surface's light map
  const std::string damaged = PathOf("cave.rer");
  std::ofstream(damaged, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                  static_cast<std::streamsize>(bytes.size()));
  std::ofstream(PathOf("cave-recovered.rer")) << "an earlier recovery";

  EXPECT_FALSE(room.LoadFromFile(damaged));
  EXPECT_TRUE(room.LoadedPartly());
  EXPECT_EQ(room.Lights[0].Position, (TVector{1, 2, 3}));
  const std::size_t pixelsAt = LightCountOffset + 2 + TLight::RecordSize + 2 + 2 + TSurface::RecordHeaderSize;
  EXPECT_EQ(host.StatusText(6), "Damaged room file: " + std::to_string(pixelsAt) + " of " +
                                    std::to_string(bytes.size()) + " bytes read");
  EXPECT_EQ(host.Memory(FormId::Main).Text("SaveDialog"), PathOf("cave-recovered-2.rer"));

  // A whole file replaces the news with what it held and proposes itself again.
  ASSERT_TRUE(room.SaveToFile(PathOf("whole.rer")));
  const std::string saved = host.StatusText(6);
  EXPECT_EQ(saved.rfind("Saved whole.rer: 1 lights, 0 entities, ", 0), 0u) << saved;
  EXPECT_EQ(saved.substr(saved.size() - 6), " bytes");
  ASSERT_TRUE(room.LoadFromFile(PathOf("whole.rer")));
  EXPECT_FALSE(room.LoadedPartly());
  EXPECT_EQ(host.StatusText(6).rfind("Loaded whole.rer: 1 lights, 0 entities, ", 0), 0u) << host.StatusText(6);
  room.ClearRoom();
  EXPECT_EQ(host.StatusText(6), "");
  EXPECT_EQ(host.Memory(FormId::Main).Text("SaveDialog"), PathOf("whole.rer"));
}

TEST_F(RoomFile, FilesOnDisk) {
  room.AddLight({1, 2, 3}, {1, 0, 0}, 4);
  const std::string path = PathOf("first.rer");
  ASSERT_TRUE(room.SaveToFile(path));
  EXPECT_EQ(std::filesystem::file_size(path), 52161u + 100);
  room.ClearRoom();
  ASSERT_TRUE(room.LoadFromFile(path));
  EXPECT_EQ(room.Lights[0].Position, (TVector{1, 2, 3}));
  EXPECT_EQ(host.Memory(FormId::Main).Text("SaveDialog"), path);
  EXPECT_TRUE(host.errors.empty());
}

TEST_F(RoomFile, MissingFileLeavesANewRoom) {
  room.AddLight({}, {1, 1, 1}, 1);
  const std::string path = PathOf("missing.rer");
  EXPECT_FALSE(room.LoadFromFile(path));
  EXPECT_EQ(Errors(), std::vector<std::string>{"QZ_FILE: File \"" + path + " not found!"});
  EXPECT_EQ(room.CountLights(), 0);
}

TEST_F(RoomFile, AFileTooLargeForAnyRoomIsNotRead) {
  const std::string path = PathOf("huge.rer");
  std::filesystem::resize_file((std::ofstream(path), path), TRoom::MaxFileSize() + 1);
  EXPECT_FALSE(room.LoadFromFile(path));
  EXPECT_EQ(Errors(), std::vector<std::string>{"QZ_ROOM: Error while loading room file!"});
  EXPECT_TRUE(room.LoadedPartly());
  EXPECT_EQ(host.StatusText(6), "Unreadable room file: nothing read");
  EXPECT_EQ(host.Memory(FormId::Main).Text("SaveDialog"), PathOf("huge-recovered.rer"));
}

TEST_F(RoomFile, FailedSaveReportsAndLeavesTheTargetAlone) {
  const std::string directory = PathOf("taken");
  std::filesystem::create_directories(directory + "/inside");
  EXPECT_FALSE(room.SaveToFile(directory));
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_EQ(host.errors[0].tag, "QZ_ROOM");
  EXPECT_NE(host.errors[0].text.find(directory), std::string::npos);
  EXPECT_TRUE(std::filesystem::is_directory(directory + "/inside"));
  // Nothing half-written is left beside it.
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(PathOf(""))) ++entries;
  EXPECT_EQ(entries, 1);

  host.errors.clear();
  EXPECT_FALSE(room.SaveToFile(PathOf("no/such/dir/room.rer")));
  EXPECT_EQ(host.errors.size(), 1u);
}

}  // namespace
