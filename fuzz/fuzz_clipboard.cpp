// The clipboard payload. Any bytes pasted into a new room are refused with the room
// left as it was, or pasted whole: what was pasted copies and pastes again to the
// same payload, and a second paste beside it is again whole or nothing.
#include <cstdlib>

#include "fuzz_world.h"
#include "room/edit_room.h"
#include "room/room_clipboard.h"

namespace {

int InUse(TRoom& room) { return room.CountLights() + room.CountEntities() + room.CountSurfaces(); }

// Refused pastes leave the room as it was.
void ExpectUnchangedWhenRefused(const PasteResult& result, TRoom& room, const std::vector<std::uint8_t>& image) {
  if (!result.Pasted() && room.SaveToBytes() != image) std::abort();
  if (result.Pasted() && result.pasted.Empty()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzWorld& world = FuzzWorld::Get();
  world.BeginRun();
  TRoom& room = *world.engine->Room;
  room.ClearRoom();
  const auto empty = room.SaveToBytes();
  const PasteResult first = PasteSelection(room, Bytes(data, size), std::nullopt, {0, 0});
  ExpectUnchangedWhenRefused(first, room, empty);
  if (!first.Pasted()) return 0;
  // Nothing but what the result names was placed.
  if (first.pasted.What() != TSelection::Kind::Fields && InUse(room) != first.pasted.Count()) std::abort();

  const auto copied = CopySelection(room, first.pasted);
  room.ClearRoom();
  const PasteResult again = PasteSelection(room, copied, std::nullopt, {0, 0});
  if (!again.Pasted() || CopySelection(room, again.pasted) != copied) std::abort();

  const auto image = room.SaveToBytes();
  ExpectUnchangedWhenRefused(PasteSelection(room, copied, TVector{3.0f, 0.0f, 3.0f}, {45, -7}), room, image);
  return 0;
}
