// The edit cursor's height-map import, camera-zone tool and "Edit Surface" through a
// headless host.
#include "cursor_fixture.h"
#include "entities/entity_camera.h"
#include "entities/entity_typus.h"
#include "models/edit_model.h"
#include "surfaces/surface_main.h"

namespace {

struct Zone {
  float minX, minZ, maxX, maxZ;
};

class CursorToolsTest : public CursorTest {
protected:
  TECamera& CameraZone(Zone zone) {
    auto* camera = dynamic_cast<TECamera*>(room.AddEntity(typus::Camera, {}, {}, 1.0f));
    EXPECT_NE(camera, nullptr);
    camera->ZoneMinX = zone.minX;
    camera->ZoneMinZ = zone.minZ;
    camera->ZoneMaxX = zone.maxX;
    camera->ZoneMaxZ = zone.maxZ;
    return *camera;
  }
  static void ExpectZone(const TECamera& camera, Zone zone) {
    EXPECT_FLOAT_EQ(camera.ZoneMinX, zone.minX);
    EXPECT_FLOAT_EQ(camera.ZoneMinZ, zone.minZ);
    EXPECT_FLOAT_EQ(camera.ZoneMaxX, zone.maxX);
    EXPECT_FLOAT_EQ(camera.ZoneMaxZ, zone.maxZ);
  }

  // A model of single vertices in its own catalogue slot, standing as an entity.
  TEntity& WithModel(std::int16_t typus, std::int16_t slot, const TVector& position,
                     std::initializer_list<TVector> vertices) {
    TVEModel& model = *engine.ModelEngine->GetModel(slot);
    for (const TVector& v : vertices) model.Vertices.push_back({v, -1});
    TEntity& entity = *room.AddEntity(typus, position, {}, 1.0f);
    entity.ModelIndex = slot;
    return entity;
  }

