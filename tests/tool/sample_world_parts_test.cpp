// The pieces the sample world is built from: the BMP encoding the game reads, noise
// that tiles without seams, solids whose faces point outward, animation files that
// key every joint.

#include <gtest/gtest.h>

#include <cmath>

#include "core/binary_io.h"
#include "sample_world/bmp_writer.h"
#include "sample_world/mesh_builder.h"
#include "sample_world/model_spec.h"
#include "sample_world/paint.h"

namespace {

float Dot(const TVector& a, const TVector& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

TVector Centroid(const TMS3DContents& mesh, const TMS3DTriangle& t) {
  TVector c;
  for (auto i : t.Indices) {
    c.x += mesh.Vertices[i].Position.x / 3.0f;
    c.y += mesh.Vertices[i].Position.y / 3.0f;
    c.z += mesh.Vertices[i].Position.z / 3.0f;
  }
  return c;
}

}  // namespace

TEST(SampleBmp, StoresBottomRowFirstInBlueGreenRedWithPaddedRows) {
  TImage image(3, 2);  // 9 bytes per row, padded to 12
  image.Set(0, 0, {10, 20, 30});
  image.Set(2, 1, {40, 50, 60});
  const auto bytes = EncodeBmp24(image);
  ASSERT_EQ(bytes.size(), 54u + 2 * 12);
  BinaryReader header(bytes);
  header.Skip(18);
  EXPECT_EQ(header.ReadI32(), 3);
  EXPECT_EQ(header.ReadI32(), 2);
  // The bottom row (y = 1) comes first; its last pixel is (40, 50, 60).
  EXPECT_EQ(bytes[54 + 6], 60);
  EXPECT_EQ(bytes[54 + 7], 50);
  EXPECT_EQ(bytes[54 + 8], 40);
  EXPECT_EQ(bytes[54 + 9], 0) << "padding";
  // Then the top row, starting with (10, 20, 30).
  EXPECT_EQ(bytes[54 + 12], 30);
  EXPECT_EQ(bytes[54 + 13], 20);
  EXPECT_EQ(bytes[54 + 14], 10);
}

TEST(SampleBmp, RefusesPixelsOutsideTheImage) {
  TImage image(4, 4);
  EXPECT_THROW(image.Set(4, 0, {}), std::out_of_range);
  EXPECT_THROW(image.At(0, -1), std::out_of_range);
  EXPECT_THROW(TImage(0, 4), std::invalid_argument);
}

TEST(SamplePaint, NoiseRepeatsAcrossTheImageEdge) {
  const TileNoise noise(64, 9);
  for (float y : {0.0f, 13.5f, 40.0f}) {
    EXPECT_FLOAT_EQ(noise.At(0.0f, y, 16), noise.At(64.0f, y, 16));
    EXPECT_FLOAT_EQ(noise.At(y, 0.0f, 16), noise.At(y, 64.0f, 16));
  }
  float lo = 1.0f, hi = 0.0f;
  for (int x = 0; x < 64; ++x) {
    lo = std::min(lo, noise.At(static_cast<float>(x), 5.0f, 16));
    hi = std::max(hi, noise.At(static_cast<float>(x), 5.0f, 16));
  }
  EXPECT_GE(lo, 0.0f);
  EXPECT_LE(hi, 1.0f);
  EXPECT_GT(hi - lo, 0.1f) << "not flat";
}

TEST(SampleMesh, SolidFacesPointAwayFromTheirCentre) {
  MeshBuilder builder;
  builder.BeginGroup("g", {1, 1, 1, 1});
  builder.AddBox({-1.0f, 0.0f, -2.0f}, {1.0f, 3.0f, 2.0f});
  builder.AddCylinder({5.0f, 0.0f, 0.0f}, 1.0f, 0.5f, 2.0f, 8);
  const TMS3DContents mesh = builder.Take();
  ASSERT_EQ(mesh.Groups.size(), 1u);
  EXPECT_EQ(mesh.Groups[0].Triangles.size(), mesh.Triangles.size());
  for (const auto& t : mesh.Triangles) {
    const TVector c = Centroid(mesh, t);
    const bool box = c.x < 3.0f;
    const TVector centre = box ? TVector{0.0f, 1.5f, 0.0f} : TVector{5.0f, 1.0f, 0.0f};
    const TVector out{c.x - centre.x, c.y - centre.y, c.z - centre.z};
    EXPECT_GT(Dot(t.Normals[0], out), 0.0f) << (box ? "box" : "cylinder") << " face at " << c.x << "," << c.y << ","
                                           << c.z;
    // The stored normal agrees with the winding.
    const TVector& a = mesh.Vertices[t.Indices[0]].Position;
    const TVector& b = mesh.Vertices[t.Indices[1]].Position;
    const TVector& d = mesh.Vertices[t.Indices[2]].Position;
    const TVector u{b.x - a.x, b.y - a.y, b.z - a.z}, v{d.x - a.x, d.y - a.y, d.z - a.z};
    const TVector cross{u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
    EXPECT_GT(Dot(cross, t.Normals[0]), 0.0f);
  }
}

TEST(SampleMesh, VerticesHangOnTheCurrentJoint) {
  MeshBuilder builder;
  builder.AddJoint("root", "", {0.0f, 1.0f, 0.0f});
  builder.BeginGroup("g", {1, 1, 1, 1}, "skin.bmp", 1);
  builder.AddBlade({0.0f, 0.0f, 0.0f}, 0.1f, 0.5f, 0.0f);
  builder.SetBone(0);
  builder.AddBlade({1.0f, 0.0f, 0.0f}, 0.1f, 0.5f, 0.0f);
  const TMS3DContents mesh = builder.Take();
  ASSERT_EQ(mesh.Vertices.size(), 12u);
  EXPECT_EQ(mesh.Vertices[0].Bone, -1);
  EXPECT_EQ(mesh.Vertices[11].Bone, 0);
  ASSERT_EQ(mesh.Materials.size(), 1u);
  EXPECT_TRUE(mesh.Materials[0].HasTexture);
  EXPECT_EQ(mesh.Materials[0].TextureNumber, 1);
}

TEST(SampleAnimation, EveryJointIsKeyedAndTheMovingOnesSwing) {
  MeshBuilder builder;
  builder.AddJoint("hip", "", {0.0f, 1.0f, 0.0f});
  builder.AddJoint("leg", "hip", {0.2f, 0.0f, 0.0f});
  const TMS3DContents mesh = builder.Take();
  const TMS3DContents walk = AnimationFile(mesh, {{"leg", {{1.0f, {}}, {11.0f, {0.5f, 0.0f, 0.0f}}, {21.0f, {}}}}});
  EXPECT_GT(walk.Fps, 0.0f);
  EXPECT_EQ(walk.TotalFrames, 21);
  ASSERT_EQ(walk.Joints.size(), 2u);
  EXPECT_EQ(walk.Joints[0].RotationKeys.size(), 1u) << "a still joint keeps its rest pose";
  EXPECT_EQ(walk.Joints[0].PositionKeys.size(), 1u);
  ASSERT_EQ(walk.Joints[1].RotationKeys.size(), 3u);
  EXPECT_FLOAT_EQ(walk.Joints[1].RotationKeys[1].Value.x, 0.5f);
  EXPECT_TRUE(mesh.Joints[1].RotationKeys.empty()) << "the base mesh is left alone";
}
