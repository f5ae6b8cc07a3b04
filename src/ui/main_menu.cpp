// The main window's menu tree: captions, shortcuts, check items and their commands.
#include <QAction>
#include <QKeySequence>
#include <QMenuBar>

#include "room/edit_room.h"
#include "surfaces/light_map.h"
#include "ui/edit_main.h"
#include "ui/qt_form.h"

namespace {

// Menu items are named after their caption's letters and digits plus "1", the names
// the renderer and the cursor read the check marks by ("Show Fog" -> "ShowFog1").
QString ItemName(const char* caption) {
  QString name;
  for (const char* c = caption; *c; ++c)
    if (QChar::fromLatin1(*c).isLetterOrNumber()) name += QChar::fromLatin1(*c);
  return name + QLatin1Char('1');
}

QAction* AddItem(QMenu& menu, const char* caption, const char* shortcut = nullptr) {
  QAction* action = menu.addAction(QString::fromLatin1(caption));
  action->setObjectName(ItemName(caption));
  if (shortcut) action->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
  return action;
}

QAction* AddCheckItem(QMenu& menu, const char* caption, bool checked, const char* shortcut = nullptr) {
  QAction* action = AddItem(menu, caption, shortcut);
  action->setCheckable(true);
  action->setChecked(checked);
  return action;
}

}  // namespace

void TFormMain::BuildMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));

  QMenu* file = bar->addMenu(QStringLiteral("File"));
  file->setObjectName(QStringLiteral("File1"));
  connect(AddItem(*file, "New Room", "Ctrl+N"), &QAction::triggered, this, &TFormMain::NewRoom);
  connect(AddItem(*file, "Save Room", "Ctrl+S"), &QAction::triggered, this, &TFormMain::SaveRoom);
  connect(AddItem(*file, "Load Room", "Ctrl+O"), &QAction::triggered, this, &TFormMain::LoadRoom);
  QMenu* recent = file->addMenu(QStringLiteral("Recent Rooms"));
  recent->setObjectName(QStringLiteral("RecentRooms1"));
  connect(recent, &QMenu::aboutToShow, this, [this, recent] { FillRecentRooms(*recent); });
  file->addSeparator();
  connect(AddItem(*file, "Exit", "Esc"), &QAction::triggered, this, &QWidget::close);
  file->addSeparator();
  connect(AddItem(*file, "Reload Variable Files", "F8"), &QAction::triggered, this, [this] {
    if (!Engine()) return;
    Engine()->LoadVariables();
    Engine()->LoadEnemies();
  });

  // Captions name the step ("Undo New Light"); the history sets them.
  QMenu* edit = bar->addMenu(QStringLiteral("Edit"));
  edit->setObjectName(QStringLiteral("Edit1"));
  QAction* undo = AddItem(*edit, "Undo", "Ctrl+Z");
  QAction* redo = AddItem(*edit, "Redo");
  redo->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))});
  for (QAction* action : {undo, redo}) action->setEnabled(false);
  connect(undo, &QAction::triggered, this, &TFormMain::Undo);
  connect(redo, &QAction::triggered, this, &TFormMain::Redo);
  edit->addSeparator();
  // A line edit that has the focus keeps the key for its text.
  connect(AddItem(*edit, "Delete", "Del"), &QAction::triggered, this, [this] {
    if (Engine() && Engine()->Room->Cursor.DeleteSelected(*Engine()->Room)) RecordStep("Delete");
  });

  QMenu* room = bar->addMenu(QStringLiteral("Room"));
  room->setObjectName(QStringLiteral("Room1"));
  connect(AddItem(*room, "Attributes", "F5"), &QAction::triggered, this, [this] {
    if (!Engine()) return;
    Engine()->Room->EditAttributes();
    RecordStep("Room Attributes");
  });
  connect(AddItem(*room, "Clear Fields"), &QAction::triggered, this, [this] {
    if (!Engine()) return;
    Engine()->Room->ClearFields();
    RecordStep("Clear Fields");
  });
  connect(AddItem(*room, "Set Tile Shadows"), &QAction::triggered, this, [this] {
    if (!Engine()) return;
    Engine()->Room->SetTileShadows();
    RecordStep("Set Tile Shadows");
  });
  connect(AddItem(*room, "Compute Surface Lighting", "F6"), &QAction::triggered, this, [this] {
    if (!Engine()) return;
    QtForm(*this).SetChecked("CBLightMapCompute", true);
    Engine()->Room->ComputeSurfaceShadows();
    RecordStep("Compute Surface Lighting");
  });
  room->addSeparator();
  AddCheckItem(*room, "Use Grid", true, "G");
  AddCheckItem(*room, "Auto-Falldown new Entities", true);
  room->addSeparator();
  // Light maps normally take their shadows from the ray caster; the literal render from
  // each light stays at hand to compare a bake against (it takes hours on a full room).
  connect(AddCheckItem(*room, "Rendered Shadow Test", false), &QAction::toggled, this, [this](bool rendered) {
    if (Engine() && Engine()->Room->LightMaps)
      Engine()->Room->LightMaps->Method = rendered ? ShadowMethod::Gl : ShadowMethod::Cpu;
  });
  // Old bakes hid everything behind a depth margin that grows with the distance.
  connect(AddCheckItem(*room, "Literal Shadow Depth", false), &QAction::toggled, this, [this](bool literal) {
    if (Engine() && Engine()->Room->LightMaps)
      Engine()->Room->LightMaps->Rule = literal ? OcclusionRule::Literal : OcclusionRule::Exact;
  });

  QMenu* view = bar->addMenu(QStringLiteral("View"));
  view->setObjectName(QStringLiteral("View1"));
  AddCheckItem(*view, "Show Fog", true);
  AddCheckItem(*view, "Show Grid", true);
  AddCheckItem(*view, "Show Field Ceiling", false);
  AddCheckItem(*view, "Show Surfaces", true);
  AddCheckItem(*view, "Show Lights", true);
  AddCheckItem(*view, "Show Lens Flares", true);
  AddCheckItem(*view, "Show Invisible Entities", true, "Alt+I");
  AddCheckItem(*view, "Show Entity Targets", true);
  AddCheckItem(*view, "Show Collision Radius", true);
  AddCheckItem(*view, "Show Camera Radii", true, "Alt+C");
  AddCheckItem(*view, "Wireframe Mode", false, "Alt+W");
  AddCheckItem(*view, "Lighting", true, "Alt+L");
  AddCheckItem(*view, "Show Detail maps", true, "Alt+D");
  view->addSeparator();
  connect(AddItem(*view, "Zoom In", "U"), &QAction::triggered, this, [this] {
    if (Engine()) Engine()->Room->Camera.ZoomIn();
  });
  connect(AddItem(*view, "Zoom Out", "I"), &QAction::triggered, this, [this] {
    if (Engine()) Engine()->Room->Camera.ZoomOut();
  });
}
