// View > Textures on the demo room: every texture of the world with its thumbnail, the
// room's marked with their use counts, a filter by name and a sort by use; a
// double-click gives the selected surfaces the texture as one step that one Ctrl+Z
// takes back, light maps untouched; and the surface dialog's "..." picks from it.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QDockWidget>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <map>

#include "core/bmp_file.h"
#include "editor_fixture.h"
#include "room/edit_room.h"
#include "room/room_history.h"
#include "surfaces/surface_main.h"
#include "ui/panel_view.h"
#include "ui/surface_form.h"
#include "ui/texture_browser.h"

namespace {

const std::string DemoRoom = std::string(BRANNOCK_SAMPLE_DIR) + "/data/world/room/demo.rer";
constexpr int Name = TextureCatalogue::NameRole;
// The thumbnail worker runs at the lowest priority: on a loaded machine it waits its turn.
constexpr int ThumbnailWait = 20000;

class TextureBrowserTest : public EditorTest {
protected:
  QListView* OpenTextures() {
    Main().MenuAction("Textures1")->trigger();
    auto* dock = Find<QDockWidget>(Main(), "DockTextures");
    if (!dock) return nullptr;
    EXPECT_TRUE(dock->isVisible());
    EXPECT_TRUE(Main().MenuAction("Textures1")->isChecked());
    auto* list = Find<QListView>(*dock, "ListTextures");
    // Laid out, so a click lands on the thumbnail it aims at.
    EXPECT_TRUE(WaitFor([&] { return list && list->isVisible() && list->model()->rowCount() > 0 &&
                                     list->visualRect(list->model()->index(0, 0)).isValid(); }));
    // And the thumbnails in, so none lands between the two clicks of a double-click.
    EXPECT_TRUE(WaitFor([&] {
      for (int row = 0; row < list->model()->rowCount(); ++row)
        if (!list->model()->index(row, 0).data(TextureCatalogue::ReadyRole).toBool()) return false;
      return true;
    }, ThumbnailWait));
    return list;
  }

  static std::vector<std::string> Names(QListView& list) {
    std::vector<std::string> names;
    for (int row = 0; row < list.model()->rowCount(); ++row)
      names.push_back(list.model()->index(row, 0).data(Name).toString().toStdString());
    return names;
  }

  // Press and release, then the second press a double-click reports (as a window system
  // sends them).
  static void DoubleClick(QListView& list, const QModelIndex& index) {
    const QPoint at = list.visualRect(index).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
  }

  static QModelIndex RowNamed(QListView& list, const std::string& name) {
    for (int row = 0; row < list.model()->rowCount(); ++row) {
      const QModelIndex index = list.model()->index(row, 0);
      if (index.data(Name).toString().toStdString() == name) return index;
    }
    return {};
  }

  // Surfaces in use, by texture name.
  std::map<std::string, int> Uses() {
    std::map<std::string, int> uses;
    for (const auto& surface : Engine().Room->Surfaces)
      if (surface->InUse()) ++uses[surface->textureName.str()];
    return uses;
  }

