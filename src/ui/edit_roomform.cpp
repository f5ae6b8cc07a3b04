#include "ui/edit_roomform.h"

#include <QFormLayout>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/file_system.h"
#include "engine/edit_engine.h"
#include "ui/color_panel.h"
#include "ui/form_builder.h"
#include "ui/game_path.h"
#include "ui/ui_prompts.h"

using namespace form_build;

namespace {

constexpr const char* RoomTag = "QZ_ROOM";

}  // namespace

TFormRoom::TFormRoom(UiPrompts& prompts, QWidget* parent)
    : EditorDialog("FormRoom", "Room Attributes", parent), prompts_(prompts) {
  auto* layout = new QVBoxLayout(this);
  auto* tabs = Named(new QTabWidget, "PageControl1");
  layout->addWidget(tabs);

  QFormLayout* main = Sheet(*tabs, "TabSheetMain", "Main");
  main->addRow(QStringLiteral("Name:"), Edit("EditName"));
  main->addRow(QStringLiteral("Region:"), Edit("EditRegion", "", LongText));
  main->addRow(QStringLiteral("Size X/Z:"), Row({Edit("EditSizeX", "1"), Edit("EditSizeZ", "1")}));
  main->addRow(QStringLiteral("Effect:"), ListBox("CBEffect"));
  main->addRow(QStringLiteral("Effect Intensity:"), Edit("EditEffectIntensity", "0,00"));
  main->addRow(QStringLiteral("Environment:"), ListBox("CBEnvironment"));

  QFormLayout* map = Sheet(*tabs, "TabSheetMap", "Map");
  map->addRow(QStringLiteral("Region:"), ListBox("CBRegion"));
  map->addRow(QStringLiteral("Map Position X/Z:"), Row({Edit("EditMapPosX", "0"), Edit("EditMapPosZ", "0")}));

  QFormLayout* light = Sheet(*tabs, "TabSheetLight", "Light");
  ColorPanel* ambience = Panel("BtnColorAmbience");
  ColorPanel* diffuse = Panel("BtnColorDiffuse");
  light->addRow(QStringLiteral("Ambience:"), ColorRow("EditAmbienceR", "EditAmbienceG", "EditAmbienceB", ambience));
  light->addRow(QStringLiteral("Diffuse:"), ColorRow("EditDiffuseR", "EditDiffuseG", "EditDiffuseB", diffuse));
  light->addRow(QStringLiteral("Light Direction:"),
                Row({Edit("EditLightX", "0,00"), Edit("EditLightY", "0,00"), Edit("EditLightZ", "0,00")}));

  QFormLayout* fog = Sheet(*tabs, "TabSheetFog", "Fog");
  ColorPanel* fogColor = Panel("BtnFogColor");
  fog->addRow(QStringLiteral("Fog Typus:"), ListBox("CBFogTypus"));
  fog->addRow(QStringLiteral("Density:"), Edit("EditFogDensity", "0,0000"));
  fog->addRow(QStringLiteral("Start/End:"), Row({Edit("EditFogStartDist", "0,00"), Edit("EditFogEndDist", "0,00")}));
  fog->addRow(QStringLiteral("Color:"), ColorRow("EditFogR", "EditFogG", "EditFogB", fogColor));

  QFormLayout* sky = Sheet(*tabs, "TabSheetSky", "Sky");
  QPushButton* skyBrowse = Button("BtnSkyBoxTexture", "...");
  skyBrowse->setFixedWidth(28);
  sky->addRow(QStringLiteral("Sky Box Texture:"), Row({TextBox("CBSkyBoxTexture", LongText), skyBrowse}));
  connect(skyBrowse, &QPushButton::clicked, this, &TFormRoom::ChooseSkyBox);
  sky->addRow(QStringLiteral("Sun Flare:"), ListBox("CBSunFlare"));
  sky->addRow(QStringLiteral("Intensity/Size:"),
              Row({Edit("EditSunFlareIntensity", "0,00"), Edit("EditSunFlareSize", "0,00")}));
  sky->addRow(QStringLiteral("Weather Effect:"), ListBox("CBWeatherEffect"));

  QFormLayout* water = Sheet(*tabs, "TabSheetWater", "Water");
  ColorPanel* waterColor = Panel("BtnWaterColor");
  water->addRow(QStringLiteral("Material:"), ListBox("CBWaterMaterial"));
  water->addRow(QStringLiteral("Height:"), Edit("EditWaterHeight", "0,00"));
  water->addRow(QStringLiteral("Color:"), ColorRow("EditWaterR", "EditWaterG", "EditWaterB", waterColor));
  water->addRow(QStringLiteral("Density:"), Edit("EditWaterDensity", "0,0000"));
  water->addRow(QStringLiteral("From X/Z:"), Row({Edit("EditWaterFromX", "0"), Edit("EditWaterFromZ", "0")}));
  water->addRow(QStringLiteral("To X/Z:"), Row({Edit("EditWaterToX", "0"), Edit("EditWaterToZ", "0")}));

  QFormLayout* tiles = Sheet(*tabs, "TabSheetTiles", "Tiles");
  auto* list = Named(new QListWidget, "ListBoxTiles");
  tiles->addRow(list);
  QPushButton* addObject = Button("BtnAddTile", "Add Object");
  QPushButton* addRoom = Button("BtnAdd", "Add Room");
  QPushButton* remove = Button("BtnRemove", "Remove");
  tiles->addRow(Row({addObject, addRoom, remove}));

  AddButtons(*layout, false);
  WireColorPanel(*ambience, "EditAmbienceR", "EditAmbienceG", "EditAmbienceB");
  WireColorPanel(*diffuse, "EditDiffuseR", "EditDiffuseG", "EditDiffuseB");
  WireColorPanel(*fogColor, "EditFogR", "EditFogG", "EditFogB");
  WireColorPanel(*waterColor, "EditWaterR", "EditWaterG", "EditWaterB");
  connect(addObject, &QPushButton::clicked, this, &TFormRoom::AddObject);
  connect(addRoom, &QPushButton::clicked, this, &TFormRoom::AddRoom);
  connect(remove, &QPushButton::clicked, this, &TFormRoom::RemoveTile);
}

