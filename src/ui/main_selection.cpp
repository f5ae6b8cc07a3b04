// The main window's side of the selection: the Edit menu's selection commands, Shift+
// arrow nudges, Delete of what is selected, and the count in the status bar.
#include <QLabel>

#include "room/edit_room.h"
#include "room/selection_edit.h"
#include "ui/edit_main.h"
#include "ui/qt_form.h"

namespace {

const char* Plural(TSelection::Kind kind, int count) {
  const bool one = count == 1;
  switch (kind) {
    case TSelection::Kind::Lights: return one ? "Light" : "Lights";
    case TSelection::Kind::Entities: return one ? "Entity" : "Entities";
    case TSelection::Kind::Surfaces: return one ? "Surface" : "Surfaces";
    case TSelection::Kind::Fields: return one ? "Field" : "Fields";
    case TSelection::Kind::None: break;
  }
  return "";
}

}  // namespace

void TFormMain::SelectAll() {
  if (!engine_) return;
  selection::SelectAll(*engine_->Room, selection::SheetKind(QtForm(*this)));
  ShowSelectionCount();
}

void TFormMain::SelectSameKind() {
  if (engine_ && selection::SelectSameKind(*engine_->Room)) ShowSelectionCount();
}

void TFormMain::SelectNone() {
  if (!engine_) return;
  engine_->Room->Selection.Clear();
  ShowSelectionCount();
}

void TFormMain::RotateSelection(int quarterTurns) {
  if (!engine_ || engine_->Room->Selection.Empty()) return;
  selection::Rotate(*engine_->Room, quarterTurns);
  RecordStep("Rotate Selection");
}

void TFormMain::DeleteSelection() {
  if (!engine_) return;
  TRoom& room = *engine_->Room;
  if (room.Selection.Empty()) {
    if (room.Cursor.DeleteSelected(room)) RecordStep("Delete");
    return;
  }
  const TSelection::Kind kind = room.Selection.What();
  const int deleted = selection::Delete(room);
  RecordStep("Delete " + std::to_string(deleted) + " " + Plural(kind, deleted));
  ShowSelectionCount();
}

void TFormMain::NudgeSelection(int dx, int dy) {
  if (!engine_ || engine_->Room->Selection.Empty() || !BetweenEdits()) return;
  TRoom& room = *engine_->Room;
  // One grid step in the view's plane: across is x, down is +z from the top, -y from the side.
  const float step = QtForm(*this).Checked("UseGrid1") ? 0.25f : 0.05f;
  const float across = static_cast<float>(dx) * step, down = static_cast<float>(dy) * step;
  if (room.Camera.Mode == TCamera::ModeTop) selection::Move(room, {across, 0.0f, down});
  if (room.Camera.Mode == TCamera::ModeSide) selection::Move(room, {across, -down, 0.0f});
  RecordStep("Nudge Selection");
}

void TFormMain::ShowSelectionCount() {
  if (engine_) ShowMessage(selection::StatusText(*engine_->Room), shownSelection_);
}

void TFormMain::ShowMessage(const std::string& text, std::string& shown) {
  if (text == shown) return;
  // The panel also says what the last command did; an emptied text clears only itself.
  QLabel* panel = statusPanels_[TRoom::MessageStatusPanel];
  if (!text.empty() || panel->text().toStdString() == shown) panel->setText(QString::fromStdString(text));
  shown = text;
}
