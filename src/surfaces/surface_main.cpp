#include "surfaces/surface_main.h"

#include <algorithm>
#include <cmath>

#include "engine/edit_engine.h"
#include "entities/record_visitors.h"
#include "room/edit_room.h"
#include "surfaces/light_map.h"
#include "surfaces/surface_textures.h"

namespace {

// Light-map texels along one side: the smallest power of two (from 2) not below the
// rounded length, held to 4..256. Sizes beyond 256 (and NaN from degenerate input)
// all end at 256, so nothing is converted out of range.
std::int16_t LightMapExtent(float texels) {
  const float wanted = std::nearbyint(texels);
  if (!(wanted <= static_cast<float>(TSurface::MaxLightMapSize))) return TSurface::MaxLightMapSize;
  int size = 2;
  while (static_cast<float>(size) < wanted) size *= 2;
  return static_cast<std::int16_t>(std::max(size, 4));
}

}  // namespace

TSurface::TSurface(TRoom& room, std::int16_t slot)
    : slotIndex(slot), lightMapPixels(LightMapBytes, 0), room_(room) {
  Reset();
}

TSurface::~TSurface() { ReleaseTextures(); }

std::optional<float> TSurface::ReadTexelsPerMetre(TRoom& room) {
  float value = 0.0f;
  if (!room.Engine.ReadFloat(room.Engine.GetHost().GetForm(FormId::Main), "EditSurfaceLightMapPixelPerMeter", value))
    return std::nullopt;
  return value;
}

void TSurface::Reset() { Reset(ReadTexelsPerMetre(room_)); }

void TSurface::Reset(std::optional<float> texelsPerMetre) {
  state = -1;
  name = "SURFACE";
  textureName = "textures\\default";
  texPerMetreS = 0.5f;
  texPerMetreT = 0.5f;
  lightMapWidth = 32;
  lightMapHeight = 32;
  if (texelsPerMetre) lightMapTexelsPerMetre = *texelsPerMetre;
  ReleaseTextures();
}

void TSurface::ReleaseTextures() {
  if (texturesLoaded && room_.SurfaceTextureService) room_.SurfaceTextureService->DeleteTextures(*this);
  texturesLoaded = false;
  textureHandle = NoTexture;
  lightMapHandle = NoTexture;
}

bool TSurface::Recompute() {
  Host& host = room_.Engine.GetHost();
  host.ResetCancel();
  ComputeNormal();
  ComputeExtents();
  ComputeTextureCoordinates();
  BuildTextures();
  return !host.CancelRequested();
}

std::vector<std::uint8_t> TSurface::Record() const {
  BinaryWriter file;
  WriteRecord(file);
  return file.Take();
}

void TSurface::Restore(const std::vector<std::uint8_t>& record) {
  BinaryReader file(record);
  ReadRecord(file);
}

bool TSurface::RecomputeOrRestore(const std::vector<std::uint8_t>& kept) {
  if (Recompute()) return true;
  Restore(kept);
  return false;
}

void TSurface::ComputeNormal() {
  const TVector& origin = corners[0].position;
  normal = TQZEngine::Normalize(TQZMath::NormalOf(TQZEngine::Subtract(corners[1].position, origin),
                                                  TQZEngine::Subtract(corners[3].position, origin)));
}

void TSurface::ComputeExtents() {
  TVector sum;
  for (const auto& corner : corners) sum = TQZEngine::Add(sum, corner.position);
  centre = TQZEngine::Scale(sum, 0.25f);
  TVector low = centre;
  TVector high = centre;
  for (const auto& corner : corners) {
    const TVector& p = corner.position;
    low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
    high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
  }
  horizontalRadius = std::max((high.x - low.x) / 2.0f, (high.z - low.z) / 2.0f);
  halfHeight = (high.y - low.y) / 2.0f;
}

void TSurface::ComputeTextureCoordinates() {
  const float alongS = TQZEngine::Distance(corners[0].position, corners[1].position);
  const float alongT = TQZEngine::Distance(corners[0].position, corners[3].position);
  const float s = alongS * texPerMetreS;
  const float t = 1.0f - alongT * texPerMetreT;
  corners[0].s = 0.0f;
  corners[0].t = 1.0f;
  corners[1].s = s;
  corners[1].t = 1.0f;
  corners[2].s = s;
  corners[2].t = t;
  corners[3].s = 0.0f;
  corners[3].t = t;
  lightMapWidth = LightMapExtent(alongS * lightMapTexelsPerMetre);
  lightMapHeight = static_cast<std::int16_t>(LightMapRows());
}

int TSurface::LightMapRows() const {
  return LightMapExtent(TQZEngine::Distance(corners[0].position, corners[3].position) * lightMapTexelsPerMetre);
}

