// Every caption of the main window, of each dialog page and of the file dialog shows whole
// in the default font: labels, buttons, check and radio boxes, drop-down list items, tabs,
// status panels and the file sizes of the file dialog. The texts the document writes at run time (room
// counts, a save's byte count, a small zoom, a far cursor position, a low height) are
// staged first. Also run at QT_SCALE_FACTOR 2 (ctest's ui_scaled_tests).
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionTab>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeView>
#include <gmock/gmock.h>

#include "editor_fixture.h"
#include "entities/edit_entity.h"
#include "entities/edit_entityform.h"
#include "room/edit_room.h"
#include "support/distinct_entities.h"
#include "ui/edit_entityform.h"
#include "ui/edit_heightmapform.h"
#include "ui/ui_prompts.h"

namespace {

const std::string DemoRoom = std::string(BRANNOCK_SAMPLE_DIR) + "/data/world/room/demo.rer";

// The text as drawn: a button's "&" marks its shortcut and is not shown.
QString Shown(QString text, bool mnemonic) {
  if (mnemonic) text.replace(QRegularExpression(QStringLiteral("&(.)")), QStringLiteral("\\1"));
  return text;
}

int TextWidth(const QFont& font, const QString& text) {
  const QFontMetrics metrics(font);
  int widest = 0;
  for (const QString& line : text.split(QLatin1Char('\n'))) widest = std::max(widest, metrics.horizontalAdvance(line));
  return widest;
}

// The part of a widget's area that is on screen: every ancestor cuts off what sticks out.
int VisibleWidth(const QWidget& widget, const QRect& area) {
  const QWidget* window = widget.window();
  QRect shown(widget.mapTo(window, area.topLeft()), area.size());
  for (const QWidget* up = widget.parentWidget(); up; up = up->parentWidget()) {
    shown &= QRect(up == window ? QPoint() : up->mapTo(window, QPoint()), up->size());
    if (up == window) break;
  }
  return shown.isEmpty() ? 0 : shown.width();
}

class TextFitTest : public EditorTest {
protected:
  // Notes every visible caption below root whose text is wider than the room it is drawn in.
  void CheckTexts(QWidget& root, const QString& where) {
    QApplication::processEvents();
    for (QWidget* widget : root.findChildren<QWidget*>()) {
      // Dialogs are children of the main window but windows of their own.
      if (!widget->isVisible() || widget->window() != root.window()) continue;
      // The file dialog's path box shows wherever the rooms happen to live; no layout bounds that.
      if (widget->objectName() == QLatin1String("lookInCombo")) continue;
      if (auto* combo = qobject_cast<QComboBox*>(widget)) CheckList(*combo, where);
      if (auto* label = qobject_cast<QLabel*>(widget)) CheckLabel(*label, where);
      if (auto* button = qobject_cast<QAbstractButton*>(widget)) CheckButton(*button, where);
      if (auto* bar = qobject_cast<QTabBar*>(widget)) CheckTabs(*bar, where);
    }
  }

  void CheckLabel(QLabel& label, const QString& where) {
    if (label.text().isEmpty() || Qt::mightBeRichText(label.text())) return;
    const QRect area = label.contentsRect().adjusted(label.margin(), label.margin(), -label.margin(), -label.margin());
    if (label.wordWrap()) {
      // A wrapped label fits when it is tall enough for its lines.
      if (label.heightForWidth(label.width()) > label.height())
        Note(where, label, label.text(), label.heightForWidth(label.width()), label.height());
      return;
    }
    Compare(where, label, label.text(), TextWidth(label.font(), label.text()), VisibleWidth(label, area));
  }

  void CheckButton(QAbstractButton& button, const QString& where) {
    const QString text = Shown(button.text(), true);
    if (text.isEmpty()) return;
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    option.icon = button.icon();
    option.iconSize = button.iconSize();
    // The style's own room for the text, inside the bevel or beside the indicator.
    QStyle::SubElement contents = QStyle::SE_PushButtonContents;
    if (qobject_cast<QCheckBox*>(&button)) contents = QStyle::SE_CheckBoxContents;
    if (qobject_cast<QRadioButton*>(&button)) contents = QStyle::SE_RadioButtonContents;
    if (auto* push = qobject_cast<QPushButton*>(&button); push && push->autoDefault())
      option.features |= QStyleOptionButton::AutoDefaultButton;
    QRect area = button.style()->subElementRect(contents, &option, &button);
    if (!button.icon().isNull()) area.setLeft(area.left() + button.iconSize().width() + 4);
    Compare(where, button, text, TextWidth(button.font(), text), VisibleWidth(button, area));
  }

