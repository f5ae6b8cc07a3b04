// The main window's status bar and the two progress panels the long computations show.
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>
#include <array>

#include "ui/edit_main.h"
#include "ui/form_builder.h"
#include "ui/qt_host.h"

namespace {

struct StatusPanel {
  const char* text;
  int width;
};

constexpr std::array<StatusPanel, 7> StatusPanels{{{"Position: 0,00, 0,00, 0,00", 150},
                                                   {"Lights: 0", 60},
                                                   {"Entities: 0", 75},
                                                   {"Zoom x 1", 65},
                                                   {"Polygons: 0", 100},
                                                   {"Surfaces: 0", 75},
                                                   {"", 50}}};

// A hidden panel over the view with a captioned group and a progress bar.
QWidget* ProgressPanel(QWidget* parent, const char* name, const char* groupName, const char* caption,
                       const char* barName, QRect geometry) {
  auto* panel = new QWidget(parent);
  panel->setObjectName(QString::fromLatin1(name));
  panel->setGeometry(geometry);
  panel->setAutoFillBackground(true);
  auto* group = new QGroupBox(QString::fromLatin1(caption), panel);
  if (groupName) group->setObjectName(QString::fromLatin1(groupName));
  (new QVBoxLayout(panel))->addWidget(group);
  auto* rows = new QVBoxLayout(group);
  auto* bar = new QProgressBar;
  bar->setObjectName(QString::fromLatin1(barName));
  bar->setRange(0, 100);
  bar->setValue(0);
  rows->addWidget(bar);
  panel->hide();
  return panel;
}

}  // namespace

void TFormMain::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("StatusBar"));
  bar->setSizeGripEnabled(false);
  for (std::size_t i = 0; i < StatusPanels.size(); ++i) {
    auto* label = new QLabel(form_build::LocalNumbers(StatusPanels[i].text));
    label->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    label->setMinimumWidth(StatusPanels[i].width);
    // The last panel has no bevel.
    if (i + 1 < StatusPanels.size()) label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bar->addWidget(label);
    statusPanels_.push_back(label);
  }
  host_.SetStatusPanels(statusPanels_);
}

void TFormMain::BuildProgressPanels() {
  QWidget* shadow = ProgressPanel(centralWidget(), "PanelShadow", nullptr, "Computing Shadows", "PBShadow",
                                  QRect(88, 176, 481, 97));
  auto* progressLabel = new QLabel(QStringLiteral("Progress (1/1):"));
  progressLabel->setObjectName(QStringLiteral("LabelShadow"));
  static_cast<QVBoxLayout*>(shadow->findChild<QGroupBox*>()->layout())->insertWidget(0, progressLabel);
  QWidget* surface = ProgressPanel(centralWidget(), "PanelSurface", "GroupBoxLight", "Computing Surface Lighting",
                                   "ProgressBarSurface", QRect(88, 184, 481, 97));
  // Esc cancels as well; a cancelled computation leaves the room as it was.
  QPushButton* cancel = form_build::Button(QtHost::CancelButton, "Cancel");
  connect(cancel, &QPushButton::clicked, this, [this] { host_.RequestCancel(); });
  surface->findChild<QGroupBox*>()->layout()->addWidget(cancel);
}
