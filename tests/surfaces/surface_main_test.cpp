#include <cmath>

#include "room/room_fixture.h"
#include "surfaces/surface_main.h"
#include "surfaces/surface_textures.h"

namespace {

class Surfaces : public RoomTest {
protected:
  // A w x h rectangle in the floor plane at x offset.
  TSurface* Rectangle(float w, float h, float x = 0) {
    return room.AddSurface({x, 0, 0}, {x + w, 0, 0}, {x + w, 0, h}, {x, 0, h}, "textures\\wall");
  }
  static std::vector<TVector> Positions(const TSurface& s) {
    std::vector<TVector> positions;
    for (const auto& c : s.corners) positions.push_back(c.position);
    return positions;
  }
};

TEST_F(Surfaces, LightMapSizeFollowsTheSidesInPowersOfTwo) {
  TSurface& s = *Rectangle(3, 1);
  EXPECT_EQ(s.lightMapWidth, 16);  // 12 -> 16
  EXPECT_EQ(s.lightMapHeight, 4);
  s.lightMapTexelsPerMetre = 100;
  s.ComputeTextureCoordinates();
  EXPECT_EQ(s.lightMapWidth, 256);  // 300 is held to 256
  EXPECT_EQ(s.lightMapHeight, 128);
  TSurface& small = *Rectangle(0.5f, 0.5f, 10);
  EXPECT_EQ(small.lightMapWidth, 4);  // 2 x 2 is raised to the minimum
  EXPECT_EQ(small.lightMapHeight, 4);
  small.lightMapTexelsPerMetre = 1.0e30f;
  small.ComputeTextureCoordinates();
  EXPECT_EQ(small.lightMapWidth, 256);
  small.lightMapTexelsPerMetre = -8;
  small.ComputeTextureCoordinates();
  EXPECT_EQ(small.lightMapWidth, 4);
}

TEST_F(Surfaces, TextureCoordinatesRepeatPerMetre) {
  TSurface& s = *Rectangle(4, 2);
  EXPECT_FLOAT_EQ(s.corners[1].s, 2.0f);
  EXPECT_FLOAT_EQ(s.corners[1].t, 1.0f);
  EXPECT_FLOAT_EQ(s.corners[2].s, 2.0f);
  EXPECT_FLOAT_EQ(s.corners[2].t, 0.0f);
  EXPECT_FLOAT_EQ(s.corners[3].s, 0.0f);
  EXPECT_FLOAT_EQ(s.corners[3].t, 0.0f);
  EXPECT_FLOAT_EQ(s.corners[0].t, 1.0f);
}

TEST_F(Surfaces, NormalAndExtents) {
  TSurface& floor = *Rectangle(2, 2);
  // NormalOf negates the usual cross product's middle component: +X by +Z gives up.
  EXPECT_EQ(floor.normal, (TVector{0, 1, 0}));
  TSurface& wall = *room.AddSurface({0, 0, 5}, {4, 0, 5}, {4, 2, 5}, {0, 2, 5}, "t");
  EXPECT_EQ(wall.centre, (TVector{2, 1, 5}));
  EXPECT_FLOAT_EQ(wall.horizontalRadius, 2.0f);
  EXPECT_FLOAT_EQ(wall.halfHeight, 1.0f);
  EXPECT_FLOAT_EQ(std::fabs(wall.normal.z), 1.0f);
}

TEST_F(Surfaces, InvertAndRotateIdentities) {
  TSurface& s = *room.AddSurface({0, 0, 0}, {2, 0, 0}, {2, 1, 1}, {0, 0, 3}, "t");
  const auto positions = Positions(s);
  const TVector normal = s.normal;
  const auto record = RecordBytes(s);
  s.Invert();
  EXPECT_EQ(s.corners[1].position, positions[3]);
  EXPECT_FLOAT_EQ(s.normal.y, -normal.y);
  s.Invert();
  EXPECT_EQ(Positions(s), positions);
  EXPECT_EQ(s.normal, normal);

  s.RotateLeft();
  EXPECT_EQ(s.corners[0].position, positions[1]);
  EXPECT_EQ(s.corners[3].position, positions[0]);
  EXPECT_EQ(s.corners[0].s, 0.0f);  // coordinates stay with their corner numbers
  s.RotateLeft();
  s.RotateLeft();
  const auto threeLeft = Positions(s);
  s.RotateLeft();
  EXPECT_EQ(Positions(s), positions);
  s.RotateRight();
  EXPECT_EQ(Positions(s), threeLeft);
  s.RotateLeft();
  EXPECT_EQ(RecordBytes(s), record);
}

TEST_F(Surfaces, DegenerateAndDuplicateQuadsAreRefused) {
  EXPECT_EQ(room.AddSurface({0, 0, 0}, {0, 0, 0}, {1, 0, 1}, {0, 0, 1}, "t"), nullptr);
  EXPECT_EQ(room.AddSurface({0, 0, 0}, {1, 0, 0}, {1, 0, 0}, {0, 0, 1}, "t"), nullptr);  // corner 1 = corner 2
  EXPECT_EQ(room.AddSurface({0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 0}, "t"), nullptr);
  ASSERT_NE(Rectangle(1, 1), nullptr);
  EXPECT_EQ(room.AddSurface({1, 0, 1}, {0, 0, 1}, {0, 0, 0}, {1, 0, 0}, "t"), nullptr);  // same corners, turned
  EXPECT_NE(room.AddSurface({0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 2}, "t"), nullptr);  // three shared
  EXPECT_EQ(host.StatusText(5), "Surfaces: 2");
}

TEST_F(Surfaces, AddSurfaceFillsTheFirstFreeSlotUntilTheTableIsFull) {
  for (int i = 0; i < 256; ++i) ASSERT_NE(Rectangle(1, 1, static_cast<float>(i) * 2), nullptr) << i;
  EXPECT_EQ(Rectangle(1, 1, -10), nullptr);
  EXPECT_EQ(room.LastSurface, 255);
  room.Surfaces[7]->Reset();
  TSurface* again = Rectangle(1, 1, -10);
  ASSERT_EQ(again, room.Surfaces[7].get());
  EXPECT_EQ(again->slotIndex, 7);
  EXPECT_EQ(again->textureName.str(), "textures\\wall");
  EXPECT_EQ(again->name.str(), "SURFACE");
}

TEST_F(Surfaces, ResetTakesTheResolutionFromTheMainWindow) {
  TSurface& s = *Rectangle(1, 1);
  host.Memory(FormId::Main).SetText("EditSurfaceLightMapPixelPerMeter", "8,00");
  s.Reset();
  EXPECT_EQ(s.lightMapTexelsPerMetre, 8.0f);
  EXPECT_FALSE(s.InUse());
  EXPECT_EQ(s.textureName.str(), "textures\\default");
  host.Memory(FormId::Main).SetText("EditSurfaceLightMapPixelPerMeter", "fine");
  s.Reset();
  EXPECT_EQ(s.lightMapTexelsPerMetre, 8.0f);
  EXPECT_EQ(Errors(), std::vector<std::string>{"QZ_ENGINE: Error on converting value!"});
}

TEST_F(Surfaces, RecordLayout) {
  TSurface& s = *Rectangle(3, 1);
  s.name = "FLOOR";
  const auto bytes = RecordBytes(s);
  ASSERT_EQ(bytes.size(), TSurface::RecordHeaderSize + 16 * 4 * 3);
  EXPECT_EQ(bytes[0], 5);
  EXPECT_EQ(bytes[33], 0);  // state 0
  EXPECT_EQ(bytes[35], 13);  // "textures\wall"
  EXPECT_EQ(bytes[303], 16);
  EXPECT_EQ(bytes[305], 4);
}

// Records what the GL side is asked to do.
class RecordingTextures : public SurfaceTextures {
public:
  void BuildTextures(TSurface& s) override {
    ++built;
    s.textureHandle = 5;
  }
  void UploadStoredTextures(TSurface&) override { ++uploaded; }
  void DeleteTextures(TSurface&) override { ++deleted; }
  int built = 0, uploaded = 0, deleted = 0;
};

TEST_F(Surfaces, TexturesAreBuiltOnCreateUploadedOnLoadAndReleasedOnReset) {
  RecordingTextures textures;
  room.SurfaceTextureService = &textures;
  TSurface& s = *Rectangle(1, 1);
  EXPECT_EQ(textures.built, 1);
  EXPECT_TRUE(s.texturesLoaded);
  room.ComputeSurfaceShadows();
  EXPECT_EQ(textures.built, 2);
  EXPECT_EQ(textures.deleted, 1);  // the old pair goes first
  ASSERT_TRUE(room.LoadFromBytes(room.SaveToBytes()));
  EXPECT_EQ(textures.deleted, 2);
  EXPECT_EQ(textures.uploaded, 1);
  EXPECT_EQ(textures.built, 2);  // loading never recomputes
  room.ClearRoom();
  EXPECT_EQ(textures.deleted, 3);
  EXPECT_EQ(s.textureHandle, TSurface::NoTexture);
  room.SurfaceTextureService = nullptr;
}

}  // namespace
