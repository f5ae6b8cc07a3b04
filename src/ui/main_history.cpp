// The room's undo history in the main window: where edits end and become steps, the
// Edit menu's commands and captions, and the title that shows the room and whether it
// has unsaved changes.
#include <QAction>
#include <QFileInfo>

#include "room/edit_room.h"
#include "room/room_history.h"
#include "surfaces/live_lighting_steps.h"
#include "ui/edit_main.h"
#include "ui/qt_host.h"

namespace {

struct ToolStep {
  int mode;
  const char* name;
  bool endsOnPress;  // the tool does its whole work on the press
};

constexpr ToolStep ToolSteps[] = {
    {1001, "Paint Field Typus", false}, {1002, "Paint Field Material", false}, {1003, "Paint Field Height", false},
    {1004, "Import Heightmap", false},  {2001, "New Light", false},            {2002, "Edit Light", true},
    {2003, "Move Light", false},        {3001, "New Entity", true},            {3002, "Edit Entity", false},
    {3003, "Move Entity", false},       {3004, "Fall Down", false},            {3005, "Camera Zone", false},
    {4001, "New Surface", false},       {4002, "Edit Surface", false}};

QString StepCaption(const char* verb, const std::string& step) {
  const QString command = QString::fromLatin1(verb);
  return step.empty() ? command : command + QLatin1Char(' ') + QString::fromLatin1(step);
}

const ToolStep* ToolOf(int mode) {
  for (const ToolStep& tool : ToolSteps)
    if (tool.mode == mode) return &tool;
  return nullptr;
}

}  // namespace

bool TFormMain::BetweenEdits() const { return engine_ && !host_.InLongWork() && !gestureUnderWay_; }

void TFormMain::RecordStep(const std::string& name) {
  if (BetweenEdits()) Commit(name);
}

void TFormMain::Commit(const std::string& name) {
  if (history_->Record(name)) {
    engine_->Room->Cursor.FollowSelectedSurface(*engine_->Room);
    if (liveSteps_) liveSteps_->Recorded();
  }
  ShowHistory();
}

// A dialog opened by a press takes the release for itself: the tools that end on the
// press end their gesture there, or nothing could be undone until the next click.
void TFormMain::GesturePressed() {
  const ToolStep* tool = ToolOf(engine_->Room->Cursor.Mode);
  gestureUnderWay_ = !tool || !tool->endsOnPress;
  if (!gestureUnderWay_) Commit(tool->name);
}

void TFormMain::GestureReleased() {
  gestureUnderWay_ = false;
  if (const ToolStep* tool = ToolOf(engine_->Room->Cursor.Mode)) Commit(tool->name);
}

void TFormMain::Undo() {
  if (!BetweenEdits()) return;
  liveSteps_ ? liveSteps_->Undo() : history_->Undo();
  engine_->Room->Selection.DropUnused(*engine_->Room);
  engine_->Room->Cursor.FollowSelectedSurface(*engine_->Room);
  ShowHistory();
}

void TFormMain::Redo() {
  if (!BetweenEdits()) return;
  liveSteps_ ? liveSteps_->Redo() : history_->Redo();
  engine_->Room->Selection.DropUnused(*engine_->Room);
  engine_->Room->Cursor.FollowSelectedSurface(*engine_->Room);
  ShowHistory();
}

void TFormMain::StartHistory(bool savedAsItIs) {
  history_->Start();
  if (!savedAsItIs) history_->MarkChanged();
  ShowHistory();
  // Every room starts with a bake of its own.
  if (liveSteps_) StartLiveLighting();
}

void TFormMain::ShowHistory() {
  MenuAction("Undo1")->setText(StepCaption("Undo", history_->UndoName()));
  MenuAction("Redo1")->setText(StepCaption("Redo", history_->RedoName()));
  UpdateCommandStates();

  const std::string path = RoomPath();
  const QString room = path.empty() ? QStringLiteral("Untitled") : QFileInfo(QString::fromStdString(path)).fileName();
  host_.SetTitle(room + (history_->Modified() ? QStringLiteral("*") : QString()) + QStringLiteral(" \u2014 Brannock"));
  emit historyChanged();
}
