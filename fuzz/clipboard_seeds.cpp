// Seeds for the clipboard harness: real payloads of every kind, copied from the sample
// world's demo room. usage: clipboard_seeds SAMPLE_WORLD_DIR OUT_DIR
#include <filesystem>
#include <fstream>
#include <iostream>

#include "core/headless_host.h"
#include "engine/edit_engine.h"
#include "entities/edit_entity.h"
#include "room/edit_room.h"
#include "room/room_clipboard.h"

namespace {

// The first `count` slots of a kind that are in use.
template <class Table, class InUse>
TSelection First(TSelection::Kind kind, const Table& table, std::size_t count, InUse inUse) {
  TSelection selection;
  for (std::size_t i = 0; i < table.size() && static_cast<std::size_t>(selection.Count()) < count; ++i)
    if (inUse(table[i])) selection.Add(kind, static_cast<int>(i));
  return selection;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: clipboard_seeds SAMPLE_WORLD_DIR OUT_DIR\n";
    return 2;
  }
  const std::filesystem::path world = argv[1], out = argv[2];
  HeadlessHost host;
  TQZEngine engine(host, world.string());
  engine.StartUp();
  TRoom& room = *engine.Room;
  if (!room.LoadFromFile((world / "data" / "world" / "room" / "demo.rer").string())) return 1;

  const auto light = [](const TLight& l) { return l.InUse(); };
  const auto used = [](const auto& object) { return object->InUse(); };
  using Kind = TSelection::Kind;
  TSelection fields, row;
  fields.SetFields({20, 28, 22, 29});
  row.SetFields({0, 30, 59, 30});
  const std::pair<const char*, TSelection> seeds[] = {
      {"lights-2", First(Kind::Lights, room.Lights, 2, light)},
      {"lights-all", First(Kind::Lights, room.Lights, TRoom::LightSlots, light)},
      {"entities-3", First(Kind::Entities, room.Entities, 3, used)},
      {"entities-all", First(Kind::Entities, room.Entities, TRoom::EntitySlots, used)},
      {"surfaces-1", First(Kind::Surfaces, room.Surfaces, 1, used)},
      {"surfaces-2", First(Kind::Surfaces, room.Surfaces, 2, used)},
      {"fields-3x2", fields},
      {"fields-row", row},
  };
  std::filesystem::create_directories(out);
  for (const auto& [name, selection] : seeds) {
    const auto payload = CopySelection(room, selection);
    std::ofstream file(out / (std::string("seed-") + name), std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(payload.data()), static_cast<std::streamsize>(payload.size()));
  }
  return 0;
}
