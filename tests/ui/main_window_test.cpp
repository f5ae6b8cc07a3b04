// The main window on the sample game: start-up, tools, the view's mouse, the close
// protocol and the guard around unsaved rooms.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "editor_fixture.h"
#include "engine/edit_engine.h"
#include "room/edit_room.h"
#include "surfaces/light_map.h"
#include "ui/edit_entityform.h"
#include "ui/edit_lightform.h"
#include "ui/edit_roomform.h"
#include "ui/panel_view.h"

namespace {

std::vector<std::uint8_t> FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST_F(EditorTest, StartUpFillsEveryListAndNamesEveryControl) {
  StartEditor();
  QtForm main = MainForm();
  EXPECT_GT(main.Items("CBFieldTypus").size(), 1u);
  EXPECT_EQ(main.ItemIndex("CBFieldTypus"), 1);
  EXPECT_EQ(main.ItemIndex("CBFieldMaterial"), 0);
  EXPECT_FALSE(main.Items("CBFieldMaterial").empty());
  EXPECT_FALSE(main.Items("CBEntityTypus").empty());
  EXPECT_EQ(main.ItemIndex("CBEntityTypus"), 0);
  for (const char* list : {"LBEntitySequences", "LBEntityUnits", "LBEntityPortals", "LBEntityParticles"})
    EXPECT_FALSE(main.Items(list).empty()) << list;
  EXPECT_TRUE(main.Visible("LBEntityTiles"));
  EXPECT_FALSE(main.Visible("LBEntityUnits"));
  EXPECT_EQ(main.Text("EditLightR"), Engine().FloatToStr32(0.7f, 2));

  QtForm room(*windows->Room);
  for (const char* combo : {"CBEffect", "CBRegion", "CBWeatherEffect", "CBFogTypus", "CBWaterMaterial",
                            "CBEnvironment", "CBSunFlare"})
    EXPECT_FALSE(room.Items(combo).empty()) << combo;
  QtForm light(*windows->Light);
  EXPECT_FALSE(light.Items("CBEffect").empty());
  EXPECT_EQ(light.Items("CBFlareFlare"), room.Items("CBSunFlare"));
  QtForm entity(*windows->Entity);
  for (const char* combo : {"CBCameraTypus", "CBTriggerAction", "CBTriggerConditionType", "CBVariableTypus",
                            "CBSoundActivation", "CBSoundSource", "CBControlAction", "CBControlStatus",
                            "CBSpawnerEffect", "CBItemTypus", "CBUnitBehavior", "CBPGrassForm", "CBAnimDirection",
                            "CBBlendingMode", "CBShadowTypus", "CBTileCollisionForm", "CBSoundSound"})
    EXPECT_FALSE(entity.Items(combo).empty()) << combo;
  EXPECT_EQ(entity.Items("CBTileMaterial"), main.Items("CBFieldMaterial"));
  EXPECT_EQ(entity.Items("CBUnitConditionType"), entity.Items("CBTriggerConditionType"));
  EXPECT_EQ(entity.Items("CBTDoorKey"), entity.Items("CBItemTypus"));

  EXPECT_TRUE(host->MissingControls().empty()) << *host->MissingControls().begin();
  // Missing game files are the data's business; nothing else may go wrong at start-up.
  for (const std::string& error : host->ErrorLog()) EXPECT_TRUE(error.starts_with("QZ_FILE: ")) << error;
  EXPECT_EQ(StatusText(1), "Lights: 0");
  EXPECT_EQ(StatusText(3), "Zoom x 1");
}

TEST_F(EditorTest, ClickWithNewLightAddsOneLight) {
  StartEditor();
  Find<QPushButton>(Main(), "BtnLightNew")->click();
  EXPECT_EQ(Engine().Room->Cursor.Mode, 2001);
  EXPECT_TRUE(Find<QPushButton>(Main(), "BtnLightNew")->isChecked());
  EXPECT_FALSE(Find<QPushButton>(Main(), "BtnFieldTypus")->isChecked());

  QTest::mouseClick(&Main().View(), Qt::LeftButton, {}, QPoint(400, 300));
  EXPECT_EQ(StatusText(1), "Lights: 1");
  const TLight& light = Engine().Room->Lights[0];
  ASSERT_TRUE(light.InUse());
  EXPECT_FLOAT_EQ(light.Color.x, 0.7f);
  EXPECT_FLOAT_EQ(light.Radius, 5.0f);
  // (400 - 320) pixels of about 0.026 m on the floor at zoom 1, snapped to the quarter-metre grid.
  EXPECT_FLOAT_EQ(light.Position.x, 2.0f);
  EXPECT_FLOAT_EQ(light.Position.z, 1.5f);
}

TEST_F(EditorTest, RightButtonInTopViewSteersTheCameraInsteadOfTheCursor) {
  StartEditor();
  Find<QPushButton>(Main(), "BtnLightNew")->click();
  QTest::mousePress(&Main().View(), Qt::RightButton, {}, QPoint(100, 100));
  EXPECT_EQ(Engine().Room->Camera.Captured, 1);
  QTest::mouseRelease(&Main().View(), Qt::RightButton, {}, QPoint(100, 100));
  EXPECT_FALSE(Engine().Room->Lights[0].InUse());
  QTest::mousePress(&Main().View(), Qt::RightButton, {}, QPoint(100, 100));
  EXPECT_EQ(Engine().Room->Camera.Captured, 0);
}

TEST_F(EditorTest, EntityPaletteShowsOneListAndSelectsNewEntity) {
  StartEditor();
  auto* typus = Find<QComboBox>(Main(), "CBEntityTypus");
  ASSERT_GT(typus->count(), 2);
  typus->setCurrentIndex(2);
  emit typus->activated(2);
  QtForm main = MainForm();
  EXPECT_TRUE(main.Visible("LBEntityUnits"));
  for (const char* other : {"LBEntityTiles", "LBEntitySequences", "LBEntityPortals", "LBEntityParticles"})
    EXPECT_FALSE(main.Visible(other)) << other;
  EXPECT_EQ(Engine().Room->Cursor.Mode, 3001);

  Find<QPushButton>(Main(), "BtnFieldTypus")->click();
  auto* units = Find<QListWidget>(Main(), "LBEntityUnits");
  QTest::mouseClick(units->viewport(), Qt::LeftButton, {}, units->visualItemRect(units->item(0)).center());
  EXPECT_EQ(Engine().Room->Cursor.Mode, 3001);
  EXPECT_TRUE(Find<QPushButton>(Main(), "BtnEntityNew")->isChecked());
}

TEST_F(EditorTest, DirectionButtonsWriteTheirAngle) {
  StartEditor();
  Find<QRadioButton>(Main(), "RB135")->click();
  EXPECT_EQ(MainForm().Text("EditEntityDirection"), Engine().FloatToStr32(135.0f, 2));
  Find<QRadioButton>(Main(), "RB0")->click();
  EXPECT_EQ(MainForm().Text("EditEntityDirection"), Engine().FloatToStr32(0.0f, 2));
}

TEST_F(EditorTest, ComputeSurfaceLightingChecksComputeLighting) {
  StartEditor();
  ASSERT_FALSE(MainForm().Checked("CBLightMapCompute"));
  Main().MenuAction("ComputeSurfaceLighting1")->trigger();
  EXPECT_TRUE(MainForm().Checked("CBLightMapCompute"));
}

TEST_F(EditorTest, ViewMenuCheckItemsStartAsDocumented) {
  StartEditor();
  QtForm main = MainForm();
  for (const char* on : {"ShowFog1", "ShowGrid1", "ShowSurfaces1", "ShowLights1", "ShowLensFlares1",
                         "ShowInvisibleEntities1", "ShowEntityTargets1", "ShowCollisionRadius1", "ShowCameraRadii1",
                         "Lighting1", "ShowDetailmaps1", "UseGrid1", "AutoFalldownnewEntities1"})
    EXPECT_TRUE(main.Checked(on)) << on;
  for (const char* off : {"ShowFieldCeiling1", "WireframeMode1"}) EXPECT_FALSE(main.Checked(off)) << off;
  Main().MenuAction("WireframeMode1")->trigger();
  EXPECT_TRUE(main.Checked("WireframeMode1"));
  EXPECT_EQ(Main().MenuAction("Exit1")->shortcut(), QKeySequence(Qt::Key_Escape));
  EXPECT_TRUE(host->MissingControls().empty());
}

TEST_F(EditorTest, CloseIsRefusedOnceThenShutsTheEngineDownOnce) {
  StartEditor();
  QSignalSpy shutDowns(&Main(), &TFormMain::engineShutDown);
  EXPECT_FALSE(Main().close());  // the first request only arms the shut-down timer
  EXPECT_FALSE(Main().Timer.isActive());
  EXPECT_TRUE(Main().ShutDownTimer.isActive());
  ASSERT_NE(Main().Engine(), nullptr);
  ASSERT_TRUE(WaitFor([this] { return !Main().isVisible(); }));
  EXPECT_EQ(shutDowns.count(), 1);
  EXPECT_EQ(Main().Engine(), nullptr);
  EXPECT_FALSE(Main().ShutDownTimer.isActive());
  EXPECT_EQ(prompts.unsavedQuestions, 0);  // nothing was changed
}

TEST_F(EditorTest, UnsavedChangesAreNeverDroppedSilently) {
  StartEditor();
  Find<QPushButton>(Main(), "BtnLightNew")->click();
  QTest::mouseClick(&Main().View(), Qt::LeftButton, {}, QPoint(320, 240));
  ASSERT_EQ(StatusText(1), "Lights: 1");

  // Cancel keeps the editor running and the room as it is.
  prompts.unsavedAnswers = {UnsavedAnswer::Cancel};
  EXPECT_FALSE(Main().close());
  EXPECT_EQ(prompts.unsavedQuestions, 1);
  EXPECT_TRUE(Main().Timer.isActive());
  EXPECT_FALSE(Main().ShutDownTimer.isActive());

  prompts.unsavedAnswers = {UnsavedAnswer::Cancel};
  Main().MenuAction("NewRoom1")->trigger();
  EXPECT_TRUE(Engine().Room->Lights[0].InUse());
  prompts.unsavedAnswers = {UnsavedAnswer::Cancel};
  Main().MenuAction("LoadRoom1")->trigger();
  EXPECT_TRUE(prompts.openSpecs.empty());
  EXPECT_EQ(prompts.unsavedQuestions, 3);

  // Discard lets "New Room" go on; the new room asks nothing more.
  prompts.unsavedAnswers = {UnsavedAnswer::Discard};
  Main().MenuAction("NewRoom1")->trigger();
  EXPECT_FALSE(Engine().Room->Lights[0].InUse());
  EXPECT_EQ(StatusText(1), "Lights: 0");
  Main().MenuAction("NewRoom1")->trigger();
  EXPECT_EQ(prompts.unsavedQuestions, 4);
}

TEST_F(EditorTest, SaveChosenAtTheQuestionWritesTheRoomFirst) {
  StartEditor();
  const std::filesystem::path file = std::filesystem::temp_directory_path() / "brannock_ui_saved.rer";
  std::filesystem::remove(file);
  Find<QPushButton>(Main(), "BtnLightNew")->click();
  QTest::mouseClick(&Main().View(), Qt::LeftButton, {}, QPoint(320, 240));

  prompts.unsavedAnswers = {UnsavedAnswer::Save};
  prompts.saveAnswers = {file.string()};
  Main().MenuAction("NewRoom1")->trigger();
  ASSERT_TRUE(std::filesystem::exists(file));
  EXPECT_EQ(prompts.saveSpecs.at(0).title, "Save Room");
  EXPECT_EQ(prompts.saveSpecs.at(0).filter, "Room Files|*.rer");
  EXPECT_FALSE(Engine().Room->Lights[0].InUse());

  // Loading it back restores the light and counts as saved.
  prompts.openAnswers = {file.string()};
  Main().MenuAction("LoadRoom1")->trigger();
  EXPECT_EQ(prompts.openSpecs.at(0).title, "Load Room");
  EXPECT_TRUE(Engine().Room->Lights[0].InUse());
  EXPECT_EQ(StatusText(1), "Lights: 1");
  // "Save Room As..." now proposes the file just loaded.
  prompts.saveAnswers = {std::nullopt};
  Main().MenuAction("SaveRoomAs1")->trigger();
  EXPECT_EQ(prompts.saveSpecs.back().fileName, file.string());
  Main().MenuAction("NewRoom1")->trigger();
  EXPECT_EQ(prompts.unsavedQuestions, 1);
  std::filesystem::remove(file);
}

TEST_F(EditorTest, FailedSaveIsReportedKeepsTheOldFileAndTheQuestion) {
  StartEditor();
  const std::filesystem::path file = std::filesystem::temp_directory_path() / "brannock_ui_keep.rer";
  ASSERT_TRUE(Main().SaveRoomTo(file.string()));
  const auto before = FileBytes(file);
  Main().NewRoom();  // untitled: the save at the question asks for a file

  Find<QPushButton>(Main(), "BtnLightNew")->click();
  QTest::mouseClick(&Main().View(), Qt::LeftButton, {}, QPoint(320, 240));
  const std::size_t errors = host->ErrorLog().size();
  EXPECT_FALSE(Main().SaveRoomTo((file.parent_path() / "no such directory" / "room.rer").string()));
  ASSERT_GT(host->ErrorLog().size(), errors);
  EXPECT_EQ(FileBytes(file), before);

  // A save that fails during the question stops the close: the work is still there.
  prompts.unsavedAnswers = {UnsavedAnswer::Save};
  prompts.saveAnswers = {(file.parent_path() / "no such directory" / "room.rer").string()};
  EXPECT_FALSE(Main().close());
  EXPECT_FALSE(Main().ShutDownTimer.isActive());
  EXPECT_TRUE(Engine().Room->Lights[0].InUse());
  std::filesystem::remove(file);
}

TEST_F(EditorTest, ARoomFromADamagedFileCountsAsChangedAndIsSavedBesideIt) {
  StartEditor();
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "brannock_ui_damaged";
  std::filesystem::create_directories(folder);
  const std::filesystem::path damaged = folder / "cave.rer";
  Engine().Room->AddLight({1, 2, 3}, {1, 1, 1}, 4);
  ASSERT_TRUE(Main().SaveRoomTo(damaged.string()));
  std::filesystem::resize_file(damaged, std::filesystem::file_size(damaged) - 50);  // inside the light

  prompts.openAnswers = {damaged.string()};
  Main().MenuAction("LoadRoom1")->trigger();
  EXPECT_EQ(StatusText(6).rfind("Damaged room file: ", 0), 0u) << StatusText(6);
  prompts.saveAnswers = {std::nullopt};
  Main().MenuAction("SaveRoom1")->trigger();
  EXPECT_EQ(prompts.saveSpecs.back().fileName, (folder / "cave-recovered.rer").string());
  Main().MenuAction("NewRoom1")->trigger();  // the question is answered with Cancel
  EXPECT_EQ(prompts.unsavedQuestions, 1);
  std::filesystem::remove_all(folder);
}

TEST_F(EditorTest, LongWorkKeepsFramesGoingButHoldsClosingUntilItEnds) {
  StartEditor();
  QSignalSpy frames(&Main(), &TFormMain::frameDone);
  QSignalSpy shutDowns(&Main(), &TFormMain::engineShutDown);
  QTimer::singleShot(20, &Main(), [this] { Main().close(); });
  // A bake steps its rows this way: work, then the pending events.
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < 300) {
    QTest::qSleep(5);
    host->ProcessEvents();
  }
  EXPECT_GT(frames.count(), 0);  // the window stays alive
  EXPECT_EQ(shutDowns.count(), 0);
  ASSERT_NE(Main().Engine(), nullptr);
  EXPECT_TRUE(Main().isVisible());

