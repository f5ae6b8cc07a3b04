#include "models/ms3d_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/headless_host.h"
#include "models/ms3d_fixture.h"

namespace {

using ms3d_fixture::Bytes;

struct ReadResult {
  bool loaded = false;
  TMS3DContents contents;
  std::vector<std::string> messages;
};

ReadResult Read(const std::vector<std::uint8_t>& bytes) {
  HeadlessHost host;
  ReadResult result;
  result.loaded = ReadMS3DBase(bytes, "box", result.contents, host);
  for (const auto& e : host.errors) result.messages.push_back(e.Full());
  return result;
}

const std::string ReadFailed = "QZ_MODEL: Error while loading model file \"box\" !";
const std::string CheckFailed = "QZ_MODEL:: Error occured! Check model file \"box\" !";

void ExpectRefused(const ReadResult& r) {
  EXPECT_FALSE(r.loaded);
  EXPECT_EQ(r.messages, (std::vector<std::string>{ReadFailed, CheckFailed}));
}

TEST(MS3DReader, SquareReadsBackWhatWasWritten) {
  const auto r = Read(Bytes(ms3d_fixture::Square()));
  ASSERT_TRUE(r.loaded);
  EXPECT_TRUE(r.messages.empty());
  ASSERT_EQ(r.contents.Vertices.size(), 4u);
  EXPECT_EQ(r.contents.Vertices[2].Position, (TVector{1, 1, 0}));
  EXPECT_EQ(r.contents.Vertices[2].Bone, -1);
  ASSERT_EQ(r.contents.Triangles.size(), 2u);
  EXPECT_EQ(r.contents.Triangles[1].Indices, (std::array<std::uint16_t, 3>{0, 2, 3}));
  EXPECT_EQ(r.contents.Triangles[0].T[2], 1.0f);
  ASSERT_EQ(r.contents.Groups.size(), 1u);
  EXPECT_EQ(r.contents.Groups[0].Name.view(), "square");
  EXPECT_EQ(r.contents.Groups[0].Triangles, (std::vector<std::uint16_t>{0, 1}));
  ASSERT_EQ(r.contents.Materials.size(), 1u);
  const auto& m = r.contents.Materials[0];
  EXPECT_EQ(m.Texture.view(), "skin.bmp");
  EXPECT_TRUE(m.HasTexture);
  EXPECT_TRUE(m.Enabled);
  EXPECT_EQ(m.Diffuse[0], 0.5f);
  EXPECT_EQ(r.contents.Fps, 24.0f);
  EXPECT_EQ(r.contents.TotalFrames, 30);
}

TEST(MS3DReader, HeaderProblemsAreReportedAndReadingGoesOn) {
  auto bytes = Bytes(ms3d_fixture::Square());
  bytes[0] = 'X';
  bytes[10] = 2;  // version 2
  const auto r = Read(bytes);
  EXPECT_TRUE(r.loaded);
  EXPECT_EQ(r.messages, (std::vector<std::string>{"VE_MODEL:: Wrong file ID! Must be \"MS3D000000\"!",
                                                  "VE_MODEL:: Wrong version number! Must be at least 3!"}));
}

TEST(MS3DReader, MaterialNamesAndTextureNames) {
  auto c = ms3d_fixture::Square();
  c.Materials.resize(3, c.Materials[0]);
  c.Materials[0].Name = "3stone";
  c.Materials[1].Name = "stone3";
  c.Materials[1].Texture = "a";  // one character counts as no name
  c.Materials[2].Name = "8wood";
  c.Materials[2].Texture = std::string(140, 't');
  const auto r = Read(Bytes(c));
  ASSERT_TRUE(r.loaded);
  EXPECT_EQ(r.contents.Materials[0].TextureNumber, 3);
  EXPECT_EQ(r.contents.Materials[1].TextureNumber, 0);
  EXPECT_TRUE(r.contents.Materials[1].Texture.empty());
  EXPECT_FALSE(r.contents.Materials[1].HasTexture);
  EXPECT_EQ(r.contents.Materials[2].TextureNumber, 0);
  EXPECT_EQ(r.contents.Materials[2].Texture.size(), 127u);
}

TEST(MS3DReader, KeyTimesBecomeFramesAndBaseKeysAreReported) {
  auto c = ms3d_fixture::TwoJointArm();
  c.Joints[0].RotationKeys = {{12.0f, {0, 0, 1}}};  // written as 0.5 s at 24 fps
  c.Joints[1].RotationKeys = {{24.0f, {}}};
  c.Joints[1].PositionKeys = {{48.0f, {}}};
  auto bytes = Bytes(c);
  const auto r = Read(bytes);
  ASSERT_TRUE(r.loaded);
  EXPECT_EQ(r.contents.Joints[0].RotationKeys[0].Time, 12.0f);
  EXPECT_EQ(r.contents.Joints[1].PositionKeys[0].Time, 48.0f);
  EXPECT_EQ(r.contents.Joints[1].Parent, 0);
  const std::string rotation = "VE_MODEL:: Rotation keyframes found in the model base of model \"box\"!";
  const std::string position = "VE_MODEL:: Position keyframes found in the model base of model \"box\"!";
  EXPECT_EQ(r.messages, (std::vector<std::string>{rotation, rotation, position}));
}

TEST(MS3DReader, EmptySectionsAndMissingMaterials) {
  auto noMaterials = ms3d_fixture::Square();
  noMaterials.Materials.clear();
  noMaterials.Groups[0].Material = -1;
  const auto r = Read(Bytes(noMaterials));
  EXPECT_FALSE(r.loaded);
  EXPECT_EQ(r.messages, (std::vector<std::string>{CheckFailed,
                                                  "QZ_MODEL:: No material defined in model \"box\" !"}));

  auto secondGroupBare = ms3d_fixture::Square();
  secondGroupBare.Groups.push_back(secondGroupBare.Groups[0]);
  secondGroupBare.Groups.push_back(secondGroupBare.Groups[0]);
  secondGroupBare.Groups[1].Material = -1;
  secondGroupBare.Groups[2].Material = -1;
  const auto bare = Read(Bytes(secondGroupBare));
  EXPECT_TRUE(bare.loaded);
  EXPECT_EQ(bare.messages, (std::vector<std::string>{"QZ_MODEL:: No material defined in model \"box\" !"}));
}

TEST(MS3DReader, IndicesOutsideTheirArraysAreRefused) {
  auto vertex = ms3d_fixture::Square();
  vertex.Vertices.resize(8);
  vertex.Triangles[1].Indices[2] = 9000;
  ExpectRefused(Read(Bytes(vertex)));

  for (std::uint16_t triangle : {std::uint16_t{2}, std::uint16_t{65000}}) {
    auto group = ms3d_fixture::Square();
    group.Groups[0].Triangles.push_back(triangle);
    ExpectRefused(Read(Bytes(group)));
  }

  for (std::int8_t material : {std::int8_t{1}, std::int8_t{-2}}) {
    auto c = ms3d_fixture::Square();
    c.Groups[0].Material = material;
    ExpectRefused(Read(Bytes(c)));
  }
}

TEST(MS3DReader, BaseJointParentsAreResolvedWhereverTheyStand) {
  auto later = ms3d_fixture::TwoJointArm();
  later.Joints[0].ParentName = "tip";
  later.Joints[1].ParentName = "";
  const auto forward = Read(Bytes(later));
  ASSERT_TRUE(forward.loaded);
  EXPECT_TRUE(forward.messages.empty());
  EXPECT_EQ(forward.contents.Joints[0].Parent, 1);
  EXPECT_EQ(forward.contents.Joints[1].Parent, -1);

  auto self = ms3d_fixture::TwoJointArm();
  self.Joints[1].ParentName = "tip";
  const auto own = Read(Bytes(self));
  ASSERT_TRUE(own.loaded);
  EXPECT_EQ(own.contents.Joints[1].Parent, -1);

  // root and tip parent each other; a third joint hangs from the loop and keeps its parent.
  auto looped = ms3d_fixture::TwoJointArm();
  looped.Joints[0].ParentName = "tip";
  looped.Joints.push_back(looped.Joints[1]);
  looped.Joints[2].Name = "finger";
  const auto loop = Read(Bytes(looped));
  ASSERT_TRUE(loop.loaded);
  EXPECT_EQ(loop.contents.Joints[0].Parent, -1);
  EXPECT_EQ(loop.contents.Joints[1].Parent, -1);
  EXPECT_EQ(loop.contents.Joints[2].Parent, 0);
}

TEST(ResolveJointParents, AnimationParentsMustComeFirst) {
  auto joints = ms3d_fixture::TwoJointArm().Joints;
  EXPECT_TRUE(ResolveJointParents(joints));
  joints[1].ParentName = "tip";
  EXPECT_FALSE(ResolveJointParents(joints));
  joints[1].ParentName = "";
  joints[0].ParentName = "tip";
  EXPECT_FALSE(ResolveJointParents(joints));
}

TEST(MS3DReader, EveryTruncationIsRefused) {
  auto c = ms3d_fixture::TwoJointArm();
  c.Joints[1].RotationKeys = {{1.0f, {}}, {2.0f, {}}};
  c.Joints[1].PositionKeys = {{1.0f, {}}};
  const auto bytes = Bytes(c);
  for (std::size_t size = 0; size < bytes.size(); ++size) {
    SCOPED_TRACE(size);
    const std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
    const auto r = Read(cut);
    EXPECT_FALSE(r.loaded);
    ASSERT_FALSE(r.messages.empty());
    EXPECT_EQ(r.messages.front().rfind("QZ_MODEL", 0), 0u);
  }
}

// A count no file of this size could back: refused before any room is made for it.
TEST(MS3DReader, HugeCountsInASmallFileAreRefused) {
  const auto square = Bytes(ms3d_fixture::Square());
  const std::size_t countOffsets[] = {14, 76, 218, 260};  // vertices, triangles, groups, materials
  for (std::size_t offset : countOffsets) {
    SCOPED_TRACE(offset);
    auto bytes = square;
    bytes.resize(1024);
    bytes[offset] = 0xFF;
    bytes[offset + 1] = 0xFF;
    ExpectRefused(Read(bytes));
  }
  auto groupTriangles = square;
  groupTriangles[220 + 33] = 0xFF;  // the group's triangle count
  groupTriangles[220 + 34] = 0xFF;
  ExpectRefused(Read(groupTriangles));
}

TEST(MS3DReader, AnimationFilesKeepTimingAndJointsOnly) {
  auto c = ms3d_fixture::TwoJointArm();
  c.Fps = 10.0f;
  c.CurrentTime = 3.0f;
  c.Joints[1].RotationKeys = {{5.0f, {0, 0, 1}}};
  c.Materials.clear();  // a base model would be refused; an animation does not care
  HeadlessHost host;
  TModelAnimation animation;
  ASSERT_TRUE(ReadAnimationFile(Bytes(c), "arm", animation, host));
  EXPECT_TRUE(host.errors.empty());
  EXPECT_EQ(animation.Fps, 10.0f);
  EXPECT_EQ(animation.CurrentTime, 3.0f);
  ASSERT_EQ(animation.Joints.size(), 2u);
  EXPECT_EQ(animation.Joints[1].RotationKeys[0].Time, 5.0f);

  auto bytes = Bytes(c);
  bytes.resize(bytes.size() - 3);
  EXPECT_FALSE(ReadAnimationFile(bytes, "arm", animation, host));
  EXPECT_TRUE(animation.Joints.empty());
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_EQ(host.errors[0].Full(), "QZ_MODEL: Error while loading animation \"arm\" !");
}

// Files from public projects: each is read with the counts it declares; those the
// rules refuse (no materials, a material index past the materials) say so.
TEST(MS3DReader, RealFilesLoadWithTheirDeclaredCounts) {
  const std::filesystem::path dir = std::filesystem::path(BRANNOCK_SHARED_TESTDATA_DIR) / "ms3d" / "assimp";
  if (!std::filesystem::exists(dir)) GTEST_SKIP() << "real MS3D files not found at " << dir;
  struct Expected {
    const char* file;
    std::size_t vertices, triangles, groups, materials;
    bool loaded;
  };
  const Expected files[] = {{"Wuson.ms3d", 2117, 3732, 1, 0, false},
                            {"twospheres.ms3d", 124, 240, 2, 0, false},
                            {"twospheres_withmats.ms3d", 124, 240, 2, 2, true},
                            {"jeep1.ms3d", 1190, 2032, 7, 1, true}};
  for (const auto& e : files) {
    SCOPED_TRACE(e.file);
    std::ifstream in(dir / e.file, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    const auto r = Read(bytes);
    EXPECT_EQ(r.loaded, e.loaded);
    EXPECT_EQ(r.contents.Vertices.size(), e.vertices);
    EXPECT_EQ(r.contents.Triangles.size(), e.triangles);
    EXPECT_EQ(r.contents.Groups.size(), e.groups);
    EXPECT_EQ(r.contents.Materials.size(), e.materials);
    if (!e.loaded) {
      EXPECT_EQ(r.messages.front(), CheckFailed);
    }
  }

  std::ifstream in(dir / "InvalidMaterialIndex.ms3d", std::ios::binary);
  ExpectRefused(Read(std::vector<std::uint8_t>{std::istreambuf_iterator<char>(in), {}}));
}

}  // namespace
