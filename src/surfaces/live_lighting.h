#pragma once
// Light maps kept current while the designer edits. After an edit the window asks for
// an update; the room is copied (static lights, the surfaces' corners and map sizes,
// the occluder triangles) and one worker thread bakes, through the processor's ray
// caster, only the texels the change can have reached. The window takes the finished
// texels between frames, writes them into the surfaces and uploads them.
//
// What changed is found by comparing each copy with the one before: a light, surface
// or occluder record that differs in anything the bake reads counts as changed, however
// it came to differ (an edit, undo, a dialog, loading), so callers keep no books.
//
// Threading: every member function is for the thread that owns the room (the GUI
// thread). The worker only ever reads its own copies; it never touches the room, GL
// or Qt.

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <stop_token>
#include <thread>
#include <vector>

#include "surfaces/light_map.h"
#include "surfaces/occlusion.h"

class TRoom;
class TSurface;

// Texels first .. first + count - 1 of a light map, counted row by row.
struct LightMapTexelRun {
  std::uint32_t first = 0;
  std::uint32_t count = 0;
};

// New texels of one surface's light map.
struct FinishedMap {
  std::int16_t slot = -1;  // the surface's slot in the room
  int width = 0;           // the map they belong to
  int height = 0;
  int firstRow = 0;        // the rows they lie in, for the upload
  int lastRow = -1;
  std::vector<LightMapTexelRun> runs;
  std::vector<std::uint8_t> bytes;  // RGB of the runs' texels, in order

  // Writes the texels into the surface when its map still has this size (false and
  // nothing written otherwise: a newer update for the surface is on its way).
  bool ApplyTo(TSurface& surface) const;
};

class LiveLighting {
public:
  LiveLighting();
  // Stops the worker; work not finished is dropped.
  ~LiveLighting();
  LiveLighting(const LiveLighting&) = delete;
  LiveLighting& operator=(const LiveLighting&) = delete;

  // Read at each request; a change rebakes every map. Match them to the full bake's.
  OcclusionRule Rule = OcclusionRule::Exact;
  ShadowView View = PanelShadowView;
  int Threads = 1;  // threads sharing a bake's rows (the worker and Threads - 1 helpers)

  // Takes the room's light maps as baked for the room as it is now (after loading a
  // room whose maps are current, or after "Compute Surface Lighting"): nothing is
  // baked, and updates not yet taken are dropped.
  void Adopt(TRoom& room);
  // Forgets which maps are current: the next request bakes every texel.
  void Forget();
  // The room was edited: bakes again, in the background, the texels that may differ
  // from the last request (every texel at the first request without Adopt). A request
  // made while an earlier one still waits replaces it, taking over its texels. False
  // when nothing changed that a map depends on.
  bool Request(TRoom& room);
  // Updates finished since the last call, oldest first.
  std::vector<FinishedMap> TakeFinished();
  // TakeFinished, written into the room's surfaces; the slots written, once each, for
  // the upload.
  std::vector<std::int16_t> ApplyFinished(TRoom& room);

  // Whether a bake waits or runs.
  bool Pending() const;
  // Texels of the running bake not yet done (0 before it has sorted out its texels).
  std::size_t PendingTexels() const;
  // Blocks until no bake waits or runs (before saving).
  void WaitUntilIdle();
  // The same for at most `timeout`; whether it is idle.
  bool WaitUntilIdleFor(std::chrono::milliseconds timeout);
  // Bakes the worker has started so far (superseded requests never start one).
  std::uint64_t BakesRun() const;

  // The worker's inputs; defined where they are used.
  struct Snapshot;
  struct Changes;
  struct Job;

private:
  void Run(std::stop_token stop);

  std::shared_ptr<const Snapshot> last_;  // GUI thread only

  mutable std::mutex mutex_;
  std::condition_variable_any wake_;   // the worker: work or stop
  std::condition_variable idle_;       // WaitUntilIdle
  std::unique_ptr<Job> queued_;
  bool running_ = false;
  std::uint64_t generation_ = 0;  // bumped by Adopt: older bakes are dropped
  std::uint64_t bakesRun_ = 0;
  std::vector<FinishedMap> finished_;
  std::atomic<std::size_t> pendingTexels_{0};
  std::jthread worker_;  // last: stops and joins before the members above go
};