  // Once the work is done a close goes through as usual.
  EXPECT_FALSE(Main().close());
  ASSERT_TRUE(WaitFor([this] { return !Main().isVisible(); }));
  EXPECT_EQ(shutDowns.count(), 1);
}

TEST_F(EditorTest, RoomMenuSwitchesTheBakesShadowMethodAndRule) {
  StartEditor();
  LightMapBaker* baker = Engine().Room->LightMaps;
  ASSERT_NE(baker, nullptr);
  EXPECT_EQ(baker->Method, ShadowMethod::Cpu);
  Main().MenuAction("RenderedShadowTest1")->trigger();
  EXPECT_EQ(baker->Method, ShadowMethod::Gl);
  Main().MenuAction("RenderedShadowTest1")->trigger();
  EXPECT_EQ(baker->Method, ShadowMethod::Cpu);

  EXPECT_EQ(baker->Rule, OcclusionRule::Exact);
  Main().MenuAction("LiteralShadowDepth1")->trigger();
  EXPECT_EQ(baker->Rule, OcclusionRule::Literal);
  Main().MenuAction("LiteralShadowDepth1")->trigger();
  EXPECT_EQ(baker->Rule, OcclusionRule::Exact);
  // The ray caster casts through the pixel the rendered test reads on this panel.
  EXPECT_EQ(baker->View.width, 641);
  EXPECT_EQ(baker->View.height, 481);
}

