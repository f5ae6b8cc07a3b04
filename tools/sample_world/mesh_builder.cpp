#include "sample_world/mesh_builder.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

namespace {

TVector Sub(const TVector& a, const TVector& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

TVector Cross(const TVector& a, const TVector& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

TVector Unit(const TVector& v) {
  const float l = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  return l > 0.0f ? TVector{v.x / l, v.y / l, v.z / l} : v;
}

}  // namespace

void MeshBuilder::BeginGroup(std::string_view name, TRgba diffuse, std::string_view texture,
                             std::int16_t textureNumber) {
  TMS3DMaterial m;
  m.Name = name;
  m.Ambient = {diffuse[0] * 0.5f, diffuse[1] * 0.5f, diffuse[2] * 0.5f, 1.0f};
  m.Diffuse = diffuse;
  m.Specular = {0.1f, 0.1f, 0.1f, 1.0f};
  m.Emissive = {0.0f, 0.0f, 0.0f, 1.0f};
  m.Transparency = diffuse[3];
  m.Texture = texture;
  m.HasTexture = !texture.empty();
  m.TextureNumber = textureNumber;
  contents_.Materials.push_back(m);
  TMS3DGroup g;
  g.Name = name;
  g.Material = static_cast<std::int8_t>(contents_.Materials.size() - 1);
  contents_.Groups.push_back(g);
}

std::uint16_t MeshBuilder::AddVertex(const TVector& p) {
  // The file's counts are 16-bit; a builder that overflows them is a bug in the generator.
  if (contents_.Vertices.size() >= 0xFFFF) throw std::length_error("too many vertices for one model");
  contents_.Vertices.push_back({p, bone_});
  return static_cast<std::uint16_t>(contents_.Vertices.size() - 1);
}

void MeshBuilder::AddFace(std::uint16_t i0, std::uint16_t i1, std::uint16_t i2, const TVector& normal,
                          const std::array<float, 3>& s, const std::array<float, 3>& t) {
  if (contents_.Groups.empty()) throw std::logic_error("BeginGroup before adding faces");
  TMS3DTriangle tri;
  tri.Indices = {i0, i1, i2};
  tri.Normals = {normal, normal, normal};
  tri.S = s;
  tri.T = t;
  contents_.Triangles.push_back(tri);
  contents_.Groups.back().Triangles.push_back(static_cast<std::uint16_t>(contents_.Triangles.size() - 1));
}

void MeshBuilder::AddQuad(const TVector& a, const TVector& b, const TVector& c, const TVector& d, float sRepeat,
                          float tRepeat) {
  const TVector normal = Unit(Cross(Sub(b, a), Sub(d, a)));
  const std::uint16_t ia = AddVertex(a), ib = AddVertex(b), ic = AddVertex(c), id = AddVertex(d);
  AddFace(ia, ib, ic, normal, {0.0f, sRepeat, sRepeat}, {tRepeat, tRepeat, 0.0f});
  AddFace(ia, ic, id, normal, {0.0f, sRepeat, 0.0f}, {tRepeat, 0.0f, 0.0f});
}

void MeshBuilder::AddTriangle(const TVector& a, const TVector& b, const TVector& c) {
  const TVector normal = Unit(Cross(Sub(b, a), Sub(c, a)));
  AddFace(AddVertex(a), AddVertex(b), AddVertex(c), normal, {0.0f, 1.0f, 0.5f}, {1.0f, 1.0f, 0.0f});
}

void MeshBuilder::AddBox(const TVector& lo, const TVector& hi) {
  const float sx = hi.x - lo.x, sy = hi.y - lo.y, sz = hi.z - lo.z;
  // Front (+z), back (-z), right (+x), left (-x), top, bottom; counter-clockwise outside.
  AddQuad({lo.x, lo.y, hi.z}, {hi.x, lo.y, hi.z}, {hi.x, hi.y, hi.z}, {lo.x, hi.y, hi.z}, sx, sy);
  AddQuad({hi.x, lo.y, lo.z}, {lo.x, lo.y, lo.z}, {lo.x, hi.y, lo.z}, {hi.x, hi.y, lo.z}, sx, sy);
  AddQuad({hi.x, lo.y, hi.z}, {hi.x, lo.y, lo.z}, {hi.x, hi.y, lo.z}, {hi.x, hi.y, hi.z}, sz, sy);
  AddQuad({lo.x, lo.y, lo.z}, {lo.x, lo.y, hi.z}, {lo.x, hi.y, hi.z}, {lo.x, hi.y, lo.z}, sz, sy);
  AddQuad({lo.x, hi.y, hi.z}, {hi.x, hi.y, hi.z}, {hi.x, hi.y, lo.z}, {lo.x, hi.y, lo.z}, sx, sz);
  AddQuad({lo.x, lo.y, lo.z}, {hi.x, lo.y, lo.z}, {hi.x, lo.y, hi.z}, {lo.x, lo.y, hi.z}, sx, sz);
}

void MeshBuilder::AddCylinder(const TVector& base, float radiusBottom, float radiusTop, float height, int sides) {
  const auto ring = [&](int i, float r, float y) {
    const float a = 2.0f * std::numbers::pi_v<float> * static_cast<float>(i) / static_cast<float>(sides);
    return TVector{base.x + r * std::cos(a), base.y + y, base.z - r * std::sin(a)};
  };
  const TVector top{base.x, base.y + height, base.z};
  for (int i = 0; i < sides; ++i) {
    AddQuad(ring(i, radiusBottom, 0.0f), ring(i + 1, radiusBottom, 0.0f), ring(i + 1, radiusTop, height),
            ring(i, radiusTop, height), 1.0f / static_cast<float>(sides), 1.0f);
    if (radiusTop > 0.0f) AddTriangle(top, ring(i, radiusTop, height), ring(i + 1, radiusTop, height));
  }
}

void MeshBuilder::AddBlade(const TVector& base, float width, float height, float lean) {
  const TVector l{base.x - width / 2.0f, base.y, base.z};
  const TVector r{base.x + width / 2.0f, base.y, base.z};
  const TVector tip{base.x, base.y + height, base.z + lean};
  AddTriangle(l, r, tip);
  AddTriangle(r, l, tip);
}

void MeshBuilder::AddJoint(std::string_view name, std::string_view parent, const TVector& position) {
  TMS3DJoint joint;
  joint.Name = name;
  joint.ParentName = parent;
  joint.Position = position;
  contents_.Joints.push_back(joint);
}

TMS3DContents MeshBuilder::Take() {
  TMS3DContents out = std::move(contents_);
  contents_ = {};
  bone_ = -1;
  return out;
}
