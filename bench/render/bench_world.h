#pragma once
// The rooms the frame benchmark and the screenshot tool draw, offscreen at the view's
// size: the sample world's demo room, a room with every slot table full (64 lights,
// 128 entities of mixed kinds with walking units and running emitters, 256 surfaces,
// the pond's water), and the demo room with emitters whose drops never vanish, their
// pools full at the cap.

#include <memory>

#include "core/headless_host.h"

class OffscreenContext;
class TQZEngine;
class TEditGL;
class TRoom;
struct TCamera;

enum class WorldKind { Demo, Full, EndlessDrops };

class BenchWorld {
public:
  static constexpr int Width = 640;
  static constexpr int Height = 480;

  explicit BenchWorld(WorldKind kind);
  ~BenchWorld();
  BenchWorld(const BenchWorld&) = delete;
  BenchWorld& operator=(const BenchWorld&) = delete;

  bool Ready() const { return ready_; }
  TRoom& Room();
  TEditGL& GL() { return *gl_; }
  OffscreenContext& Context() { return *context_; }
  // The window opens on the Fields sheet, which adds the field overlay to every frame.
  void ShowFieldsSheet(bool shown);

  // One room step and one drawn frame, finished so the time is the rasteriser's too.
  void Frame();

private:
  HeadlessHost host_;
  std::unique_ptr<OffscreenContext> context_;
  std::unique_ptr<TQZEngine> engine_;
  std::unique_ptr<TEditGL> gl_;
  bool ready_ = false;
};

// Lights spread over the grid with every effect, entities cycling through drawn kinds,
// and upright surfaces in rows until each table is full.
void FillEveryTable(TRoom& room);

// The camera of each view mode (0 top, 1 side, 2 3D) over the middle of the room.
void PlaceCamera(TCamera& camera, int mode);
