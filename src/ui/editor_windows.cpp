#include "ui/editor_windows.h"

#include "ui/edit_entityform.h"
#include "ui/edit_heightmapform.h"
#include "ui/edit_lightform.h"
#include "ui/edit_main.h"
#include "ui/edit_roomform.h"
#include "ui/qt_host.h"
#include "ui/surface_form.h"

EditorWindows::EditorWindows(QtHost& host, UiPrompts& prompts, const std::string& workingDirectory)
    : Main(std::make_unique<TFormMain>(host, prompts, workingDirectory)),
      Light(std::make_unique<TFormLight>(Main.get())),
      Entity(std::make_unique<TFormEntity>(*Main->Engine(), Main.get())),
      Room(std::make_unique<TFormRoom>(prompts, Main.get())),
      HeightMap(std::make_unique<TFormHeightMap>(Main.get())),
      Surface(std::make_unique<TFormSurface>(prompts, Main.get())) {
  host.RegisterForm(FormId::Light, *Light);
  host.RegisterForm(FormId::Entity, *Entity);
  host.RegisterForm(FormId::Room, *Room);
  host.RegisterForm(FormId::HeightMap, *HeightMap);
  host.RegisterForm(FormId::Surface, *Surface);
  for (EditorDialog* dialog : {static_cast<EditorDialog*>(Light.get()), static_cast<EditorDialog*>(Entity.get()),
                               static_cast<EditorDialog*>(Room.get()), static_cast<EditorDialog*>(HeightMap.get()),
                               static_cast<EditorDialog*>(Surface.get())})
    dialog->AttachEngine(Main->Engine());
}

// Dialogs first: they are children of the main window, which would free them too.
EditorWindows::~EditorWindows() {
  Surface.reset();
  HeightMap.reset();
  Room.reset();
  Entity.reset();
  Light.reset();
  Main.reset();
}
