#include <array>
#include <cmath>
#include <optional>

#include "gl_fixture.h"
#include "render/gl_2D.h"
#include "render/gl_lensflare.h"
#include "render/gl_room.h"
#include "render/projection.h"
#include "room/view_mapping.h"

namespace {

// A camera in the 3D view at the origin looking along -z, the room drawn once.
class Projection : public GLTest {
protected:
  void SetUp() override {
    GLTest::SetUp();
    if (HasFatalFailure()) return;
    TCamera& camera = Room().Camera;
    camera.Mode = TCamera::Mode3D;
    camera.Position = {0.0f, 0.0f, 0.0f};
    camera.Rotation = {};
    camera.Zoom = 1.0f;
  }

  void Prepare() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    gl->SetViewProjection();
  }

  // A wall facing the camera across the view at distance d, as a surface of the room.
  TSurface* AddWall(float d) {
    return Room().AddSurface({-2, -2, -d}, {-2, 2, -d}, {2, 2, -d}, {2, -2, -d}, "textures\\none");
  }

  TProjection& projection() { return gl->Projection(); }
};

// Window depth of a point d in front of the camera, with near 0.2 and far 150.
double DepthAt(double d) {
  const double n = 0.2, f = 150.0;
  return ((f + n) / (f - n) - 2 * f * n / ((f - n) * d) + 1) / 2;
}

// What GL's feedback mode reports for the point through the camera's transform: window
// x, y and depth, or nothing when clipped.
std::optional<std::array<float, 3>> FeedbackOf(TEditGL& gl, const TVector& p) {
  std::array<GLfloat, 8> buffer{};
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
  glRenderMode(GL_FEEDBACK);
  gl.SetViewTransform();
  glBegin(GL_POINTS);
  glVertex3f(p.x, p.y, p.z);
  glEnd();
  if (glRenderMode(GL_RENDER) != 4) return std::nullopt;
  return std::array{buffer[1], buffer[2], buffer[3]};
}

// The projections are computed from GL's matrices; they must say what feedback says,
// in every view, at every zoom, for points inside, at the edges of and outside the view.
TEST_F(Projection, ProjectionsAgreeWithGLFeedbackInEveryView) {
  StartGL();
  TCamera& camera = Room().Camera;
  int shown = 0, clipped = 0;
  const std::array<TVector, 9> points = {{{0, 0, -5},      {1.5f, -0.7f, -3},  {40, 3, -20},  {0, 0, 5},
                                          {-7.2f, 2, 9.5f}, {0.1f, 149, 0.1f}, {3, -0.1f, -140}, {0, 0, -0.1f},
                                          {-25, 0.5f, 14}}};
  for (int mode : {TCamera::ModeTop, TCamera::ModeSide, TCamera::Mode3D}) {
    for (float zoom : {0.5f, 1.0f, 4.0f}) {
      camera.Mode = static_cast<std::uint16_t>(mode);
      camera.Zoom = zoom;
      camera.Position = {1.0f, 2.0f, 3.0f};
      camera.Rotation = {-20.0f, 35.0f, 0.0f};
      Prepare();
      for (const TVector& p : points) {
        const auto expected = FeedbackOf(*gl, p);
        float x = 0, y = 0;
        const bool onScreen = projection().ProjectToScreen(p, x, y);
        const float depth = projection().ProjectedDepth(p);
        ASSERT_EQ(onScreen, expected.has_value()) << "mode " << mode << " zoom " << zoom << " point " << p.x;
        if (!expected) {
          EXPECT_EQ(depth, -1.0f);
          ++clipped;
          continue;
        }
        ++shown;
        EXPECT_NEAR(x, (*expected)[0], 1e-3f);
        EXPECT_NEAR(y, 480.0f - (*expected)[1], 1e-3f);
        EXPECT_NEAR(depth, (*expected)[2], 1e-6f);
      }
    }
  }
  EXPECT_GT(shown, 10);
  EXPECT_GT(clipped, 10);
}

// The pointer's mapping of the flat views (room/) must put every point where GL draws
// it, and take every drawn pixel back to its point, in both flat views at every zoom.
TEST_F(Projection, ThePointerMappingAgreesWithWhatGLDrawsInTheFlatViews) {
  StartGL();
  TCamera& camera = Room().Camera;
  camera.ViewWidth = Width;
  camera.ViewHeight = Height;
  const std::array<TVector, 6> points = {{{0, 0, 0}, {4, 0, -3}, {-5, 15, 2}, {2, -4, 5}, {-3, 30, -4}, {5, 2, 1}}};
  int compared = 0;
  for (int mode : {TCamera::ModeTop, TCamera::ModeSide}) {
    for (float zoom : {0.5f, 1.0f, 2.0f, 8.0f}) {
      camera.Mode = static_cast<std::uint16_t>(mode);
      camera.Zoom = zoom;
      camera.Position = {1.0f, 2.0f, 3.0f};
      Prepare();
      const TViewMapping view(camera);
      for (const TVector& offset : points) {
        // Spread over the view whatever the zoom.
        const TVector p{1.0f + offset.x / zoom, 2.0f + offset.y / zoom, 3.0f + offset.z / zoom};
        const auto drawn = FeedbackOf(*gl, p);
        if (!drawn) continue;
        ++compared;
        const auto mapped = view.ToView(p);
        ASSERT_TRUE(mapped);
        EXPECT_NEAR(mapped->x, (*drawn)[0], 2e-3f) << "mode " << mode << " zoom " << zoom << " x " << p.x;
        EXPECT_NEAR(mapped->y, Height - (*drawn)[1], 2e-3f) << "mode " << mode << " zoom " << zoom << " x " << p.x;
        const TVector back = view.ToRoom({(*drawn)[0], Height - (*drawn)[1]}, view.DepthOf(p));
        EXPECT_NEAR(back.x, p.x, 1e-3f);
        EXPECT_NEAR(back.y, p.y, 1e-3f);
        EXPECT_NEAR(back.z, p.z, 1e-3f);
      }
    }
  }
  EXPECT_GT(compared, 35);
}

