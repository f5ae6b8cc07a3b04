// The main window's controls around the view: scroll bars, height track bar, view
// buttons and the four tab sheets of the tool palette, and what each one does.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTabWidget>
#include <algorithm>
#include <array>

#include "models/edit_model.h"
#include "room/edit_room.h"
#include "room/entity_palette.h"
#include "ui/color_panel.h"
#include "ui/form_builder.h"
#include "ui/edit_main.h"
#include "ui/model_browser.h"
#include "ui/panel_view.h"
#include "ui/qt_form.h"
#include "ui/qt_host.h"
#include "ui/view_navigation.h"

namespace {

struct ToolButton {
  const char* name;
  int code;
  const char* tip;
};

// Each tool button, the cursor mode it selects and what the mode does with a click.
constexpr std::array<ToolButton, 14> ToolButtons{{
    {"BtnFieldTypus", 1001, "Paint the field typus chosen below; drag to paint more fields"},
    {"BtnFieldMaterial", 1002, "Paint the field material chosen below; drag to paint more fields"},
    {"BtnFieldHeight", 1003, "Paint the floor and ceiling heights below; drag to paint more fields"},
    {"BtnFieldHeightMap", 1004, "Click in the view to take every field's floor height from the tiles"},
    {"BtnLightNew", 2001, "Click to place a light with the colour and radius below"},
    {"BtnLightEdit", 2002, "Click a light to open its attributes; click again to reach one beneath"},
    {"BtnLightMove", 2003, "Drag a light to move it"},
    {"BtnEntityNew", 3001, "Click to place an entity of the typus chosen below"},
    {"BtnEntityEdit", 3002, "Click an entity to open its attributes; click again to reach one beneath"},
    {"BtnEntityMove", 3003, "Drag an entity to move it"},
    {"BtnEntityFallDown", 3004, "Click an entity to drop it onto the floor"},
    {"BtnEntityCamera", 3005, "Drag a camera zone's edge to resize it, or its inside to move it"},
    {"BtnSurfaceNew", 4001, "Drag a rectangle on the floor to make a surface"},
    {"BtnSurfaceEdit", 4002, "Open the selected surface's attributes; then click to edit it again"},
}};

// The eight direction buttons on their compass ring: name, angle, grid row and column.
struct DirectionButton {
  const char* name;
  int angle;
  int row;
  int column;
};
constexpr std::array<DirectionButton, 8> DirectionButtons{{{"RB0", 0, 0, 1},
                                                           {"RB45", 45, 0, 0},
                                                           {"RB90", 90, 1, 0},
                                                           {"RB135", 135, 2, 0},
                                                           {"RB180", 180, 2, 1},
                                                           {"RB225", 225, 2, 2},
                                                           {"RB270", 270, 1, 2},
                                                           {"RB315", 315, 0, 2}}};

constexpr std::array<const char*, 5> EntityPalettes{"LBEntityTiles", "LBEntitySequences", "LBEntityUnits",
                                                    "LBEntityPortals", "LBEntityParticles"};

// A tab sheet holding one group box; the group's form layout is handed back.
QFormLayout* AddSheet(QTabWidget& tabs, const char* sheetName, const char* caption) {
  auto* sheet = form_build::Named(new QWidget, sheetName);
  auto* group = new QGroupBox(QString::fromLatin1(caption), sheet);
  auto* outer = new QVBoxLayout(sheet);
  outer->setContentsMargins(4, 4, 4, 4);
  outer->addWidget(group);
  outer->addStretch();
  auto* form = new QFormLayout(group);
  form->setContentsMargins(6, 6, 6, 6);
  // A list too wide to stand beside its caption goes below it, whole, rather than past
  // the palette's edge.
  form->setRowWrapPolicy(QFormLayout::WrapLongRows);
  tabs.addTab(sheet, QString::fromLatin1(caption));
  return form;
}

}  // namespace

using namespace form_build;

