// A frame after an edit shows the edit, whichever way the edit reached the room:
// anything the renderer may keep between frames must not show the room as it was.
#include "gl_fixture.h"
#include "render/edit_gl.h"

namespace {

constexpr std::array<int, 3> Background{77, 77, 77};

class FrameAfterEdit : public GLTest {
protected:
  void SetUp() override {
    GLTest::SetUp();
    if (HasFatalFailure()) return;
    Room().Camera.Position = {0.5f, 2.0f, 0.5f};
    Room().Camera.Zoom = 1.0f;
    Room().Camera.Mode = TCamera::ModeTop;
  }

  std::array<int, 3> CentreAfterFrame() {
    gl->DrawFrame();
    return Pixel(320, 240);
  }

  std::array<int, 3> AfterFrame(int x, int y) {
    gl->DrawFrame();
    return Pixel(x, y);
  }

  // Beside the edit cursor's dot in the middle.
  std::array<int, 3> NearCentreAfterFrame() { return AfterFrame(312, 232); }

  static void ExpectColor(std::array<int, 3> actual, std::array<int, 3> expected) {
    for (std::size_t i = 0; i < 3; ++i)
      EXPECT_NEAR(actual[i], expected[i], 3) << "component " << i << " of (" << actual[0] << ", " << actual[1]
                                             << ", " << actual[2] << ")";
  }

  TField& Field() { return Room().FieldOf(30, 30); }  // x 0..1, z 0..1 under the camera
};

TEST_F(FrameAfterEdit, TheFieldOverlayFollowsTheFieldsTheToolAndTheCeilingSwitch) {
  StartGL();
  Main().SetActivePage("PageControl", "TabSheetFields");
  Field().Typus = 1;
  Room().Cursor.SetMode(1001);  // coloured by kind
  ExpectColor(CentreAfterFrame(), {102, 166, 38});
  ExpectColor(CentreAfterFrame(), {102, 166, 38});  // replayed unchanged
  Field().Typus = 2;
  ExpectColor(CentreAfterFrame(), {166, 38, 38});
  Field().Typus = 0;
  ExpectColor(CentreAfterFrame(), Background);  // no field, no square

  Field().Typus = 1;
  Field().Height = 4.0f;
  Room().Cursor.SetMode(1003);  // greys by height
  ExpectColor(CentreAfterFrame(), {102, 102, 102});
  Field().Height = 9.0f;
  ExpectColor(CentreAfterFrame(), {166, 166, 166});
  Field().Material = 3;
  Room().Cursor.SetMode(1002);  // coloured by material
  ExpectColor(CentreAfterFrame(), {153, 153, 77});

  const auto floorOnly = CentreAfterFrame();
  Main().SetChecked(view_menu::ShowFieldCeiling, true);
  EXPECT_NE(CentreAfterFrame(), floorOnly);
  Main().SetChecked(view_menu::ShowFieldCeiling, false);
  EXPECT_EQ(CentreAfterFrame(), floorOnly);

  // Another sheet hides the overlay; back on the Fields sheet it shows the latest fields.
  Main().SetActivePage("PageControl", "TabSheetLights");
  ExpectColor(CentreAfterFrame(), Background);
  Field().Typus = 2;
  Room().Cursor.SetMode(1001);
  Main().SetActivePage("PageControl", "TabSheetFields");
  ExpectColor(CentreAfterFrame(), {166, 38, 38});
}

TEST_F(FrameAfterEdit, AMovedLightAndAMovedSurfaceShowWhereTheyAreNow) {
  WriteBitmap("data/model/world/textures/red.bmp", Qt::red);
  StartGL();
  Main().SetChecked(view_menu::ShowLights, true);
  Main().SetChecked(view_menu::ShowSurfaces, true);
  // A metre to the right of the middle, about 38 pixels at this zoom.
  TLight* light = Room().AddLight({1.5f, 2.0f, 0.5f}, {1.0f, 1.0f, 1.0f}, 6.0f);
  ASSERT_NE(light, nullptr);
  EXPECT_GT(AfterFrame(358, 240)[0], Background[0] + 10);
  light->Position = {4.5f, 2.0f, 0.5f};
  ExpectColor(AfterFrame(358, 240), Background);

  TSurface* floor = Room().AddSurface({-1, 0, -1}, {2, 0, -1}, {2, 0, 2}, {-1, 0, 2}, "textures\\red");
  ASSERT_NE(floor, nullptr);
  ExpectColor(NearCentreAfterFrame(), {255, 0, 0});
  for (TSurfaceCorner& corner : floor->corners) corner.position.x += 5.0f;
  ExpectColor(NearCentreAfterFrame(), Background);
}

}  // namespace
