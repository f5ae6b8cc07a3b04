#include "sample_world/sample_world.h"

#include "core/headless_host.h"
#include "engine/edit_engine.h"
#include "room/edit_room.h"
#include "sample_world/config_files.h"
#include "sample_world/demo_room.h"
#include "sample_world/linked_rooms.h"
#include "sample_world/models.h"
#include "sample_world/textures.h"
#include "sample_world/world_writer.h"

namespace {

void Collect(const HeadlessHost& host, std::vector<std::string>& errors) {
  for (const auto& e : host.errors) errors.push_back(e.Full());
}

}  // namespace

SampleWorldResult GenerateSampleWorld(const std::filesystem::path& root) {
  std::filesystem::create_directories(root);
  WorldWriter world(std::filesystem::absolute(root));
  WriteConfigFiles(world);
  WriteTextures(world);
  WriteModels(world);
  // The game keeps music here; the editor only needs the folder.
  world.Text("music/readme.txt", "Music of the sample world goes here.\n");
  std::filesystem::create_directories(world.Root() / "data" / "world" / "room");

  SampleWorldResult result;
  {
    // The room is built by the editor's own document code, started in the new tree
    // as the editor would be, so it refers only to what the tree holds.
    HeadlessHost host;
    TQZEngine engine(host, world.Root().string());
    engine.StartUp();
    // The demo and bake rooms first, so the rooms around them change nothing of theirs.
    if (BuildDemoRoom(engine) && BuildBakeRoom(engine)) BuildLinkedRooms(engine);
    Collect(host, result.errors);
  }
  {
    HeadlessHost host;
    TQZEngine engine(host, world.Root().string());
    engine.StartUp();
    // Every room must load back without a word.
    for (const char* room : {DemoRoomFile, BakeRoomFile, AbbeyRoomFile, CellarRoomFile})
      engine.Room->LoadFromFile((world.Root() / room).string());
    Collect(host, result.errors);
  }
  std::error_code ec;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(world.Root(), ec))
    if (entry.is_regular_file()) {
      result.bytes += entry.file_size();
      ++result.files;
    }
  return result;
}
