#include "ui/surface_form.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/file_system.h"
#include "engine/edit_engine.h"
#include "ui/form_builder.h"
#include "ui/game_path.h"
#include "ui/ui_prompts.h"

using namespace form_build;

TFormSurface::TFormSurface(UiPrompts& prompts, QWidget* parent)
    : EditorDialog("FormSurface", "Surface Attributes", parent), prompts_(prompts) {
  auto* layout = new QVBoxLayout(this);
  QGroupBox* settings = nullptr;
  QFormLayout* rows = Group(settings, "Settings");
  rows->addRow(QStringLiteral("Name:"), Edit("EditName"));
  QPushButton* browse = Button("BtnTextureName", "...");
  browse->setFixedWidth(28);
  rows->addRow(QStringLiteral("Texture File Name (base is 'model/world'):"), Row({Edit("EditTextureName", "", LongText), browse}));
  rows->addRow(QStringLiteral("Tex per Meter:"), Row({Edit("EditTexPerMeterS", "0,00"), Edit("EditTexPerMeterT", "0,00")}));
  const char* corners[4][3] = {{"Texture Coords 1:", "Edit1S", "Edit1T"},
                               {"Texture Coords 2:", "Edit2S", "Edit2T"},
                               {"Texture Coords 3:", "Edit3S", "Edit3T"},
                               {"Texture Coords 4:", "Edit4S", "Edit4T"}};
  for (const auto& corner : corners)
    rows->addRow(QString::fromLatin1(corner[0]), Row({Edit(corner[1], "0,00"), Edit(corner[2], "0,00")}));
  rows->addRow(QStringLiteral("LightMap Size:"), Row({Edit("EditLightMapWidth", "0"), Edit("EditLightMapHeight", "0")}));
  rows->addRow(QStringLiteral("Pixel per Meter::"), Edit("EditLightMapTexPerMeter", "0,00"));
  layout->addWidget(settings);
  AddButtons(*layout, true);
  connect(browse, &QPushButton::clicked, this, &TFormSurface::ChooseTexture);
}

std::string TFormSurface::TextureNameFromPath(std::string gamePath) {
  // The chosen file loses its extension; below a "textures\" directory the name starts
  // there, as the texture list spells it.
  if (gamePath.size() >= 4) gamePath.resize(gamePath.size() - 4);
  constexpr std::string_view Marker = "textures\\";
  const auto at = gamePath.find(Marker);
  if (at != std::string::npos) gamePath.erase(0, at);
  return gamePath;
}

void TFormSurface::ChooseTexture() {
  if (!Engine()) return;
  const auto chosen = picker_ ? picker_(this, FormView().Text("EditTextureName"), [this] { return TextureFromFile(); })
                              : TextureFromFile();
  if (chosen) FormView().SetText("EditTextureName", *chosen);
}

std::optional<std::string> TFormSurface::TextureFromFile() {
  const std::string directory = Engine()->ModelWorldDir.str() + "textures\\";
  const auto chosen = prompts_.OpenFile({"Load Texture", "Bitmaps|*.bmp", "bmp", fs_layer::ToHostPath(directory), ""});
  if (!chosen) return std::nullopt;
  return TextureNameFromPath(game_path::FromHost(*chosen));
}
