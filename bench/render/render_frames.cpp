// Draws a fixed number of frames of one bench room in one view, for counting
// instructions, which a loaded machine leaves as they are:
//   LP_NUM_THREADS=0 valgrind --tool=callgrind --toggle-collect='*DrawCountedFrames*'
//   brannock_render_frames ROOM VIEW FIELDS FRAMES
// With no rasteriser threads the rasteriser's work is counted in the frames that caused it.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench_world.h"
#include "room/edit_room.h"

namespace {

// Enough frames for the emitters to have drops in the air and the rasteriser's
// shaders to be compiled.
constexpr int FramesBeforeCounting = 30;

// Not inlined, so a profiler can count this function alone.
[[gnu::noinline]] void DrawCountedFrames(BenchWorld& world, int frames) {
  for (int frame = 0; frame < frames; ++frame) world.Frame();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: %s ROOM(0 demo, 1 full, 2 endless) VIEW(0 top, 1 side, 2 3D) FIELDS(0|1) FRAMES\n",
                 argv[0]);
    return 2;
  }
  const int kind = std::atoi(argv[1]), view = std::atoi(argv[2]), fields = std::atoi(argv[3]);
  const int frames = std::atoi(argv[4]);
  if (kind < 0 || kind > 2 || view < 0 || view > 2 || frames < 0) {
    std::fprintf(stderr, "room and view run from 0 to 2, frames from 0\n");
    return 2;
  }
  BenchWorld world(static_cast<WorldKind>(kind));
  if (!world.Ready()) {
    std::fprintf(stderr, "no offscreen context or sample world\n");
    return 1;
  }
  world.ShowFieldsSheet(fields != 0);
  PlaceCamera(world.Room().Camera, view);
  for (int frame = 0; frame < FramesBeforeCounting; ++frame) world.Frame();
  DrawCountedFrames(world, frames);
  return 0;
}
