// The main window's status bar and the two progress panels the long computations show.
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "ui/edit_main.h"
#include "ui/form_builder.h"
#include "ui/qt_host.h"

namespace {

struct StatusPanel {
  const char* text;
  int width;
  // The widest text the panel is given, so it never cuts one off nor jumps as they change.
  const char* widest;
};

constexpr std::array<StatusPanel, 7> StatusPanels{{{"Position: 0,00, 0,00, 0,00", 150, "Pos: -88,88, -88,88, -88,88"},
                                                   {"Lights: 0", 60, "Lights: 8888"},
                                                   {"Entities: 0", 75, "Entities: 8888"},
                                                   {"Zoom x 1", 65, "Zoom x 0,5"},
                                                   {"Polygons: 0", 100, "Polygons: 88888"},
                                                   {"Surfaces: 0", 75, "Surfaces: 8888"},
                                                   {"", 50, ""}}};

// A main window does not let its status bar's panels set its least width, so a long
// message would be cut off at the window's edge; the window is held at least as wide as
// the panels need, and so grows to show the message.
class GrowWithPanels : public QObject {
public:
  explicit GrowWithPanels(QStatusBar& bar) : QObject(&bar), bar_(bar) { bar.installEventFilter(this); }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &bar_ && event->type() == QEvent::LayoutRequest) {
      QWidget* window = bar_.window();
      const int laidOut = window->layout() ? window->layout()->totalMinimumSize().width() : 0;
      window->setMinimumWidth(std::max(laidOut, bar_.minimumSizeHint().width()));
    }
    return QObject::eventFilter(watched, event);
  }

private:
  QStatusBar& bar_;
};

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
    const bool message = i + 1 == StatusPanels.size();
    auto* label = new QLabel(form_build::LocalNumbers(StatusPanels[i].widest));
    label->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    // The message panel has no bevel and takes the rest of the bar. It keeps no minimum
    // of its own: a label's least width is then its text's, so a long message widens the
    // window rather than being cut off.
    if (!message) {
      label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
      label->setMinimumWidth(std::max(StatusPanels[i].width, label->sizeHint().width()));
    }
    label->setText(form_build::LocalNumbers(StatusPanels[i].text));
    bar->addWidget(label, message ? 1 : 0);
    statusPanels_.push_back(label);
  }
  // Live Lighting's state, at the right while it is on; wide enough for a full room's count.
  lightingPanel_ = new QLabel(QStringLiteral("Lighting: updating 88 888 888 texels"));
  lightingPanel_->setObjectName(QStringLiteral("StatusLighting"));
  lightingPanel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  lightingPanel_->setMinimumWidth(lightingPanel_->sizeHint().width());
  lightingPanel_->hide();
  bar->addPermanentWidget(lightingPanel_);
  new GrowWithPanels(*bar);
  host_.SetStatusPanels(statusPanels_);
}

void TFormMain::BuildProgressPanels() {
  QWidget* shadow = ProgressPanel(centralWidget(), "PanelShadow", nullptr, "Computing Shadows", "PBShadow",
                                  QRect(88, 176, 481, 97));
  auto* progressLabel = new QLabel(QStringLiteral("Progress (1/1):"));
  progressLabel->setObjectName(QStringLiteral("LabelShadow"));
  static_cast<QVBoxLayout*>(shadow->findChild<QGroupBox*>()->layout())->insertWidget(0, progressLabel);
  // Over the palette, not the view: every repaint of a panel over the GL view draws the
  // whole room again beneath it.
  QWidget* surface = ProgressPanel(centralWidget(), "PanelSurface", "GroupBoxLight", "Computing Surface Lighting",
                                   "ProgressBarSurface", QRect(704, 184, 225, 113));
  // Esc cancels as well; a cancelled computation leaves the room as it was.
  QPushButton* cancel = form_build::Button(QtHost::CancelButton, "Cancel");
  connect(cancel, &QPushButton::clicked, this, [this] { host_.RequestCancel(); });
  surface->findChild<QGroupBox*>()->layout()->addWidget(cancel);
}
