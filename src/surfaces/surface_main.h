#pragma once
// A free textured quadrilateral of the room with its own computed light map. The room
// allocates its 256 surfaces once; the light-map buffer is held at its largest size so
// a surface never reallocates.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/binary_io.h"
#include "core/host.h"
#include "core/short_string.h"
#include "core/vector.h"

class RecordVisitor;
class TRoom;

struct TSurfaceCorner {
  TVector position;
  float s = 0.0f;
  float t = 0.0f;

  // The stored fields of a corner, in stored order.
  void VisitFields(RecordVisitor& visitor);
};

class TSurface {
public:
  static constexpr int MaxLightMapSize = 256;
  static constexpr std::size_t LightMapBytes = std::size_t{MaxLightMapSize} * MaxLightMapSize * 3;
  static constexpr std::size_t RecordHeaderSize = 419;  // before the light-map pixels
  static constexpr std::uint32_t NoTexture = 9999;

  TSurface(TRoom& room, std::int16_t slot);
  ~TSurface();
  TSurface(const TSurface&) = delete;
  TSurface& operator=(const TSurface&) = delete;

  String32 name{"SURFACE"};
  std::int16_t state = -1;  // -1 free, 0 in use
  std::uint32_t textureHandle = NoTexture;
  String255 textureName{"textures\\default"};
  std::uint32_t lightMapHandle = NoTexture;
  float texPerMetreS = 0.5f;
  float texPerMetreT = 0.5f;
  float lightMapTexelsPerMetre = 4.0f;
  std::int16_t lightMapWidth = 32;
  std::int16_t lightMapHeight = 32;
  TVector normal;
  std::array<TSurfaceCorner, 4> corners;
  TVector centre;
  float horizontalRadius = 0.0f;
  float halfHeight = 0.0f;
  bool texturesLoaded = false;
  std::int16_t slotIndex;
  // RGB rows of lightMapWidth texels; only the first width x height x 3 bytes count.
  std::vector<std::uint8_t> lightMapPixels;

  // Reads the light-map resolution from the main window's edit (a bad number keeps the
  // old one, with a message).
  void Reset();
  // The same with the resolution already read, so a whole table is reset with one
  // reading and at most one message; nothing keeps the old resolution.
  void Reset(std::optional<float> texelsPerMetre);
  // The main window's light-map resolution, or nothing after reporting a bad number.
  static std::optional<float> ReadTexelsPerMetre(TRoom& room);
  void ReleaseTextures();
  // False when the designer cancelled the light map, which is then left half done.
  bool Recompute();
  // The record as it is now, for RecomputeOrRestore.
  std::vector<std::uint8_t> Record() const;
  void Restore(const std::vector<std::uint8_t>& record);
  // Recompute; when the designer cancels its light map the surface goes back to `kept`
  // (its record from before the change, light map and textures included) and false is
  // returned.
  bool RecomputeOrRestore(const std::vector<std::uint8_t>& kept);
  void ComputeNormal();
  void ComputeExtents();
  void ComputeTextureCoordinates();
  // The rows its light map has once the coordinates are computed again from the corners.
  int LightMapRows() const;
  void BuildTextures();
  // Another colour texture, uploaded at once; the light map stays as it is, pixels and
  // upload alike (a texture does not change the bake).
  void SetTexture(std::string_view name);
  void Invert();
  void RotateLeft();
  void RotateRight();
  bool InUse() const { return state >= 0; }
  // The surface dialog; OK recomputes the surface when the dialog changed what the
  // recomputation reads, "Delete" frees the slot, Cancel changes nothing
  // (surface_dialog.cpp).
  ModalResult Edit();

  std::size_t LightMapSize() const;  // bytes in use
  // A stored light-map extent the pixel buffer holds: 0 (no pixels) to 256.
  static bool FitsLightMap(std::int16_t extent) { return extent >= 0 && extent <= MaxLightMapSize; }
  // The stored fields before the corners, in stored order; the record is these, the four
  // corners and the light map's width x height x 3 bytes of pixels, rows of RGB.
  void VisitFields(RecordVisitor& visitor);
  void WriteRecord(BinaryWriter& file) const;
  // Throws ReadError on a short record or a light-map size the buffer cannot hold.
  void ReadRecord(BinaryReader& file);
  // Moves the reader past a record with ReadRecord's checks, keeping nothing of it;
  // true when the record is of a surface in use.
  static bool SkipRecord(BinaryReader& file);

private:
  // What the dialog shows besides the name; numbers as bits, so a stored NaN equals itself.
  struct SurfaceLayout {
    std::string textureName;
    std::vector<std::uint32_t> numbers;
    bool operator==(const SurfaceLayout&) const = default;
  };
  SurfaceLayout Layout() const;

  TRoom& room_;
};
