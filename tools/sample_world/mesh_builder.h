#pragma once
// Builds MilkShape contents from simple solids: each call adds triangles with normals
// and texture coordinates to one group, and every vertex may hang on a joint so the
// same builder serves rigid tiles and skinned units.

#include <cstdint>
#include <string_view>

#include "models/ms3d_model.h"

class MeshBuilder {
public:
  // A group with one material; a non-empty texture names the skin the material uses.
  void BeginGroup(std::string_view name, TRgba diffuse, std::string_view texture = {},
                  std::int16_t textureNumber = 0);
  void SetBone(std::int8_t bone) { bone_ = bone; }

  // Corners counter-clockwise seen from the front; texture coordinates per corner.
  void AddQuad(const TVector& a, const TVector& b, const TVector& c, const TVector& d, float sRepeat = 1.0f,
               float tRepeat = 1.0f);
  void AddTriangle(const TVector& a, const TVector& b, const TVector& c);
  // Axis-aligned box, faces outward; texture repeats once per metre of face.
  void AddBox(const TVector& min, const TVector& max);
  // Upright cylinder (or frustum) around the Y axis through centre, from base y upward.
  void AddCylinder(const TVector& base, float radiusBottom, float radiusTop, float height, int sides);
  // Double-sided flat blade from the base up to the tip (grass, flames).
  void AddBlade(const TVector& base, float width, float height, float lean);

  void AddJoint(std::string_view name, std::string_view parent, const TVector& position);
  TMS3DContents Take();

private:
  std::uint16_t AddVertex(const TVector& p);
  void AddFace(std::uint16_t i0, std::uint16_t i1, std::uint16_t i2, const TVector& normal,
               const std::array<float, 3>& s, const std::array<float, 3>& t);

  TMS3DContents contents_;
  std::int8_t bone_ = -1;
};
