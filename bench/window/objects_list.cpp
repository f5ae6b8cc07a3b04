// What the objects list costs each time the room's history changes: reading the rows of
// the room with every slot table full (64 lights, 128 entities, 256 surfaces) and
// rebuilding the list's model, with no filter and with one, timed over many rebuilds.
//
//   brannock_objects_list [rebuilds, default 500]
#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench_world.h"
#include "room/edit_room.h"
#include "room/object_list.h"
#include "ui/objects_dock.h"

namespace {

// Microseconds of each rebuild: rows read, filtered and handed to the model.
std::vector<double> Time(TRoom& room, ObjectsModel& model, std::string_view filter, int rebuilds) {
  std::vector<double> times;
  for (int i = 0; i < rebuilds; ++i) {
    const auto start = std::chrono::steady_clock::now();
    std::vector<ObjectRow> shown;
    for (ObjectRow& row : ListObjects(room))
      if (Matches(row, filter)) shown.push_back(std::move(row));
    model.SetRows(std::move(shown));
    times.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int rebuilds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 500;
  BenchWorld world(WorldKind::Full);
  if (!world.Ready()) {
    std::fprintf(stderr, "the full room could not be made (sample world or offscreen GL missing)\n");
    return 1;
  }
  ObjectsModel model;
  for (const char* filter : {"", "lantern"}) {
    const std::vector<double> times = Time(world.Room(), model, filter, rebuilds);
    std::printf("filter \"%s\": %d rows of %zu objects; per rebuild median %.0f us, 95th percentile %.0f us, max %.0f us\n",
                filter, model.rowCount(), ListObjects(world.Room()).size(), times[times.size() / 2],
                times[times.size() * 95 / 100], times.back());
  }
  return 0;
}
