#include "ui/edit_entityform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "engine/edit_engine.h"
#include "entities/edit_entityform.h"
#include "entities/entity_pages.h"
#include "room/edit_room.h"
#include "ui/color_panel.h"
#include "ui/form_builder.h"
#include "world/world_links.h"

using namespace form_build;

namespace {

// The two page controls share at least the dialog's 632-pixel client width; longer
// captions and list items widen them.
constexpr int CommonPagesWidth = 306;
constexpr int KindPagesWidth = 300;

QWidget* KindControl(const PageControl& control) {
  const char* name = control.name.c_str();
  switch (control.kind) {
    case PageControlKind::Edit: return Edit(name, "", control.maxLength);
    case PageControlKind::NameBox: return TextBox(name, control.maxLength);
    case PageControlKind::ListIndex: return ListBox(name);
    case PageControlKind::Check: return Check(name);
  }
  return nullptr;
}

QHBoxLayout* VectorRow(const char* x, const char* y, const char* z, QPushButton* fromCamera) {
  QHBoxLayout* row = Row({Edit(x, "0,00"), Edit(y, "0,00"), Edit(z, "0,00")});
  row->addWidget(fromCamera);
  fromCamera->setFixedWidth(24);
  return row;
}

}  // namespace

TFormEntity::TFormEntity(TQZEngine& engine, QWidget* parent)
    : EditorDialog("FormEntity", "Entity Attributes", parent) {
  auto* layout = new QVBoxLayout(this);
  auto* pages = new QHBoxLayout;
  pages->addWidget(BuildCommonPages());
  pages->addWidget(BuildKindPages(engine));
  layout->addLayout(pages);

  QPushButton* shadows = Button("SpeedButton1", "Create Shadows on Texture");
  QPushButton* convert = Button("SpeedButton2", "Convert Model to Surfaces");
  layout->addLayout(Row({shadows, convert}));
  for (const auto request : {entity_form::ShadowsRequested, entity_form::ConvertRequested}) {
    QCheckBox* flag = Check(std::string(request).c_str());
    flag->setParent(this);
    flag->hide();
  }
  // The bake writes over the model's texture file, which no undo brings back.
  connect(shadows, &QPushButton::clicked, this, [this] {
    const auto answer = QMessageBox::question(
        this, QStringLiteral("Create Shadows on Texture"),
        QStringLiteral("The model's texture bitmap will be overwritten on disk. This cannot be undone.\n\nGo on?"),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer == QMessageBox::Yes) RequestAndClose(entity_form::ShadowsRequested.data());
  });
  connect(convert, &QPushButton::clicked, this, [this] { RequestAndClose(entity_form::ConvertRequested.data()); });
  // A door's or portal's marker box follows its room box: another room's markers.
  for (const LinkBoxes& boxes : LinkBoxPairs)
    if (auto* roomBox = findChild<QComboBox*>(QString::fromLatin1(boxes.roomBox.data(), boxes.roomBox.size())))
      connect(roomBox, &QComboBox::editTextChanged, this, [this, boxes](const QString& toRoom) {
        if (Engine()) FillLinkMarkers(*Engine(), FormView(), boxes, toRoom.toLatin1().toStdString());
      });
  AddButtons(*layout, true);
}

