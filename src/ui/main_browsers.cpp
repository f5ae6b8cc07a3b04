// The main window's side of the browsers: View > Textures, the texture picker of the
// dialogs, a chosen texture given to the selected surfaces as one step, View > Models
// and the offscreen model pictures.

#include "core/file_system.h"
#include "room/edit_room.h"
#include "surfaces/surface_main.h"
#include "ui/browser_docks.h"
#include "ui/edit_main.h"
#include "ui/model_browser.h"
#include "ui/panel_view.h"
#include "ui/qt_host.h"
#include "ui/texture_browser.h"
#include "ui/view_renderer.h"

namespace {

// The catalogue lists the world's textures once, when a browser first needs it, and
// follows the room's use of them from then on.
TextureCatalogue& ScannedTextures(TFormMain& main, BrowserDocks& browsers) {
  if (!browsers.textures) browsers.textures = new TextureCatalogue(&main);
  TextureCatalogue& catalogue = *browsers.textures;
  if (!catalogue.Scanned() && main.Engine()) {
    catalogue.Scan(fs_layer::ToHostPath(main.Engine()->ModelWorldDir.str()));
    catalogue.CountUses(*main.Engine()->Room);
    QObject::connect(&main, &TFormMain::historyChanged, &catalogue, [&main, &catalogue] {
      if (main.Engine()) catalogue.CountUses(*main.Engine()->Room);
    });
  }
  return catalogue;
}

}  // namespace

BrowserDocks& TFormMain::Browsers() {
  if (!browsers_) browsers_ = std::make_unique<BrowserDocks>();
  return *browsers_;
}

void TFormMain::ShowTextures(bool shown) {
  BrowserDocks& browsers = Browsers();
  if (!browsers.texturesDock) {
    if (!shown) return;
    browsers.texturesDock = new TexturesDock(*this, ScannedTextures(*this, browsers));
    AddViewDock(browsers.texturesDock, "Textures1");
  }
  ShowViewDock(browsers.texturesDock, "Textures1", shown);
}

bool TFormMain::AssignTexture(const std::string& name) {
  if (!engine_ || name.empty() || !BetweenEdits()) return false;
  TRoom& room = *engine_->Room;
  std::vector<TSurface*> surfaces;
  if (room.Selection.What() == TSelection::Kind::Surfaces) {
    for (const int slot : room.Selection.Slots())
      if (room.Surfaces[static_cast<std::size_t>(slot)]->InUse()) surfaces.push_back(room.Surfaces[static_cast<std::size_t>(slot)].get());
  } else if (room.Cursor.SelectedSurface && room.Cursor.SelectedSurface->InUse()) {
    surfaces.push_back(room.Cursor.SelectedSurface);
  }
  if (surfaces.empty()) {
    host_.SetStatusText(TRoom::MessageStatusPanel, "Select a surface to give it a texture");
    return false;
  }
  renderer_->MakeCurrent();
  for (TSurface* surface : surfaces) surface->SetTexture(name);
  Commit("Set Texture");
  host_.SetStatusText(TRoom::MessageStatusPanel,
                      surfaces.size() == 1 ? "Texture " + name + " given to 1 surface"
                                           : "Texture " + name + " given to " + std::to_string(surfaces.size()) + " surfaces");
  return true;
}

std::optional<std::string> TFormMain::PickTexture(QWidget* parent, const std::string& current,
                                                  std::function<std::optional<std::string>()> fromFile) {
  TexturePicker picker(ScannedTextures(*this, Browsers()), current, std::move(fromFile), parent ? parent : this);
  if (picker.exec() != QDialog::Accepted || picker.Chosen().empty()) return std::nullopt;
  return picker.Chosen();
}

void TFormMain::ShowModels(bool shown) {
  BrowserDocks& browsers = Browsers();
  if (!browsers.modelsDock) {
    if (!shown) return;
    browsers.models = new ModelCatalogue(
        *this, [this](std::int16_t slot, QSize size) { return ModelPicture(slot, 30.0f, -1, 1.0f, size); }, this);
    browsers.modelsDock = new ModelsDock(*this, *browsers.models);
    AddViewDock(browsers.modelsDock, "Models1");
    ModelCatalogue* catalogue = browsers.models;
    connect(this, &TFormMain::historyChanged, catalogue, [catalogue] { catalogue->Follow(); });
    catalogue->Refresh();
  }
  ShowViewDock(browsers.modelsDock, "Models1", shown);
}

QImage TFormMain::ModelPicture(std::int16_t slot, float turn, std::int16_t animation, float frame, QSize size) {
  if (!engine_ || !renderer_->Active() || !view_->context()) return {};
  BrowserDocks& browsers = Browsers();
  if (!browsers.renderer)
    browsers.renderer =
        std::make_shared<ModelRenderer>(*view_->context(), *renderer_->Gl(), [this] { renderer_->MakeCurrent(); });
  return browsers.renderer->Render(slot, turn, animation, frame, size);
}
