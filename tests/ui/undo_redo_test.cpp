// Undo and redo in the real window: every cursor tool, the dialogs closed with OK or
// Delete and the menu commands each make one step, undone and redone to the room file's
// byte; the title names the room and marks unsaved changes as the history moves; the
// texture bake warns that it cannot be undone.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <filesystem>

#include "editor_fixture.h"
#include "entities/edit_entity.h"
#include "entities/edit_entityform.h"
#include "entities/entity_typus.h"
#include "room/edit_room.h"
#include "room/room_history.h"
#include "ui/edit_entityform.h"
#include "ui/edit_lightform.h"
#include "ui/edit_roomform.h"
#include "ui/panel_view.h"
#include "ui/surface_form.h"

namespace {

using Image = std::vector<std::uint8_t>;

const std::string DemoRoom = std::string(BRANNOCK_SAMPLE_DIR) + "/data/world/room/demo.rer";

class UndoRedoTest : public EditorTest {
protected:
  Image Bytes() { return Engine().Room->SaveToBytes(); }
  QAction& UndoItem() { return *Main().MenuAction("Undo1"); }
  QAction& RedoItem() { return *Main().MenuAction("Redo1"); }
  std::string Title() { return Main().windowTitle().toStdString(); }

  void Tool(const char* button) { Find<QPushButton>(Main(), button)->click(); }
  void Click(QPoint at) {
    // The tools that place things wait a few frames between two placements.
    Engine().Room->Cursor.CoolDown = 0;
    QTest::mouseClick(&Main().View(), Qt::LeftButton, {}, at);
  }
  void Drag(QPoint from, QPoint to) {
    Engine().Room->Cursor.CoolDown = 0;
    QTest::mousePress(&Main().View(), Qt::LeftButton, {}, from);
    for (int i = 1; i <= 4; ++i) QTest::mouseMove(&Main().View(), from + (to - from) * i / 4);
    QTest::mouseRelease(&Main().View(), Qt::LeftButton, {}, to);
  }
  // The next modal dialog gets `edit`, then is closed with the button named `close`.
  // Any later one is cancelled.
  void AnswerDialog(const char* close, std::function<void(QWidget&)> edit = {}) {
    auto answered = std::make_shared<bool>(false);
    modals->handler = [close, edit, answered](QWidget& modal) {
      if (*answered) {
        if (auto* dialog = qobject_cast<QDialog*>(&modal)) dialog->reject();
        return;
      }
      *answered = true;
      if (edit) edit(modal);
      QTest::mouseClick(modal.findChild<QPushButton*>(QString::fromLatin1(close)), Qt::LeftButton);
    };
  }
  static void Type(QWidget& dialog, const char* edit, const char* text) {
    auto* line = dialog.findChild<QLineEdit*>(QString::fromLatin1(edit));
    ASSERT_NE(line, nullptr) << edit;
    line->setText(QString::fromLatin1(text));
  }

