// The dialogs driven through the main window as a designer would: the entity dialog on
// a marker that a trigger targets, the room dialog's tile list buttons, the surface
// dialog's texture chooser.
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <algorithm>
#include <map>

#include "editor_fixture.h"
#include "engine/edit_engine.h"
#include "entities/edit_entity.h"
#include "entities/entity_trigger.h"
#include "entities/entity_typus.h"
#include "room/edit_room.h"
#include "ui/edit_entityform.h"
#include "ui/edit_lightform.h"
#include "ui/edit_roomform.h"
#include "ui/game_path.h"
#include "ui/panel_view.h"
#include "ui/surface_form.h"

namespace {

QString ShotPath(const char* name) {
  QDir directory(QStringLiteral(QT_TESTCASE_BUILDDIR));
  directory.mkpath(QStringLiteral("screenshots"));
  return directory.filePath(QStringLiteral("screenshots/%1.png").arg(QString::fromLatin1(name)));
}

// A game path as the file dialog would hand it back.
std::string HostPath(std::string gamePath) {
  std::replace(gamePath.begin(), gamePath.end(), '\\', '/');
  return gamePath;
}

}  // namespace

class EntityDialogTest : public EditorTest {
protected:
  // A marker at the centre of the top view and a trigger aiming at it.
  void PlaceMarkerAndTrigger() {
    TRoom& room = *Engine().Room;
    marker = room.AddEntity(typus::Marker, {0.0f, 0.0f, 0.0f}, {}, 1.0f);
    trigger = dynamic_cast<TETrigger*>(room.AddEntity(typus::Trigger, {10.0f, 0.0f, 10.0f}, {}, 1.0f));
    ASSERT_NE(marker, nullptr);
    ASSERT_NE(trigger, nullptr);
    trigger->Targets[0] = marker->Name;
    trigger->Bind();
    Find<QPushButton>(Main(), "BtnEntityEdit")->click();
  }
  void ClickMarker() { QTest::mouseClick(&Main().View(), Qt::LeftButton, {}, QPoint(320, 240)); }

  TEntity* marker = nullptr;
  TETrigger* trigger = nullptr;
};

TEST_F(EntityDialogTest, RenamingAMarkerInItsDialogCarriesTheTriggerAlong) {
  StartEditor();
  PlaceMarkerAndTrigger();
  bool shown = false;
  modals->handler = [&](QWidget& modal) {
    auto* dialog = qobject_cast<TFormEntity*>(&modal);
    if (!dialog || shown) return;
    shown = true;
    QtForm form(*dialog);
    EXPECT_TRUE(form.Visible("TabSheetMarker"));
    EXPECT_FALSE(form.Visible("TabSheetTrigger"));
    EXPECT_EQ(form.Text("EditName"), marker->Name.str());
    dialog->grab().save(ShotPath("FormEntity_marker_open"));
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("EditName"));
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("GATE"));
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
  };
  ClickMarker();
  ASSERT_TRUE(shown);
  EXPECT_EQ(marker->Name.str(), "GATE");
  EXPECT_EQ(trigger->Targets[0].str(), "GATE");
  EXPECT_TRUE(Engine().Room->Cursor.OldEntityName.empty());
}

TEST_F(EntityDialogTest, DeleteRemovesTheEntityWithoutApplyingEdits) {
  StartEditor();
  PlaceMarkerAndTrigger();
  const std::string name = marker->Name.str();
  modals->handler = [&](QWidget& modal) {
    auto* dialog = qobject_cast<TFormEntity*>(&modal);
    if (!dialog) return;
    QtForm(*dialog).SetText("EditName", "CHANGED");
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("BitBtn3")), Qt::LeftButton);
  };
  ClickMarker();
  EXPECT_FALSE(marker->InUse());
  EXPECT_EQ(marker->Name.str(), name);
  EXPECT_EQ(StatusText(2), "Entities: 1");
}

TEST_F(EntityDialogTest, ModelButtonsCloseWithOkAndLeaveTheirRequestForOneOpeningOnly) {
  StartEditor();
  PlaceMarkerAndTrigger();
  auto& dialog = *windows->Entity;
  QtForm form(dialog);
  bool requestSeen = false;
  modals->handler = [&](QWidget& modal) {
    if (&modal != &dialog) return;
    form.SetText("CBModel", "");
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("SpeedButton2")), Qt::LeftButton);
  };
  ClickMarker();
  // Without a model nothing is converted and the marker stays.
  EXPECT_TRUE(marker->InUse());
  EXPECT_TRUE(form.Checked("ConvertRequested"));

  modals->handler = [&](QWidget& modal) {
    if (&modal != &dialog) return;
    requestSeen = form.Checked("ConvertRequested");
    dialog.reject();
  };
  ClickMarker();
  EXPECT_FALSE(requestSeen);
}

