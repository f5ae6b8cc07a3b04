#include "room/room_fixture.h"
#include <cmath>

namespace {

class Camera : public RoomTest {
protected:
  MemoryForm& Main() { return host.Memory(FormId::Main); }
  // Puts the pointer dx, dy pixels from the panel's centre.
  void PointerOffset(int dx, int dy) {
    host.pointer = {host.viewOrigin.x + 320 + dx, host.viewOrigin.y + 240 + dy};
  }
  TCamera& camera = room.Camera;
};

TEST_F(Camera, ZoomStepsStopAtTheirLimits) {
  std::vector<float> zooms;
  for (int i = 0; i < 4; ++i) {
    camera.ZoomIn();
    zooms.push_back(camera.Zoom);
  }
  EXPECT_EQ(zooms, (std::vector<float>{2, 4, 8, 8}));
  camera.Zoom = 1;
  camera.ZoomOut();
  camera.ZoomOut();
  EXPECT_EQ(camera.Zoom, 0.5f);
}

TEST_F(Camera, ZoomTextInTheStatusBar) {
  camera.DoFrame();
  EXPECT_EQ(host.StatusText(3), "Zoom x 1");
  camera.ZoomIn();
  camera.ZoomIn();
  camera.DoFrame();
  EXPECT_EQ(host.StatusText(3), "Zoom x 4");
  camera.Zoom = 0.5f;
  host.decimalSeparator = ',';
  camera.DoFrame();
  EXPECT_EQ(host.StatusText(3), "Zoom x 0,5");
}

TEST_F(Camera, SetModeShowsTheHiddenCoordinateOnTheBar) {
  camera.Position = {1, 2.51f, -3.333f};
  camera.SetMode(TCamera::ModeSide);
  EXPECT_EQ(Main().Position("ScrollBarYZ"), -50);
  EXPECT_FLOAT_EQ(camera.Position.y, 2.5f);  // held to the bar's steps of 0.05
  camera.SetMode(TCamera::ModeTop);
  EXPECT_EQ(Main().Position("ScrollBarYZ"), -67);
  EXPECT_FLOAT_EQ(camera.Position.z, -3.35f);
  EXPECT_TRUE(Main().Visible("ScrollBarX"));
  camera.Position.z = 10;
  camera.SetMode(7);  // unknown modes touch no bar
  EXPECT_EQ(Main().Position("ScrollBarYZ"), -67);
  EXPECT_EQ(camera.Mode, 7);
}

TEST_F(Camera, ScrollBarsMoveTheCamera) {
  Main().SetPosition("ScrollBarX", 30);
  camera.ScrollX();
  EXPECT_FLOAT_EQ(camera.Position.x, 1.5f);
  Main().SetPosition("ScrollBarYZ", 40);
  camera.Mode = TCamera::ModeSide;
  camera.ScrollYZ();
  EXPECT_FLOAT_EQ(camera.Position.y, -2.0f);
  camera.Mode = TCamera::Mode3D;
  camera.ScrollYZ();
  EXPECT_FLOAT_EQ(camera.Position.z, 0.0f);
}

TEST_F(Camera, WithoutCaptureTheFrameChangesNothing) {
  host.keysDown = {vk::W};
  PointerOffset(100, 100);
  const TVector before = camera.Position;
  camera.DoFrame();
  EXPECT_EQ(camera.Position, before);
  EXPECT_EQ(host.keyboardPolls, 0);
}

TEST_F(Camera, ToggleCaptureHidesThePointerAndCentresIt) {
  host.viewOrigin = {100, 50};
  camera.ToggleCapture();
  EXPECT_EQ(camera.Captured, 1);
  EXPECT_TRUE(host.pointerHidden);
  EXPECT_EQ(host.pointer.x, 420);
  EXPECT_EQ(host.pointer.y, 290);
  EXPECT_EQ(host.viewFocused, 1);
  camera.ToggleCapture();
  EXPECT_FALSE(host.pointerHidden);
}

TEST_F(Camera, SideViewMouseDownRaisesTheCamera) {
  camera.SetMode(TCamera::ModeSide);
  camera.ToggleCapture();
  PointerOffset(0, 50);
  camera.DoFrame();
  EXPECT_FLOAT_EQ(camera.Position.y, 3.0f);
  EXPECT_EQ(Main().Position("ScrollBarYZ"), -60);
  EXPECT_EQ(host.pointer.x, 320);  // warped back to the centre
  EXPECT_EQ(host.pointer.y, 240);
}

TEST_F(Camera, TopViewPansAgainstThePointerScaledByZoom) {
  camera.ToggleCapture();
  camera.Zoom = 2;
  PointerOffset(100, -10);
  camera.DoFrame();
  EXPECT_FLOAT_EQ(camera.Position.x, -1.0f);
  EXPECT_FLOAT_EQ(camera.Position.z, 0.1f);
  EXPECT_EQ(Main().Position("ScrollBarX"), -20);
}

// A pan of less than one bar step (0.05 m) per frame still adds up; the camera only
// takes the bar's value on the frames the bar moves.
TEST_F(Camera, SlowPanningAddsUpBelowOneBarStep) {
  camera.ToggleCapture();
  for (int frame = 0; frame < 10; ++frame) {
    PointerOffset(-1, 0);  // 0.02 m a frame at zoom 1
    camera.DoFrame();
  }
  EXPECT_FLOAT_EQ(camera.Position.x, 0.25f);
  EXPECT_EQ(Main().Position("ScrollBarX"), 5);
}

TEST_F(Camera, PanningBeyondTheBarsIsHeldAtFiftyMetres) {
  camera.ToggleCapture();
  PointerOffset(-4000, 0);
  camera.DoFrame();
  EXPECT_EQ(Main().Position("ScrollBarX"), 1000);
  EXPECT_FLOAT_EQ(camera.Position.x, 50.0f);
}

TEST_F(Camera, FlightKeysAndAlt) {
  camera.SetMode(TCamera::Mode3D);
  camera.ToggleCapture();
  host.keysDown = {vk::W, vk::Space};
  camera.DoFrame();
  EXPECT_NEAR(camera.Position.z, -0.3f, 1e-6f);
  EXPECT_NEAR(camera.Position.y, 2.15f, 1e-6f);
  EXPECT_EQ(camera.SavedPosition, camera.Position);
  host.keysDown = {vk::Alt, vk::S, vk::D, vk::Ctrl};
  const TVector before = camera.Position;
  PointerOffset(0, -100);
  camera.DoFrame();
  EXPECT_EQ(camera.Position.y, before.y);
  EXPECT_FLOAT_EQ(camera.Rotation.x, 20.0f);  // mouse-look still works
  EXPECT_EQ(camera.SavedRotation, camera.Rotation);
}

TEST_F(Camera, PitchStaysWithinNinetyDegrees) {
  camera.SetMode(TCamera::Mode3D);
  camera.ToggleCapture();
  PointerOffset(0, -5000);
  camera.DoFrame();
  EXPECT_EQ(camera.Rotation.x, 90.0f);
  PointerOffset(30, 9000);
  camera.DoFrame();
  EXPECT_EQ(camera.Rotation.x, -90.0f);
  EXPECT_FLOAT_EQ(camera.Rotation.y, -6.0f);
}

TEST_F(Camera, MoveStepNeedsCapture) {
  camera.MoveStep(1);
  EXPECT_EQ(camera.Position, (TVector{0, 2, 0}));
  camera.ToggleCapture();
  camera.Rotation = {0, 90, 0};
  camera.MoveStep(1);  // facing -X after a quarter turn
  EXPECT_NEAR(camera.Position.x, -0.3f, 1e-6f);
  camera.MoveStep(9);
  EXPECT_NEAR(camera.Position.x, -0.3f, 1e-6f);
}

TEST_F(Camera, NewOrLoadedRoomKeepsTheView) {
  camera.Position = {3, 4, 5};
  camera.Mode = TCamera::ModeSide;
  room.ClearRoom();
  ASSERT_TRUE(room.LoadFromBytes(room.SaveToBytes()));
  EXPECT_EQ(camera.Position, (TVector{3, 4, 5}));
  EXPECT_EQ(camera.Mode, TCamera::ModeSide);
}

}  // namespace

