// The JSON reader of `brannock-tool build`. Any text is refused with a message, or
// built into a room file that the room reader reads whole and whose complete form
// builds again to the same bytes. Anything else thrown is a finding.
#include <cstdlib>
#include <string_view>

#include "fuzz_world.h"
#include "room/edit_room.h"
#include "tool/room_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzWorld& world = FuzzWorld::Get();
  world.BeginRun();
  TRoom& room = *world.engine->Room;
  std::vector<std::uint8_t> bytes;
  try {
    bytes = room_text::BuildRoomFile(room, room_text::ParseJson({reinterpret_cast<const char*>(data), size}));
  } catch (const room_text::Error&) {
    return 0;
  }
  const auto json = room_text::CompleteJson(room, bytes);
  if (!json || room_text::BuildRoomFile(room, *json) != bytes) std::abort();
  return 0;
}
