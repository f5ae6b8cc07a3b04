#include "models/ms3d_writer.h"

#include <algorithm>
#include <string_view>

#include "core/binary_io.h"

namespace {

// Names may fill their field; file names keep a terminating zero (at most 127 characters).
void WriteFixedText(BinaryWriter& w, std::string_view text, std::size_t width, std::size_t maxChars) {
  const std::size_t length = std::min(text.size(), maxChars);
  w.WriteBytes({reinterpret_cast<const std::uint8_t*>(text.data()), length});
  for (std::size_t i = length; i < width; ++i) w.WriteU8(0);
}

void WriteRgba(BinaryWriter& w, const TRgba& c) {
  for (float component : c) w.WriteF32(component);
}

void WriteKeys(BinaryWriter& w, const std::vector<TMS3DKey>& keys, float fps) {
  for (const auto& key : keys) {
    w.WriteF32(fps != 0.0f ? key.Time / fps : key.Time);
    w.WriteVector(key.Value);
  }
}

std::uint16_t Count(std::size_t size) { return static_cast<std::uint16_t>(size); }

}  // namespace

std::vector<std::uint8_t> WriteMS3D(const TMS3DContents& c) {
  BinaryWriter w;
  WriteFixedText(w, "MS3D000000", 10, 10);
  w.WriteI32(4);

  w.WriteU16(Count(c.Vertices.size()));
  for (const auto& v : c.Vertices) {
    w.WriteU8(0);
    w.WriteVector(v.Position);
    w.WriteU8(static_cast<std::uint8_t>(v.Bone));
    w.WriteU8(0);
  }

  w.WriteU16(Count(c.Triangles.size()));
  for (const auto& t : c.Triangles) {
    w.WriteU16(0);
    for (auto index : t.Indices) w.WriteU16(index);
    for (const auto& normal : t.Normals) w.WriteVector(normal);
    for (float s : t.S) w.WriteF32(s);
    for (float tc : t.T) w.WriteF32(tc);
    w.WriteU8(1);  // smoothing group
    w.WriteU8(0);  // group index
  }

  w.WriteU16(Count(c.Groups.size()));
  for (const auto& g : c.Groups) {
    w.WriteU8(0);
    WriteFixedText(w, g.Name.view(), 32, 32);
    w.WriteU16(Count(g.Triangles.size()));
    for (auto index : g.Triangles) w.WriteU16(index);
    w.WriteU8(static_cast<std::uint8_t>(g.Material));
  }

  w.WriteU16(Count(c.Materials.size()));
  for (const auto& m : c.Materials) {
    WriteFixedText(w, m.Name.view(), 32, 32);
    WriteRgba(w, m.Ambient);
    WriteRgba(w, m.Diffuse);
    WriteRgba(w, m.Specular);
    WriteRgba(w, m.Emissive);
    w.WriteF32(m.Shininess);
    w.WriteF32(m.Transparency);
    w.WriteU8(m.Mode);
    WriteFixedText(w, m.Texture.view(), 128, 127);
    WriteFixedText(w, m.AlphaMap.view(), 128, 127);
  }

  w.WriteF32(c.Fps);
  w.WriteF32(c.CurrentTime);
  w.WriteI32(c.TotalFrames);

  w.WriteU16(Count(c.Joints.size()));
  for (const auto& j : c.Joints) {
    w.WriteU8(j.Flags);
    WriteFixedText(w, j.Name.view(), 32, 32);
    WriteFixedText(w, j.ParentName.view(), 32, 32);
    w.WriteVector(j.Rotation);
    w.WriteVector(j.Position);
    w.WriteU16(Count(j.RotationKeys.size()));
    w.WriteU16(Count(j.PositionKeys.size()));
    WriteKeys(w, j.RotationKeys, c.Fps);
    WriteKeys(w, j.PositionKeys, c.Fps);
  }
  return w.Take();
}
