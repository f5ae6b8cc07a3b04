#include "gl_fixture.h"
#include "entities/edit_entity.h"
#include "entities/entity_typus.h"
#include "render/gl_room.h"

namespace {

class RoomRendering : public GLTest {
protected:
  void SetUp() override {
    GLTest::SetUp();
    if (HasFatalFailure()) return;
    Room().Camera.Position = {0.0f, 2.0f, 0.0f};
    Room().Camera.Rotation = {};
    Room().Camera.Zoom = 1.0f;
  }

  void Frame(int mode) {
    Room().Camera.Mode = static_cast<std::uint16_t>(mode);
    gl->DrawFrame();
  }

  // Within a few steps of the expected colour: rasterisers round differently.
  static void ExpectColor(std::array<int, 3> actual, std::array<int, 3> expected, int tolerance = 3) {
    for (int i = 0; i < 3; ++i) {
      EXPECT_NEAR(actual[static_cast<std::size_t>(i)], expected[static_cast<std::size_t>(i)], tolerance)
          << "component " << i << " of (" << actual[0] << ", " << actual[1] << ", " << actual[2] << ")";
    }
  }

  // The sky box's six faces in slot order: front, right, back, left, top, bottom.
  void UseSky(const std::array<QColor, 6>& faces) {
    static constexpr const char* Names[] = {"front", "right", "back", "left", "top", "bottom"};
    std::vector<std::pair<std::string, QColor>> textures;
    for (std::size_t i = 0; i < faces.size(); ++i) textures.emplace_back(std::string("sky\\") + Names[i], faces[i]);
    UseTextures(textures);
  }