void TFormRoom::AddObject() {
  if (!Engine()) return;
  AddTileFrom(Engine()->ModelWorldDir.str() + "object\\");
}

void TFormRoom::AddRoom() {
  if (!Engine()) return;
  QtForm& form = FormView();
  AddTileFrom(Engine()->ModelWorldDir.str() + form.Text("EditRegion") + "\\" + form.Text("EditName") + "\\");
}

void TFormRoom::AddTileFrom(const std::string& gameDirectory) {
  QtForm& form = FormView();
  if (form.Items("ListBoxTiles").size() > TileListFullAt) {
    Engine()->ShowError(RoomTag, "Tile List is already full!");
    return;
  }
  const auto chosen = prompts_.OpenFile(
      {"Load Model", "Model INI File|*.ini", ".ini", fs_layer::ToHostPath(gameDirectory), ""});
  if (!chosen) return;
  const std::string worldDir = Engine()->ModelWorldDir.str();
  const auto entry = game_path::BelowDirectory(game_path::FromHost(*chosen), worldDir);
  // A model outside the world directory cannot be named relative to it; storing the
  // cut-off remainder would name a model that does not exist.
  if (!entry) {
    Engine()->ShowError(RoomTag, "Model file must lie below " + worldDir);
    return;
  }
  form.AddItem("ListBoxTiles", game_path::WithoutExtension(*entry));
}

void TFormRoom::RemoveTile() {
  auto* list = findChild<QListWidget*>(QStringLiteral("ListBoxTiles"));
  // Only a highlighted entry goes: the list keeps a current row even when nothing is
  // selected (after tabbing into it, or after the previous removal).
  const auto selected = list->selectedItems();
  if (!selected.isEmpty()) delete list->takeItem(list->row(selected.front()));
}

void TFormRoom::ChooseSkyBox() {
  if (!picker_) return;
  const auto chosen = picker_(this, FormView().Text("CBSkyBoxTexture"), FormView().Items("CBSkyBoxTexture"));
  if (chosen) FormView().SetText("CBSkyBoxTexture", *chosen);
}