void TFormMain::BuildPalette() {
  QWidget* client = centralWidget();

  auto* scrollX = Named(new QScrollBar(Qt::Horizontal, client), "ScrollBarX");
  auto* scrollYZ = Named(new QScrollBar(Qt::Vertical, client), "ScrollBarYZ");
  scrollX->setGeometry(0, 481, 641, 17);
  scrollYZ->setGeometry(641, 0, 17, 481);
  for (QScrollBar* bar : {scrollX, scrollYZ}) {
    bar->setRange(-1000, 1000);
    bar->setPageStep(200);
    bar->setSingleStep(10);
    bar->setFocusPolicy(Qt::NoFocus);
    // Qt's page step sizes the handle and is also what a click in the trough moves;
    // the trough moves the bar by 50 (2.5 m) instead. The value has not changed yet
    // when the action is reported.
    connect(bar, &QAbstractSlider::actionTriggered, bar, [bar](int action) {
      constexpr int LargeStep = 50;
      if (action == QAbstractSlider::SliderPageStepAdd || action == QAbstractSlider::SliderPageStepSub) {
        const int step = action == QAbstractSlider::SliderPageStepAdd ? LargeStep : -LargeStep;
        bar->setSliderPosition(std::clamp(bar->value() + step, bar->minimum(), bar->maximum()));
      }
    });
  }

  auto* trackY = Named(new QSlider(Qt::Vertical, client), "TrackBarY");
  trackY->setGeometry(664, 8, 30, 473);
  trackY->setRange(-200, 200);
  trackY->setPageStep(10);
  trackY->setTickInterval(10);
  trackY->setTickPosition(QSlider::TicksRight);
  // The height is minus a tenth of the position: the lowest position stands at the top,
  // and Up and Page Up step towards it, so they raise the height.
  trackY->setInvertedAppearance(true);
  trackY->setInvertedControls(true);
  auto* zeroMark = Named(new QLabel(QStringLiteral("0"), client), "Label10");
  zeroMark->setGeometry(694, 236, 10, 16);
  auto* labelY = Named(new QLabel(LocalNumbers("Height: 0,00"), client), "LabelY");
  labelY->setGeometry(704, 436, 90, 16);
  Named(new QPushButton(QStringLiteral("Set to 0"), client), "BtnYTo0")->setGeometry(704, 456, 80, 25);

  auto* viewGroup = new QButtonGroup(client);
  viewGroup->setExclusive(true);
  int top = 424;
  for (auto [name, caption] : {std::pair{"BtnViewTop", "From Top"}, std::pair{"BtnViewSide", "From Side"},
                               std::pair{"BtnView3D", "3D View"}}) {
    auto* button = SpeedButton(name, caption);
    button->setParent(client);
    button->setGeometry(800, top, 121, 25);
    viewGroup->addButton(button);
    top += 24;
  }
  findChild<QPushButton*>(QStringLiteral("BtnViewTop"))->setChecked(true);

  auto* tabs = Named(new QTabWidget(client), "PageControl");
  tabs->setGeometry(704, 8, 225, 401);
  // All four sheet tabs fit the palette's width without scroll arrows.
  tabs->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 3px 4px; border: 1px solid #a0a0a0; border-bottom: none; }"
                                     "QTabBar::tab:selected { background: palette(window); font-weight: bold; }"));

  QFormLayout* fields = AddSheet(*tabs, "TabSheetFields", "Fields");
  fields->addRow(SpeedButton("BtnFieldTypus", "Change Field Typus"));
  fields->addRow(QStringLiteral("Typus:"), ListBox("CBFieldTypus"));
  fields->addRow(SpeedButton("BtnFieldMaterial", "Change Field Material"));
  fields->addRow(QStringLiteral("Material:"), ListBox("CBFieldMaterial"));
  fields->addRow(SpeedButton("BtnFieldHeight", "Change Field Height"));
  fields->addRow(QStringLiteral("Floor Height:"), Edit("EditFieldHeight", "0,00"));
  fields->addRow(QStringLiteral("Ceiling Height:"), Edit("EditFieldHeightCeiling", "10,00"));
  fields->addRow(SpeedButton("BtnFieldHeightMap", "Import Heightmap"));
  auto* brush = Named(new QSlider(Qt::Horizontal), "TrackBarFieldBrushSize");
  brush->setRange(0, 5);
  brush->setSingleStep(1);
  brush->setPageStep(1);
  brush->setTickPosition(QSlider::TicksBelow);
  fields->addRow(QStringLiteral("Brush Size:"), brush);

  QFormLayout* lights = AddSheet(*tabs, "TabSheetLights", "Lights");
  lights->addRow(SpeedButton("BtnLightNew", "New Light"));
  lights->addRow(QStringLiteral("Color:"), ColorRow("EditLightR", "EditLightG", "EditLightB", Panel("BtnLightColor")));
  lights->addRow(QStringLiteral("Radius:"), Edit("EditLightRadius", "5,00"));
  lights->addRow(SpeedButton("BtnLightEdit", "Edit Lights"));
  lights->addRow(SpeedButton("BtnLightMove", "Move Lights"));

  QFormLayout* entities = AddSheet(*tabs, "TabSheetEntities", "Entities");
  entities->addRow(SpeedButton("BtnEntityNew", "New Entity"));
  entities->addRow(QStringLiteral("Typus:"), ListBox("CBEntityTypus"));
  auto* palettes = new QVBoxLayout;
  for (const char* name : EntityPalettes) {
    auto* list = Named(new QListWidget, name);
    list->setFixedHeight(80);
    list->hide();
    palettes->addWidget(list);
  }
  // The selected item's model turns beside the lists (model_browser.h).
  auto* beside = new QHBoxLayout;
  beside->setSpacing(4);
  beside->addLayout(palettes, 1);
  beside->addWidget(new ModelPreview, 0, Qt::AlignTop);
  entities->addRow(beside);
  entities->addRow(QStringLiteral("Size:"), Row({Edit("EditEntitySize", "1,00"),
                                                Check("CheckBoxEntityRandomSize", "Random:")}));
  auto* ring = new QGridLayout;
  ring->setSpacing(0);
  for (const DirectionButton& direction : DirectionButtons) {
    auto* radio = Named(new QRadioButton, direction.name);
    radio->setToolTip(QString::number(direction.angle));
    radio->setChecked(direction.angle == 0);
    ring->addWidget(radio, direction.row, direction.column, Qt::AlignCenter);
  }
  auto* ringBox = new QWidget;
  ringBox->setLayout(ring);
  ringBox->setFixedSize(72, 60);
  entities->addRow(QStringLiteral("Direction:"),
                   Row({Edit("EditEntityDirection", "0,00"), Check("CheckBoxEntityRandomDirection", "Random:")}));
  auto* centred = new QHBoxLayout;
  centred->addStretch();
  centred->addWidget(ringBox);
  centred->addStretch();
  entities->addRow(centred);
  entities->addRow(Row({SpeedButton("BtnEntityEdit", "Edit Entities"), SpeedButton("BtnEntityMove", "Move")}));
  entities->addRow(Row({SpeedButton("BtnEntityFallDown", "Fall Down"), SpeedButton("BtnEntityCamera", "Camera")}));

  QFormLayout* surfaces = AddSheet(*tabs, "TabSheetSurfaces", "Surfaces");
  surfaces->addRow(SpeedButton("BtnSurfaceNew", "New Surface"));
  surfaces->addRow(QStringLiteral("Lightmap Pixels/Meter:"), Edit("EditSurfaceLightMapPixelPerMeter", "4,00"));
  surfaces->addRow(QStringLiteral("Invert Wall Normal:"), Check("CBSurfaceInvertWall"));
  surfaces->addRow(Row({Button("BtnSurfacePrev", "<- Previous"), Button("BtnSurfaceNext", "Next ->")}));
  surfaces->addRow(SpeedButton("BtnSurfaceEdit", "Edit Surface"));
  surfaces->addRow(Button("BtnSurfaceInvertNormal", "Invert Normal"));
  surfaces->addRow(Row({Button("BtnSurfaceRotateLeft", "Rotate Left"),
                        Button("BtnSurfaceRotateRight", "Rotate Right")}));
  surfaces->addRow(Button("BtnSurfaceComputeLight", "Compute LightMap"));
  surfaces->addRow(QStringLiteral("Compute Lighting:"), Check("CBLightMapCompute"));
  tabs->setCurrentIndex(3);

  for (const ToolButton& tool : ToolButtons) {
    toolButtons_.push_back(findChild<QAbstractButton*>(QString::fromLatin1(tool.name)));
    toolButtons_.back()->setToolTip(QString::fromLatin1(tool.tip));
  }
}

