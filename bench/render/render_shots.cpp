// Saves one frame of every bench room in every view, with and without the Fields
// sheet, as PNG files in the given directory: shots of two builds compared pixel for
// pixel show whether a change to the renderer changed a picture.

#include <cstdio>
#include <string>

#include "bench_world.h"
#include "render/offscreen_context.h"
#include "room/edit_room.h"

namespace {

// Enough frames for the emitters to have drops in the air.
constexpr int FramesBeforeShot = 30;

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", argv[0]);
    return 2;
  }
  const std::string directory = argv[1];
  const char* rooms[] = {"demo", "full", "endless"};
  for (int kind = 0; kind < 3; ++kind) {
    BenchWorld world(static_cast<WorldKind>(kind));
    if (!world.Ready()) {
      std::fprintf(stderr, "no offscreen context or sample world\n");
      return 1;
    }
    for (int fields = 0; fields < 2; ++fields) {
      world.ShowFieldsSheet(fields == 1);
      for (int view = 0; view < 3; ++view) {
        PlaceCamera(world.Room().Camera, view);
        for (int frame = 0; frame < FramesBeforeShot; ++frame) world.Frame();
        const std::string path = directory + "/" + rooms[kind] + "-view" + std::to_string(view) +
                                 (fields == 1 ? "-fields" : "") + ".png";
        if (!world.Context().SavePng(path)) {
          std::fprintf(stderr, "cannot write %s\n", path.c_str());
          return 1;
        }
      }
    }
  }
  return 0;
}