  TSurface* SurfaceNotTextured(const std::string& texture, int skip = 0) {
    for (const auto& surface : Engine().Room->Surfaces)
      if (surface->InUse() && surface->textureName.str() != texture && skip-- == 0) return surface.get();
    return nullptr;
  }
};

TEST_F(TextureBrowserTest, TheDockShowsEveryTextureMarksTheRoomsAndFiltersByName) {
  StartEditorOn(DemoRoom);
  QListView* list = OpenTextures();
  ASSERT_NE(list, nullptr);
  std::vector<std::string> onDisk;
  for (const auto& entry : std::filesystem::directory_iterator(std::string(BRANNOCK_SAMPLE_DIR) + "/data/model/world/textures"))
    onDisk.push_back("textures\\" + entry.path().stem().string());
  std::sort(onDisk.begin(), onDisk.end());
  EXPECT_EQ(Names(*list), onDisk) << "every bitmap of the world's texture directory, by name";

  ASSERT_TRUE(WaitFor([&] {
    for (int row = 0; row < list->model()->rowCount(); ++row)
      if (!list->model()->index(row, 0).data(TextureCatalogue::ReadyRole).toBool()) return false;
    return true;
  }, ThumbnailWait)) << "the thumbnails fill in";
  for (int row = 0; row < list->model()->rowCount(); ++row) {
    const QModelIndex index = list->model()->index(row, 0);
    EXPECT_EQ(index.data(TextureCatalogue::ProblemRole).toString(), QString()) << index.data(Name).toString().toStdString();
    EXPECT_FALSE(index.data(Qt::DecorationRole).value<QPixmap>().isNull());
    EXPECT_TRUE(index.data(Qt::DisplayRole).toString().contains(QStringLiteral(" × "))) << "with its size";
  }
  for (const auto& [texture, count] : Uses()) {
    const QModelIndex index = RowNamed(*list, texture);
    ASSERT_TRUE(index.isValid()) << texture;
    EXPECT_EQ(index.data(TextureCatalogue::UsesRole).toInt(), count) << texture;
    EXPECT_TRUE(index.data(Qt::DisplayRole).toString().contains(QStringLiteral("used %1×").arg(count)));
  }

  auto* filter = Find<QLineEdit>(Main(), "EditTextureFilter");
  ASSERT_NE(filter, nullptr);
  QTest::keyClicks(filter, QStringLiteral("BRI"));
  EXPECT_EQ(Names(*list), std::vector<std::string>{"textures\\bricks"}) << "any letter case";
  filter->clear();
  QTest::keyClicks(filter, QStringLiteral("o"));
  for (const std::string& name : Names(*list)) EXPECT_NE(name.find('o'), std::string::npos) << name;
  EXPECT_EQ(Names(*list).size(), static_cast<std::size_t>(std::count_if(onDisk.begin(), onDisk.end(), [](const std::string& n) {
              return n.find('o', 9) != std::string::npos || n.substr(0, 9).find('o') != std::string::npos;
            })));
  QTest::keyClicks(filter, QStringLiteral("zzz"));
  EXPECT_EQ(list->model()->rowCount(), 0);
  filter->clear();
  EXPECT_EQ(Names(*list), onDisk);

  // By use: the most used first.
  Find<QComboBox>(Main(), "CBTextureSort")->setCurrentIndex(1);
  int previous = std::numeric_limits<int>::max();
  for (int row = 0; row < list->model()->rowCount(); ++row) {
    const int uses = list->model()->index(row, 0).data(TextureCatalogue::UsesRole).toInt();
    EXPECT_LE(uses, previous);
    previous = uses;
  }
  EXPECT_GT(list->model()->index(0, 0).data(TextureCatalogue::UsesRole).toInt(), 0);

  // The dock's own close button clears the menu's mark.
  Find<QDockWidget>(Main(), "DockTextures")->close();
  EXPECT_FALSE(Main().MenuAction("Textures1")->isChecked());
}

TEST_F(TextureBrowserTest, ADoubleClickGivesTheSelectedSurfacesTheTextureAsOneStepThatCtrlZTakesBack) {
  StartEditorOn(DemoRoom);
  TRoom& room = *Engine().Room;
  const std::string texture = "textures\\planks";
  TSurface* first = SurfaceNotTextured(texture);
  TSurface* second = SurfaceNotTextured(texture, 1);
  ASSERT_TRUE(first && second);
  const std::string firstBefore = first->textureName.str(), secondBefore = second->textureName.str();
  const auto firstMap = first->lightMapPixels, secondMap = second->lightMapPixels;
  const std::uint32_t lightMapHandle = first->lightMapHandle;
  room.Selection.Set(TSelection::Kind::Surfaces, first->slotIndex);
  room.Selection.Add(TSelection::Kind::Surfaces, second->slotIndex);
  room.Cursor.SelectedSurface = first;
  const int usesBefore = Uses()[texture];

  QListView* list = OpenTextures();
  ASSERT_NE(list, nullptr);
  const QModelIndex planks = RowNamed(*list, texture);
  ASSERT_TRUE(planks.isValid());
  const QRect cell = list->visualRect(planks);
  ASSERT_TRUE(list->viewport()->rect().contains(cell.center())) << "the thumbnail is in sight";
  DoubleClick(*list, planks);

  EXPECT_EQ(first->textureName.str(), texture);
  EXPECT_EQ(second->textureName.str(), texture);
  EXPECT_NE(first->textureHandle, TSurface::NoTexture) << "the new texture is uploaded";
  EXPECT_EQ(first->lightMapPixels, firstMap) << "a texture does not change the bake";
  EXPECT_EQ(second->lightMapPixels, secondMap);
  EXPECT_NE(first->lightMapHandle, TSurface::NoTexture);
  (void)lightMapHandle;
  EXPECT_EQ(Main().History().UndoName(), "Set Texture");
  EXPECT_EQ(RowNamed(*list, texture).data(TextureCatalogue::UsesRole).toInt(), usesBefore + 2) << "the mark follows";

  QTest::keyClick(&Main().View(), Qt::Key_Z, Qt::ControlModifier);
  TSurface& firstAgain = *room.Surfaces[static_cast<std::size_t>(first->slotIndex)];
  TSurface& secondAgain = *room.Surfaces[static_cast<std::size_t>(second->slotIndex)];
  EXPECT_EQ(firstAgain.textureName.str(), firstBefore) << "one Ctrl+Z takes both back";
  EXPECT_EQ(secondAgain.textureName.str(), secondBefore);
  EXPECT_EQ(firstAgain.lightMapPixels, firstMap);
  EXPECT_NE(Main().History().UndoName(), "Set Texture");
  EXPECT_EQ(RowNamed(*list, texture).data(TextureCatalogue::UsesRole).toInt(), usesBefore);

  // Nothing selected: nothing changes, and the status bar says why.
  room.Selection.Clear();
  room.Cursor.SelectedSurface = nullptr;
  const std::string undoName = Main().History().UndoName();
  DoubleClick(*list, RowNamed(*list, texture));
  EXPECT_EQ(Main().History().UndoName(), undoName);
  EXPECT_EQ(StatusText(TRoom::MessageStatusPanel), "Select a surface to give it a texture");
}

TEST_F(TextureBrowserTest, TheSurfaceDialogsTextureButtonPicksFromTheBrowser) {
  StartEditorOn(DemoRoom);
  TRoom& room = *Engine().Room;
  TSurface* surface = SurfaceNotTextured("textures\\stone");
  ASSERT_NE(surface, nullptr);
  room.Selection.Set(TSelection::Kind::Surfaces, surface->slotIndex);
  room.Cursor.SelectedSurface = surface;
  const std::string before = surface->textureName.str();
  const std::size_t fileDialogs = prompts.openSpecs.size();

  std::string offered, shown, picked;
  bool pickerSeen = false;
  const auto pick = [&](QWidget& modal) {
    {
      auto* list = modal.findChild<QListView*>(QStringLiteral("ListTextures"));
      ASSERT_NE(list, nullptr);
      // Until it is laid out, the next round of the watcher comes back.
      if (!list->isVisible() || list->model()->rowCount() == 0 || !list->visualRect(list->model()->index(0, 0)).isValid())
        return;
      if (!pickerSeen) {
        const QModelIndex current = list->currentIndex();
        offered = current.isValid() ? current.data(Name).toString().toStdString() : "";
      }
      pickerSeen = true;
      auto* filter = modal.findChild<QLineEdit*>(QStringLiteral("EditTextureFilter"));
      filter->clear();
      QTest::keyClicks(filter, QStringLiteral("ston"));
      ASSERT_EQ(list->model()->rowCount(), 1);
      DoubleClick(*list, list->model()->index(0, 0));
    }
  };
  modals->handler = [&](QWidget& modal) {
    if (modal.objectName() != QStringLiteral("FormSurface")) return;
    auto* dialog = qobject_cast<QDialog*>(&modal);
    QtForm form(modal);
    shown = form.Text("EditTextureName");
    if (picked.empty()) {
      // The watcher's timer does not fire again while its handler runs: the picker,
      // modal over the dialog, is watched by a timer of its own.
      QTimer watch;
      watch.setInterval(20);
      QObject::connect(&watch, &QTimer::timeout, [&] {
        QWidget* top = QApplication::activeModalWidget();
        if (top && top->objectName() == QStringLiteral("FormTexturePicker")) pick(*top);
      });
      watch.start();
      modal.findChild<QPushButton*>(QStringLiteral("BtnTextureName"))->click();
      watch.stop();
      picked = form.Text("EditTextureName");
      dialog->accept();
    }
  };
  Find<QPushButton>(Main(), "BtnSurfaceEdit")->click();
  ASSERT_TRUE(WaitFor([&] { return !picked.empty(); }));
  EXPECT_TRUE(pickerSeen);
  EXPECT_EQ(offered, before) << "the picker starts on the surface's texture";
  EXPECT_EQ(picked, "textures\\stone") << "the name chosen lands in the dialog's edit";
  EXPECT_EQ(surface->textureName.str(), "textures\\stone") << "and OK gives it the surface";
  EXPECT_EQ(prompts.openSpecs.size(), fileDialogs) << "no file dialog";
}

// The room dialog's sky box "..." picks from the game's texture list the same way.
TEST_F(TextureBrowserTest, TheRoomDialogsSkyBoxButtonPicksFromTheTextureList) {
  StartEditorOn(DemoRoom);
  std::string picked;
  int offered = -1;
  modals->handler = [&](QWidget& modal) {
    if (modal.objectName() != QStringLiteral("FormRoom") || !picked.empty()) return;
    QTimer watch;
    watch.setInterval(20);
    QObject::connect(&watch, &QTimer::timeout, [&] {
      QWidget* top = QApplication::activeModalWidget();
      if (!top || top->objectName() != QStringLiteral("FormTexturePicker")) return;
      auto* list = top->findChild<QListView*>(QStringLiteral("ListTextures"));
      if (!list->isVisible() || list->model()->rowCount() == 0 || !list->visualRect(list->model()->index(0, 0)).isValid())
        return;
      if (offered < 0) offered = list->model()->rowCount();
      auto* filter = top->findChild<QLineEdit*>(QStringLiteral("EditTextureFilter"));
      filter->clear();
      QTest::keyClicks(filter, QStringLiteral("dusk_left"));
      if (list->model()->rowCount() == 1) DoubleClick(*list, list->model()->index(0, 0));
    });
    watch.start();
    modal.findChild<QPushButton*>(QStringLiteral("BtnSkyBoxTexture"))->click();
    watch.stop();
    picked = QtForm(modal).Text("CBSkyBoxTexture");
    qobject_cast<QDialog*>(&modal)->accept();
  };
  Main().MenuAction("Attributes1")->trigger();
  ASSERT_TRUE(WaitFor([&] { return !picked.empty(); }));
  EXPECT_EQ(picked, "world\\sky\\dusk_left");
  EXPECT_EQ(Engine().Room->SkyBoxTexture.str(), "world\\sky\\dusk_left");
  EXPECT_GT(offered, 10) << "the whole texture list";
}

// Damaged and missing bitmaps show placeholders that say why, and nothing else breaks.
TEST_F(TextureBrowserTest, DamagedAndMissingTexturesShowWhy) {
  StartEditorOn(DemoRoom);
  QTemporaryDir world;
  ASSERT_TRUE(QDir(world.path()).mkpath(QStringLiteral("textures/sub")));
  const auto write = [&](const char* name, std::vector<std::uint8_t> bytes) {
    QFile file(world.path() + QStringLiteral("/textures/") + QString::fromLatin1(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
  };
  auto sound = EncodeBmp({4, 4, std::vector<std::uint8_t>(48, 200)});
  write("sound.bmp", sound);
  write("sub/Upper.BMP", sound);
  write("empty.bmp", {});
  auto cut = sound;
  cut.resize(cut.size() - 5);
  write("cut.bmp", cut);
  auto jpeg = sound;
  jpeg[30] = 4;
  write("jpeg.bmp", jpeg);
  write("text.bmp", {'h', 'e', 'l', 'l', 'o'});

  TextureCatalogue catalogue;
  catalogue.Scan(world.path().toStdString(), ThumbnailCache((world.path() + QStringLiteral("/cache")).toStdString()));
  ASSERT_TRUE(WaitFor([&] { return catalogue.Pending() == 0; }, ThumbnailWait));
  const std::map<std::string, std::string> expected{{"textures\\cut", "bitmap pixels cut short"},
                                                    {"textures\\empty", "bitmap header cut short"},
                                                    {"textures\\jpeg", "JPEG bitmaps are not supported"},
                                                    {"textures\\sound", ""},
                                                    {"textures\\sub\\Upper", ""},
                                                    {"textures\\text", "not a bitmap file"}};
  ASSERT_EQ(catalogue.rowCount(), static_cast<int>(expected.size()));
  for (const auto& [name, problem] : expected) {
    const int row = catalogue.RowOf(name);
    ASSERT_GE(row, 0) << name;
    const QModelIndex index = catalogue.index(row);
    EXPECT_EQ(index.data(TextureCatalogue::ProblemRole).toString().toStdString(), problem) << name;
    EXPECT_FALSE(index.data(Qt::DecorationRole).value<QPixmap>().isNull()) << name;
    if (!problem.empty()) {
      EXPECT_TRUE(index.data(Qt::DisplayRole).toString().contains(QStringLiteral("unreadable"))) << name;
      EXPECT_TRUE(index.data(Qt::ToolTipRole).toString().contains(QString::fromStdString(problem))) << name;
    }
  }

  // A texture the room names that has no file is listed as missing while the room uses it.
  TSurface* surface = SurfaceNotTextured("textures\\gone");
  ASSERT_NE(surface, nullptr);
  QListView* list = OpenTextures();
  ASSERT_NE(list, nullptr);
  Main().Engine()->Room->Selection.Set(TSelection::Kind::Surfaces, surface->slotIndex);
  ASSERT_TRUE(Main().AssignTexture("textures\\gone"));
  const QModelIndex gone = RowNamed(*list, "textures\\gone");
  ASSERT_TRUE(gone.isValid());
  EXPECT_EQ(gone.data(TextureCatalogue::ProblemRole).toString(), QStringLiteral("file not found"));
  EXPECT_TRUE(gone.data(Qt::DisplayRole).toString().contains(QStringLiteral("missing")));
  EXPECT_EQ(gone.data(TextureCatalogue::UsesRole).toInt(), 1);
  EXPECT_TRUE(std::any_of(modals->seenTexts.begin(), modals->seenTexts.end(),
                          [](const std::string& text) { return text.find("gone") != std::string::npos; }))
      << "the missing file is reported";
  // Shortcuts reach the window again once the message has closed.
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
  QTest::keyClick(&Main().View(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_FALSE(RowNamed(*list, "textures\\gone").isValid()) << "and goes when no surface names it";
}

}  // namespace