  // The last edit made exactly one step, named `name`: undone, the room is `before` to
  // the byte; redone, it is what the edit made of it.
  void ExpectStep(const Image& before, const std::string& name) {
    const Image after = Bytes();
    ASSERT_NE(before, after) << name << " changed nothing";
    ASSERT_EQ(UndoItem().text().toStdString(), "Undo " + name);
    ASSERT_TRUE(UndoItem().isEnabled());
    UndoItem().trigger();
    EXPECT_EQ(Bytes(), before) << "undo " << name;
    EXPECT_EQ(RedoItem().text().toStdString(), "Redo " + name);
    RedoItem().trigger();
    EXPECT_EQ(Bytes(), after) << "redo " << name;
    EXPECT_FALSE(RedoItem().isEnabled());
  }
};

TEST_F(UndoRedoTest, EveryCursorToolAndDialogMakesOneStep) {
  StartEditor();
  const Image newRoom = Bytes();
  EXPECT_FALSE(UndoItem().isEnabled());
  EXPECT_FALSE(RedoItem().isEnabled());
  EXPECT_EQ(UndoItem().text(), QStringLiteral("Undo"));

  // A brush stroke over several fields is one step.
  Tool("BtnFieldTypus");
  Find<QComboBox>(Main(), "CBFieldTypus")->setCurrentIndex(2);
  Image before = Bytes();
  Drag({100, 100}, {300, 140});
  EXPECT_EQ(Main().History().StepCount(), 1u);
  ExpectStep(before, "Paint Field Typus");

  Tool("BtnFieldHeight");
  Find<QLineEdit>(Main(), "EditFieldHeight")->setText(QStringLiteral("1.5"));
  before = Bytes();
  Drag({100, 300}, {150, 320});
  ExpectStep(before, "Paint Field Height");

  Tool("BtnLightNew");
  before = Bytes();
  Click({400, 120});
  ExpectStep(before, "New Light");

  Tool("BtnLightMove");
  before = Bytes();
  Drag({400, 120}, {450, 200});
  ExpectStep(before, "Move Light");

  // The dialog opens on the press and keeps the release from the view: the step ends
  // with the press all the same.
  Tool("BtnLightEdit");
  AnswerDialog("BitBtn1", [](QWidget& dialog) { Type(dialog, "EditRadius", "7.5"); });
  before = Bytes();
  QTest::mousePress(&Main().View(), Qt::LeftButton, {}, {450, 200});
  ExpectStep(before, "Edit Light");
  QTest::mouseRelease(&Main().View(), Qt::LeftButton, {}, {450, 200});
  AnswerDialog("BitBtn3");
  before = Bytes();
  Click({450, 200});
  ExpectStep(before, "Delete Light");
  EXPECT_EQ(StatusText(1), "Lights: 0");

  auto* palette = Find<QComboBox>(Main(), "CBEntityTypus");
  palette->setCurrentIndex(1);
  emit palette->activated(1);
  Find<QListWidget>(Main(), "LBEntitySequences")->setCurrentRow(6);
  Tool("BtnEntityNew");
  before = Bytes();
  Click({200, 300});
  ASSERT_EQ(Engine().Room->Entities[0]->Typus, typus::Marker);
  ExpectStep(before, "New Entity");

  Tool("BtnEntityMove");
  before = Bytes();
  Drag({200, 300}, {260, 340});
  ExpectStep(before, "Move Entity");

  Tool("BtnEntityEdit");
  AnswerDialog("BitBtn1", [](QWidget& dialog) { Type(dialog, "EditName", "RENAMED"); });
  before = Bytes();
  Click({260, 340});
  ExpectStep(before, "Edit Entity");
  AnswerDialog("BitBtn3");
  before = Bytes();
  Click({260, 340});
  ExpectStep(before, "Delete Entity");

  Tool("BtnSurfaceNew");
  before = Bytes();
  Drag({420, 300}, {480, 360});
  ExpectStep(before, "New Surface");
  before = Bytes();
  Find<QPushButton>(Main(), "BtnSurfaceRotateLeft")->click();
  ExpectStep(before, "Rotate Surface Left");
  AnswerDialog("BitBtn3");
  before = Bytes();
  Find<QPushButton>(Main(), "BtnSurfaceEdit")->click();
  ExpectStep(before, "Delete Surface");

  Tool("BtnFieldHeightMap");
  before = Bytes();
  Click({320, 240});
  ExpectStep(before, "Import Heightmap");

  // All the way back is the new room; all the way forward is the last edit.
  const Image last = Bytes();
  EXPECT_EQ(Main().History().StepCount(), 14u);
  while (UndoItem().isEnabled()) UndoItem().trigger();
  EXPECT_EQ(Bytes(), newRoom);
  EXPECT_EQ(Title(), "Untitled \u2014 Brannock");
  while (RedoItem().isEnabled()) RedoItem().trigger();
  EXPECT_EQ(Bytes(), last);
}

TEST_F(UndoRedoTest, MenuCommandsAndTheRoomDialogAreSteps) {
  StartEditor();
  Tool("BtnFieldMaterial");
  Find<QComboBox>(Main(), "CBFieldMaterial")->setCurrentIndex(1);
  Click({200, 200});
  Image before = Bytes();
  Main().MenuAction("ClearFields1")->trigger();
  ExpectStep(before, "Clear Fields");

  AnswerDialog("BitBtn1", [](QWidget& dialog) { Type(dialog, "EditName", "CAVERN"); });
  before = Bytes();
  Main().MenuAction("Attributes1")->trigger();
  ExpectStep(before, "Room Attributes");
  EXPECT_EQ(Engine().Room->Name.str(), "CAVERN");

  // A surface lit before the light came: computing the lighting changes its light map.
  Tool("BtnSurfaceNew");
  Drag({300, 220}, {340, 260});
  Find<QSlider>(Main(), "TrackBarY")->setValue(-20);  // 2 m above the floor
  Tool("BtnLightNew");
  Click({320, 240});
  before = Bytes();
  Main().MenuAction("ComputeSurfaceLighting1")->trigger();
  ExpectStep(before, "Compute Surface Lighting");

  // What changes nothing makes no step: the menu still offers the lighting.
  Main().MenuAction("ComputeSurfaceLighting1")->trigger();
  EXPECT_EQ(UndoItem().text().toStdString(), "Undo Compute Surface Lighting");
  const std::size_t steps = Main().History().StepCount();
  Find<QPushButton>(Main(), "BtnSurfaceNext")->click();
  Main().MenuAction("WireframeMode1")->trigger();
  EXPECT_EQ(Main().History().StepCount(), steps);

  // A new room starts a history of its own.
  prompts.unsavedAnswers = {UnsavedAnswer::Discard};
  Main().NewRoom();
  EXPECT_FALSE(UndoItem().isEnabled());
  EXPECT_EQ(Main().History().StepCount(), 0u);
}

TEST_F(UndoRedoTest, ShortcutsUndoAndRedo) {
  StartEditor();
  EXPECT_EQ(UndoItem().shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
  EXPECT_EQ(RedoItem().shortcuts(),
            (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))}));
  Main().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
  const Image before = Bytes();
  Tool("BtnLightNew");
  Click({400, 120});
  const Image after = Bytes();
  QTest::keyClick(&Main(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Bytes(), before);
  QTest::keyClick(&Main(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Bytes(), after);
  QTest::keyClick(&Main(), Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(&Main(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Bytes(), after);
}

TEST_F(UndoRedoTest, TheTitleNamesTheRoomAndMarksUnsavedChanges) {
  StartEditor();
  EXPECT_EQ(Title(), "Untitled \u2014 Brannock");
  Tool("BtnLightNew");
  Click({400, 120});
  EXPECT_EQ(Title(), "Untitled* \u2014 Brannock");
  auto* edit = Main().findChild<QMenu*>(QStringLiteral("Edit1"));
  edit->popup(Main().mapToGlobal(QPoint(60, 20)));
  ASSERT_TRUE(WaitFor([edit] { return edit->isVisible(); }));
  QDir(QStringLiteral(QT_TESTCASE_BUILDDIR)).mkpath(QStringLiteral("screenshots"));
  edit->grab().save(QStringLiteral(QT_TESTCASE_BUILDDIR "/screenshots/EditMenu.png"));
  edit->hide();
  UndoItem().trigger();
  EXPECT_EQ(Title(), "Untitled \u2014 Brannock");
  // Undone back to the saved state: nothing to ask about.
  Main().NewRoom();
  EXPECT_EQ(prompts.unsavedQuestions, 0);

  Tool("BtnLightNew");
  Click({400, 120});
  const auto file = std::filesystem::path(userData.path().toStdString()) / "cellar.rer";
  ASSERT_TRUE(Main().SaveRoomTo(file.string()));
  EXPECT_EQ(Title(), "cellar.rer \u2014 Brannock");

  // A failed animation marks the caption; the mark stays while the title changes.
  host->SetCaption(host->Caption() + " -ERROR- ");
  EXPECT_EQ(Title(), "cellar.rer \u2014 Brannock -ERROR- ");
  Click({200, 120});
  EXPECT_EQ(Title(), "cellar.rer* \u2014 Brannock -ERROR- ");
  UndoItem().trigger();
  EXPECT_EQ(Title(), "cellar.rer \u2014 Brannock -ERROR- ");
  UndoItem().trigger();
  EXPECT_EQ(Title(), "cellar.rer* \u2014 Brannock -ERROR- ") << "before the save";

  prompts.unsavedAnswers = {UnsavedAnswer::Discard};
  prompts.openAnswers = {DemoRoom};
  Main().LoadRoom();
  EXPECT_EQ(prompts.unsavedQuestions, 1);
  EXPECT_EQ(Title(), "demo.rer \u2014 Brannock -ERROR- ");
  EXPECT_FALSE(UndoItem().isEnabled());
}

TEST_F(UndoRedoTest, TheTextureBakeWarnsThatItCannotBeUndone) {
  StartEditor();
  TEntity* marker = Engine().Room->AddEntity(typus::Marker, {}, {}, 1.0f);
  ASSERT_NE(marker, nullptr);
  Tool("BtnEntityEdit");
  for (const QMessageBox::StandardButton answer : {QMessageBox::No, QMessageBox::Yes}) {
    bool bakeClicked = false;
    bool dialogOpenAfterWarning = false;
    QWidget* entityDialog = nullptr;
    modals->handler = [&](QWidget& modal) {
      if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
        box->button(answer)->click();
      } else if (!bakeClicked) {
        entityDialog = &modal;
        bakeClicked = true;
        // Clicked from the event loop, so the warning runs its own.
        QMetaObject::invokeMethod(modal.findChild<QPushButton*>(QStringLiteral("SpeedButton1")), "click",
                                  Qt::QueuedConnection);
      } else {
        dialogOpenAfterWarning = true;
        qobject_cast<QDialog*>(&modal)->reject();
      }
    };
    const std::size_t warnings = modals->seenTexts.size();
    Click({320, 240});
    ASSERT_TRUE(WaitFor([&] { return !QApplication::activeModalWidget(); }));
    ASSERT_EQ(modals->seenTexts.size(), warnings + 1);
    EXPECT_NE(modals->seenTexts.back().find("cannot be undone"), std::string::npos) << modals->seenTexts.back();
    ASSERT_NE(entityDialog, nullptr);
    // No keeps the dialog open; Yes closes it with the bake requested.
    EXPECT_EQ(dialogOpenAfterWarning, answer == QMessageBox::No);
    EXPECT_EQ(QtForm(*entityDialog).Checked(entity_form::ShadowsRequested), answer == QMessageBox::Yes);
    modals->handler = nullptr;
  }
}

}  // namespace
