// The remaining cursor tools on the real main window: "Import Heightmap", the camera
// zone dragged by its edge (with a picture of the view mid-drag) and "Edit Surface".
#include <QDialog>
#include <QDir>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <cmath>

#include "editor_fixture.h"
#include "entities/entity_camera.h"
#include "entities/entity_typus.h"
#include "room/edit_room.h"
#include "room/view_mapping.h"
#include "surfaces/surface_main.h"
#include "ui/panel_view.h"
#include "ui/surface_form.h"

namespace {

class CursorToolTest : public EditorTest {
protected:
  TRoom& Room() { return *Engine().Room; }
  // The view pixel that shows a room point in the top view.
  QPoint PixelOf(float x, float z) {
    const TViewPoint at = TViewMapping(Room().Camera).ToView({x, 0.0f, z}).value();
    return {static_cast<int>(std::floor(at.x)), static_cast<int>(std::floor(at.y))};
  }
  void SelectTool(const char* button) { Find<QPushButton>(Main(), button)->click(); }
};

TEST_F(CursorToolTest, ImportHeightmapRebuildsTheFloorOnReleaseWithoutAnyDialog) {
  StartEditor();
  SelectTool("BtnFieldHeightMap");
  EXPECT_EQ(Room().Cursor.Mode, 1004);
  EXPECT_TRUE(Find<QPushButton>(Main(), "BtnFieldHeightMap")->isChecked());
  int dialogs = 0;
  modals->handler = [&](QWidget& modal) {
    ++dialogs;
    if (auto* box = qobject_cast<QDialog*>(&modal)) box->reject();
  };

  QTest::mousePress(&Main().View(), Qt::LeftButton, {}, QPoint(320, 240));
  EXPECT_EQ(Room().FieldOf(0, 0).Ceiling, 10.0f);
  QTest::mouseRelease(&Main().View(), Qt::LeftButton, {}, QPoint(320, 240));
  EXPECT_EQ(dialogs, 0);
  for (const TField& field : Room().Fields) {
    ASSERT_EQ(field.Typus, 4);
    ASSERT_EQ(field.Ceiling, 30.0f);
  }
}

TEST_F(CursorToolTest, DraggingACameraZoneEdgeResizesItAndStopsShortOfTheOtherEdge) {
  StartEditor();
  // A 4 x 4 m zone on whole metres (so on the quarter-metre grid) in the middle of the view.
  const float cx = std::round(Room().Camera.Position.x), cz = std::round(Room().Camera.Position.z);
  auto* zone = dynamic_cast<TECamera*>(Room().AddEntity(typus::Camera, {cx, 0, cz}, {}, 1.0f));
  ASSERT_NE(zone, nullptr);
  zone->ZoneMinX = cx - 2.0f;
  zone->ZoneMinZ = cz - 2.0f;
  zone->ZoneMaxX = cx + 2.0f;
  zone->ZoneMaxZ = cz + 2.0f;
  SelectTool("BtnEntityCamera");
  EXPECT_EQ(Room().Cursor.Mode, 3005);

  QWidget& view = Main().View();
  QTest::mouseMove(&view, PixelOf(cx - 2.0f, cz));
  QTest::mousePress(&view, Qt::LeftButton, {}, PixelOf(cx - 2.0f, cz));
  EXPECT_EQ(Room().Cursor.SelectedZone, zone);
  EXPECT_EQ(Room().Cursor.ZoneHandle, TCursor::MinXEdge);
  QTest::mouseMove(&view, PixelOf(cx - 4.0f, cz));
  EXPECT_FLOAT_EQ(zone->ZoneMinX, cx - 4.0f);
  // Past the opposite edge it stops half a metre short.
  QTest::mouseMove(&view, PixelOf(cx + 6.0f, cz));
  EXPECT_FLOAT_EQ(zone->ZoneMinX, cx + 1.5f);
  QTest::mouseMove(&view, PixelOf(cx - 1.0f, cz));

  // A picture of the view mid-drag, for a person to look at.
  QTest::qWait(300);  // a few frames draw the dragged zone
  QDir directory(QStringLiteral(QT_TESTCASE_BUILDDIR));
  directory.mkpath(QStringLiteral("screenshots"));
  const QImage picture = view.grab().toImage();
  ASSERT_FALSE(picture.isNull());
  EXPECT_TRUE(picture.save(directory.filePath(QStringLiteral("screenshots/cursor_zone_drag.png"))));

  QTest::mouseRelease(&view, Qt::LeftButton, {}, PixelOf(cx - 1.0f, cz));
  EXPECT_FLOAT_EQ(zone->ZoneMinX, cx - 1.0f);
  EXPECT_FLOAT_EQ(zone->ZoneMaxX, cx + 2.0f);
  QTest::mouseMove(&view, PixelOf(cx - 3.0f, cz));  // no button held: nothing follows
  EXPECT_FLOAT_EQ(zone->ZoneMinX, cx - 1.0f);
}

TEST_F(CursorToolTest, EditSurfaceOpensTheSurfaceDialogAndDeleteSelectsTheNext) {
  StartEditor();
  TSurface* first = Room().AddSurface({0, 0, 0}, {2, 0, 0}, {2, 0, 1}, {0, 0, 1}, "textures\\default");
  TSurface* second = Room().AddSurface({5, 0, 0}, {6, 0, 0}, {6, 0, 1}, {5, 0, 1}, "textures\\default");
  ASSERT_TRUE(first && second);
  SelectTool("BtnSurfaceEdit");
  Find<QPushButton>(Main(), "BtnSurfaceNext")->click();
  ASSERT_EQ(Room().Cursor.SelectedSurface, first);

  auto& dialog = *windows->Surface;
  int openings = 0;
  modals->handler = [&](QWidget& modal) {
    if (&modal != &dialog) return;
    ++openings;
    QtForm form(dialog);
    EXPECT_EQ(form.Text("EditName"), "SURFACE");
    EXPECT_EQ(form.Text("EditLightMapWidth"), "8");
    form.SetText("EditName", "FLOOR");
    form.SetText("EditTexPerMeterS", "2");
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
  };
  QTest::mouseClick(&Main().View(), Qt::LeftButton, {}, QPoint(100, 100));
  ASSERT_EQ(openings, 1);
  EXPECT_EQ(first->name.str(), "FLOOR");
  EXPECT_FLOAT_EQ(first->corners[1].s, 4.0f);

  modals->handler = [&](QWidget& modal) {
    if (&modal == &dialog) QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("BitBtn3")), Qt::LeftButton);
  };
  QTest::mouseClick(&Main().View(), Qt::LeftButton, {}, QPoint(100, 100));
  EXPECT_FALSE(first->InUse());
  EXPECT_EQ(Room().Cursor.SelectedSurface, second);
  EXPECT_EQ(StatusText(5), "Surfaces: 1");

  // With a surface selected, the button itself opens its dialog at once.
  int atOnce = 0;
  modals->handler = [&](QWidget& modal) {
    if (&modal != &dialog) return;
    ++atOnce;
    EXPECT_EQ(QtForm(dialog).Text("EditName"), "SURFACE");
    dialog.reject();
  };
  Find<QPushButton>(Main(), "BtnSurfaceEdit")->click();
  EXPECT_EQ(atOnce, 1);
  EXPECT_EQ(Room().Cursor.Mode, 4002);
}

}  // namespace

namespace {

// Opening a light shows its height on the bar; the bar's change must not round the
// light's own height to the bar's tenths. Moving the bar by hand then lifts the light.
TEST_F(CursorToolTest, EditingALightKeepsItsHeightAndTheHeightBarMovesIt) {
  StartEditor();
  TLight* light = Room().AddLight({2.0f, 1.23f, 1.5f}, {1, 1, 1}, 5.0f);
  ASSERT_NE(light, nullptr);
  SelectTool("BtnLightEdit");
  QTest::mouseClick(&Main().View(), Qt::LeftButton, {}, QPoint(400, 300));  // the dialog is cancelled
  ASSERT_EQ(Room().Cursor.SelectedLight, light);
  EXPECT_FLOAT_EQ(light->Position.y, 1.23f);
  auto* bar = Find<QSlider>(Main(), "TrackBarY");
  EXPECT_EQ(bar->value(), -12);
  bar->triggerAction(QAbstractSlider::SliderSingleStepSub);  // the bar runs downward: up one tenth
  EXPECT_FLOAT_EQ(light->Position.y, 1.3f);
}

}  // namespace
