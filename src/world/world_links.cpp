#include "world/world_links.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "core/file_system.h"
#include "engine/edit_engine.h"
#include "entities/edit_entity.h"
#include "entities/entity_marker.h"
#include "entities/entity_portal.h"
#include "entities/entity_typus.h"
#include "entities/tile_door.h"
#include "room/edit_room.h"

namespace {

namespace fs = std::filesystem;

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

std::optional<std::string> ExistingFile(const std::string& gamePath) {
  std::string host = fs_layer::ToHostPath(gamePath);
  if (fs_layer::HostFileExists(host)) return host;
  return std::nullopt;
}

std::string FileNameOf(const std::string& hostPath) { return fs::path(hostPath).filename().string(); }

}  // namespace

std::optional<RoomLink> LinkOf(const TEntity& entity) {
  const int slot = entity.SlotIndex;
  if (const auto* door = dynamic_cast<const TETDoor*>(&entity))
    return RoomLink{slot, entity.Typus, entity.Name.str(), door->ToRoom.str(), door->ToMarker.str()};
  if (const auto* portal = dynamic_cast<const TEPortal*>(&entity))
    return RoomLink{slot, entity.Typus, entity.Name.str(), portal->ToRoom.str(), portal->ToMarker.str()};
  return std::nullopt;
}

bool SetLinkMarker(TEntity& entity, std::string_view marker) {
  if (auto* door = dynamic_cast<TETDoor*>(&entity)) {
    door->ToMarker = marker;
    return true;
  }
  if (auto* portal = dynamic_cast<TEPortal*>(&entity)) {
    portal->ToMarker = marker;
    return true;
  }
  return false;
}

RoomOutline OutlineOf(const TRoom& room) {
  RoomOutline outline;
  outline.name = String32(room.Name).str();
  for (int slot = 0; slot < TRoom::EntitySlots; ++slot) {
    const TEntity& entity = *room.Entities[static_cast<std::size_t>(slot)];
    if (!entity.InUse()) continue;
    if (entity.IsTypus(typus::Marker)) outline.markers.push_back(entity.Name.str());
    if (auto link = LinkOf(entity); link && !link->toRoom.empty()) {
      link->slot = slot;
      outline.links.push_back(std::move(*link));
    }
  }
  return outline;
}

std::optional<std::string> ResolveRoomFile(std::string_view gameDirectory, std::string_view roomDirectory,
                                           std::string_view toRoom) {
  if (toRoom.empty()) return std::nullopt;
  const std::string name(toRoom);
  if (auto found = ExistingFile(std::string(gameDirectory) + name)) return found;
  if (auto found = ExistingFile(std::string(roomDirectory) + name)) return found;
  return ExistingFile(std::string(roomDirectory) + name + ".rer");
}

std::optional<std::string> ResolveRoomFile(const TQZEngine& engine, std::string_view toRoom) {
  return ResolveRoomFile(engine.BaseDir.view(), engine.RoomDir.view(), toRoom);
}

bool SameFile(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  std::error_code error;
  return fs::equivalent(a, b, error);
}

// ---- The cache -------------------------------------------------------------------------

std::optional<RoomOutline> RoomOutlineCache::Get(TQZEngine& engine, const std::string& hostPath) {
  std::error_code error;
  const auto size = fs::file_size(hostPath, error);
  if (error) return std::nullopt;
  const auto modified = fs::last_write_time(hostPath, error);
  if (error) return std::nullopt;
  const std::lock_guard lock(mutex_);
  if (const auto it = entries_.find(hostPath);
      it != entries_.end() && it->second.size == size && it->second.modified == modified)
    return it->second.outline;
  const auto bytes = fs_layer::ReadHostFile(hostPath, TRoom::MaxFileSize());
  if (!bytes) return std::nullopt;
  Entry& entry = entries_[hostPath];
  entry = {size, modified, ReadRoomOutline(engine, *bytes)};
  return entry.outline;
}

void RoomOutlineCache::Clear() {
  const std::lock_guard lock(mutex_);
  entries_.clear();
}

RoomOutlineCache& SharedRoomOutlines() {
  static RoomOutlineCache cache;
  return cache;
}

// ---- Checking a link --------------------------------------------------------------------

std::string LinkCheck::Problem() const {
  switch (state) {
    case State::RoomNotFound:
      return "room not found";
    case State::MarkerNotFound:
      return "marker not found";
    case State::Holds:
      break;
  }
  return {};
}