  TSurface* Square(float x) {
    return room.AddSurface({x, 0, 0}, {x + 1, 0, 0}, {x + 1, 0, 1}, {x, 0, 1}, "textures\\default");
  }
};

TEST_F(CursorToolsTest, ZoneEdgesFollowTheCursorButStopShortOfTheOppositeEdge) {
  TECamera& zone = CameraZone({-2, -2, 2, 2});
  cursor.SetMode(3005);
  DragFromTo(-2.0f, 0.0f, 5.0f, 0.0f);  // minimum-x edge dragged past maximum-x
  ExpectZone(zone, {1.5f, -2, 2, 2});
  EXPECT_EQ(cursor.SelectedZone, &zone);
  EXPECT_EQ(cursor.ZoneHandle, TCursor::MinXEdge);

  DragFromTo(1.75f, 2.0f, 1.75f, 3.0f);  // maximum-z edge outwards, tested after both x edges
  ExpectZone(zone, {1.5f, -2, 2, 3});
  DragFromTo(2.0f, 0.0f, 4.0f, 0.0f);
  ExpectZone(zone, {1.5f, -2, 4, 3});
  DragFromTo(2.75f, 0.5f, 1.75f, -4.5f);  // no edge under the cursor: the whole zone moves
  EXPECT_EQ(cursor.ZoneHandle, TCursor::WholeZone);
  ExpectZone(zone, {0.5f, -7, 3, -2});

  // At a corner the edge tested last is the one dragged: maximum z before maximum x.
  DragFromTo(3.0f, -2.0f, 2.5f, -1.0f);
  ExpectZone(zone, {0.5f, -7, 3, -1});

  // A press a quarter metre outside still grabs the edge; further out nothing is picked.
  DragFromTo(0.25f, -4.0f, -1.0f, -4.0f);
  ExpectZone(zone, {-1.0f, -7, 3, -1});
  DragFromTo(-2.0f, -4.0f, -3.0f, -4.0f);
  EXPECT_EQ(cursor.SelectedZone, nullptr);
  ExpectZone(zone, {-1.0f, -7, 3, -1});
}

TEST_F(CursorToolsTest, AnEdgeUnderTheCursorWinsOverALaterZoneContainingIt) {
  TECamera& inner = CameraZone({-2, -2, 2, 2});
  TECamera& outer = CameraZone({-10, -10, 10, 10});
  cursor.SetMode(3005);
  ClickAt(2.0f, 0.0f);
  EXPECT_EQ(cursor.SelectedZone, &inner);
  EXPECT_EQ(cursor.ZoneHandle, TCursor::MaxXEdge);
  // Inside both and on no edge: the last zone in slot order.
  ClickAt(0.0f, 0.0f);
  EXPECT_EQ(cursor.SelectedZone, &outer);
  EXPECT_EQ(cursor.ZoneHandle, TCursor::WholeZone);
  ClickAt(-10.0f, 5.0f);
  EXPECT_EQ(cursor.SelectedZone, &outer);
  EXPECT_EQ(cursor.ZoneHandle, TCursor::MinXEdge);
  // Other entities, however close, are never zones.
  room.AddEntity(typus::Trigger, {20, 0, 20}, {}, 1.0f);
  ClickAt(20.0f, 20.0f);
  EXPECT_EQ(cursor.SelectedZone, nullptr);

  ClickAt(0.0f, 0.0f);
  cursor.SetMode(3001);
  EXPECT_EQ(cursor.SelectedZone, nullptr);
  EXPECT_EQ(cursor.ZoneHandle, TCursor::NoHandle);
}

TEST_F(CursorToolsTest, ZonesArePickedInTheTopViewOnly) {
  TECamera& zone = CameraZone({-2, -2, 2, 2});
  cursor.SetMode(3005);
  room.Camera.Mode = TCamera::ModeSide;
  DragFromTo(-2.0f, 0.0f, 1.0f, 0.0f);
  EXPECT_EQ(cursor.SelectedZone, nullptr);
  ExpectZone(zone, {-2, -2, 2, 2});
}

TEST_F(CursorToolsTest, HeightMapImportTakesTheLastTileAndFillsFromEvenNeighbours) {
  // Field (30, 30) has its low corner at the room's centre, (32, 30) two metres along x.
  // Placed vertices are mirrored in x and z.
  WithModel(typus::Tile, 1, {0, 0, 0}, {{0, 1, 0}, {-2, 3, 0}});
  WithModel(typus::Tile, 2, {0, 4, 0}, {{0, 1, 0}});  // later slot: wins at (30, 30)
  WithModel(typus::Animation, 3, {0, 0, 0}, {{0, 50, 0}});  // not a tile
  TEntity& modelless = *room.AddEntity(typus::Tile, {0, 0, 0}, {}, 1.0f);
  modelless.ModelIndex = -1;
  room.FieldOf(10, 10).Height = 7.0f;

  cursor.SetMode(1004);
  cursor.SetPosition(room, PixelX(0), PixelY(0));
  cursor.Press(room);
  EXPECT_FLOAT_EQ(room.FieldOf(10, 10).Height, 7.0f);  // acts on the release only
  cursor.Release(room);

  EXPECT_FLOAT_EQ(room.FieldOf(30, 30).Height, 5.0f);
  EXPECT_FLOAT_EQ(room.FieldOf(32, 30).Height, 3.0f);
  EXPECT_FLOAT_EQ(room.FieldOf(31, 30).Height, 4.0f);  // (30, 30) and (32, 30)
  EXPECT_FLOAT_EQ(room.FieldOf(31, 29).Height, 4.0f);
  EXPECT_FLOAT_EQ(room.FieldOf(29, 31).Height, 5.0f);  // only (30, 30) is even and known
  // An even field learns nothing from its odd neighbours.
  EXPECT_FLOAT_EQ(room.FieldOf(30, 32).Height, -999.0f);
  const TField& far = room.FieldOf(10, 10);
  EXPECT_FLOAT_EQ(far.Height, -999.0f);
  EXPECT_EQ(far.Typus, 4);
  EXPECT_FLOAT_EQ(far.Ceiling, 30.0f);
}

TEST_F(CursorToolsTest, HeightMapSamplesAtTheGridEdgesWithoutLeavingIt) {
  // Vertices at the low corners of the first and last column and row.
  WithModel(typus::Tile, 1, {0, 0, 0}, {{30, 2, 30}, {-29, 6, -29}});
  cursor.SetMode(1004);
  ClickAt(0, 0);
  EXPECT_FLOAT_EQ(room.FieldOf(0, 0).Height, 2.0f);
  EXPECT_FLOAT_EQ(room.FieldOf(59, 59).Height, 6.0f);
  EXPECT_FLOAT_EQ(room.FieldOf(1, 0).Height, 2.0f);
  EXPECT_FLOAT_EQ(room.FieldOf(59, 58).Height, -999.0f);  // (59, 59) is odd, (58, 58) unknown
}

TEST_F(CursorToolsTest, EditSurfaceOnReleaseAndDeletingMovesToTheNextSurface) {
  TSurface* first = Square(0.0f);
  TSurface* second = Square(5.0f);
  ASSERT_TRUE(first && second);
  cursor.SetMode(4002);
  ClickAt(0, 0);
  EXPECT_TRUE(host.modalRuns.empty());  // nothing selected, no dialog

  cursor.SelectNextSurface(room);
  host.ScriptModal({[](MemoryForm& form) { form.SetText("EditName", "FLOOR"); }, ModalResult::Ok});
  host.ScriptModal({nullptr, ModalResult::No});
  cursor.SetPosition(room, PixelX(0), PixelY(0));
  cursor.Press(room);
  EXPECT_TRUE(host.modalRuns.empty());
  cursor.Release(room);
  ASSERT_EQ(host.modalRuns.size(), 1u);
  EXPECT_EQ(host.modalRuns[0], FormId::Surface);
  EXPECT_EQ(first->name.view(), "FLOOR");
  EXPECT_EQ(cursor.SelectedSurface, first);
  EXPECT_EQ(host.StatusText(TRoom::MessageStatusPanel), "Surface 0: FLOOR") << "the new name";

  cursor.EditSurface(room);  // "Delete"
  EXPECT_FALSE(first->InUse());
  EXPECT_EQ(cursor.SelectedSurface, second);
  EXPECT_EQ(host.StatusText(5), "Surfaces: 1");
}

}  // namespace