void TFormMain::SelectCursorMode(int code) {
  if (!engine_) return;
  engine_->Room->Cursor.SetMode(code);
  SyncToolButtons();
}

void TFormMain::SyncToolButtons() {
  const int mode = engine_ ? engine_->Room->Cursor.Mode : 0;
  for (std::size_t i = 0; i < ToolButtons.size(); ++i) toolButtons_[i]->setChecked(ToolButtons[i].code == mode);
}

void TFormMain::ConnectPalette() {
  for (std::size_t i = 0; i < ToolButtons.size(); ++i) {
    const int code = ToolButtons[i].code;
    connect(toolButtons_[i], &QAbstractButton::clicked, this, [this, code] { SelectCursorMode(code); });
  }
  // "Edit Surface" also opens the selected surface's dialog at once; the mode it
  // selects then edits whichever surface is clicked in the view.
  connect(findChild<QAbstractButton*>(QStringLiteral("BtnSurfaceEdit")), &QAbstractButton::clicked, this, [this] {
    if (!engine_ || !engine_->Room->Cursor.SelectedSurface) return;
    engine_->Room->Cursor.EditSurface(*engine_->Room);
    RecordStep("Edit Surface");
  });
  auto combo = [this](const char* name) { return findChild<QComboBox*>(QString::fromLatin1(name)); };
  connect(combo("CBFieldTypus"), &QComboBox::activated, this, [this] { SelectCursorMode(1001); });
  connect(combo("CBFieldMaterial"), &QComboBox::activated, this, [this] { SelectCursorMode(1002); });
  connect(combo("CBEntityTypus"), &QComboBox::activated, this, [this](int index) {
    if (!engine_) return;
    engine_->Room->SelectEntityPalette(index);
    SelectCursorMode(3001);
  });
  for (const char* name : EntityPalettes)
    connect(findChild<QListWidget*>(QString::fromLatin1(name)), &QListWidget::itemClicked, this,
            [this] { SelectCursorMode(3001); });
  findChild<ModelPreview*>(QStringLiteral("LabelModelPreview"))
      ->Attach(
          [this]() -> std::int16_t {
            if (!engine_) return -1;
            const QtForm form(*this);
            const int group = form.ItemIndex("CBEntityTypus");
            if (group < 0 || group >= static_cast<int>(EntityPalettes.size())) return -1;
            const std::string model = PaletteModel(*engine_, form, group, form.ItemIndex(EntityPalettes[static_cast<std::size_t>(group)]));
            return engine_->ModelEngine->FindModel(model);
          },
          [this](std::int16_t slot, float turn, std::int16_t animation, float frame, QSize size) {
            return ModelPicture(slot, turn, animation, frame, size);
          },
          [this](std::int16_t slot) -> std::pair<std::int16_t, float> {
            const TVEModel* model = engine_ ? engine_->ModelEngine->GetModel(slot) : nullptr;
            if (!model || model->Animations.empty()) return {-1, 0.0f};
            return {0, model->Animations.front().LastFrame};
          });

  for (const DirectionButton& direction : DirectionButtons) {
    const int angle = direction.angle;
    connect(findChild<QRadioButton*>(QString::fromLatin1(direction.name)), &QRadioButton::clicked, this, [this, angle] {
      if (!engine_) return;
      findChild<QLineEdit*>(QStringLiteral("EditEntityDirection"))
          ->setText(QString::fromStdString(engine_->FloatToStr32(static_cast<float>(angle), 2)));
    });
  }

  connect(findChild<ColorPanel*>(QStringLiteral("BtnLightColor")), &ColorPanel::clicked, this,
          &TFormMain::PickLightColor);

  // The engine is gone after shut-down; a late signal then finds no room.
  auto withRoom = [this](auto command) {
    return [this, command] {
      if (engine_) command(*engine_->Room);
    };
  };
  connect(findChild<QScrollBar*>(QStringLiteral("ScrollBarX")), &QScrollBar::valueChanged, this,
          withRoom([](TRoom& room) { room.Camera.ScrollX(); }));
  connect(findChild<QScrollBar*>(QStringLiteral("ScrollBarYZ")), &QScrollBar::valueChanged, this,
          withRoom([](TRoom& room) { room.Camera.ScrollYZ(); }));
  auto* trackY = findChild<QSlider*>(QStringLiteral("TrackBarY"));
  connect(trackY, &QSlider::valueChanged, this, withRoom([](TRoom& room) { room.Cursor.ApplyTrackBarHeight(room, true); }));
  // The height bar moves the selected light or entity: a drag of its handle is one step,
  // and so is each click or key (the value changes after the action is reported).
  connect(trackY, &QSlider::sliderReleased, this, [this] { RecordStep("Change Height"); });
  connect(
      trackY, &QSlider::actionTriggered, this,
      [this](int action) {
        if (action != QAbstractSlider::SliderMove) RecordStep("Change Height");
      },
      Qt::QueuedConnection);
  connect(findChild<QPushButton*>(QStringLiteral("BtnYTo0")), &QPushButton::clicked, this, [this] {
    if (!engine_) return;
    engine_->Room->Cursor.SetHeight(*engine_->Room, true, 0.0f);
    RecordStep("Change Height");
  });

  const std::array<std::pair<const char*, int>, 3> views{{{"BtnViewTop", TCamera::ModeTop},
                                                          {"BtnViewSide", TCamera::ModeSide},
                                                          {"BtnView3D", TCamera::Mode3D}}};
  for (auto [name, mode] : views)
    connect(findChild<QPushButton*>(QString::fromLatin1(name)), &QPushButton::clicked, this,
            withRoom([mode](TRoom& room) { room.Camera.SetMode(mode); }));

  // Each with the step it makes; choosing a surface changes nothing, so makes none.
  struct SurfaceCommand {
    const char* button;
    void (TCursor::*command)(TRoom&);
    const char* step;
  };
  const std::array<SurfaceCommand, 6> surfaceCommands{
      {{"BtnSurfacePrev", &TCursor::SelectPreviousSurface, ""},
       {"BtnSurfaceNext", &TCursor::SelectNextSurface, ""},
       {"BtnSurfaceInvertNormal", &TCursor::InvertSurface, "Invert Normal"},
       {"BtnSurfaceRotateLeft", &TCursor::RotateSurfaceLeft, "Rotate Surface Left"},
       {"BtnSurfaceRotateRight", &TCursor::RotateSurfaceRight, "Rotate Surface Right"},
       {"BtnSurfaceComputeLight", &TCursor::ComputeSurface, "Compute LightMap"}}};
  for (const SurfaceCommand& surface : surfaceCommands)
    connect(findChild<QPushButton*>(QString::fromLatin1(surface.button)), &QPushButton::clicked, this,
            [this, surface] {
              if (!engine_) return;
              (engine_->Room->Cursor.*surface.command)(*engine_->Room);
              if (*surface.step) RecordStep(surface.step);
            });

  navigation_ = new ViewNavigation(*view_, [this] { return engine_ ? engine_->Room.get() : nullptr; });
  connect(view_, &PanelView::pressed, this, &TFormMain::RouteMousePress);
  connect(view_, &PanelView::moved, this, &TFormMain::RouteMouseMove);
  connect(view_, &PanelView::released, this, &TFormMain::RouteMouseRelease);
  connect(view_, &PanelView::shiftArrowPressed, this, &TFormMain::NudgeSelection);
}

// Unreadable numbers are not reported here: the picker simply starts from black for them.
void TFormMain::PickLightColor() {
  if (engine_) engine_->PickColor(host_.GetForm(FormId::Main), "EditLightR", "EditLightG", "EditLightB", "BtnLightColor");
}
