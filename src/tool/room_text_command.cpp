#include "tool/room_text_command.h"

#include "core/file_system.h"
#include "engine/edit_engine.h"
#include "room/edit_room.h"
#include "tool/room_format.h"
#include "tool/room_text.h"

namespace {

// A room's JSON holds its light maps as base64, a third larger than their bytes.
constexpr std::size_t JsonPerRoomByte = 4;

}  // namespace

bool RunCompleteDump(TQZEngine& engine, const std::string& path, std::ostream& out) {
  if (!engine.CheckHostFile(path, true)) return false;
  const auto bytes = fs_layer::ReadHostFile(path, TRoom::MaxFileSize());
  if (!bytes) {
    engine.ShowError("QZ_ROOM", "Error while loading room file!");
    return false;
  }
  const auto json = room_text::CompleteJson(*engine.Room, *bytes);
  if (json) out << json->dump(1) << '\n';
  return json.has_value();
}

bool RunBuild(TQZEngine& engine, const std::string& in, const std::string& out) {
  const auto text = fs_layer::ReadHostFile(in, JsonPerRoomByte * TRoom::MaxFileSize());
  if (!text) {
    engine.ShowError("QZ_ROOM", "Could not read \"" + in + "\"");
    return false;
  }
  std::vector<std::uint8_t> bytes;
  try {
    bytes = room_text::BuildRoomFile(
        *engine.Room, room_text::ParseJson({reinterpret_cast<const char*>(text->data()), text->size()}));
  } catch (const room_text::Error& error) {
    engine.ShowError("QZ_ROOM", in + ": " + error.what());
    return false;
  }
  if (const auto failure = fs_layer::WriteHostFileAtomic(out, bytes)) {
    engine.ShowError("QZ_ROOM", "Could not save room file \"" + out + "\": " + *failure);
    return false;
  }
  return true;
}

void RunFormat(TQZEngine& engine, std::ostream& out) { out << RoomFormatPage(*engine.Room); }
