#include "models/ms3d_fixture.h"

#include "models/ms3d_writer.h"

namespace ms3d_fixture {

namespace {

TMS3DTriangle Triangle(std::uint16_t a, std::uint16_t b, std::uint16_t c) {
  TMS3DTriangle t;
  t.Indices = {a, b, c};
  t.Normals = {TVector{0, 0, 1}, TVector{0, 0, 1}, TVector{0, 0, 1}};
  t.S = {0.0f, 1.0f, 1.0f};
  t.T = {0.0f, 0.0f, 1.0f};
  return t;
}

}  // namespace

TMS3DContents Square() {
  TMS3DContents c;
  c.Vertices = {{{0, 0, 0}, -1}, {{1, 0, 0}, -1}, {{1, 1, 0}, -1}, {{0, 1, 0}, -1}};
  c.Triangles = {Triangle(0, 1, 2), Triangle(0, 2, 3)};
  TMS3DGroup group;
  group.Name = "square";
  group.Triangles = {0, 1};
  group.Material = 0;
  c.Groups = {group};
  TMS3DMaterial material;
  material.Name = "skin";
  material.Diffuse = {0.5f, 0.5f, 0.5f, 1.0f};
  material.Texture = "skin.bmp";
  c.Materials = {material};
  c.Fps = 24.0f;
  c.TotalFrames = 30;
  return c;
}

TMS3DContents TwoJointArm() {
  TMS3DContents c = Square();
  c.Vertices = {{{1, 1, 0}, 0}, {{1, 3, 0}, 1}, {{5, 5, 5}, -1}, {{0, 0, 0}, -1}};
  TMS3DJoint root;
  root.Name = "root";
  root.Position = {1, 0, 0};
  TMS3DJoint tip;
  tip.Name = "tip";
  tip.ParentName = "root";
  tip.Position = {0, 2, 0};
  c.Joints = {root, tip};
  return c;
}

std::vector<std::uint8_t> Bytes(const TMS3DContents& contents) { return WriteMS3D(contents); }

}  // namespace ms3d_fixture
