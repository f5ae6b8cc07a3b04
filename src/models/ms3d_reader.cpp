#include "models/ms3d_reader.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/binary_io.h"
#include "core/host.h"

namespace {

constexpr std::size_t VertexBytes = 15;
constexpr std::size_t TriangleBytes = 70;
constexpr std::size_t MaterialBytes = 361;
constexpr std::size_t GroupMinBytes = 1 + 32 + 2 + 1;
constexpr std::size_t JointMinBytes = 1 + 32 + 32 + 12 + 12 + 2 + 2;
constexpr std::size_t KeyBytes = 16;
constexpr std::string_view FileId = "MS3D000000";

// The file must be able to hold `count` records of at least `recordBytes` each
// before room for them is made.
std::size_t ReadCount(BinaryReader& r, std::size_t recordBytes) {
  const std::size_t count = r.ReadU16();
  if (count * recordBytes > r.Remaining()) throw ReadError("count larger than the file");
  return count;
}

void Require(bool condition, const char* what) {
  if (!condition) throw ReadError(what);
}

// Zero-terminated text in a fixed field of `width` bytes.
std::string FixedText(BinaryReader& r, std::size_t width) {
  std::string text(width, '\0');
  r.ReadBytes({reinterpret_cast<std::uint8_t*>(text.data()), width});
  text.resize(std::min(text.find('\0'), width));
  return text;
}

// Texture and alpha-map names: at most 127 characters, and a single character
// counts as no name.
String255 MaterialFileName(BinaryReader& r) {
  std::string name = FixedText(r, 128);
  if (name.size() > 127) name.resize(127);
  if (name.size() <= 1) name.clear();
  return String255(name);
}

TRgba ReadRgba(BinaryReader& r) {
  TRgba c;
  for (float& component : c) component = r.ReadF32();
  return c;
}

void ReadHeader(BinaryReader& r, Host* host) {
  const std::string id = FixedText(r, FileId.size());
  const std::int32_t version = r.ReadI32();
  if (!host) return;
  if (id != FileId) host->ShowError("VE_MODEL:", "Wrong file ID! Must be \"MS3D000000\"!");
  if (version < 3) host->ShowError("VE_MODEL:", "Wrong version number! Must be at least 3!");
}

void ReadVertices(BinaryReader& r, std::vector<TMS3DVertex>& vertices) {
  vertices.resize(ReadCount(r, VertexBytes));
  for (auto& v : vertices) {
    r.Skip(1);
    v.Position = r.ReadVector();
    v.Bone = static_cast<std::int8_t>(r.ReadU8());
    r.Skip(1);
  }
}

void ReadTriangles(BinaryReader& r, std::vector<TMS3DTriangle>& triangles, std::size_t vertexCount) {
  triangles.resize(ReadCount(r, TriangleBytes));
  for (auto& t : triangles) {
    r.Skip(2);
    for (auto& index : t.Indices) {
      index = r.ReadU16();
      Require(index < vertexCount, "triangle names a missing vertex");
    }
    for (auto& normal : t.Normals) normal = r.ReadVector();
    for (float& s : t.S) s = r.ReadF32();
    for (float& tc : t.T) tc = r.ReadF32();
    r.Skip(2);
  }
}

void ReadGroups(BinaryReader& r, std::vector<TMS3DGroup>& groups, std::size_t triangleCount) {
  groups.resize(ReadCount(r, GroupMinBytes));
  for (auto& g : groups) {
    r.Skip(1);
    g.Name = FixedText(r, 32);
    g.Triangles.resize(ReadCount(r, 2));
    for (auto& index : g.Triangles) {
      index = r.ReadU16();
      Require(index < triangleCount, "group names a missing triangle");
    }
    g.Material = static_cast<std::int8_t>(r.ReadU8());
  }
}

void ReadMaterials(BinaryReader& r, std::vector<TMS3DMaterial>& materials) {
  materials.resize(ReadCount(r, MaterialBytes));
  for (auto& m : materials) {
    m.Name = FixedText(r, 32);
    m.Ambient = ReadRgba(r);
    m.Diffuse = ReadRgba(r);
    m.Specular = ReadRgba(r);
    m.Emissive = ReadRgba(r);
    m.Shininess = r.ReadF32();
    m.Transparency = r.ReadF32();
    m.Mode = r.ReadU8();
    m.Texture = MaterialFileName(r);
    m.AlphaMap = MaterialFileName(r);
    m.HasTexture = !m.Texture.empty();
    m.Enabled = true;
    const char first = m.Name.empty() ? '\0' : m.Name.view().front();
    m.TextureNumber = (first >= '1' && first <= '7') ? static_cast<std::int16_t>(first - '0') : 0;
  }
}

// Materials follow the groups in the file, so the groups' indices are checked here.
void CheckGroupMaterials(const TMS3DContents& c) {
  for (const auto& g : c.Groups)
    Require(g.Material >= -1 && g.Material < static_cast<int>(c.Materials.size()), "group names a missing material");
}

void ReadKeys(BinaryReader& r, std::vector<TMS3DKey>& keys, float fps) {
  for (auto& key : keys) {
    key.Time = r.ReadF32() * fps;
    key.Value = r.ReadVector();
  }
}

void ReadJoints(BinaryReader& r, std::vector<TMS3DJoint>& joints, float fps) {
  joints.resize(ReadCount(r, JointMinBytes));
  for (auto& j : joints) {
    j.Flags = r.ReadU8();
    j.Name = FixedText(r, 32);
    j.ParentName = FixedText(r, 32);
    j.Rotation = r.ReadVector();
    j.Position = r.ReadVector();
    const std::size_t rotationKeys = r.ReadU16();
    const std::size_t positionKeys = r.ReadU16();
    Require((rotationKeys + positionKeys) * KeyBytes <= r.Remaining(), "key count larger than the file");
    j.RotationKeys.resize(rotationKeys);
    j.PositionKeys.resize(positionKeys);
    ReadKeys(r, j.RotationKeys, fps);
    ReadKeys(r, j.PositionKeys, fps);
  }
}

void WarnBaseKeys(const std::vector<TMS3DJoint>& joints, std::string_view modelName, Host& host) {
  const std::string model = " keyframes found in the model base of model \"" + std::string(modelName) + "\"!";
  for (const auto& j : joints) {
    if (!j.RotationKeys.empty()) host.ShowError("VE_MODEL:", "Rotation" + model);
    if (!j.PositionKeys.empty()) host.ShowError("VE_MODEL:", "Position" + model);
  }
}

void SkipMesh(BinaryReader& r) {
  r.Skip(ReadCount(r, VertexBytes) * VertexBytes);
  r.Skip(ReadCount(r, TriangleBytes) * TriangleBytes);
  const std::size_t groups = ReadCount(r, GroupMinBytes);
  for (std::size_t i = 0; i < groups; ++i) {
    r.Skip(1 + 32);
    r.Skip(ReadCount(r, 2) * 2);
    r.Skip(1);
  }
  r.Skip(ReadCount(r, MaterialBytes) * MaterialBytes);
}

}  // namespace