void TSurface::BuildTextures() {
  ReleaseTextures();
  if (room_.LightMaps) room_.LightMaps->ComputeLightMap(*this);
  if (!room_.SurfaceTextureService) return;
  room_.SurfaceTextureService->BuildTextures(*this);
  texturesLoaded = true;
}

void TSurface::SetTexture(std::string_view name) {
  textureName = name;
  ReleaseTextures();
  if (!room_.SurfaceTextureService) return;
  room_.SurfaceTextureService->UploadStoredTextures(*this);
  texturesLoaded = true;
}

void TSurface::Invert() {
  std::swap(corners[1].position, corners[3].position);
  ComputeNormal();
}

// The positions move one corner down while the texture coordinates stay, so the
// texture turns on the surface.
void TSurface::RotateLeft() {
  const TVector first = corners[0].position;
  for (std::size_t i = 0; i + 1 < corners.size(); ++i) corners[i].position = corners[i + 1].position;
  corners[3].position = first;
}

void TSurface::RotateRight() {
  for (int i = 0; i < 3; ++i) RotateLeft();
}

std::size_t TSurface::LightMapSize() const {
  const auto extent = [](std::int16_t e) { return static_cast<std::size_t>(std::clamp<int>(e, 0, MaxLightMapSize)); };
  return extent(lightMapWidth) * extent(lightMapHeight) * 3;
}

void TSurfaceCorner::VisitFields(RecordVisitor& visitor) {
  visitor.Vector(position, {"Position", {}});
  visitor.Number(s, {"S", {}});
  visitor.Number(t, {"T", {}});
}

void TSurface::VisitFields(RecordVisitor& visitor) {
  visitor.Text(name, {"name", "EditName"});
  visitor.Number(state, {"state", {}});  // -1 free, 0 in use
  visitor.Text(textureName, {"textureName", "EditTextureName"});
  visitor.Number(texPerMetreS, {"texPerMetreS", "EditTexPerMeterS"});
  visitor.Number(texPerMetreT, {"texPerMetreT", "EditTexPerMeterT"});
  visitor.Number(lightMapTexelsPerMetre, {"lightMapTexelsPerMetre", "EditLightMapTexPerMeter"});
  visitor.Number(lightMapWidth, {"lightMapWidth", "EditLightMapWidth"});
  visitor.Number(lightMapHeight, {"lightMapHeight", "EditLightMapHeight"});
  visitor.Vector(normal, {"normal", {}});
  visitor.Vector(centre, {"centre", {}});
  visitor.Number(horizontalRadius, {"horizontalRadius", {}});
  visitor.Number(halfHeight, {"halfHeight", {}});
}

void TSurface::WriteRecord(BinaryWriter& file) const {
  RecordWriter writer(file);
  // The writer only reads the fields.
  auto& self = const_cast<TSurface&>(*this);
  self.VisitFields(writer);
  for (auto& corner : self.corners) corner.VisitFields(writer);
  file.WriteBytes(std::span(lightMapPixels).first(LightMapSize()));
}

void TSurface::ReadRecord(BinaryReader& file) {
  // Stored sizes are used as read, but the pixels must fit the buffer; a refused size
  // never stays in the surface, so a later save cannot write a record it cannot read.
  const std::int16_t width = lightMapWidth;
  const std::int16_t height = lightMapHeight;
  RecordReader reader(file);
  VisitFields(reader);
  if (!FitsLightMap(lightMapWidth) || !FitsLightMap(lightMapHeight)) {
    lightMapWidth = width;
    lightMapHeight = height;
    throw ReadError("light map size out of range");
  }
  for (auto& corner : corners) corner.VisitFields(reader);
  file.ReadBytes(std::span(lightMapPixels).first(LightMapSize()));
  ReleaseTextures();
  if (!room_.SurfaceTextureService) return;
  room_.SurfaceTextureService->UploadStoredTextures(*this);
  texturesLoaded = true;
}

// ReadRecord's layout: name, state, texture name, three floats, the light-map sizes,
// then the rest of the fixed part and the pixels.
bool TSurface::SkipRecord(BinaryReader& file) {
  constexpr std::size_t beforeState = 1 + 32;
  constexpr std::size_t beforeSizes = 1 + 255 + 3 * 4;
  constexpr std::size_t afterSizes = RecordHeaderSize - (beforeState + 2 + beforeSizes + 2 * 2);
  file.Skip(beforeState);
  const std::int16_t state = file.ReadI16();
  file.Skip(beforeSizes);
  const std::int16_t width = file.ReadI16();
  const std::int16_t height = file.ReadI16();
  if (!FitsLightMap(width) || !FitsLightMap(height)) throw ReadError("light map size out of range");
  file.Skip(afterSizes + static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
  return state >= 0;
}
