// Room > Live Lighting in the main window: edits ask the background bake for the texels
// they can reach, finished maps are written and uploaded between frames, and they join
// the undo step of the edit that needed them.
#include <QAction>
#include <QLabel>

#include <algorithm>
#include <chrono>

#include "room/edit_room.h"
#include "room/room_history.h"
#include "surfaces/bake_progress.h"
#include "surfaces/light_map.h"
#include "surfaces/live_lighting.h"
#include "surfaces/live_lighting_steps.h"
#include "surfaces/surface_textures.h"
#include "ui/edit_main.h"
#include "ui/qt_form.h"
#include "ui/qt_host.h"
#include "ui/user_settings.h"

namespace {

constexpr const char* LiveLightingKey = "LiveLighting";

std::string Thousands(std::size_t count) {
  std::string digits = std::to_string(count);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<std::size_t>(at), " ");
  return digits;
}

}  // namespace

void TFormMain::RestoreLiveLighting() {
  const bool on = UserSettings().value(QLatin1String(LiveLightingKey), false).toBool();
  MenuAction("LiveLighting1")->setChecked(on);
  if (on) SetLiveLighting(true);
}

void TFormMain::SetLiveLighting(bool on) {
  UserSettings().setValue(QLatin1String(LiveLightingKey), on);
  // Light maps are lit while it is on, as with "Compute Surface Lighting".
  if (on && engine_) QtForm(*this).SetChecked("CBLightMapCompute", true);
  StartLiveLighting();
  ShowLiveLightingStatus(live_ && live_->Pending());
}

void TFormMain::StartLiveLighting() {
  liveSteps_.reset();
  live_.reset();
  if (!MenuAction("LiveLighting1")->isChecked() || !engine_) return;
  live_ = std::make_unique<LiveLighting>();
  if (const LightMapBaker* baker = engine_->Room->LightMaps) {
    live_->Rule = baker->Rule;
    live_->View = baker->View;
  }
  liveSteps_ = std::make_unique<LiveLightingSteps>(*engine_->Room, *history_, *live_);
  liveSteps_->Start("Live Lighting");
}

bool TFormMain::LiveLightingPending() const { return liveSteps_ && liveSteps_->Pending(); }

void TFormMain::LandLiveLighting() {
  if (!liveSteps_) return;
  TRoom& room = *engine_->Room;
  bool recorded = false;
  const bool wasPending = liveSteps_->Pending();
  for (const std::int16_t slot : liveSteps_->Land(BetweenEdits(), &recorded)) {
    TSurface& surface = *room.Surfaces[static_cast<std::size_t>(slot)];
    if (surface.InUse() && room.SurfaceTextureService) room.SurfaceTextureService->UploadStoredTextures(surface);
  }
  ShowLiveLightingStatus(live_->Pending());
  if (recorded) room.Cursor.FollowSelectedSurface(room);
  if (wasPending && !liveSteps_->Pending()) ShowHistory();
}

bool TFormMain::FinishLiveLighting() {
  if (!live_) return true;
  using namespace std::chrono_literals;
  // A short wait goes unseen; a longer one shows how much is left and can be cancelled.
  if (!live_->WaitUntilIdleFor(200ms)) {
    constexpr int Steps = 100;
    const double texels = static_cast<double>(std::max<std::size_t>(live_->PendingTexels(), 1));
    BakeProgress progress(host_, Steps);
    int shown = 0;
    while (!live_->WaitUntilIdleFor(50ms)) {
      if (progress.Cancelled()) return false;
      const int done = static_cast<int>(Steps * (1.0 - static_cast<double>(live_->PendingTexels()) / texels));
      for (; shown < std::min(done, Steps); ++shown) progress.RowDone();
      host_.ProcessEvents();
    }
  }
  LandLiveLighting();
  return true;
}

// A panel of its own: the message panel's selection count and command messages would
// hide it right after the drag that started the work.
void TFormMain::ShowLiveLightingStatus(bool pending) {
  lightingPanel_->setVisible(live_ != nullptr);
  if (!live_) return;
  const std::string text =
      pending ? "Lighting: updating " + Thousands(live_->PendingTexels()) + " texels" : "Lighting: up to date";
  if (lightingPanel_->text().toStdString() != text) lightingPanel_->setText(QString::fromStdString(text));
}