std::string QuotedModelText(std::string_view text, std::string_view modelName) {
  return std::string(text) + " \"" + std::string(modelName) + "\" !";
}

namespace {

// The last joint with this name, -1 when none.
std::int16_t LastJointNamed(std::span<const TMS3DJoint> joints, std::string_view name) {
  std::int16_t found = -1;
  for (std::size_t p = 0; p < joints.size(); ++p)
    if (joints[p].Name == name) found = static_cast<std::int16_t>(p);
  return found;
}

}  // namespace

bool ResolveJointParents(std::span<TMS3DJoint> joints) {
  for (std::size_t i = 0; i < joints.size(); ++i) {
    joints[i].Parent = LastJointNamed(joints, joints[i].ParentName.view());
    if (joints[i].Parent >= static_cast<int>(i)) return false;
  }
  return true;
}

void ResolveBaseJointParents(std::span<TMS3DJoint> joints) {
  for (auto& joint : joints) joint.Parent = LastJointNamed(joints, joint.ParentName.view());
  // A joint whose chain of parents leads back to itself sits in a loop; every joint of
  // the loop is decided on the chains as named, then loses its parent.
  std::vector<bool> looped(joints.size(), false);
  for (std::size_t i = 0; i < joints.size(); ++i) {
    int p = joints[i].Parent;
    for (std::size_t steps = 0; p >= 0 && steps < joints.size() && !looped[i]; ++steps) {
      looped[i] = p == static_cast<int>(i);
      p = joints[static_cast<std::size_t>(p)].Parent;
    }
  }
  for (std::size_t i = 0; i < joints.size(); ++i)
    if (looped[i]) joints[i].Parent = -1;
}

bool ReadMS3DBase(std::span<const std::uint8_t> bytes, std::string_view modelName, TMS3DContents& contents,
                  Host& host) {
  contents = TMS3DContents{};
  bool loaded = false;
  try {
    BinaryReader r(bytes);
    ReadHeader(r, &host);
    ReadVertices(r, contents.Vertices);
    ReadTriangles(r, contents.Triangles, contents.Vertices.size());
    ReadGroups(r, contents.Groups, contents.Triangles.size());
    ReadMaterials(r, contents.Materials);
    CheckGroupMaterials(contents);
    contents.Fps = r.ReadF32();
    contents.CurrentTime = r.ReadF32();
    contents.TotalFrames = r.ReadI32();
    ReadJoints(r, contents.Joints, contents.Fps);
    ResolveBaseJointParents(contents.Joints);
    WarnBaseKeys(contents.Joints, modelName, host);
    loaded = true;
  } catch (const ReadError&) {
    contents = TMS3DContents{};  // nothing half-read is kept
    host.ShowError("QZ_MODEL", QuotedModelText("Error while loading model file", modelName));
  }

  if (contents.Vertices.empty() || contents.Triangles.empty() || contents.Groups.empty() ||
      contents.Materials.empty())
    loaded = false;
  if (!loaded) host.ShowError("QZ_MODEL:", QuotedModelText("Error occured! Check model file", modelName));

  const auto unmaterialed = std::find_if(contents.Groups.begin(), contents.Groups.end(),
                                         [](const TMS3DGroup& g) { return g.Material == -1; });
  if (unmaterialed != contents.Groups.end())
    host.ShowError("QZ_MODEL:", QuotedModelText("No material defined in model", modelName));
  return loaded;
}

bool ReadAnimationFile(std::span<const std::uint8_t> bytes, std::string_view modelName,
                       TModelAnimation& animation, Host& host) {
  animation.Joints.clear();
  try {
    BinaryReader r(bytes);
    ReadHeader(r, nullptr);
    SkipMesh(r);
    animation.Fps = r.ReadF32();
    animation.CurrentTime = r.ReadF32();
    r.Skip(4);
    ReadJoints(r, animation.Joints, animation.Fps);
    return true;
  } catch (const ReadError&) {
    animation.Joints.clear();
    host.ShowError("QZ_MODEL", QuotedModelText("Error while loading animation", modelName));
    return false;
  }
}
