// View > Models on the demo room: every model of the catalogue as a thumbnail drawn
// offscreen by the room renderer's model drawing, a second time from the cache; the
// filter; picking one selects the Entities sheet's list item that "New Entity" then
// places; and the preview beside the lists turns the selected item's model.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <set>

#include "editor_fixture.h"
#include "entities/edit_entity.h"
#include "models/edit_model.h"
#include "room/edit_room.h"
#include "ui/browser_docks.h"
#include "ui/model_browser.h"
#include "ui/panel_view.h"
#include "ui/texture_browser.h"

namespace {

const std::string DemoRoom = std::string(BRANNOCK_SAMPLE_DIR) + "/data/world/room/demo.rer";

class ModelBrowserTest : public EditorTest {
protected:
  QListView* OpenModels() {
    Main().MenuAction("Models1")->trigger();
    auto* dock = Find<QDockWidget>(Main(), "DockModels");
    if (!dock) return nullptr;
    EXPECT_TRUE(dock->isVisible());
    EXPECT_TRUE(Main().MenuAction("Models1")->isChecked());
    auto* list = Find<QListView>(*dock, "ListModels");
    EXPECT_TRUE(WaitFor([&] { return AllReady(*list); }, 20000)) << "every thumbnail drawn";
    return list;
  }

  static bool AllReady(QListView& list) {
    for (int row = 0; row < list.model()->rowCount(); ++row)
      if (!list.model()->index(row, 0).data(ModelCatalogue::ReadyRole).toBool()) return false;
    return list.model()->rowCount() > 0;
  }

  static int Colours(const QPixmap& pixmap) {
    const QImage image = pixmap.toImage();
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2)
      for (int x = 0; x < image.width(); x += 2) colours.insert(image.pixel(x, y));
    return static_cast<int>(colours.size());
  }
};

TEST_F(ModelBrowserTest, PickingAModelSelectsTheListItemThatNewEntityPlaces) {
  StartEditorOn(DemoRoom);
  QListView* list = OpenModels();
  ASSERT_NE(list, nullptr);
  TModelEngine& models = *Engine().ModelEngine;
  int named = 0;
  for (std::int16_t slot = 1; slot <= models.Count; ++slot)
    if (!models.GetModel(slot)->DisplayName.empty()) ++named;
  EXPECT_EQ(list->model()->rowCount(), named) << "every model of the catalogue";
  for (int row = 0; row < list->model()->rowCount(); ++row) {
    const QModelIndex index = list->model()->index(row, 0);
    const auto slot = static_cast<std::int16_t>(index.data(ModelCatalogue::SlotRole).toInt());
    if (!models.GetModel(slot)->Loaded) continue;
    EXPECT_EQ(index.data(ModelCatalogue::ProblemRole).toString(), QString()) << index.data(ModelCatalogue::NameRole).toString().toStdString();
    EXPECT_GE(Colours(index.data(Qt::DecorationRole).value<QPixmap>()), 2)
        << "a drawn model, not a blank: " << index.data(ModelCatalogue::NameRole).toString().toStdString();
  }
  // The room's models are marked with their counts.
  int marked = 0;
  for (int row = 0; row < list->model()->rowCount(); ++row) {
    const QModelIndex index = list->model()->index(row, 0);
    const std::string name = index.data(ModelCatalogue::NameRole).toString().toStdString();
    int uses = 0;
    for (const auto& entity : Engine().Room->Entities)
      if (entity->InUse() && entity->ModelName.str() == name) ++uses;
    EXPECT_EQ(index.data(ModelCatalogue::UsesRole).toInt(), uses) << name;
    marked += uses > 0;
  }
  EXPECT_GT(marked, 0);

  // The second time round every thumbnail comes from the cache.
  ModelCatalogue& catalogue = *Main().Browsers().models;
  const int drawn = catalogue.Rendered();
  EXPECT_GT(drawn, 0);
  catalogue.Refresh();
  ASSERT_TRUE(WaitFor([&] { return AllReady(*list); }, 20000));
  EXPECT_EQ(catalogue.Rendered(), 0);
  EXPECT_EQ(catalogue.FromCache(), drawn);

  auto* filter = Find<QLineEdit>(Main(), "EditModelFilter");
  QTest::keyClicks(filter, QStringLiteral("enemy_mutant"));
  ASSERT_EQ(list->model()->rowCount(), 1);
  const QModelIndex mutant = list->model()->index(0, 0);
  EXPECT_EQ(mutant.data(ModelCatalogue::NameRole).toString(), QStringLiteral("UNIT_ENEMY_MUTANT"));
  MainForm().SetActivePage("PageControl", "TabSheetLights");
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(mutant).center());
  EXPECT_EQ(MainForm().ActivePage("PageControl"), "TabSheetEntities");
  EXPECT_EQ(Find<QComboBox>(Main(), "CBEntityTypus")->currentIndex(), 2) << "the units";
  auto* units = Find<QListWidget>(Main(), "LBEntityUnits");
  EXPECT_TRUE(units->isVisible());
  EXPECT_EQ(units->currentItem()->text(), QStringLiteral("Mutant"));
  EXPECT_TRUE(Find<QPushButton>(Main(), "BtnEntityNew")->isChecked());

  // New Entity places it.
  Find<QPushButton>(Main(), "BtnViewTop")->click();
  TRoom& room = *Engine().Room;
  room.Cursor.CoolDown = 0;
  QTest::mouseClick(&Main().View(), Qt::LeftButton, {}, {320, 240});
  ASSERT_NE(room.Cursor.SelectedEntity, nullptr);
  EXPECT_EQ(room.Cursor.SelectedEntity->ModelName.str(), "UNIT_ENEMY_MUTANT");

  // A tile model selects its item in the tile list.
  filter->clear();
  for (int row = 0; row < list->model()->rowCount(); ++row) {
    const QModelIndex index = list->model()->index(row, 0);
    if (index.data(ModelCatalogue::GroupRole).toInt() != 0) continue;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
    EXPECT_EQ(Find<QComboBox>(Main(), "CBEntityTypus")->currentIndex(), 0);
    auto* tiles = Find<QListWidget>(Main(), "LBEntityTiles");
    EXPECT_EQ(tiles->currentRow(), index.data(ModelCatalogue::ItemRole).toInt());
    EXPECT_EQ(tiles->currentItem()->text(), index.data(ModelCatalogue::NameRole).toString());
    room.Cursor.CoolDown = 0;
    QTest::mouseClick(&Main().View(), Qt::LeftButton, {}, {360, 260});
    ASSERT_NE(room.Cursor.SelectedEntity, nullptr);
    EXPECT_EQ(room.Cursor.SelectedEntity->ModelName.str(), index.data(ModelCatalogue::NameRole).toString().toStdString());
    break;
  }

  // The preview beside the lists shows the selected item's model, turning.
  filter->setText(QStringLiteral("enemy_mutant"));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 0)).center());
  auto* preview = Find<ModelPreview>(Main(), "LabelModelPreview");
  ASSERT_TRUE(preview && preview->isVisible());
  const std::int16_t slot = models.FindModel("UNIT_ENEMY_MUTANT");
  ASSERT_TRUE(WaitFor([&] { return preview->ShownSlot() == slot && preview->Pictures() > 0; }));
  const int pictures = preview->Pictures();
  const QImage first = preview->pixmap().toImage();
  ASSERT_TRUE(WaitFor([&] { return preview->Pictures() >= pictures + 5; }));
  EXPECT_NE(preview->pixmap().toImage(), first) << "it turns";
  EXPECT_GT(Colours(preview->pixmap()), 3);
  MainForm().SetActivePage("PageControl", "TabSheetLights");
  const int hidden = preview->Pictures();
  QTest::qWait(200);
  EXPECT_EQ(preview->Pictures(), hidden) << "nothing is drawn while it cannot be seen";
}

