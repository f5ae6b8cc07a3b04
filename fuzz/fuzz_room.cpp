// The room file. A room that loads whole must save and load again to the same bytes,
// and must survive a frame of its lights and entities.
#include <cstdlib>

#include "fuzz_world.h"
#include "room/edit_room.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzWorld& world = FuzzWorld::Get();
  world.BeginRun();
  TRoom& room = *world.engine->Room;
  if (!room.LoadFromBytes(Bytes(data, size))) return 0;
  room.DoFrame();
  const auto saved = room.SaveToBytes();
  if (!room.LoadFromBytes(saved) || room.SaveToBytes() != saved) std::abort();
  return 0;
}