  TSurface* AddFloor(float x0, float z0, float x1, float z1, float y, std::string_view texture) {
    return Room().AddSurface({x0, y, z0}, {x1, y, z0}, {x1, y, z1}, {x0, y, z1}, texture);
  }
};

TEST_F(RoomRendering, SkyBoxCountsTwelvePolygonsAndFacesTheCamera) {
  UseSky({Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::cyan, Qt::magenta});
  StartGL();
  Room().SkyTexture = 1;
  Frame(TCamera::Mode3D);
  EXPECT_EQ(gl->PolygonCount(), 12);
  EXPECT_EQ(host.StatusText(4), "Polygons: 12");
  ExpectColor(Pixel(320, 240), {255, 0, 0});  // looking along -z
  Room().Camera.Rotation = {0.0f, 90.0f, 0.0f};
  Frame(TCamera::Mode3D);
  ExpectColor(Pixel(320, 240), {255, 255, 0});  // turned left: the x = -10 face
  Room().Camera.Rotation = {90.0f, 0.0f, 0.0f};
  Frame(TCamera::Mode3D);
  ExpectColor(Pixel(320, 240), {0, 255, 255});  // looking up
  SaveFrame("sky_up");
  // Flat views never show the sky.
  Frame(TCamera::ModeTop);
  EXPECT_EQ(gl->PolygonCount(), 0);
  EXPECT_TRUE(host.caption.empty());
}

// Looking into a corner of an evenly grey sky shows three faces and their shared
// edges: no pixel there may be darker (or lighter) than the faces themselves.
TEST_F(RoomRendering, TheSkyBoxShowsNoSeamAlongItsEdges) {
  const QColor grey(200, 200, 200);
  UseSky({grey, grey, grey, grey, grey, grey});
  StartGL();
  Room().SkyTexture = 1;
  for (const TVector rotation : {TVector{0.0f, 45.0f, 0.0f}, TVector{35.0f, 45.0f, 0.0f}, TVector{-35.0f, -45.0f, 0.0f}}) {
    Room().Camera.Rotation = rotation;
    Frame(TCamera::Mode3D);
    std::vector<unsigned char> frame(static_cast<std::size_t>(Width) * Height * 3);
    glReadPixels(0, 0, Width, Height, GL_RGB, GL_UNSIGNED_BYTE, frame.data());
    const auto [darkest, lightest] = std::minmax_element(frame.begin(), frame.end());
    EXPECT_GE(static_cast<int>(*darkest), 197) << "pitch " << rotation.x << ", yaw " << rotation.y;
    EXPECT_LE(static_cast<int>(*lightest), 203) << "pitch " << rotation.x << ", yaw " << rotation.y;
  }
  SaveFrame("sky_corner");
}

// The sky and the grid are drawn after the surfaces, only where no surface lies, and
// must look as if drawn before them: hidden behind a surface, whole around it.
TEST_F(RoomRendering, TheSkyAndTheGridShowOnlyWhereNoSurfaceLies) {
  UseSky({Qt::red, Qt::red, Qt::red, Qt::red, Qt::red, Qt::red});
  WriteBitmap("data/model/world/textures/blue.bmp", Qt::blue);
  StartGL();
  Room().SkyTexture = 1;
  Main().SetChecked("ShowSurfaces1", true);
  Main().SetChecked("ShowGrid1", true);
  // A wall ahead covering the left half of the view, facing the camera either way round.
  ASSERT_NE(Room().AddSurface({-20, -20, -5}, {0, -20, -5}, {0, 20, -5}, {-20, 20, -5}, "textures\\blue"), nullptr);
  ASSERT_NE(Room().AddSurface({-20, 20, -5.01f}, {0, 20, -5.01f}, {0, -20, -5.01f}, {-20, -20, -5.01f},
                              "textures\\blue"),
            nullptr);
  Frame(TCamera::Mode3D);
  ExpectColor(Pixel(100, 100), {0, 0, 255});
  ExpectColor(Pixel(540, 100), {255, 0, 0});

  // The grid's middle line runs down the top view's centre column; a floor hides part of it.
  Frame(TCamera::ModeTop);
  const auto isGrid = [](std::array<int, 3> c) { return c[0] > 100 && c[0] == c[1] && c[1] == c[2]; };
  int column = -1;
  for (int x = 310; x <= 330 && column < 0; ++x)
    if (isGrid(Pixel(x, 60))) column = x;
  ASSERT_GE(column, 0) << "no grid line near the centre";
  const std::array<int, 3> line = Pixel(column, 60);
  ASSERT_NE(AddFloor(-2, -20, 2, -2, 0.5f, "textures\\blue"), nullptr);
  Frame(TCamera::ModeTop);
  SaveFrame("grid_behind_floor");
  ExpectColor(Pixel(column, 60), {0, 0, 255}, 0);
  ExpectColor(Pixel(column, 420), line, 0);
}

TEST_F(RoomRendering, FogShowsAsClearColourOnlyWhenTypedAndChecked) {
  StartGL();
  Room().FogColor = {0.0f, 0.0f, 1.0f};
  Frame(TCamera::ModeTop);
  ExpectColor(Pixel(10, 10), {76, 76, 76});  // fog type 0 keeps the start-up grey
  Room().FogTypus = 1;
  Frame(TCamera::ModeTop);
  ExpectColor(Pixel(10, 10), {76, 76, 76});  // "Show Fog" is not checked
  GLint mode = 0;
  glGetIntegerv(GL_FOG_MODE, &mode);
  GLfloat start = 0;
  glGetFloatv(GL_FOG_START, &start);
  EXPECT_EQ(mode, GL_LINEAR);
  EXPECT_FLOAT_EQ(start, 3990.0f);
  Main().SetChecked("ShowFog1", true);
  Frame(TCamera::ModeTop);
  ExpectColor(Pixel(10, 10), {0, 0, 255});
}

TEST_F(RoomRendering, SurfacesCountTwoPolygonsEachAndShowTheirTexture) {
  WriteBitmap("data/model/world/textures/red.bmp", Qt::red);
  StartGL();
  ASSERT_NE(AddFloor(-2, -2, 2, 2, 0.0f, "textures\\red"), nullptr);
  ASSERT_NE(AddFloor(5, 5, 6, 6, 0.0f, "textures\\red"), nullptr);
  ASSERT_NE(AddFloor(-6, 5, -5, 6, 0.0f, "textures\\red"), nullptr);
  EXPECT_TRUE(Errors().empty()) << Errors()[0];
  Frame(TCamera::ModeTop);
  EXPECT_EQ(gl->PolygonCount(), 0);  // "Show Surfaces" unchecked
  Main().SetChecked("ShowSurfaces1", true);
  Frame(TCamera::ModeTop);
  EXPECT_EQ(gl->PolygonCount(), 6);
  ExpectColor(Pixel(300, 220), {255, 0, 0});  // beside the cursor's dot in the middle
  SaveFrame("surfaces_top");
  EXPECT_TRUE(host.caption.empty());
}

// The light map multiplies the texture under it: black is black, grey halves it.
TEST_F(RoomRendering, ALightMapDarkensItsSurfaceTexture) {
  WriteBitmap("data/model/world/textures/white.bmp", Qt::white);
  StartGL();
  Main().SetChecked("ShowSurfaces1", true);
  for (const auto& [level, expected] : {std::pair{0, 0}, {128, 128}, {255, 255}}) {
    gl->SurfaceTextureUploads().SetLightMapComputer([level](TSurface& surface) {
      std::fill(surface.lightMapPixels.begin(), surface.lightMapPixels.end(), static_cast<std::uint8_t>(level));
    });
    TSurface* floor = AddFloor(-2, -2, 2, 2, 0.0f, "textures\\white");
    ASSERT_NE(floor, nullptr);
    Frame(TCamera::ModeTop);
    ExpectColor(Pixel(300, 220), {expected, expected, expected});
    floor->Reset();
  }
}

// A stored light map without texels uploads nothing: the surface shows its texture alone.
TEST_F(RoomRendering, ASurfaceWithAnEmptyStoredLightMapDrawsByItsTexture) {
  WriteBitmap("data/model/world/textures/red.bmp", Qt::red);
  StartGL();
  Main().SetChecked("ShowSurfaces1", true);
  AddFloor(-2, -2, 2, 2, 0.0f, "textures\\red")->lightMapWidth = 0;
  ASSERT_TRUE(Room().LoadFromBytes(Room().SaveToBytes()));
  EXPECT_EQ(Room().Surfaces[0]->lightMapHandle, TSurface::NoTexture);
  for (const int mode : {TCamera::ModeSide, TCamera::Mode3D, TCamera::ModeTop}) {
    Frame(mode);
    EXPECT_TRUE(host.caption.empty()) << "view " << mode;
  }
  EXPECT_EQ(gl->PolygonCount(), 2);
  ExpectColor(Pixel(300, 220), {255, 0, 0});
}

TEST_F(RoomRendering, TheSelectedSurfacePulsesOnlyOnTheSurfacesPage) {
  WriteBitmap("data/model/world/textures/grey.bmp", QColor(128, 128, 128));
  StartGL();
  Main().SetChecked("ShowSurfaces1", true);
  TSurface* floor = AddFloor(-2, -2, 2, 2, 0.0f, "textures\\grey");
  ASSERT_NE(floor, nullptr);
  Room().Cursor.SelectedSurface = floor;
  Frame(TCamera::ModeTop);
  const auto plain = Pixel(300, 220);
  Main().SetActivePage("PageControl", "TabSheetSurfaces");
  Frame(TCamera::ModeTop);
  const auto lit = Pixel(300, 220);
  EXPECT_GT(lit[0], plain[0] + 20);  // additive highlight on top of the texture
  EXPECT_GT(lit[1], plain[1] + 20);
}

// The view shows the room's own edit cursor: its dot where it stands, and while a new
// surface is being dragged the rectangle from the press to the cursor.
TEST_F(RoomRendering, TheEditCursorIsDrawnWhereItStandsWithTheSurfaceItDrags) {
  StartGL();
  TCursor& cursor = Room().Cursor;
  // View pixel (400, 300) lies at (2.08, 1.56) in the top view at zoom 1.
  cursor.Position = {2.08f, 0.0f, 1.56f};
  Frame(TCamera::ModeTop);
  const auto dot = Pixel(400, 300);
  EXPECT_GT(dot[1], dot[0] + 40);  // additive green
  ExpectColor(Pixel(320, 240), {77, 77, 77});

  cursor.SetMode(4001);
  cursor.SurfaceStart = {-2.0f, 0.0f, -2.0f};
  cursor.Position = {2.0f, 0.0f, 2.0f};
  Frame(TCamera::ModeTop);
  ExpectColor(Pixel(340, 260), {77, 77, 77});  // no button held: no rectangle
  cursor.PressStateNow = TCursor::Held;
  Frame(TCamera::ModeTop);
  ExpectColor(Pixel(340, 260), {166, 166, 166});  // white at alpha 0.5 over the grey
  ExpectColor(Pixel(200, 120), {77, 77, 77});     // outside it
}

TEST_F(RoomRendering, FieldOverlayColoursByTheActiveTool) {
  StartGL();
  Main().SetActivePage("PageControl", "TabSheetFields");
  TField& field = Room().FieldOf(30, 30);  // x 0..1, z 0..1
  field.Typus = 1;
  field.Material = 3;
  field.Height = 0.0f;
  Room().Camera.Position = {0.5f, 2.0f, 0.5f};
  Room().Cursor.SetMode(1001);
  Frame(TCamera::ModeTop);
  // Average blending of (0.5, 1, 0) at alpha 0.5 over the 0.3 grey.
  SaveFrame("fields_typus_top");
  ExpectColor(Pixel(320, 240), {102, 166, 38});
  Room().Cursor.SetMode(1002);
  Frame(TCamera::ModeTop);
  ExpectColor(Pixel(320, 240), {153, 153, 77});  // material 3: (0.9, 0.9, 0.3)
  Room().Cursor.SetMode(2001);
  Frame(TCamera::ModeTop);
  ExpectColor(Pixel(320, 100), {77, 77, 77});  // outside the field
  ExpectColor(Pixel(330, 250), {102, 102, 102});  // plain grey 0.5 for other tools
  SaveFrame("fields_top");
}

TEST_F(RoomRendering, WaterCountsTwoPolygonsPerCellAndLayer) {
  StartGL();
  TRoom& room = Room();
  room.WaterMaterial = 1;
  room.WaterFromX = 0;
  room.WaterToX = 4;  // columns 0, 1, 2
  room.WaterFromZ = 0;
  room.WaterToZ = 3;  // rows 0, 1 (fractions dropped)
  Frame(TCamera::ModeTop);
  EXPECT_EQ(gl->PolygonCount(), 3 * 2 * 2 * 2);
  room.WaterFromX = room.WaterToX = 10;
  room.WaterFromZ = room.WaterToZ = 11;
  Frame(TCamera::ModeTop);
  EXPECT_EQ(gl->PolygonCount(), 4);
  room.WaterMaterial = 0;
  Frame(TCamera::ModeTop);
  EXPECT_EQ(gl->PolygonCount(), 0);
}

TEST_F(RoomRendering, AnEntityWithoutModelShowsAWhiteMarkerBox) {
  StartGL();
  TEntity* marker = Room().AddEntity(typus::Marker, {0.0f, 0.0f, 0.0f}, {}, 1.0f);
  ASSERT_NE(marker, nullptr);
  ASSERT_EQ(marker->ModelIndex, -1);
  Frame(TCamera::ModeTop);
  // Additive white at alpha 0.15 over the grey, solid box and its outline.
  const auto inside = Pixel(320, 240);
  EXPECT_GE(inside[0], 110);
  EXPECT_EQ(inside[0], inside[2]);
  ExpectColor(Pixel(320, 60), {77, 77, 77});
}

TEST_F(RoomRendering, EveryPassInEveryViewLeavesNoGLError) {
  UseTextures({{"world\\water\\water", Qt::blue},
               {"world\\water\\water2", Qt::cyan},
               {"effect\\shadow", Qt::white},
               {"effect\\flare\\flare", Qt::white},
               {"effect\\flare\\center", Qt::white},
               {"effect\\flare\\rings", Qt::white}});
  WriteBitmap("data/model/world/textures/wall.bmp", QColor(180, 140, 90));
  StartGL();
  for (const char* item : {"ShowFog1", "ShowGrid1", "ShowFieldCeiling1", "ShowSurfaces1", "ShowLights1",
                           "ShowLensFlares1", "ShowEntityTargets1", "ShowCollisionRadius1", "ShowCameraRadii1",
                           "Lighting1", "ShowDetailmaps1"}) {
    Main().SetChecked(item, true);
  }
  Main().SetActivePage("PageControl", "TabSheetFields");
  TRoom& room = Room();
  room.FogTypus = 1;
  room.FogColor = {0.1f, 0.1f, 0.2f};
  room.FogStartDist = 20.0f;
  room.FogEndDist = 60.0f;
  for (int i = 25; i < 35; ++i) {
    for (int j = 25; j < 35; ++j) {
      TField& field = room.FieldOf(i, j);
      field.Typus = static_cast<std::int16_t>(1 + (i + j) % 7);
      field.Height = 0.1f * static_cast<float>(i - 25);
      field.Ceiling = 3.0f;
    }
  }
  room.WaterMaterial = 1;
  room.WaterFromX = 20;
  room.WaterToX = 40;
  room.WaterFromZ = 40;
  room.WaterToZ = 44;
  room.WaterColor = {0.2f, 0.4f, 0.8f};
  room.AddSurface({-3, 0, -6}, {3, 0, -6}, {3, 3, -6}, {-3, 3, -6}, "textures\\wall");
  TLight* light = room.AddLight({2.0f, 2.0f, -2.0f}, {1.0f, 0.8f, 0.5f}, 6.0f);
  ASSERT_NE(light, nullptr);
  light->Flare = 2;
  light->Active = 1;
  light->CurrentColor = light->Color;
  TEntity* first = room.AddEntity(typus::TouchField, {-2.0f, 0.0f, 2.0f}, {}, 1.0f);
  TEntity* second = room.AddEntity(typus::Trigger, {2.0f, 0.0f, 3.0f}, {}, 1.0f);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  first->Links[0] = second->SlotIndex;
  first->ShadowTypus = 1;
  room.Cursor.SetMode(2001);
  Main().SetText("EditLightR", "1");
  Main().SetText("EditLightG", "0,5");
  Main().SetText("EditLightB", "x");
  room.Camera.Position = {0.0f, 1.5f, 4.0f};
  room.Time = 17.5f;
  for (const int mode : {TCamera::ModeTop, TCamera::ModeSide, TCamera::Mode3D}) {
    Frame(mode);
    EXPECT_TRUE(host.caption.empty()) << "view " << mode;
    EXPECT_GE(gl->PolygonCount(), 2 + 2 * 2 * 11 * 3) << "view " << mode;  // surface and water at least
    SaveFrame(std::string("busy_room_view") + std::to_string(mode));
  }
  Main().SetChecked("WireframeMode1", true);
  Frame(TCamera::Mode3D);
  EXPECT_TRUE(host.caption.empty());
  SaveFrame("busy_room_wireframe");
}

TEST_F(RoomRendering, AGLErrorDuringAFrameIsShownInTheCaption) {
  StartGL();
  glEnable(GL_TEXTURE_3D + 12345);  // an invalid enum leaves the error flag set
  Frame(TCamera::ModeTop);
  EXPECT_EQ(host.caption, "GL_ERROR located!");
  host.caption.clear();
  Frame(TCamera::ModeTop);
  EXPECT_TRUE(host.caption.empty());  // every pending flag was taken with the first report
}

}  // namespace