QWidget* TFormEntity::BuildCommonPages() {
  auto* tabs = Named(new QTabWidget, "PageControl1");
  tabs->setMinimumWidth(CommonPagesWidth);

  QFormLayout* main = Sheet(*tabs, "TabSheetMain", "Main");
  QGroupBox* settings = nullptr;
  QFormLayout* rows = Group(settings, "Settings");
  rows->addRow(QStringLiteral("Name:"), Edit("EditName"));
  rows->addRow(QStringLiteral("Health:"), Edit("EditHealth", "0"));
  QPushButton* camPos = Button("BtnCamPos", "C");
  QPushButton* camRot = Button("BtnCamRot", "C");
  rows->addRow(QStringLiteral("Position:"), VectorRow("EditPosX", "EditPosY", "EditPosZ", camPos));
  rows->addRow(QStringLiteral("Rotation:"), VectorRow("EditRotX", "EditRotY", "EditRotZ", camRot));
  rows->addRow(QStringLiteral("Model:"), TextBox("CBModel"));
  rows->addRow(QStringLiteral("Active:"), Check("CheckBoxActive"));
  main->addRow(settings);
  connect(camPos, &QPushButton::clicked, this, &TFormEntity::BtnCamPosClick);
  connect(camRot, &QPushButton::clicked, this, &TFormEntity::BtnCamRotClick);

  QFormLayout* appearance = Sheet(*tabs, "TabSheetAppearance", "Appearance");
  appearance->addRow(QStringLiteral("Size:"), Edit("EditSize", "0,00"));
  appearance->addRow(QStringLiteral("Visible:"), Check("CheckBoxVisible"));

  QFormLayout* light = Sheet(*tabs, "TabSheetLight", "Light");
  ColorPanel* color = Panel("BtnColor");
  light->addRow(QStringLiteral("Blending Mode:"), ListBox("CBBlendingMode"));
  light->addRow(QStringLiteral("Density:"), Edit("EditDensity", "0,0000"));
  light->addRow(QStringLiteral("Base Color:"), ColorRow("EditR", "EditG", "EditB", color));
  light->addRow(QStringLiteral("Apply Lighting:"), Check("CheckBoxApplyLighting"));
  light->addRow(QStringLiteral("Shadow Typus:"), ListBox("CBShadowTypus"));
  light->addRow(QStringLiteral("Shadow Radius:"), Edit("EditShadowRadius", "0,00"));
  WireColorPanel(*color, "EditR", "EditG", "EditB");

  QFormLayout* animation = Sheet(*tabs, "TabSheetAnimation", "Animation");
  animation->addRow(QStringLiteral("Name:"), Edit("EditAnimName"));
  animation->addRow(QStringLiteral("Direction:"), ListBox("CBAnimDirection"));
  animation->addRow(QStringLiteral("Speed:"), Edit("EditAnimSpeed", "0,00"));
  animation->addRow(QStringLiteral("Loop:"), Check("CheckBoxAnimLoop"));
  return tabs;
}

QTabWidget* TFormEntity::BuildKindPages(TQZEngine& engine) {
  auto* tabs = Named(new QTabWidget, "PageControl");
  tabs->setUsesScrollButtons(true);
  tabs->setMinimumWidth(KindPagesWidth);
  for (const EntityPage& page : DescribeEntityPages(engine)) {
    QFormLayout* rows = Sheet(*tabs, page.sheet.c_str(), page.caption.c_str());
    QHBoxLayout* row = nullptr;
    for (const PageControl& control : page.controls) {
      if (!control.label.empty() || !row) {
        row = new QHBoxLayout;
        rows->addRow(QString::fromStdString(control.label), row);
      }
      QWidget* widget = KindControl(control);
      row->addWidget(widget);
      if (!control.valueBox.empty()) FollowVariable(static_cast<QComboBox*>(widget), control);
    }
    tabs->setTabVisible(tabs->count() - 1, false);
  }
  return tabs;
}

// Picking another variable gives its value box that variable's value names.
void TFormEntity::FollowVariable(QComboBox* variableBox, const PageControl& control) {
  connect(variableBox, &QComboBox::activated, this, [this, variable = control.name, value = control.valueBox] {
    if (Engine()) entity_form::ChangeCondition(*Engine(), FormView(), variable, value);
  });
}

void TFormEntity::RequestAndClose(const char* request) {
  FormView().SetChecked(request, true);
  accept();
}

void TFormEntity::BtnCamPosClick() {
  if (!Engine()) return;
  const TVector& saved = Engine()->Room->Camera.SavedPosition;
  Engine()->ShowFloat(FormView(), "EditPosX", saved.x);
  Engine()->ShowFloat(FormView(), "EditPosY", saved.y);
  Engine()->ShowFloat(FormView(), "EditPosZ", saved.z);
}

void TFormEntity::BtnCamRotClick() {
  if (!Engine()) return;
  const TVector& saved = Engine()->Room->Camera.SavedRotation;
  Engine()->ShowFloat(FormView(), "EditRotX", saved.x);
  Engine()->ShowFloat(FormView(), "EditRotY", saved.y);
  Engine()->ShowFloat(FormView(), "EditRotZ", saved.z);
}

void TFormEntity::showEvent(QShowEvent* event) {
  FormView().SetChecked(entity_form::ShadowsRequested, false);
  FormView().SetChecked(entity_form::ConvertRequested, false);
  EditorDialog::showEvent(event);
}
