// Long light-map work the designer cancels from its progress panel: no further row
// starts, and the room is left as it was before the command.
#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "surfaces/bake_fixture.h"
#include "surfaces/bake_progress.h"
#include "surfaces/light_map.h"

namespace {

class CancelledWork : public BakeTest {
protected:
  CancelledWork() : baker(room) { room.LightMaps = &baker; }
  ~CancelledWork() override { room.LightMaps = nullptr; }

  // The designer presses Cancel when the progress panels have yielded `events` times
  // from now on; `then` runs just before.
  void CancelAfter(int events, std::function<void()> then = nullptr) {
    host.onProcessEvents = [this, events, then, seen = 0]() mutable {
      if (++seen != events) return;
      if (then) then();
      host.cancelRequested = true;
    };
  }

  LightMapBaker baker;
};

TEST_F(CancelledWork, RowsStopOnEveryThreadCountAndTheRunEnds) {
  for (const int threads : {1, 2, 4}) {
    CancelAfter(3);
    std::atomic<int> started = 0;
    BakeProgress progress(host, 200);
    RunRows(200, threads, [&](int) {
      ++started;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }, progress);
    EXPECT_TRUE(progress.Cancelled());
    // The panel's first yield and two rows reported; each thread may have had a row or
    // two under way by then.
    EXPECT_LE(started.load(), 2 + 2 * threads) << threads << " threads";
  }
}

TEST_F(CancelledWork, ComputeSurfaceLightingPutsBackEveryMapItHadAlreadyBaked) {
  TSurface& first = *Floor(0, 0, 2, 2);
  TSurface& second = *Floor(3, 0, 5, 2);
  Light({1, 1, 1}, 3.0f);  // the maps were made before the light: dark
  const auto firstBefore = first.Record(), secondBefore = second.Record();

  // The command's one panel has shown, the first map's 8 rows are done and three rows
  // of the second ran.
  std::vector<std::uint8_t> firstWhenCancelled;
  CancelAfter(12, [&] { firstWhenCancelled = first.Record(); });
  room.ComputeSurfaceShadows();
  ASSERT_FALSE(firstWhenCancelled.empty());
  EXPECT_NE(firstWhenCancelled, firstBefore) << "the first map was lit before the cancel";
  EXPECT_EQ(first.Record(), firstBefore);
  EXPECT_EQ(second.Record(), secondBefore);

  host.onProcessEvents = nullptr;
  room.ComputeSurfaceShadows();
  EXPECT_NE(first.Record(), firstBefore) << "an uncancelled run lights the maps";
}

TEST_F(CancelledWork, ASurfaceDialogWhoseBakeIsCancelledLeavesTheSurfaceAsBeforeTheDialog) {
  TSurface& surface = *Floor(0, 0, 2, 2);
  Light({1, 1, 1}, 3.0f);
  const auto before = surface.Record();
  CancelAfter(2);
  host.ScriptModal({[](MemoryForm& form) {
                      form.SetText("EditName", "RENAMED");
                      form.SetText("EditLightMapTexPerMeter", "8");
                    },
                    ModalResult::Ok});
  surface.Edit();
  EXPECT_EQ(surface.Record(), before);
  EXPECT_EQ(surface.name.view(), "SURFACE");
}

TEST_F(CancelledWork, ANewSurfaceWhoseBakeIsCancelledIsNotMade) {
  Light({1, 1, 1}, 3.0f);
  CancelAfter(2);
  EXPECT_EQ(Floor(0, 0, 2, 2), nullptr);
  EXPECT_EQ(room.CountSurfaces(), 0);
  host.onProcessEvents = nullptr;
  EXPECT_NE(Floor(0, 0, 2, 2), nullptr) << "the next one is made";
}

}  // namespace
