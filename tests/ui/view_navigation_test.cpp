// Picking what is drawn and moving around the flat views, in the real window: a click
// exactly on a drawn light or entity takes it at zoom 0.5, 1 and 2 from the top and
// from the side; the cursor under the pointer sits on the drawn grid; a second click
// reaches the entity beneath; the wheel zooms about the pointer; a middle drag and the
// arrow keys pan; the selected surface shows; the status bar tells what load and save did.
#include <QDir>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>
#include <cmath>
#include <filesystem>

#include "editor_fixture.h"
#include "entities/edit_entity.h"
#include "entities/entity_typus.h"
#include "room/edit_room.h"
#include "room/view_mapping.h"
#include "ui/edit_entityform.h"
#include "ui/edit_lightform.h"
#include "ui/panel_view.h"

namespace {

const std::string DemoRoom = std::string(BRANNOCK_SAMPLE_DIR) + "/data/world/room/demo.rer";

QString ShotPath(const QString& name) {
  QDir directory(QStringLiteral(QT_TESTCASE_BUILDDIR));
  directory.mkpath(QStringLiteral("screenshots"));
  return directory.filePath(QStringLiteral("screenshots/%1.png").arg(name));
}

struct ViewCase {
  int mode;
  float zoom;
};
constexpr ViewCase ViewCases[] = {{TCamera::ModeTop, 0.5f}, {TCamera::ModeTop, 1.0f}, {TCamera::ModeTop, 2.0f},
                                  {TCamera::ModeSide, 0.5f}, {TCamera::ModeSide, 1.0f}, {TCamera::ModeSide, 2.0f}};

class ViewNavigationTest : public EditorTest {
protected:
  TRoom& Room() { return *Engine().Room; }
  TCamera& Camera() { return Room().Camera; }
  QWidget& View() { return Main().View(); }
  void SelectTool(const char* button) { Find<QPushButton>(Main(), button)->click(); }
  void ShowView(int mode) {
    Find<QPushButton>(Main(), mode == TCamera::ModeTop ? "BtnViewTop" : "BtnViewSide")->click();
  }
  // The pixel a room point is drawn on.
  QPoint PixelOf(const TVector& point) {
    const TViewPoint at = TViewMapping(Camera()).ToView(point).value();
    return {static_cast<int>(std::floor(at.x)), static_cast<int>(std::floor(at.y))};
  }
  // The room point of the middle plane drawn on a pixel.
  TVector Under(QPoint pixel) {
    return TViewMapping(Camera()).ToRoom({static_cast<float>(pixel.x()) + 0.5f, static_cast<float>(pixel.y()) + 0.5f},
                                         0.0f);
  }
  // The pointer comes to rest on a pixel; sent at once rather than through the window
  // system's own pointer, whose events may come late.
  void Hover(QPoint at, Qt::MouseButtons held = Qt::NoButton) {
    QMouseEvent event(QEvent::MouseMove, QPointF(at), QPointF(View().mapToGlobal(at)), Qt::NoButton, held, {});
    QApplication::sendEvent(&View(), &event);
  }
  void Click(QPoint at) {
    Hover(at);
    QTest::mouseClick(&View(), Qt::LeftButton, {}, at);
  }
  void Wheel(QPoint at, int angle) {
    QWheelEvent event(QPointF(at), QPointF(View().mapToGlobal(at)), {}, {0, angle}, Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&View(), &event);
  }
  static void ExpectNear(const TVector& a, const TVector& b, float tolerance, const std::string& what) {
    EXPECT_NEAR(a.x, b.x, tolerance) << what;
    EXPECT_NEAR(a.y, b.y, tolerance) << what;
    EXPECT_NEAR(a.z, b.z, tolerance) << what;
  }
  static std::string Name(const ViewCase& c) {
    return (c.mode == TCamera::ModeTop ? "top" : "side") + std::string(" zoom ") + std::to_string(c.zoom);
  }
};

TEST_F(ViewNavigationTest, AClickOnADrawnLightOrEntityOpensThatOneAtEveryZoomInBothViews) {
  StartEditor();
  std::vector<QWidget*> opened;
  modals->handler = [&](QWidget& modal) {
    opened.push_back(&modal);
    if (auto* dialog = qobject_cast<QDialog*>(&modal)) dialog->reject();
  };
  for (const ViewCase& c : ViewCases) {
    ShowView(c.mode);
    Camera().Zoom = c.zoom;
    // Near the view's corners and off the middle plane, where the perspective shows most.
    const TViewMapping view(Camera());
    TLight* light = Room().AddLight(view.ToRoom({580.0f, 410.0f}, 5.0f), {1, 0.5f, 0.2f}, 4.0f);
    TEntity* entity = Room().AddEntity(typus::Sound, view.ToRoom({60.0f, 70.0f}, -8.0f), {}, 1.0f);
    ASSERT_TRUE(light && entity);
    entity->Bind();

    SelectTool("BtnLightEdit");
    opened.clear();
    Click(PixelOf(light->Position));
    ASSERT_TRUE(WaitFor([&] { return !opened.empty(); }, 2000)) << Name(c);
    EXPECT_EQ(opened.front(), windows->Light.get()) << Name(c);
    EXPECT_EQ(Room().Cursor.SelectedLight, light) << Name(c);

    SelectTool("BtnEntityEdit");
    opened.clear();
    Click(PixelOf(entity->Position));
    ASSERT_TRUE(WaitFor([&] { return !opened.empty(); }, 2000)) << Name(c);
    EXPECT_EQ(opened.front(), windows->Entity.get()) << Name(c);
    EXPECT_EQ(Room().Cursor.SelectedEntity, entity) << Name(c);

    light->ResetLight();
    entity->Delete();
    Room().CountLights();
    Room().CountEntities();
  }
}

TEST_F(ViewNavigationTest, TheCursorUnderThePointerSitsOnTheDrawnGrid) {
  StartEditor();
  SelectTool("BtnLightMove");  // the cursor shows as a dot
  for (const ViewCase& c : ViewCases) {
    ShowView(c.mode);
    Camera().Zoom = c.zoom;
    // A grid crossing near the view's lower right corner.
    const TVector corner = TViewMapping(Camera()).ToRoom({560.0f, 400.0f}, 0.0f);
    TVector crossing{std::floor(corner.x), std::floor(corner.y), std::floor(corner.z)};
    const QPoint at = PixelOf(crossing);
    Hover(at);
    // Along the viewing axis the cursor keeps its own depth.
    const TVector& cursor = Room().Cursor.Position;
    EXPECT_FLOAT_EQ(cursor.x, crossing.x) << Name(c);
    EXPECT_FLOAT_EQ(c.mode == TCamera::ModeTop ? cursor.z : cursor.y,
                    c.mode == TCamera::ModeTop ? crossing.z : crossing.y) << Name(c);

    // The grid line through the crossing is drawn in that very column.
    const QImage picture = Main().View().grab().toImage();
    TVector along = crossing;
    (c.mode == TCamera::ModeTop ? along.z : along.y) += 0.5f;
    const QPoint line = PixelOf(along);
    const auto grey = [&](int x) { return qRed(picture.pixel(x, line.y())); };
    EXPECT_GT(std::max({grey(line.x() - 1), grey(line.x()), grey(line.x() + 1)}), 110) << Name(c);
    EXPECT_LT(grey(line.x() + 4), 100) << Name(c);  // background beside the line

    if (c.zoom == 0.5f) {
      // A picture for a person: the pointer as a red cross over the drawn cursor.
      QImage marked = picture.convertToFormat(QImage::Format_RGB32);
      QPainter painter(&marked);
      painter.setPen(QPen(Qt::red, 1));
      painter.drawLine(at.x() - 12, at.y(), at.x() - 4, at.y());
      painter.drawLine(at.x() + 4, at.y(), at.x() + 12, at.y());
      painter.drawLine(at.x(), at.y() - 12, at.x(), at.y() - 4);
      painter.drawLine(at.x(), at.y() + 4, at.x(), at.y() + 12);
      painter.end();
      EXPECT_TRUE(marked.save(ShotPath(QStringLiteral("cursor_under_pointer_%1_zoom05")
                                           .arg(c.mode == TCamera::ModeTop ? "top" : "side"))));
    }
  }
}

TEST_F(ViewNavigationTest, ASecondClickReachesTheTriggerInsideATouchField) {
  StartEditor();
  TEntity* field = Room().AddEntity(typus::TouchField, {3.0f, 0.0f, 2.0f}, {}, 1.0f);
  TEntity* trigger = Room().AddEntity(typus::Trigger, {3.0f, 0.0f, 2.0f}, {}, 1.0f);
  ASSERT_TRUE(field && trigger);
  field->Bind();
  trigger->Bind();
  std::vector<TEntity*> edited;
  modals->handler = [&](QWidget& modal) {
    if (&modal == windows->Entity.get()) edited.push_back(Room().Cursor.SelectedEntity);
    if (auto* dialog = qobject_cast<QDialog*>(&modal)) dialog->reject();
  };
  SelectTool("BtnEntityEdit");
  // The grid is on: both clicks snap to the same place, and still both are reached.
  for (int click = 0; click < 3; ++click) {
    const std::size_t before = edited.size();
    Click(PixelOf({3.0f, 0.0f, 2.0f}));
    ASSERT_TRUE(WaitFor([&] { return edited.size() > before; }, 2000)) << "click " << click;
  }
  EXPECT_EQ(edited, (std::vector<TEntity*>{trigger, field, trigger}));
}

TEST_F(ViewNavigationTest, TheWheelZoomsAboutThePointerInBothViews) {
  StartEditor();
  for (int mode : {TCamera::ModeTop, TCamera::ModeSide}) {
    ShowView(mode);
    Camera().Zoom = 1.0f;
    const QPoint at(500, 120);
    const TVector before = Under(at);
    Wheel(at, 120);
    EXPECT_EQ(Camera().Zoom, 2.0f);
    ExpectNear(Under(at), before, 1e-3f, "in");
    Wheel(at, -240);
    EXPECT_EQ(Camera().Zoom, 0.5f);
    ExpectNear(Under(at), before, 1e-3f, "out");
    // Half notches add up to one.
    Wheel(at, 60);
    EXPECT_EQ(Camera().Zoom, 0.5f);
    Wheel(at, 60);
    EXPECT_EQ(Camera().Zoom, 1.0f);
    ExpectNear(Under(at), before, 1e-3f, "half notches");
  }
  EXPECT_EQ(StatusText(3), "Zoom x 1");
}

TEST_F(ViewNavigationTest, AMiddleDragAndTheArrowKeysPanTheFlatViews) {
  StartEditor();
  Camera().Zoom = 0.5f;
  const QPoint from(200, 300), to(420, 150);
  const TVector grabbed = Under(from);
  QTest::mousePress(&View(), Qt::MiddleButton, {}, from);
  Hover(QPoint(300, 200), Qt::MiddleButton);
  Hover(to, Qt::MiddleButton);
  QTest::mouseRelease(&View(), Qt::MiddleButton, {}, to);
  ExpectNear(Under(to), grabbed, 1e-3f, "middle drag");
  EXPECT_EQ(Camera().Captured, 0);  // the middle button no longer steers
  // The bars follow.
  EXPECT_EQ(MainForm().Position("ScrollBarX"), static_cast<int>(std::nearbyint(Camera().Position.x * 20)));

  // An arrow brings what lay an eighth of the view away to the view's centre.
  ShowView(TCamera::ModeSide);
  View().setFocus();
  const auto at = [&](float dx, float dy) {
    const float w = static_cast<float>(View().width()), h = static_cast<float>(View().height());
    return TViewMapping(Camera()).ToRoom({w / 2 + dx * w / 8, h / 2 + dy * h / 8}, 0.0f);
  };
  const TVector right = at(1, 0);
  QTest::keyClick(&View(), Qt::Key_Right);
  ExpectNear(at(0, 0), right, 1e-3f, "right arrow");
  const TVector above = at(0, -1);
  QTest::keyClick(&View(), Qt::Key_Up);
  ExpectNear(at(0, 0), above, 1e-3f, "up arrow");
  const TVector left = at(-1, 0);
  QTest::keyClick(&View(), Qt::Key_Left);
  ExpectNear(at(0, 0), left, 1e-3f, "left arrow");
}

TEST_F(ViewNavigationTest, TheSelectedSurfaceIsHighlightedAndNamedAndLoadAndSaveSayWhatTheyDid) {
  StartEditor();
  prompts.openAnswers = {DemoRoom};
  Main().MenuAction("LoadRoom1")->trigger();
  EXPECT_EQ(StatusText(6).rfind("Loaded demo.rer: ", 0), 0u) << StatusText(6);
  ASSERT_GT(Room().CountSurfaces(), 0);
  auto* palette = Find<QTabWidget>(Main(), "PageControl");
  palette->setCurrentWidget(palette->findChild<QWidget*>(QStringLiteral("TabSheetSurfaces")));
  ShowView(TCamera::ModeTop);
  Camera().Zoom = 0.5f;
  Camera().Position = {0.0f, 2.0f, 0.0f};
  QTest::qWait(120);
  const QImage before = View().grab().toImage();

  Find<QPushButton>(Main(), "BtnSurfaceNext")->click();
  const TSurface* surface = Room().Cursor.SelectedSurface;
  ASSERT_NE(surface, nullptr);
  EXPECT_EQ(StatusText(6), "Surface " + std::to_string(surface->slotIndex) + ": " + surface->name.str());
  QTest::qWait(120);
  const QImage after = View().grab().toImage();
  EXPECT_TRUE(after.save(ShotPath(QStringLiteral("selected_surface_zoom05"))));
  // The outline runs through the middle of each edge, whatever lay there before.
  for (std::size_t c = 0; c < 4; ++c) {
    const TVector& a = surface->corners[c].position;
    const TVector& b = surface->corners[(c + 1) % 4].position;
    const QPoint middle = PixelOf({(a.x + b.x) / 2, (a.y + b.y) / 2, (a.z + b.z) / 2});
    bool outlined = false;
    for (int dx = -1; dx <= 1; ++dx)
      for (int dy = -1; dy <= 1; ++dy) {
        const QRgb pixel = after.pixel(middle.x() + dx, middle.y() + dy);
        outlined = outlined || (qRed(pixel) > 220 && qGreen(pixel) > 220 && qBlue(pixel) < 120);
      }
    EXPECT_TRUE(outlined) << "edge " << c;
  }
  EXPECT_NE(before, after);

  const std::filesystem::path saved = std::filesystem::path(userData.path().toStdString()) / "again.rer";
  ASSERT_TRUE(Main().SaveRoomTo(saved.string()));
  EXPECT_EQ(StatusText(6).rfind("Saved again.rer: ", 0), 0u) << StatusText(6);
}

TEST_F(ViewNavigationTest, EveryToolButtonSaysWhatItDoes) {
  StartEditor();
  for (const char* name : {"BtnFieldTypus", "BtnFieldMaterial", "BtnFieldHeight", "BtnFieldHeightMap", "BtnLightNew",
                           "BtnLightEdit", "BtnLightMove", "BtnEntityNew", "BtnEntityEdit", "BtnEntityMove",
                           "BtnEntityFallDown", "BtnEntityCamera", "BtnSurfaceNew", "BtnSurfaceEdit"}) {
    auto* button = Find<QPushButton>(Main(), name);
    ASSERT_NE(button, nullptr);
    EXPECT_GT(button->toolTip().size(), 15) << name;
  }
}

}  // namespace