  // A drop-down list may show any of its items; a name box scrolls its text like an edit.
  void CheckList(QComboBox& combo, const QString& where) {
    if (combo.isEditable()) return;
    QStyleOptionComboBox option;
    option.initFrom(&combo);
    option.frame = combo.hasFrame();
    option.currentText = combo.currentText();
    const QRect area = combo.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &combo);
    for (int item = 0; item < combo.count(); ++item)
      Compare(where, combo, combo.itemText(item), TextWidth(combo.font(), combo.itemText(item)), VisibleWidth(combo, area));
  }

  void CheckTabs(QTabBar& bar, const QString& where) {
    for (int tab = 0; tab < bar.count(); ++tab) {
      if (!bar.isTabVisible(tab) || bar.tabText(tab).isEmpty()) continue;
      QStyleOptionTab option;
      option.initFrom(&bar);
      option.rect = bar.tabRect(tab);
      option.text = bar.tabText(tab);
      option.shape = bar.shape();
      option.documentMode = bar.documentMode();
      if (tab == bar.currentIndex()) option.state |= QStyle::State_Selected;
      const QRect area = bar.style()->subElementRect(QStyle::SE_TabBarTabText, &option, &bar);
      const QString text = Shown(bar.tabText(tab), true);
      QFont font = bar.font();
      // The palette draws its chosen tab in bold.
      if (tab == bar.currentIndex() && EffectiveStyleSheet(bar).contains(QStringLiteral("font-weight: bold")))
        font.setBold(true);
      const QString name = bar.parentWidget() ? bar.parentWidget()->objectName() : bar.objectName();
      Compare(where, bar, text, TextWidth(font, text), VisibleWidth(bar, area), name + QStringLiteral(" tab"));
    }
  }

  static QString EffectiveStyleSheet(const QWidget& widget) {
    QString sheets;
    for (const QWidget* up = &widget; up; up = up->parentWidget()) sheets += up->styleSheet();
    return sheets;
  }

  void Compare(const QString& where, const QWidget& widget, const QString& text, int needed, int has,
               const QString& name = {}) {
    if (needed > has) Note(where, widget, text, needed, has, name);
  }

  void Note(const QString& where, const QWidget& widget, const QString& text, int needed, int has,
            const QString& name = {}) {
    QString who = name.isEmpty() ? widget.objectName() : name;
    if (who.isEmpty()) who = QStringLiteral("<%1>").arg(QString::fromLatin1(widget.metaObject()->className()));
    const QString entry = QStringLiteral("  %1: %2 \"%3\" needs %4, has %5").arg(where, who, text).arg(needed).arg(has);
    if (!clipped_.contains(entry)) clipped_ << entry;
  }

  // Each sheet of each tab widget below root in turn, as the user would page through them.
  void CheckEverySheet(QWidget& root, const QString& where) {
    CheckTexts(root, where);
    for (auto* tabs : root.findChildren<QTabWidget*>()) {
      const int before = tabs->currentIndex();
      for (int sheet = 0; sheet < tabs->count(); ++sheet) {
        if (!tabs->isTabVisible(sheet)) continue;
        tabs->setCurrentIndex(sheet);
        CheckTexts(root, where);
      }
      tabs->setCurrentIndex(before);
    }
  }