// Navigation of the flat views: the wheel's zoom about the pointer and the drag's pan
// keep the room point under the pointer; the bars show the result without rounding it.
class Navigation : public Camera {
protected:
  TVector Under(TViewPoint at) const { return TViewMapping(camera).ToRoom(at, 0.0f); }
  static void ExpectNear(const TVector& a, const TVector& b, float tolerance) {
    EXPECT_NEAR(a.x, b.x, tolerance);
    EXPECT_NEAR(a.y, b.y, tolerance);
    EXPECT_NEAR(a.z, b.z, tolerance);
  }
};

TEST_F(Navigation, ZoomAboutThePointerKeepsThePointUnderItInBothViews) {
  for (int mode : {TCamera::ModeTop, TCamera::ModeSide}) {
    camera.SetMode(mode);
    camera.Zoom = 1.0f;
    camera.Position = {1.0f, 2.0f, 1.0f};
    const TViewPoint at{90.5f, 400.5f};
    const TVector before = Under(at);
    for (bool in : {true, true, true, false, false, false, false}) {
      camera.ZoomAbout(at, in);
      ExpectNear(Under(at), before, 1e-4f);
    }
    EXPECT_EQ(camera.Zoom, 0.5f);
    // The bars show the position to their twentieths; the camera keeps its own.
    EXPECT_EQ(Main().Position("ScrollBarX"), static_cast<int>(std::nearbyint(camera.Position.x * 20)));
    const float across = mode == TCamera::ModeTop ? camera.Position.z : -camera.Position.y;
    EXPECT_EQ(Main().Position("ScrollBarYZ"), static_cast<int>(std::nearbyint(across * 20)));
    EXPECT_NE(camera.Position.x * 20, std::nearbyint(camera.Position.x * 20));
  }
  // At the last zoom step nothing moves.
  camera.Zoom = 8.0f;
  const TVector still = camera.Position;
  camera.ZoomAbout({10.5f, 10.5f}, true);
  EXPECT_EQ(camera.Position, still);
}