TEST_F(Projection, PointsLandWhereThePerspectiveSaysOrAreClipped) {
  StartGL();
  Prepare();
  float x = 0, y = 0;
  ASSERT_TRUE(projection().ProjectToScreen({0.0f, 0.0f, -5.0f}, x, y));
  EXPECT_NEAR(x, 320.0f, 0.01f);
  EXPECT_NEAR(y, 240.0f, 0.01f);
  // One metre right and up at 5 m: x = 320 (1 + cot(22.5) / (4/3) / 5), y mirrored upward.
  const double offset = 1.0 / std::tan(22.5 * 3.14159265358979 / 180.0) / 5.0;
  ASSERT_TRUE(projection().ProjectToScreen({1.0f, 1.0f, -5.0f}, x, y));
  EXPECT_NEAR(x, 320.0 * (1 + offset * 0.75), 0.05);
  EXPECT_NEAR(y, 240.0 * (1 - offset), 0.05);
  // Behind the camera.
  x = y = 0;
  EXPECT_FALSE(projection().ProjectToScreen({0.0f, 0.0f, 5.0f}, x, y));
  EXPECT_EQ(x, 320.0f);
  EXPECT_EQ(y, 240.0f);
  EXPECT_NEAR(projection().ProjectedDepth({0.0f, 0.0f, -10.0f}), DepthAt(10.0), 1e-5);
  EXPECT_EQ(projection().ProjectedDepth({0.0f, 0.0f, 5.0f}), -1.0f);
}

TEST_F(Projection, ScreenPointsScaleToThePanelSize) {
  StartGL();
  gl->ResizeGLScene(320, 240);  // half the virtual screen in both directions
  Prepare();
  float x = 0, y = 0;
  ASSERT_TRUE(projection().ProjectToScreen({1.0f, 1.0f, -5.0f}, x, y));
  gl->ResizeGLScene(Width, Height);
  Prepare();
  float fullX = 0, fullY = 0;
  ASSERT_TRUE(projection().ProjectToScreen({1.0f, 1.0f, -5.0f}, fullX, fullY));
  EXPECT_NEAR(x, fullX, 0.05);
  EXPECT_NEAR(y, fullY, 0.05);
}

TEST_F(Projection, DepthIsReadWhereAWallWasDrawn) {
  StartGL();
  ASSERT_NE(AddWall(5.0f), nullptr);
  Prepare();
  gl->RoomRenderer().DrawSurfaces(-1, true);
  EXPECT_NEAR(projection().ReadDepthAt(320, 240), DepthAt(5.0), 1e-4);
  EXPECT_EQ(projection().ReadDepthAt(5, 5), 1.0f);  // beside the wall: cleared
  EXPECT_EQ(projection().ReadDepthAt(-40, 900), 1.0f);  // outside the panel
}

