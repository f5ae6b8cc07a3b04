#pragma once
// The document: one room of 60 x 60 fields with its attributes, 64 light slots, 128
// entity slots, 256 surface slots and 32 tile models, plus the view camera and the
// edit cursor. The engine owns exactly one; "New Room" and loading reset and refill it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/form.h"
#include "core/short_string.h"
#include "core/vector.h"
#include "room/edit_camera.h"
#include "room/edit_cursor.h"
#include "room/edit_field.h"
#include "room/edit_light.h"
#include "room/room_attributes.h"
#include "room/room_selection.h"
#include "surfaces/surface_main.h"

class BinaryReader;
class BinaryWriter;
class TQZEngine;
class TEntity;
class Occlusion;
class TextureLookup;
class SurfaceTextures;
class LightMapBaker;

// The attributes are inherited so that everyone reads them as room.Name, room.FogColor.
class TRoom : public TRoomAttributes {
public:
  static constexpr int GridSize = 60;
  static constexpr int FieldCount = GridSize * GridSize;
  static constexpr int LightSlots = 64;
  static constexpr int EntitySlots = 128;
  static constexpr int SurfaceSlots = 256;

  explicit TRoom(TQZEngine& engine);
  ~TRoom();
  TRoom(const TRoom&) = delete;
  TRoom& operator=(const TRoom&) = delete;

  TQZEngine& Engine;

  // Owned objects; the field of column x, row z is Fields[x * 60 + z].
  std::vector<TField> Fields;
  TCamera Camera;
  TCursor Cursor;
  // Not stored in the room file; a new or loaded room starts with none.
  TSelection Selection;
  float Time = 0.0f;
  std::array<TLight, LightSlots> Lights;
  std::array<std::unique_ptr<TEntity>, EntitySlots> Entities;
  std::array<std::unique_ptr<TSurface>, SurfaceSlots> Surfaces;
  std::int16_t LastLight = 0;
  std::int16_t LastEntity = 0;
  std::int16_t LastSurface = 0;
  std::int16_t SkyTexture = -1;

  // Services of later layers, null until the renderer or baker sets them. Null
  // occlusion means nothing blocks light; null textures mean no texture is found.
  Occlusion* OcclusionTest = nullptr;
  TextureLookup* Textures = nullptr;
  SurfaceTextures* SurfaceTextureService = nullptr;
  // Computes light maps while surfaces build their textures; null leaves the pixels alone.
  LightMapBaker* LightMaps = nullptr;

  // Life cycle.
  void InitRoom();
  void ClearRoom();
  void ClearFields();
  void DoFrame();

  // Adding and counting; a full table gives nothing after a recount.
  TLight* AddLight(const TVector& position, const TVector& color, float radius);
  TEntity* AddEntity(std::int16_t typus, const TVector& position, const TVector& rotation, float size);
  // Puts an entity object into a slot in place of the one there, which the cursor then
  // no longer holds: the old object is gone.
  void PutEntity(std::size_t slot, std::unique_ptr<TEntity> entity);
  // The entity's name followed by the lowest number no other entity in use carries.
  void GiveUniqueName(TEntity& entity);
  TSurface* AddSurface(const TVector& p0, const TVector& p1, const TVector& p2, const TVector& p3,
                       std::string_view textureName);
  int CountLights();
  int CountEntities();
  int CountSurfaces();

  // Grid queries.
  bool InRoom(const TVector& p) const;
  int LightSlot(const TLight& light) const { return static_cast<int>(&light - Lights.data()); }
  static bool ValidCell(int x, int z) { return x >= 0 && x < GridSize && z >= 0 && z < GridSize; }
  static TCell CellOf(const TVector& p);
  TField* FieldAt(const TVector& p);
  float HeightAt(const TVector& p) const;
  TField& FieldOf(int x, int z) { return Fields[static_cast<std::size_t>(x * GridSize + z)]; }
  const TField& FieldOf(int x, int z) const { return Fields[static_cast<std::size_t>(x * GridSize + z)]; }

  TVector SumLights(const TVector& point, std::int16_t skipEntity, std::int16_t skipSurface) const;
  bool HasSky() const { return SkyTexture >= 0; }
  float GetTime() const { return Time; }
  void FillEntityCombo(Form& form, std::string_view combo, std::int16_t typus, const TEntity* except) const;
  void SelectEntityPalette(int group);

  // Commands.
  void EditAttributes();
  void SetTileShadows();
  // A cancelled computation puts every light map back as it was.
  void ComputeSurfaceShadows();
  void ReloadResources();
  // Every entity in use binds again: models looked up, names linked anew.
  void BindEntities();
  // A particle texture by name. Every emitter looks its texture up again whenever it
  // is bound, so a missing one is reported once per room, not once per emitter and bind.
  std::int16_t FindEffectTexture(std::string_view name);

  // The room file, at a path the designer chose (used exactly as spelled). Failures are
  // reported through the host; the result says whether the whole file was read or
  // written. A load that stops at damage keeps what it read, says in the status bar
  // how much that was, and proposes a new name beside the file for the next save; a
  // whole load and a save say so there too.
  bool LoadFromFile(std::string_view hostPath);
  bool SaveToFile(std::string_view hostPath);
  // The last load stopped at damage: the room holds only part of its file.
  bool LoadedPartly() const { return loadedPartly_; }
  // The same in memory (tests, autosave, the command-line tool).
  std::vector<std::uint8_t> SaveToBytes();
  bool LoadFromBytes(std::span<const std::uint8_t> bytes);
  // The file's records one at a time, as the whole-file writer and reader use them: the
  // header with the attribute block and tile names, and one entity with its typus.
  void WriteHead(BinaryWriter& file);
  void ReadHead(BinaryReader& file);
  static void WriteEntity(TEntity& entity, BinaryWriter& file);
  // The 96 bytes the file begins with: three header lines, which the reader skips.
  static constexpr std::size_t HeaderSize = 96;
  static std::array<std::uint8_t, HeaderSize> StandardHeader();

  // The largest file the room can hold; a longer file cannot be a room.
  static std::size_t MaxFileSize();

  // The status panel free for the document's own news: what a load or save did, the
  // surface selected.
  static constexpr int MessageStatusPanel = 6;

private:
  bool ReadRoom(std::span<const std::uint8_t> bytes);
  void ReportDamage(std::string_view howMuch);
  void FinishLoad();
  void ShowAttributes(Form& form);
  bool ReadAttributes(Form& form);
  bool DuplicatesSurface(const std::array<TVector, 4>& points) const;

  bool loadedPartly_ = false;
  std::set<std::string, std::less<>> missingEffectTextures_;  // reported since the room was cleared
};