TEST_F(EntityDialogTest, ChangingATriggerVariableRefillsItsValueBox) {
  StartEditor();
  TRoom& room = *Engine().Room;
  TEntity* entity = room.AddEntity(typus::Trigger, {0.0f, 0.0f, 0.0f}, {}, 1.0f);
  ASSERT_NE(entity, nullptr);
  Find<QPushButton>(Main(), "BtnEntityEdit")->click();
  // The first variable with value names, so the value box has something to show.
  int variable = -1;
  for (int i = 0; i < TQZEngine::VariableCount && variable < 0; ++i)
    if (!Engine().Variables[static_cast<std::size_t>(i)].Values[1].empty()) variable = i;
  ASSERT_GE(variable, 0) << "the sample world names no variable values";

  auto& dialog = *windows->Entity;
  QtForm form(dialog);
  modals->handler = [&](QWidget& modal) {
    if (&modal != &dialog) return;
    form.SetItemIndex("CBTriggerConditionParameter", 1);
    auto* box = dialog.findChild<QComboBox*>(QStringLiteral("CBTriggerCondition"));
    box->setCurrentIndex(variable);
    emit box->activated(variable);
    EXPECT_EQ(form.Items("CBTriggerConditionParameter").at(1),
              Engine().Variables[static_cast<std::size_t>(variable)].Values[1].str());
    EXPECT_EQ(form.ItemIndex("CBTriggerConditionParameter"), 1);
    dialog.reject();
  };
  ClickMarker();
  EXPECT_TRUE(host->MissingControls().empty()) << *host->MissingControls().begin();
}

TEST_F(EditorTest, TileListRefusesAThirtySecondEntryAndAddsModelsBelowTheWorldDirectory) {
  StartEditor();
  auto& dialog = *windows->Room;
  auto* list = Find<QListWidget>(dialog, "ListBoxTiles");
  const std::string worldDir = Engine().ModelWorldDir.str();

  prompts.openAnswers = {HostPath(worldDir + "object\\crate.ini")};
  dialog.AddObject();
  ASSERT_EQ(list->count(), 1);
  EXPECT_EQ(list->item(0)->text().toStdString(), "object\\crate");
  EXPECT_EQ(prompts.openSpecs.at(0).title, "Load Model");
  EXPECT_EQ(prompts.openSpecs.at(0).filter, "Model INI File|*.ini");

  // A file outside the world directory cannot become a tile entry.
  prompts.openAnswers = {std::string("/tmp/elsewhere/crate.ini")};
  const std::size_t errors = host->ErrorLog().size();
  dialog.AddObject();
  EXPECT_EQ(list->count(), 1);
  EXPECT_EQ(host->ErrorLog().size(), errors + 1);

  for (int i = list->count(); i < 31; ++i) list->addItem(QStringLiteral("object\\t%1").arg(i));
  prompts.openAnswers = {HostPath(worldDir + "object\\late.ini")};
  dialog.AddRoom();
  EXPECT_EQ(list->count(), 31);
  ASSERT_FALSE(host->ErrorLog().empty());
  EXPECT_EQ(host->ErrorLog().back(), "QZ_ROOM: Tile List is already full!");
  EXPECT_EQ(prompts.openSpecs.size(), 2u);  // the full list opened no file dialog

  list->setCurrentRow(0);
  dialog.RemoveTile();
  EXPECT_EQ(list->count(), 30);
  EXPECT_EQ(list->item(0)->text().toStdString(), "object\\t1");
  list->setCurrentRow(-1);
  dialog.RemoveTile();
  EXPECT_EQ(list->count(), 30);
  // A current row that is not highlighted (focus moved into the list) removes nothing.
  list->setCurrentRow(3, QItemSelectionModel::Clear);
  ASSERT_EQ(list->currentRow(), 3);
  dialog.RemoveTile();
  EXPECT_EQ(list->count(), 30);
}

TEST(GamePathTest, ChosenFilesBecomeGameNames) {
  EXPECT_EQ(game_path::FromHost("/a/b/c.ini"), "\\a\\b\\c.ini");
  EXPECT_EQ(game_path::BelowDirectory("\\G\\Model\\World\\object\\x.ini", "\\g\\model\\world\\"), "object\\x.ini");
  EXPECT_FALSE(game_path::BelowDirectory("\\g\\model\\other\\x.ini", "\\g\\model\\world\\"));
  EXPECT_FALSE(game_path::BelowDirectory("\\g\\model\\world\\", "\\g\\model\\world\\"));
  EXPECT_EQ(game_path::WithoutExtension("object\\x.ini"), "object\\x");
  EXPECT_EQ(game_path::WithoutExtension("object.d\\x"), "object.d\\x");
  EXPECT_EQ(TFormSurface::TextureNameFromPath("\\g\\model\\world\\textures\\stone\\wall.bmp"), "textures\\stone\\wall");
  EXPECT_EQ(TFormSurface::TextureNameFromPath("\\g\\pictures\\wall.bmp"), "\\g\\pictures\\wall");
}

