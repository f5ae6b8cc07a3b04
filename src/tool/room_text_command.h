#pragma once
// The commands of the room's complete JSON form: `dump --complete`, `build` and
// `format` (room_text.h, room_format.h). Errors go through the engine's host.

#include <ostream>
#include <string>

class TQZEngine;

// Prints every byte of the room file as JSON; nothing when the room reader refuses it.
// True when it printed.
bool RunCompleteDump(TQZEngine& engine, const std::string& path, std::ostream& out);
// Writes the room that the JSON file describes; on any error nothing is written.
bool RunBuild(TQZEngine& engine, const std::string& in, const std::string& out);
// Prints the room file's format page.
void RunFormat(TQZEngine& engine, std::ostream& out);
