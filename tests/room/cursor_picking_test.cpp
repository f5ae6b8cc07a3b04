// Picking follows the picture: an object is picked where it is drawn, at its own depth
// in the perspective of the flat views, at every zoom; a second click at the same place
// reaches the object beneath; the selected surface is named in the status bar.
#include "cursor_fixture.h"
#include "entities/edit_entity.h"
#include "entities/entity_typus.h"
#include "surfaces/surface_main.h"

namespace {

class CursorPicking : public CursorTest {
protected:
  CursorPicking() { main.SetChecked("UseGrid1", false); }
  // Press and release on the pixel a room point is drawn on.
  void ClickOn(const TVector& point) {
    HoverOnPixel(DrawnAt(point));
    cursor.Press(room);
    cursor.Release(room);
  }
  // The pixel the fixed 0.026 / zoom metres per pixel would have given.
  void ClickWhereTheOldScaleSaid(const TVector& point) {
    const TCamera& camera = room.Camera;
    const float perPixel = 0.026f / camera.Zoom;
    const float across = camera.Mode == TCamera::ModeTop ? point.z - camera.Position.z : camera.Position.y - point.y;
    cursor.SetPosition(room, 320 + static_cast<int>(std::lround((point.x - camera.Position.x) / perPixel)),
                       240 + static_cast<int>(std::lround(across / perPixel)));
    cursor.Press(room);
    cursor.Release(room);
  }
};

TEST_F(CursorPicking, LightsArePickedWhereTheyAreDrawnAtEveryZoomAndHeight) {
  cursor.SetMode(2003);  // Move Lights picks on the press and opens no dialog
  for (float zoom : {0.5f, 1.0f, 2.0f}) {
    room.Camera.Zoom = zoom;
    // Near the view's edge, high above the floor.
    const float reach = 7.0f / zoom;
    TLight* light = room.AddLight({reach, 12.0f, reach * 0.7f}, {1, 1, 1}, 3.0f);
    ASSERT_NE(light, nullptr);
    ClickOn(light->Position);
    EXPECT_EQ(cursor.SelectedLight, light) << "zoom " << zoom;
    EXPECT_EQ(cursor.Position, light->Position);
    if (zoom == 0.5f) {
      ClickWhereTheOldScaleSaid(light->Position);
      EXPECT_EQ(cursor.SelectedLight, nullptr);
    }
    light->ResetLight();
  }
}

TEST_F(CursorPicking, EntitiesArePickedWhereTheSideViewDrawsThemAtTheirDepth) {
  room.Camera.SetMode(TCamera::ModeSide);
  room.Camera.Position = {0.0f, 2.0f, 0.0f};
  cursor.SetMode(3003);
  for (float zoom : {0.5f, 1.0f, 2.0f}) {
    room.Camera.Zoom = zoom;
    // Near the eye the picture is larger: the entity is drawn further out than its x and y say.
    TEntity* near = room.AddEntity(typus::Marker, {6.0f / zoom, -3.0f / zoom, 28.0f}, {}, 1.0f);
    ASSERT_NE(near, nullptr);
    ClickOn(near->Position);
    EXPECT_EQ(cursor.SelectedEntity, near) << "zoom " << zoom;
    // The cursor's z follows the entity it took.
    EXPECT_FLOAT_EQ(cursor.Position.z, 28.0f);
    near->Delete();
    room.CountEntities();
  }
}

TEST_F(CursorPicking, ASecondClickAtTheSamePlaceTakesTheObjectBeneath) {
  cursor.SetMode(3003);
  TEntity* field = room.AddEntity(typus::TouchField, {2.0f, 0.0f, 1.0f}, {}, 1.0f);
  TEntity* trigger = room.AddEntity(typus::Trigger, {2.1f, 0.0f, 1.0f}, {}, 1.0f);
  TEntity* elsewhere = room.AddEntity(typus::Marker, {-5.0f, 0.0f, 0.0f}, {}, 1.0f);
  ASSERT_TRUE(field && trigger && elsewhere);
  const TVector between{2.05f, 0.0f, 1.0f};
  std::vector<TEntity*> picked;
  for (int click = 0; click < 3; ++click) {
    ClickOn(between);
    picked.push_back(cursor.SelectedEntity);
  }
  EXPECT_EQ(picked, (std::vector<TEntity*>{trigger, field, trigger}));

  // A pick elsewhere starts over with the last in slot order.
  ClickOn(elsewhere->Position);
  EXPECT_EQ(cursor.SelectedEntity, elsewhere);
  ClickOn(between);
  EXPECT_EQ(cursor.SelectedEntity, trigger);
  // So does the same pixel once the view has moved, or after choosing a tool.
  room.Camera.Position.x += 0.01f;
  ClickOn(between);
  EXPECT_EQ(cursor.SelectedEntity, trigger);
  cursor.SetMode(3003);
  ClickOn(between);
  EXPECT_EQ(cursor.SelectedEntity, trigger);
  ClickOn(between);
  EXPECT_EQ(cursor.SelectedEntity, field);
}

TEST_F(CursorPicking, ANewLightHighUpLandsUnderThePointer) {
  room.Camera.Zoom = 0.5f;
  main.SetPosition("TrackBarY", -150);  // 15 m up
  main.SetText("EditLightR", "1");
  main.SetText("EditLightG", "1");
  main.SetText("EditLightB", "1");
  main.SetText("EditLightRadius", "2");
  cursor.SetMode(2001);
  HoverOnPixel({600.5f, 30.5f});
  cursor.Press(room);
  cursor.Release(room);
  ASSERT_NE(cursor.SelectedLight, nullptr);
  EXPECT_FLOAT_EQ(cursor.SelectedLight->Position.y, 15.0f);
  const TViewPoint drawn = DrawnAt(cursor.SelectedLight->Position);
  EXPECT_NEAR(drawn.x, 600.5f, 0.5f);
  EXPECT_NEAR(drawn.y, 30.5f, 0.5f);
}

TEST_F(CursorPicking, TheSelectedSurfaceIsNamedInTheStatusBar) {
  TSurface* floor = room.AddSurface({0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}, "textures\\default");
  TSurface* wall = room.AddSurface({5, 0, 0}, {6, 0, 0}, {6, 1, 0}, {5, 1, 0}, "textures\\default");
  ASSERT_TRUE(floor && wall);
  wall->name = "WALL";
  cursor.SelectNextSurface(room);
  EXPECT_EQ(host.StatusText(TRoom::MessageStatusPanel), "Surface 0: SURFACE");
  cursor.SelectNextSurface(room);
  EXPECT_EQ(host.StatusText(TRoom::MessageStatusPanel), "Surface 1: WALL");
  floor->Reset();
  wall->Reset();
  cursor.SelectPreviousSurface(room);
  EXPECT_EQ(host.StatusText(TRoom::MessageStatusPanel), "No surface selected");
}

}  // namespace