TEST_F(Navigation, PanCarriesThePointUnderThePointerAlongAndStopsAtTheBars) {
  camera.SetMode(TCamera::ModeSide);
  camera.Zoom = 2.0f;
  const TVector grabbed = Under({100.5f, 100.5f});
  camera.Pan({100.5f, 100.5f}, {130.5f, 90.5f});
  camera.Pan({130.5f, 90.5f}, {400.5f, 300.5f});
  ExpectNear(Under({400.5f, 300.5f}), grabbed, 1e-4f);
  EXPECT_FLOAT_EQ(camera.Position.z, 0.0f);  // the viewing axis is left alone

  camera.SetMode(TCamera::ModeTop);
  for (int i = 0; i < 100; ++i) camera.Pan({600.5f, 240.5f}, {0.5f, 240.5f});
  EXPECT_FLOAT_EQ(camera.Position.x, 50.0f);
  EXPECT_EQ(Main().Position("ScrollBarX"), 1000);

  // The 3D view flies by itself.
  camera.SetMode(TCamera::Mode3D);
  const TVector flying = camera.Position;
  camera.Pan({0.5f, 0.5f}, {300.5f, 300.5f});
  camera.ZoomAbout({0.5f, 0.5f}, true);
  EXPECT_EQ(camera.Position, flying);
}
