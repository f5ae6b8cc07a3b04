#pragma once
// The rooms of the game's world and the doors and portals between them: what a room
// file holds of them (read without loading the room), where a "Lead to Room:" name finds
// its file as the game resolves it, and whether a link holds. `brannock-tool world`,
// the editor's problems list, Follow Link and the "Lead to Marker:" box all ask here.

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/form.h"
#include "world/room_check.h"

class TEntity;
class TQZEngine;
class TRoom;

// A door's or portal's way out of its room.
struct RoomLink {
  int slot = 0;            // the door's or portal's slot in its room
  std::int16_t typus = 0;  // typus::Door or typus::Portal
  std::string entity;      // its name
  std::string toRoom;      // "Lead to Room:", a game path
  std::string toMarker;    // "Lead to Marker:", a marker of that room
  bool operator==(const RoomLink&) const = default;
};

// What the world needs of a room: its name, its markers and where its doors and portals
// lead (those whose "Lead to Room:" is empty lead nowhere and are left out).
struct RoomOutline {
  std::string name;
  std::vector<std::string> markers;  // in slot order
  std::vector<RoomLink> links;       // in slot order
  // False when the file broke off before every entity was read.
  bool complete = true;
};

// The link fields of a door or a portal; nothing for any other kind.
std::optional<RoomLink> LinkOf(const TEntity& entity);
// Sets a door's or portal's "Lead to Marker:"; false for any other kind.
bool SetLinkMarker(TEntity& entity, std::string_view marker);
RoomOutline OutlineOf(const TRoom& room);
// The same from a room file's bytes, reading only its attributes and its entities (the
// room file's reader, room_file.cpp). The engine makes the entity objects read.
RoomOutline ReadRoomOutline(TQZEngine& engine, std::span<const std::uint8_t> bytes);

// The host path of the room file a "Lead to Room:" name leads to, found as the game
// finds its data: relative to the game directory, backslashes as separators, any letter
// case; failing that, as a file name in the room directory, with or without ".rer".
// Both directories are game paths ending in a backslash (the engine's BaseDir, RoomDir).
std::optional<std::string> ResolveRoomFile(std::string_view gameDirectory, std::string_view roomDirectory,
                                           std::string_view toRoom);
// With the engine's own directories.
std::optional<std::string> ResolveRoomFile(const TQZEngine& engine, std::string_view toRoom);
// True when both host paths name one file.
bool SameFile(const std::string& a, const std::string& b);

// Outlines of room files, each read once and kept until the file's size or modification
// time changes, so a list refreshed after every edit costs a stat per room.
class RoomOutlineCache {
public:
  // The file's outline, or nothing when it cannot be read.
  std::optional<RoomOutline> Get(TQZEngine& engine, const std::string& hostPath);
  void Clear();

private:
  struct Entry {
    std::uintmax_t size = 0;
    std::filesystem::file_time_type modified;
    RoomOutline outline;
  };
  std::mutex mutex_;
  std::map<std::string, Entry> entries_;
};
// The editor's one cache: the problems list and the entity dialog share it.
RoomOutlineCache& SharedRoomOutlines();

// Whether a link holds, given the room file it resolved to (if any) and that room's
// markers.
struct LinkCheck {
  enum class State { Holds, RoomNotFound, MarkerNotFound };
  State state = State::Holds;
  std::optional<std::string> resolved;  // host path of the room file
  // A marker of that room whose name differs from "Lead to Marker:" only in letter case.
  std::string caseMatch;

  bool Holds() const { return state == State::Holds; }
  // "room not found", "marker not found"; empty when the link holds.
  std::string Problem() const;
  // The whole sentence, for a problems list: what was looked for and not found.
  std::string Describe(const RoomLink& link, std::string_view shownFile) const;
};
LinkCheck CheckLink(const RoomLink& link, std::optional<std::string> resolved, const std::vector<std::string>& markers);

// The current room's doors and portals whose room or marker is missing, as problems of
// the list (the editor's Problems). roomFile is the host path of the room's own file
// (empty when untitled): a link into it is checked against the room in memory.
std::vector<RoomProblem> LinkProblems(TRoom& room, RoomOutlineCache& cache, const std::string& roomFile);
// What check reports and the link problems, the editor's whole list.
std::vector<RoomProblem> ListRoomProblems(TRoom& room, RoomOutlineCache& cache, const std::string& roomFile);

// The markers a door's or portal's "Lead to Marker:" box offers for a "Lead to Room:"
// name: those of the other room's file, or nothing when the name finds no room or finds
// the room's own file (which the box's usual list covers).
std::optional<std::vector<std::string>> TargetRoomMarkers(TQZEngine& engine, std::string_view toRoom,
                                                          const std::string& roomFile);

// The entity dialog's "Lead to Room:" and "Lead to Marker:" boxes of a kind; ownMarkers:
// without another room the marker box offers this room's markers (the portal's), else
// nothing (the door's).
struct LinkBoxes {
  std::string_view roomBox;
  std::string_view markerBox;
  bool ownMarkers;
};
inline constexpr std::array<LinkBoxes, 2> LinkBoxPairs{LinkBoxes{"CBTDoorToRoom", "CBTDoorToMarker", false},
                                                       LinkBoxes{"CBPortalToRoom", "CBPortalToMarker", true}};
// Fills the marker box for the "Lead to Room:" name: the markers of the room it names
// when that is another room's file; otherwise as the box's kind offers them. The box
// keeps its text, which stays free. The room's own file is the main form's "SaveDialog".
void FillLinkMarkers(TQZEngine& engine, Form& form, const LinkBoxes& boxes, std::string_view toRoom);