TEST_F(Projection, IsOccludedSeesWallsAndSkipsTheNamedSurface) {
  StartGL();
  TCamera& camera = Room().Camera;
  camera.Mode = TCamera::ModeTop;
  camera.Position = {7.0f, 3.0f, 7.0f};
  const TVector from{0.0f, 0.0f, 0.0f};
  const TVector to{0.0f, 0.0f, -8.0f};
  EXPECT_FALSE(gl->Occlusion().IsOccluded(-1, -1, from, to));
  TSurface* wall = AddWall(4.0f);
  ASSERT_NE(wall, nullptr);
  EXPECT_TRUE(gl->Occlusion().IsOccluded(-1, -1, from, to));
  EXPECT_FALSE(gl->Occlusion().IsOccluded(-1, wall->slotIndex, from, to));
  // Looking sideways past the wall.
  EXPECT_FALSE(gl->Occlusion().IsOccluded(-1, -1, from, {5.0f, 0.0f, -8.0f}));
  // The camera comes back as it was.
  EXPECT_EQ(camera.Mode, TCamera::ModeTop);
  EXPECT_EQ(camera.Position, (TVector{7.0f, 3.0f, 7.0f}));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(Projection, APointOnADrawnSurfaceCountsAsOccluded) {
  StartGL();
  TSurface* wall = AddWall(4.0f);
  ASSERT_NE(wall, nullptr);
  const TVector onWall{0.5f, 0.5f, -4.0f};
  EXPECT_TRUE(gl->Occlusion().IsOccluded(-1, -1, {0.0f, 0.0f, 0.0f}, onWall));
  EXPECT_FALSE(gl->Occlusion().IsOccluded(-1, wall->slotIndex, {0.0f, 0.0f, 0.0f}, onWall));
}

TEST_F(Projection, SpritesCutTheirCellAndMirrorWhenFlipped) {
  QImage sheet(8, 8, QImage::Format_RGB888);
  sheet.fill(Qt::red);
  for (int y = 0; y < 8; ++y) {
    for (int x = 4; x < 8; ++x) sheet.setPixelColor(x, y, Qt::green);
  }
  std::filesystem::create_directories(dir.Path() + "/art");
  ASSERT_TRUE(sheet.save(QString::fromStdString(dir.Path() + "/art/sheet.bmp"), "BMP"));
  WriteTextureList("[TEXTURE_FILENAME]\nsheet\n");
  StartGL();
  const auto draw = [&](bool flipS) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    BeginOverlay2D();
    gl->SetGLStates(false, false, false, false, false, false, true);
    glColor3f(1.0f, 1.0f, 1.0f);
    projection().DrawSprite(1, flipS, false, 25.0f, 320.0f, 240.0f, 0, 0, 8.0f, 8.0f);  // 200 x 200
    EndOverlay2D();
  };
  draw(false);
  EXPECT_EQ(Pixel(240, 240), (std::array<int, 3>{255, 0, 0}));
  EXPECT_EQ(Pixel(400, 240), (std::array<int, 3>{0, 255, 0}));
  EXPECT_EQ(Pixel(100, 240), (std::array<int, 3>{76, 76, 76}));  // outside the sprite
  draw(true);
  EXPECT_EQ(Pixel(240, 240), (std::array<int, 3>{0, 255, 0}));
  EXPECT_EQ(Pixel(400, 240), (std::array<int, 3>{255, 0, 0}));
}

class LensFlares : public Projection {
protected:
  void StartWithFlareTextures() {
    UseTextures({{"effect\\flare\\flare", Qt::white},
                 {"effect\\flare\\center", Qt::white},
                 {"effect\\flare\\rings", Qt::white}});
    StartGL();
  }

  bool Flare(const TVector& point, std::int16_t kind) {
    Prepare();
    gl->RoomRenderer().DrawSurfaces(-1, false);
    gl->ResetPolygonCount();
    return DrawFlareIfVisible(*gl, point, kind, {1.0f, 1.0f, 1.0f}, 1.0f, 1.0f);
  }
};

TEST_F(LensFlares, AVisibleFlareDrawsItsElementsOnTheLight) {
  StartWithFlareTextures();
  const TVector light{1.0f, 0.0f, -5.0f};
  float x = 0, y = 0;
  Prepare();
  ASSERT_TRUE(projection().ProjectToScreen(light, x, y));
  EXPECT_TRUE(Flare(light, 1));
  EXPECT_EQ(gl->PolygonCount(), 3 * 2);
  const auto atLight = Pixel(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
  EXPECT_GT(atLight[0], 150);
  // Mirrored across the centre nothing of a kind-1 flare shows.
  EXPECT_EQ(Pixel(static_cast<int>(640 - x), 240), (std::array<int, 3>{76, 76, 76}));
  EXPECT_TRUE(Flare(light, 2));
  EXPECT_EQ(gl->PolygonCount(), 11 * 2);
  EXPECT_TRUE(Flare(light, 3));
  EXPECT_EQ(gl->PolygonCount(), 13 * 2);
}

TEST_F(LensFlares, AFlareBehindAWallIsNotDrawn) {
  StartWithFlareTextures();
  Main().SetChecked("ShowSurfaces1", true);
  ASSERT_NE(AddWall(3.0f), nullptr);
  EXPECT_FALSE(Flare({0.5f, 0.0f, -6.0f}, 1));
  EXPECT_EQ(gl->PolygonCount(), 0);
  EXPECT_TRUE(Flare({0.5f, 0.0f, -2.0f}, 1));  // in front of the wall
}

TEST_F(LensFlares, FarFromTheCentreOrOfAnUnknownKindNothingIsDrawn) {
  StartWithFlareTextures();
  // Near the top right corner: more than 320 from the centre, still on screen.
  const TVector edge{2.5f, 1.25f, -5.0f};
  float x = 0, y = 0;
  Prepare();
  ASSERT_TRUE(projection().ProjectToScreen(edge, x, y));
  ASSERT_GE(std::hypot(x - 320.0f, y - 240.0f), 320.0f);
  EXPECT_TRUE(Flare(edge, 1));
  EXPECT_EQ(gl->PolygonCount(), 0);
  EXPECT_TRUE(Flare({0.0f, 0.0f, -5.0f}, 4));
  EXPECT_EQ(gl->PolygonCount(), 0);
  EXPECT_FALSE(Flare({0.0f, 0.0f, 5.0f}, 1));  // behind the camera
}

}  // namespace
