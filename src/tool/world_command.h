#pragma once
// `brannock-tool world [ROOMDIR] [--json | --dot]`: every room file of the game's room
// directory (or of ROOMDIR) loaded in turn into the one room of the engine, so memory
// stays flat, with what `check` reports of each, then every door's and portal's link
// checked across the rooms: the room file its "Lead to Room:" finds as the game finds
// it, and the marker its "Lead to Marker:" names there. Markers and rooms nothing leads
// to are noted for information.

#include <optional>
#include <ostream>
#include <string>

class HeadlessHost;
class TQZEngine;

struct WorldOptions {
  enum class Format { Text, Json, Dot };
  // Host path of the rooms; empty: the game's room directory.
  std::string roomDirectory;
  Format format = Format::Text;
};

// The game directory of a room directory given without --base: the nearest folder
// above it that holds editor.ini.
std::optional<std::string> WorldGameDirectory(const std::string& roomDirectory);

// Returns the process status: 0 only when every link holds and no room has an error
// (a load error or a problem check reports). Load errors also went to the host.
int RunWorld(TQZEngine& engine, HeadlessHost& host, const WorldOptions& options, std::ostream& out, std::ostream& err);
