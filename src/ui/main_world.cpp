// The main window's side of the world: View > Problems, and Edit > Follow Link and Go
// Back, which move between the rooms a door or portal links.
#include <QStatusBar>

#include "entities/edit_entity.h"
#include "entities/entity_typus.h"
#include "room/edit_room.h"
#include "room/selection_edit.h"
#include "ui/edit_main.h"
#include "ui/problems_dock.h"
#include "ui/qt_form.h"
#include "world/world_links.h"

namespace {

constexpr int MessageTime = 10000;

const char* SheetOf(TSelection::Kind kind) {
  switch (kind) {
    case TSelection::Kind::Fields:
      return "TabSheetFields";
    case TSelection::Kind::Lights:
      return "TabSheetLights";
    case TSelection::Kind::Entities:
      return "TabSheetEntities";
    case TSelection::Kind::Surfaces:
      return "TabSheetSurfaces";
    default:
      return "";
  }
}

QString Latin1(const std::string& text) { return QString::fromLatin1(text); }

// The slot of the entity in use that carries the name, preferring the one in `slot`.
int FindEntity(const TRoom& room, int slot, const std::string& name, std::int16_t typus = 0) {
  const auto fits = [&](int at) {
    if (at < 0 || at >= TRoom::EntitySlots) return false;
    const TEntity& entity = *room.Entities[static_cast<std::size_t>(at)];
    return entity.InUse() && entity.Name.str() == name && (typus == 0 || entity.IsTypus(typus));
  };
  if (fits(slot)) return slot;
  for (int at = 0; at <= room.LastEntity; ++at)
    if (fits(at)) return at;
  return -1;
}

}  // namespace

void TFormMain::ShowProblems(bool shown) {
  if (!problems_) {
    if (!shown) return;
    problems_ = new ProblemsDock(*this);
    AddViewDock(problems_, "Problems1");
    connect(this, &TFormMain::historyChanged, problems_, &ProblemsDock::Refresh);
  }
  ShowViewDock(problems_, "Problems1", shown);
}

void TFormMain::ShowObject(TSelection::Kind kind, int slot) {
  if (!engine_ || slot < 0) return;
  TRoom& room = *engine_->Room;
  if (kind == TSelection::Kind::Fields) {
    const int x = slot / TRoom::GridSize, z = slot % TRoom::GridSize;
    room.Selection.SetFields({x, z, x, z});
  } else {
    room.Selection.Set(kind, slot);
  }
  // The surface sheet's buttons work on the surface the cursor holds.
  if (kind == TSelection::Kind::Surfaces && slot < TRoom::SurfaceSlots)
    room.Cursor.SelectedSurface = room.Surfaces[static_cast<std::size_t>(slot)].get();
  QtForm(*this).SetActivePage("PageControl", SheetOf(kind));
  room.Camera.CentreOn(selection::Centre(room));
}

void TFormMain::FollowLink() {
  if (!BetweenEdits()) return;
  const TRoom& room = *engine_->Room;
  const TSelection& selected = room.Selection;
  std::optional<RoomLink> link;
  if (selected.What() == TSelection::Kind::Entities && selected.Count() == 1) {
    const int slot = *selected.Slots().begin();
    link = LinkOf(*room.Entities[static_cast<std::size_t>(slot)]);
    if (link) link->slot = slot;
  }
  if (!link) {
    statusBar()->showMessage(QStringLiteral("Follow Link: select one door or portal first."), MessageTime);
    return;
  }
  if (link->toRoom.empty()) {
    statusBar()->showMessage(
        QStringLiteral("Follow Link: \"%1\" leads to no room: its Lead to Room is empty.").arg(Latin1(link->entity)),
        MessageTime);
    return;
  }
  const auto file = ResolveRoomFile(*engine_, link->toRoom);
  if (!file) {
    statusBar()->showMessage(QStringLiteral("Follow Link: Lead to Room \"%1\" of \"%2\" finds no room file.")
                                 .arg(Latin1(link->toRoom), Latin1(link->entity)),
                             MessageTime);
    return;
  }
  const LinkOrigin origin{roomFile_, link->slot, link->entity};
  if (!SameFile(*file, roomFile_)) {
    if (!ConfirmDiscard()) return;
    LoadConfirmed(*file);
  }
  // An untitled room has no file to come back to.
  if (!origin.room.empty()) linkOrigins_.push_back(origin);
  const int marker = FindEntity(*engine_->Room, -1, link->toMarker, typus::Marker);
  if (marker >= 0) {
    ShowObject(TSelection::Kind::Entities, marker);
    statusBar()->showMessage(
        QStringLiteral("Followed \"%1\" to marker \"%2\".").arg(Latin1(link->entity), Latin1(link->toMarker)),
        MessageTime);
  } else {
    statusBar()->showMessage(
        QStringLiteral("Follow Link: the room is open, but it has no marker \"%1\".").arg(Latin1(link->toMarker)),
        MessageTime);
  }
  UpdateCommandStates();
}

void TFormMain::GoBack() {
  if (!BetweenEdits() || linkOrigins_.empty()) return;
  const LinkOrigin origin = linkOrigins_.back();
  if (!SameFile(origin.room, roomFile_)) {
    if (!ConfirmDiscard()) return;
    LoadConfirmed(origin.room);
  }
  linkOrigins_.pop_back();
  const int slot = FindEntity(*engine_->Room, origin.slot, origin.entity);
  if (slot >= 0) ShowObject(TSelection::Kind::Entities, slot);
  UpdateCommandStates();
}