// The README's pictures of the two docks, written beside the test binary
// (screenshots/), as the other window pictures are.
TEST_F(ModelBrowserTest, ScreenshotsOfTheTexturesAndModelsDocks) {
  StartEditorOn(DemoRoom);
  Find<QPushButton>(Main(), "BtnView3D")->click();
  QDir directory(QStringLiteral(QT_TESTCASE_BUILDDIR));
  directory.mkpath(QStringLiteral("screenshots"));
  Main().MenuAction("Textures1")->trigger();
  auto* textures = Find<QListView>(Main(), "ListTextures");
  ASSERT_TRUE(WaitFor([&] {
    for (int row = 0; row < textures->model()->rowCount(); ++row)
      if (!textures->model()->index(row, 0).data(TextureCatalogue::ReadyRole).toBool()) return false;
    return true;
  }, 20000)) << "every thumbnail drawn";
  Main().resize(Main().width() + 360, Main().height());
  QTest::qWait(300);
  EXPECT_TRUE(Main().grab().save(directory.filePath(QStringLiteral("screenshots/textures_dock.png"))));
  Main().MenuAction("Textures1")->trigger();

  QListView* models = OpenModels();
  ASSERT_NE(models, nullptr);
  Find<QLineEdit>(Main(), "EditModelFilter")->clear();
  for (int row = 0; row < models->model()->rowCount(); ++row) {
    const QModelIndex index = models->model()->index(row, 0);
    if (index.data(ModelCatalogue::NameRole).toString() != QStringLiteral("UNIT_ENEMY_MUTANT")) continue;
    QTest::mouseClick(models->viewport(), Qt::LeftButton, {}, models->visualRect(index).center());
  }
  QTest::qWait(600);
  EXPECT_TRUE(Main().grab().save(directory.filePath(QStringLiteral("screenshots/models_dock.png"))));
}

}  // namespace
