#include "ui/editor_windows.h"

#include "core/file_system.h"
#include "engine/edit_engine.h"
#include "ui/edit_entityform.h"
#include "ui/edit_heightmapform.h"
#include "ui/edit_lightform.h"
#include "ui/edit_main.h"
#include "ui/edit_roomform.h"
#include "ui/qt_host.h"
#include "ui/surface_form.h"
#include "ui/texture_browser.h"

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
  // The surface dialog's "..." opens the texture browser.
  Surface->SetTexturePicker([main = Main.get()](QWidget* parent, const std::string& current, auto fromFile) {
    return main->PickTexture(parent, current, std::move(fromFile));
  });
  // The room dialog's sky box "..." browses the game's texture list.
  Room->SetTexturePicker([main = Main.get()](QWidget* parent, const std::string& current,
                                             const std::vector<std::string>& names) -> std::optional<std::string> {
    if (!main->Engine()) return std::nullopt;
    TextureCatalogue catalogue;
    catalogue.ScanNames(fs_layer::ToHostPath(main->Engine()->ArtDir.str()), names);
    TexturePicker picker(catalogue, current, {}, parent);
    picker.setWindowTitle(QStringLiteral("Choose Sky Box Texture"));
    if (picker.exec() != QDialog::Accepted || picker.Chosen().empty()) return std::nullopt;
    return picker.Chosen();
  });
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
