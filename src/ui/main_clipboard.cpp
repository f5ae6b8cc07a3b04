// The selection on the system clipboard, so it travels between two editors and two
// rooms: a private format that pastes, and the dump's JSON as plain text for people.
// The document makes and reads the bytes; this only moves them.
#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include "room/edit_room.h"
#include "room/room_clipboard.h"
#include "room/selection_edit.h"
#include "tool/room_json.h"
#include "ui/edit_main.h"
#include "ui/qt_host.h"

namespace {

const QString SelectionFormat = QStringLiteral("application/x-brannock-selection");

}  // namespace

bool TFormMain::CopySelection() {
  if (!engine_ || engine_->Room->Selection.Empty()) return false;
  const TRoom& room = *engine_->Room;
  const std::vector<std::uint8_t> payload = ::CopySelection(room, room.Selection);
  if (payload.empty()) return false;
  auto* data = new QMimeData;
  data->setData(SelectionFormat, QByteArray(reinterpret_cast<const char*>(payload.data()),
                                            static_cast<qsizetype>(payload.size())));
  data->setText(QString::fromStdString(SelectionText(room, room.Selection)));
  QApplication::clipboard()->setMimeData(data);
  return true;
}

void TFormMain::CutSelection() {
  if (CopySelection()) DeleteSelection();
}

void TFormMain::PasteSelection(bool inPlace) {
  if (!engine_ || !BetweenEdits()) return;
  const QMimeData* data = QApplication::clipboard()->mimeData();
  // Another program's text is not a selection: nothing to say about it.
  if (!data || !data->hasFormat(SelectionFormat)) return;
  const QByteArray bytes = data->data(SelectionFormat);
  TRoom& room = *engine_->Room;
  // The cursor stands on the grid already when "Use Grid" is on.
  const std::optional<TVector> centre = inPlace ? std::nullopt : std::optional(room.Cursor.Position);
  const PasteResult result =
      ::PasteSelection(room, {reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())},
                       centre, TRoom::CellOf(room.Cursor.Position));
  Placed(result, "Paste");
}

void TFormMain::DuplicateSelection() {
  if (!engine_ || engine_->Room->Selection.Empty() || !BetweenEdits()) return;
  Placed(Duplicate(*engine_->Room, engine_->Room->Selection), "Duplicate");
}

void TFormMain::Placed(const PasteResult& result, const std::string& step) {
  TRoom& room = *engine_->Room;
  if (result.outcome == PasteResult::Outcome::Refused) {
    host_.ShowError(PasteResult::ErrorTag, result.error);
    return;
  }
  if (!result.Pasted()) return;
  room.Selection = result.pasted;
  room.CountLights();
  room.CountEntities();
  room.CountSurfaces();
  RecordStep(step + " " + result.countText);
  ShowSelectionCount();
}