std::string LinkCheck::Describe(const RoomLink& link, std::string_view shownFile) const {
  switch (state) {
    case State::RoomNotFound:
      return "Lead to Room \"" + link.toRoom + "\" finds no room file";
    case State::MarkerNotFound: {
      if (link.toMarker.empty()) return "Lead to Marker is empty; it must name a marker of " + std::string(shownFile);
      std::string text = "Lead to Marker \"" + link.toMarker + "\" is no marker of " + std::string(shownFile);
      if (!caseMatch.empty()) text += " (its marker \"" + caseMatch + "\" differs only in letter case)";
      return text;
    }
    case State::Holds:
      break;
  }
  return {};
}

LinkCheck CheckLink(const RoomLink& link, std::optional<std::string> resolved,
                    const std::vector<std::string>& markers) {
  LinkCheck check;
  check.resolved = std::move(resolved);
  if (!check.resolved) {
    check.state = LinkCheck::State::RoomNotFound;
    return check;
  }
  if (!link.toMarker.empty() && std::find(markers.begin(), markers.end(), link.toMarker) != markers.end()) return check;
  check.state = LinkCheck::State::MarkerNotFound;
  if (!link.toMarker.empty())
    for (const std::string& marker : markers)
      if (SameIgnoringCase(marker, link.toMarker)) {
        check.caseMatch = marker;
        break;
      }
  return check;
}

std::vector<RoomProblem> LinkProblems(TRoom& room, RoomOutlineCache& cache, const std::string& roomFile) {
  std::vector<RoomProblem> problems;
  std::optional<RoomOutline> own;  // the room in memory, made when a link leads into it
  for (int slot = 0; slot <= room.LastEntity; ++slot) {
    const TEntity& entity = *room.Entities[static_cast<std::size_t>(slot)];
    if (!entity.InUse()) continue;
    const auto link = LinkOf(entity);
    if (!link || link->toRoom.empty()) continue;
    auto resolved = ResolveRoomFile(room.Engine, link->toRoom);
    std::vector<std::string> markers;
    std::string shown;
    if (resolved) {
      shown = FileNameOf(*resolved);
      if (SameFile(*resolved, roomFile)) {
        if (!own) own = OutlineOf(room);
        markers = own->markers;
      } else if (auto outline = cache.Get(room.Engine, *resolved)) {
        markers = std::move(outline->markers);
      }
    }
    const LinkCheck check = CheckLink(*link, std::move(resolved), markers);
    if (check.Holds()) continue;
    RoomProblem problem{TSelection::Kind::Entities,
                        slot,
                        "entity " + std::to_string(slot) + " \"" + entity.Name.str() + "\"",
                        check.Describe(*link, shown),
                        RoomProblem::Fix::None,
                        {}};
    if (!check.caseMatch.empty()) {
      problem.fix = RoomProblem::Fix::UseMarker;
      problem.fixValue = check.caseMatch;
    }
    problems.push_back(std::move(problem));
  }
  return problems;
}

std::vector<RoomProblem> ListRoomProblems(TRoom& room, RoomOutlineCache& cache, const std::string& roomFile) {
  std::vector<RoomProblem> problems = CheckRoom(room);
  std::vector<RoomProblem> links = LinkProblems(room, cache, roomFile);
  problems.insert(problems.end(), std::make_move_iterator(links.begin()), std::make_move_iterator(links.end()));
  return problems;
}

std::optional<std::vector<std::string>> TargetRoomMarkers(TQZEngine& engine, std::string_view toRoom,
                                                          const std::string& roomFile) {
  const auto resolved = ResolveRoomFile(engine, toRoom);
  if (!resolved || SameFile(*resolved, roomFile)) return std::nullopt;
  auto outline = SharedRoomOutlines().Get(engine, *resolved);
  if (!outline) return std::nullopt;
  return std::move(outline->markers);
}

void FillLinkMarkers(TQZEngine& engine, Form& form, const LinkBoxes& boxes, std::string_view toRoom) {
  const std::string text = form.Text(boxes.markerBox);
  const std::string roomFile = engine.GetHost().GetForm(FormId::Main).Text("SaveDialog");
  if (auto markers = TargetRoomMarkers(engine, toRoom, roomFile)) {
    form.SetItems(boxes.markerBox, *markers);
    form.SetDropDownCount(boxes.markerBox, 22);
    form.SortItems(boxes.markerBox);
  } else if (boxes.ownMarkers) {
    engine.Room->FillEntityCombo(form, boxes.markerBox, typus::Marker, nullptr);
  } else {
    form.SetItems(boxes.markerBox, {});
  }
  form.SetText(boxes.markerBox, text);
}
