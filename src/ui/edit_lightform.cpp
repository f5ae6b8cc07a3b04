#include "ui/edit_lightform.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QVBoxLayout>

#include "ui/color_panel.h"
#include "ui/form_builder.h"

using namespace form_build;

TFormLight::TFormLight(QWidget* parent) : EditorDialog("FormLight", "Light Attributes", parent) {
  auto* layout = new QVBoxLayout(this);

  QGroupBox* settings = nullptr;
  QFormLayout* rows = Group(settings, "Settings");
  rows->addRow(QStringLiteral("Name:"), Edit("EditName"));
  rows->addRow(QStringLiteral("Radius:"), Edit("EditRadius", "0,00"));
  ColorPanel* color = Panel("BtnColor");
  rows->addRow(QStringLiteral("Color:"), ColorRow("EditR", "EditG", "EditB", color));
  rows->addRow(QStringLiteral("Active:"), Check("CheckBoxActive"));
  layout->addWidget(settings);

  QGroupBox* effect = nullptr;
  rows = Group(effect, "Effect");
  rows->addRow(QStringLiteral("Effect:"), ListBox("CBEffect"));
  ColorPanel* color2 = Panel("BtnColor2");
  rows->addRow(QStringLiteral("Second Color:"), ColorRow("EditR2", "EditG2", "EditB2", color2));
  rows->addRow(QStringLiteral("Speed:"), Edit("EditEffectSpeed", "0,00"));
  rows->addRow(QStringLiteral("Offset:"), Edit("EditEffectOffset", "0,00"));
  layout->addWidget(effect);

  QGroupBox* flare = nullptr;
  rows = Group(flare, "Lens Flare");
  rows->addRow(QStringLiteral("Flare:"), ListBox("CBFlareFlare"));
  rows->addRow(QStringLiteral("Intensity/Size:"), Row({Edit("EditFlareIntensity", "0,00"), Edit("EditFlareSize", "0,00")}));
  rows->addRow(QStringLiteral("Above Light Pos:"), Edit("EditFlareAbove", "0,00"));
  layout->addWidget(flare);

  AddButtons(*layout, true);
  WireColorPanel(*color, "EditR", "EditG", "EditB");
  WireColorPanel(*color2, "EditR2", "EditG2", "EditB2");
}
