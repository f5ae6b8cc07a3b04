// brannock_world_bench [ROOMS...]: for each count (default 20 and 200), a world of that
// many copies of the demo room in a copy of the sample game directory, each room's door
// leading to the next room's terrace marker and its portal to the previous one's, then
// `brannock-tool world` run on it as a process: its wall time and its peak resident
// memory. The tool loads one room at a time, so the memory should not grow with the
// count. Then what the editor's Problems list costs each time the history changes: the
// abbey room's problems, its links checked against the other rooms' cached markers.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/headless_host.h"
#include "engine/edit_engine.h"
#include "entities/edit_entity.h"
#include "entities/entity_portal.h"
#include "entities/tile_door.h"
#include "room/edit_room.h"
#include "world/world_links.h"

namespace fs = std::filesystem;

namespace {

std::string RoomName(int i) {
  char name[32];
  std::snprintf(name, sizeof name, "room%03d.rer", i);
  return name;
}

void MakeWorld(const fs::path& game, int rooms) {
  fs::remove_all(game);
  fs::copy(BRANNOCK_SAMPLE_DIR, game, fs::copy_options::recursive);
  const fs::path roomDir = game / "data" / "world" / "room";
  for (const auto& entry : fs::directory_iterator(roomDir)) fs::remove(entry.path());
  HeadlessHost host;
  TQZEngine engine(host, game.string());
  engine.StartUp();
  TRoom& room = *engine.Room;
  room.LoadFromFile((fs::path(BRANNOCK_SAMPLE_DIR) / "data" / "world" / "room" / "demo.rer").string());
  for (int i = 0; i < rooms; ++i) {
    for (int slot = 0; slot <= room.LastEntity; ++slot) {
      TEntity& entity = *room.Entities[static_cast<std::size_t>(slot)];
      if (auto* door = dynamic_cast<TETDoor*>(&entity))
        door->ToRoom = "data\\world\\room\\" + RoomName((i + 1) % rooms);
      if (auto* portal = dynamic_cast<TEPortal*>(&entity))
        portal->ToRoom = "data\\world\\room\\" + RoomName((i + rooms - 1) % rooms);
    }
    room.SaveToFile((roomDir / RoomName(i)).string());
  }
}

// In a child process: a forked child's peak memory starts from its parent's, so the
// parent stays as small as it started.
void MakeWorldApart(const fs::path& game, int rooms) {
  std::fflush(stdout);
  const pid_t child = fork();
  if (child == 0) {
    MakeWorld(game, rooms);
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
}

// Wall seconds and peak resident kilobytes of one run of the tool.
std::pair<double, long> RunTool(const fs::path& game) {
  std::fflush(stdout);
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    std::freopen("/dev/null", "w", stdout);
    execl(BRANNOCK_TOOL_PATH, BRANNOCK_TOOL_PATH, "--base", game.c_str(), "world", static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) std::fprintf(stderr, "the tool reported problems\n");
  return {seconds, usage.ru_maxrss};
}

// Microseconds of each refresh of the problems list on the abbey room, whose links lead
// to two other rooms.
void TimeProblems() {
  HeadlessHost host;
  TQZEngine engine(host, BRANNOCK_SAMPLE_DIR);
  engine.StartUp();
  const std::string file = (fs::path(BRANNOCK_SAMPLE_DIR) / "data" / "world" / "room" / "abbey.rer").string();
  engine.Room->LoadFromFile(file);
  RoomOutlineCache cache;
  std::vector<double> times;
  std::size_t rows = 0;
  for (int i = 0; i < 500; ++i) {
    const auto start = std::chrono::steady_clock::now();
    rows = ListRoomProblems(*engine.Room, cache, file).size();
    times.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  std::printf("problems list of the abbey room (%zu rows): median %.0f us, 95th percentile %.0f us, max %.0f us\n",
              rows, times[times.size() / 2], times[times.size() * 95 / 100], times.back());
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> counts;
  for (int i = 1; i < argc; ++i) counts.push_back(std::atoi(argv[i]));
  if (counts.empty()) counts = {20, 200};
  const fs::path game = fs::temp_directory_path() / ("brannock-world-bench-" + std::to_string(getpid()));
  for (const int rooms : counts) {
    MakeWorldApart(game, rooms);
    double best = 1e9;
    long memory = 0;
    for (int run = 0; run < 3; ++run) {
      const auto [seconds, kilobytes] = RunTool(game);
      best = std::min(best, seconds);
      memory = std::max(memory, kilobytes);
    }
    std::printf("%4d rooms: %.2f s (best of 3), peak resident memory %.1f MB\n", rooms, best,
                static_cast<double>(memory) / 1024.0);
  }
  fs::remove_all(game);
  TimeProblems();
  return 0;
}
