// Pictures of every window and tab sheet, written beside the test binary so a person can
// look at them; the checks hold what the pictures are of: the fixed window size and
// the dialogs' captions.
#include <QDir>
#include <QTabWidget>

#include "editor_fixture.h"
#include "ui/edit_entityform.h"
#include "ui/edit_heightmapform.h"
#include "ui/edit_lightform.h"
#include "ui/edit_roomform.h"
#include "ui/surface_form.h"

namespace {

QString ShotPath(const QString& name) {
  QDir directory(QStringLiteral(QT_TESTCASE_BUILDDIR));
  directory.mkpath(QStringLiteral("screenshots"));
  return directory.filePath(QStringLiteral("screenshots/%1.png").arg(name));
}

void Shoot(QWidget& window, const QString& name) {
  QApplication::processEvents();
  const QPixmap picture = window.grab();
  ASSERT_FALSE(picture.isNull()) << name.toStdString();
  EXPECT_TRUE(picture.save(ShotPath(name))) << name.toStdString();
}

}  // namespace

TEST_F(EditorTest, ScreenshotsOfTheMainWindowAndEveryDialog) {
  StartEditor();
  EXPECT_EQ(Main().centralWidget()->size(), QSize(944, 520));
  auto* palette = Find<QTabWidget>(Main(), "PageControl");
  for (int sheet = 0; sheet < palette->count(); ++sheet) {
    palette->setCurrentIndex(sheet);
    Shoot(Main(), QStringLiteral("main_%1").arg(palette->widget(sheet)->objectName()));
  }

  struct Shot {
    QDialog* dialog;
    const char* caption;
  };
  for (const Shot& shot : {Shot{windows->Light.get(), "Light Attributes"}, Shot{windows->Room.get(), "Room Attributes"},
                           Shot{windows->Surface.get(), "Surface Attributes"},
                           Shot{windows->HeightMap.get(), "Create Heightmap"},
                           Shot{windows->Entity.get(), "Entity Attributes"}}) {
    EXPECT_EQ(shot.dialog->windowTitle().toStdString(), shot.caption);
    shot.dialog->show();
    Shoot(*shot.dialog, shot.dialog->objectName());
    for (auto* tabs : shot.dialog->findChildren<QTabWidget*>()) {
      for (int sheet = 0; sheet < tabs->count(); ++sheet) {
        if (!tabs->isTabVisible(sheet)) tabs->setTabVisible(sheet, true);
        tabs->setCurrentIndex(sheet);
        Shoot(*shot.dialog, shot.dialog->objectName() + QLatin1Char('_') + tabs->widget(sheet)->objectName());
      }
    }
    shot.dialog->hide();
  }
}