  // Opens each editor dialog as the document does and pages through it before it closes.
  void CheckDialogs() {
    TRoom& room = *Engine().Room;
    modals->handler = [this](QWidget& modal) {
      auto* dialog = qobject_cast<QDialog*>(&modal);
      if (!dialog) return;
      QString where = dialog->objectName();
      // The entity dialog names the one kind page it shows.
      if (auto* kinds = dialog->findChild<QTabWidget*>(QStringLiteral("PageControl")); kinds && qobject_cast<TFormEntity*>(dialog))
        where += QLatin1Char('/') + kinds->currentWidget()->objectName();
      CheckEverySheet(*dialog, where);
      dialog->reject();
    };
    room.EditAttributes();
    for (int slot = 0; slot <= room.LastLight; ++slot)
      if (room.Lights[slot].InUse()) {
        room.Lights[slot].EditAttributes();
        break;
      }
    for (int slot = 0; slot <= room.LastSurface; ++slot)
      if (room.Surfaces[slot]->InUse()) {
        room.Surfaces[slot]->Edit();
        break;
      }
    // One entity of every kind, each with the lists its page fills.
    for (const auto& [code, size] : KindSizes) {
      TEntity* entity = room.AddEntity(code, {1.0f, 0.0f, 1.0f}, {}, 1.0f);
      ASSERT_NE(entity, nullptr) << code;
      entity_form::EditEntityFollowingRename(room, *entity);
    }
    modals->handler = nullptr;
    windows->HeightMap->show();
    CheckEverySheet(*windows->HeightMap, windows->HeightMap->objectName());
    windows->HeightMap->hide();
  }

  QStringList clipped_;
};

TEST_F(TextFitTest, EveryCaptionOfEveryWindowShowsWhole) {
  StartEditor();
  TRoom& room = *Engine().Room;
  prompts.openAnswers.push_back(DemoRoom);
  Main().LoadRoom();
  ASSERT_TRUE(WaitFor([&] { return room.CountEntities() > 0; }));
  QTemporaryDir saved;
  ASSERT_TRUE(saved.isValid());
  ASSERT_TRUE(Main().SaveRoomTo(saved.filePath(QStringLiteral("demo.rer")).toStdString()));
  ASSERT_THAT(StatusText(TRoom::MessageStatusPanel), ::testing::HasSubstr(" bytes"));
  // The widest texts the document writes: the smallest zoom, a new entity at the lowest
  // height of the bar under the view's far corner.
  room.Camera.ZoomOut();
  room.Camera.ZoomOut();
  ASSERT_TRUE(WaitFor([&] { return StatusText(3).find("Zoom x 0") == 0; })) << StatusText(3);
  Main().Timer.stop();
  auto* heightBar = Find<QSlider>(Main(), "TrackBarY");
  heightBar->setValue(heightBar->minimum());
  room.Cursor.SetMode(3001);
  room.Cursor.SetPosition(room, 0, 0);
  ASSERT_THAT(StatusText(0), ::testing::HasSubstr("-"));
  for (const char* panel : {"PanelShadow", "PanelSurface"}) Find<QWidget>(Main(), panel)->show();
  CheckEverySheet(Main(), QStringLiteral("FormMain"));
  for (const char* panel : {"PanelShadow", "PanelSurface"}) Find<QWidget>(Main(), panel)->hide();

  CheckDialogs();

  // The file dialog, on a directory of rooms: its size column shows every size whole.
  auto files = MakeFileDialog(&Main(), {"Load Room", "Room Files|*.rer", ".rer", QDir::currentPath().toStdString() + "/data/world/room", ""},
                              QFileDialog::AcceptOpen);
  files->show();
  auto* list = files->findChild<QTreeView*>(QStringLiteral("treeView"));
  ASSERT_NE(list, nullptr);
  ASSERT_TRUE(WaitFor([&] { return list->model()->rowCount(list->rootIndex()) > 0; }));
  QApplication::processEvents();
  CheckTexts(*files, QStringLiteral("QFileDialog"));
  for (int row = 0; row < list->model()->rowCount(list->rootIndex()); ++row) {
    const QModelIndex size = list->model()->index(row, 1, list->rootIndex());
    QStyleOptionViewItem option;
    option.initFrom(list);
    option.font = list->font();
    option.widget = list;
    const int needed = list->itemDelegateForIndex(size)->sizeHint(option, size).width();
    const int has = list->header()->sectionSize(1);
    if (needed > has)
      clipped_ << QStringLiteral("  QFileDialog: size column \"%1\" needs %2, has %3")
                      .arg(size.data().toString())
                      .arg(needed)
                      .arg(has);
  }
  files->hide();

  EXPECT_TRUE(clipped_.isEmpty()) << "clipped texts:\n" << clipped_.join(QLatin1Char('\n')).toStdString();
}

}  // namespace