TEST_F(EditorTest, EditLightsOpensTheLightDialogOnTheClickedLight) {
  StartEditor();
  Find<QPushButton>(Main(), "BtnLightNew")->click();
  QTest::mouseClick(&Main().View(), Qt::LeftButton, {}, QPoint(320, 240));
  ASSERT_EQ(StatusText(1), "Lights: 1");
  Find<QPushButton>(Main(), "BtnLightEdit")->click();

  auto& dialog = *windows->Light;
  int openings = 0;
  modals->handler = [&](QWidget& modal) {
    if (&modal != &dialog) return;
    ++openings;
    QtForm form(dialog);
    EXPECT_EQ(form.Text("EditRadius"), Engine().FloatToStr32(5.0f, 2));
    form.SetText("EditName", "LAMP");
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
  };
  QTest::mouseClick(&Main().View(), Qt::LeftButton, {}, QPoint(320, 240));
  ASSERT_EQ(openings, 1);
  EXPECT_EQ(Engine().Room->Lights[0].Name.str(), "LAMP");

  modals->handler = [&](QWidget& modal) {
    if (&modal == &dialog) QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("BitBtn3")), Qt::LeftButton);
  };
  QTest::mouseClick(&Main().View(), Qt::LeftButton, {}, QPoint(320, 240));
  EXPECT_FALSE(Engine().Room->Lights[0].InUse());
  EXPECT_EQ(StatusText(1), "Lights: 0");
}

TEST_F(EntityDialogTest, EveryOpeningStartsOnTheFirstControlWithOkAsDefault) {
  StartEditor();
  PlaceMarkerAndTrigger();
  TSurface* surface = Engine().Room->AddSurface({0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}, "textures\\default");
  ASSERT_NE(surface, nullptr);
  // Each dialog is cancelled by a click on Cancel, then reopened and confirmed with a
  // bare Return after renaming: the Return must reach OK, not the Cancel clicked before.
  const auto cancelThenReturn = [&](const std::function<void()>& open) {
    modals->handler = [](QWidget& modal) {
      if (auto* cancel = modal.findChild<QPushButton*>(QStringLiteral("BitBtn2")))
        QTest::mouseClick(cancel, Qt::LeftButton);
    };
    open();
    std::string focused;
    modals->handler = [&focused](QWidget& modal) {
      QWidget* focus = modal.focusWidget();
      focused = focus ? focus->objectName().toStdString() : "";
      auto* name = modal.findChild<QLineEdit*>(QStringLiteral("EditName"));
      name->setText(QStringLiteral("RETURNED"));
      QTest::keyClick(&modal, Qt::Key_Return);
    };
    open();
    EXPECT_EQ(focused, "EditName");
  };
  cancelThenReturn([&] { marker->EditEntity(); });
  EXPECT_EQ(marker->Name.str(), "RETURNED");
  cancelThenReturn([&] { surface->Edit(); });
  EXPECT_EQ(surface->name.str(), "RETURNED");
}

TEST_F(EditorTest, KindPagesLabelEachFieldOnceWithItsUnit) {
  StartEditor();
  // Each row of a page: its label and the names of the controls beside it.
  const auto rowsOf = [this](const char* sheet) {
    auto* rows = qobject_cast<QFormLayout*>(Find<QWidget>(*windows->Entity, sheet)->layout());
    std::map<std::string, std::vector<std::string>> found;
    for (int row = 0; rows && row < rows->rowCount(); ++row) {
      auto* label = qobject_cast<QLabel*>(rows->itemAt(row, QFormLayout::LabelRole)->widget());
      QLayout* controls = rows->itemAt(row, QFormLayout::FieldRole)->layout();
      auto& names = found[label->text().toStdString()];
      for (int i = 0; controls && i < controls->count(); ++i)
        names.push_back(controls->itemAt(i)->widget()->objectName().toStdString());
    }
    return found;
  };
  const auto door = rowsOf("TabSheetTDoor");
  EXPECT_EQ(door.at("Dimensions:"),
            (std::vector<std::string>{"EditTDoorDimensionsX", "EditTDoorDimensionsY", "EditTDoorDimensionsZ"}));
  EXPECT_EQ(door.at("Need Key Item:"), std::vector<std::string>{"CBTDoorKey"});
  EXPECT_EQ(door.at("Is:"), (std::vector<std::string>{"CBTDoorConditionType", "CBTDoorConditionParameter"}));
  EXPECT_EQ(door.size(), 15u);
  EXPECT_EQ(rowsOf("TabSheetTile").count("Autorotate °/s:"), 1u);
  EXPECT_EQ(rowsOf("TabSheetCamera").at("Zoom Factor:"), std::vector<std::string>{"EditCameraFOV"});
  EXPECT_EQ(rowsOf("TabSheetSound").at("Volume (%):"), std::vector<std::string>{"EditSoundVolume"});
}
