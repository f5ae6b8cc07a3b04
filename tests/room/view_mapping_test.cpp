// The flat views' pointer mapping: the scale the picture has at each zoom, depth moving
// points outwards, and pixels and room points going round trip. The agreement with the
// drawn picture itself is checked against GL in the render tests.
#include <cmath>
#include <numbers>

#include "room/room_fixture.h"
#include "room/view_mapping.h"

namespace {

class ViewMapping : public RoomTest {
protected:
  ViewMapping() {
    camera.Position = {3.0f, 2.0f, -4.0f};
    camera.ViewWidth = 641;
    camera.ViewHeight = 481;
  }
  // Metres per pixel across the view on the plane at the given depth, worked out from
  // the picture's geometry: 45 / zoom degrees for the view's height, the eye 15 m away
  // with the depth squashed to a fiftieth.
  static double MetresPerPixelAcross(float zoom, float depth, int width) {
    const double halfHeight = (15.0 - 0.02 * depth) * std::tan(45.0 / zoom / 2.0 * std::numbers::pi / 180.0);
    return 2.0 * halfHeight * (4.0 / 3.0) / width;
  }
  TCamera& camera = room.Camera;
};

TEST_F(ViewMapping, TheScaleFollowsThePerspectiveAtEveryZoomInBothViews) {
  for (int mode : {TCamera::ModeTop, TCamera::ModeSide}) {
    for (float zoom : {0.5f, 1.0f, 2.0f, 8.0f}) {
      camera.Mode = static_cast<std::uint16_t>(mode);
      camera.Zoom = zoom;
      const TViewMapping view(camera);
      const TVector left = view.ToRoom({100.5f, 240.5f}, 0.0f);
      const TVector right = view.ToRoom({500.5f, 240.5f}, 0.0f);
      EXPECT_NEAR((right.x - left.x) / 400.0, MetresPerPixelAcross(zoom, 0.0f, 641), 1e-6) << mode << " " << zoom;
      // The view's centre shows the camera's position.
      const TVector centre = view.ToRoom({320.5f, 240.5f}, 0.0f);
      EXPECT_NEAR(centre.x, 3.0f, 1e-5f);
      EXPECT_NEAR(mode == TCamera::ModeTop ? centre.z : centre.y, mode == TCamera::ModeTop ? -4.0f : 2.0f, 1e-5f);
    }
  }
  // The old fixed 0.026 / zoom metres per pixel is a fifth off at zoom 0.5.
  EXPECT_GT(MetresPerPixelAcross(0.5f, 0.0f, 641) / 0.052, 1.19);
}

TEST_F(ViewMapping, DownIsTowardsPlusZFromTheTopAndMinusYFromTheSide) {
  camera.Mode = TCamera::ModeTop;
  const TVector below = TViewMapping(camera).ToRoom({320.5f, 400.5f}, 0.0f);
  EXPECT_GT(below.z, camera.Position.z);
  EXPECT_FLOAT_EQ(below.y, 0.0f);
  camera.Mode = TCamera::ModeSide;
  const TVector lower = TViewMapping(camera).ToRoom({320.5f, 400.5f}, 7.0f);
  EXPECT_LT(lower.y, camera.Position.y);
  EXPECT_FLOAT_EQ(lower.z, 7.0f);
}

TEST_F(ViewMapping, PointsNearerTheEyeAreDrawnFurtherOut) {
  for (int mode : {TCamera::ModeTop, TCamera::ModeSide}) {
    camera.Mode = static_cast<std::uint16_t>(mode);
    camera.Zoom = 1.0f;
    const TViewMapping view(camera);
    const TVector floor = view.ToRoom({600.5f, 20.5f}, 0.0f);
    TVector raised = floor;
    (mode == TCamera::ModeTop ? raised.y : raised.z) = 20.0f;
    const auto low = view.ToView(floor);
    const auto high = view.ToView(raised);
    ASSERT_TRUE(low && high);
    EXPECT_NEAR(low->x, 600.5f, 1e-3f);
    EXPECT_NEAR(low->y, 20.5f, 1e-3f);
    // 20 m towards the eye is 0.4 m of its 15: the point moves 2.7 % further from the centre.
    EXPECT_NEAR(high->x - 320.5f, (600.5f - 320.5f) * 15.0f / 14.6f, 1e-2f);
    EXPECT_NEAR(high->y - 240.5f, (20.5f - 240.5f) * 15.0f / 14.6f, 1e-2f);
  }
}

TEST_F(ViewMapping, PixelsAndRoomPointsGoRoundTripAndTheViewSizeCounts) {
  camera.Mode = TCamera::ModeSide;
  camera.Zoom = 2.0f;
  camera.ViewWidth = 1000;
  camera.ViewHeight = 500;
  const TViewMapping view(camera);
  const TVector point{-7.25f, 4.5f, 12.0f};
  const auto at = view.ToView(point);
  ASSERT_TRUE(at);
  const TVector back = view.ToRoom(*at, view.DepthOf(point));
  EXPECT_NEAR(back.x, point.x, 1e-4f);
  EXPECT_NEAR(back.y, point.y, 1e-4f);
  EXPECT_FLOAT_EQ(back.z, point.z);
  // A panel grown beyond the designed one keeps the designed pixel's shape.
  const double across = (view.ToRoom({600, 250}, 0).x - view.ToRoom({500, 250}, 0).x) / 100.0;
  const double up = (view.ToRoom({500, 200}, 0).y - view.ToRoom({500, 300}, 0).y) / 100.0;
  EXPECT_NEAR(across / up, 4.0 / 3.0 * 481.0 / 641.0, 1e-5);
  // Behind the eye nothing is drawn.
  EXPECT_FALSE(view.ToView({0.0f, 0.0f, 800.0f}));
}

}  // namespace
