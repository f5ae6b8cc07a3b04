// The room file. A room that loads whole must save and load again to the same bytes,
// and must survive a frame of its lights and entities; what the world reads of it
// without loading it (its outline) must be what the loaded room holds.
#include <cstdlib>

#include "fuzz_world.h"
#include "room/edit_room.h"
#include "world/world_links.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzWorld& world = FuzzWorld::Get();
  world.BeginRun();
  TRoom& room = *world.engine->Room;
  const RoomOutline outline = ReadRoomOutline(*world.engine, Bytes(data, size));
  if (!room.LoadFromBytes(Bytes(data, size))) return 0;
  const RoomOutline loaded = OutlineOf(room);
  if (!outline.complete || outline.name != loaded.name || outline.markers != loaded.markers ||
      outline.links != loaded.links)
    std::abort();
  room.DoFrame();
  const auto saved = room.SaveToBytes();
  if (!room.LoadFromBytes(saved) || room.SaveToBytes() != saved) std::abort();
  return 0;
}