TEST_F(EditorTest, ATroughClickMovesAScrollBarByFifty) {
  StartEditor();
  auto* bar = Find<QScrollBar>(Main(), "ScrollBarX");
  ASSERT_EQ(bar->pageStep(), 200);
  bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(bar->value(), 50);
  EXPECT_FLOAT_EQ(Engine().Room->Camera.Position.x, 2.5f);
  bar->setValue(980);
  bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(bar->value(), 1000);
  bar->triggerAction(QAbstractSlider::SliderPageStepSub);
  EXPECT_EQ(bar->value(), 950);
  bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
  EXPECT_EQ(bar->value(), 940);
}

TEST_F(EditorTest, StartUpNumbersUseTheSameDecimalSeparatorAsEveryOther) {
  StartEditor();
  const std::string point(1, LocaleDecimalSeparator());
  QtForm main = MainForm();
  EXPECT_EQ(main.Text("EditLightRadius"), "5" + point + "00");
  EXPECT_EQ(main.Text("LabelY"), "Height: 0" + point + "00");
  EXPECT_EQ(main.Text("EditFieldHeightCeiling"), "10" + point + "00");
  // The panel lists three numbers: only the commas inside them follow the locale.
  EXPECT_EQ(StatusText(0), "Position: 0" + point + "00, 0" + point + "00, 0" + point + "00");
  // Written by the program, the light's colour edits agree with them.
  EXPECT_EQ(main.Text("EditLightR"), "0" + point + "70");
}
