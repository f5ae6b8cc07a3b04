#include "surfaces/light_map.h"

#include <algorithm>
#include <cmath>
#include <thread>

#include "engine/edit_engine.h"
#include "room/edit_room.h"
#include "surfaces/bake_progress.h"
#include "surfaces/cpu_occlusion.h"
#include "surfaces/surface_main.h"

namespace {

// The room's light sum asks the room's shadow test; the bake lends it its own for the
// duration and gives the old one back.
class LentOcclusion {
public:
  LentOcclusion(TRoom& room, Occlusion* occlusion) : room_(room), saved_(room.OcclusionTest) {
    room_.OcclusionTest = occlusion;
  }
  ~LentOcclusion() { room_.OcclusionTest = saved_; }
  LentOcclusion(const LentOcclusion&) = delete;
  LentOcclusion& operator=(const LentOcclusion&) = delete;

private:
  TRoom& room_;
  Occlusion* saved_;
};

TVector Lerp(const TVector& a, const TVector& b, float f) {
  return TQZEngine::Add(a, TQZEngine::Scale(TQZEngine::Subtract(b, a), f));
}

// Light sums are clamped to 0..1 before they become bytes; a negative colour typed into
// a light would otherwise wrap round to bright.
std::uint8_t ToByte(float component) {
  return static_cast<std::uint8_t>(std::nearbyint(std::clamp(component, 0.0f, 1.0f) * 255.0f));
}

int DefaultThreads() { return static_cast<int>(std::max(1u, std::thread::hardware_concurrency())); }

}  // namespace

void ComputeLightMap(TRoom& room, TSurface& surface, Occlusion* occlusion, int threads) {
  Host& host = room.Engine.GetHost();
  const auto pixels = std::span(surface.lightMapPixels).first(surface.LightMapSize());
  if (!host.GetForm(FormId::Main).Checked("CBLightMapCompute")) {
    std::fill(pixels.begin(), pixels.end(), std::uint8_t{255});
    return;
  }
  const int w = std::clamp<int>(surface.lightMapWidth, 0, TSurface::MaxLightMapSize);
  const int h = std::clamp<int>(surface.lightMapHeight, 0, TSurface::MaxLightMapSize);
  BakeProgress progress(host, h);
  const LentOcclusion lent(room, occlusion);
  const auto& c = surface.corners;
  const auto row = [&](int r) {
    const float down = (static_cast<float>(r) + 0.5f) / static_cast<float>(h);
    const TVector a = Lerp(c[0].position, c[3].position, down);
    const TVector b = Lerp(c[1].position, c[2].position, down);
    for (int col = 0; col < w; ++col) {
      const TVector p = Lerp(a, b, (static_cast<float>(col) + 0.5f) / static_cast<float>(w));
      const TVector light = room.SumLights(p, -1, surface.slotIndex);
      const auto texel = pixels.subspan(static_cast<std::size_t>(r * w + col) * 3, 3);
      texel[0] = ToByte(light.x);
      texel[1] = ToByte(light.y);
      texel[2] = ToByte(light.z);
    }
  };
  RunRows(h, threads, row, progress);
}

LightMapBaker::LightMapBaker(TRoom& room) : Threads(DefaultThreads()), room_(room) {}

LightMapBaker::~LightMapBaker() = default;

void LightMapBaker::ComputeLightMap(TSurface& surface) {
  if (Method == ShadowMethod::Gl) {
    Occlusion* rendered = RenderedTest ? RenderedTest : room_.OcclusionTest;
    if (rendered) rendered->Rule = Rule;
    // The rendered test draws into the one GL context: a single thread.
    ::ComputeLightMap(room_, surface, rendered, 1);
    return;
  }
  // Unlit light maps come out white without any shadow test: no scene to build.
  if (!room_.Engine.GetHost().GetForm(FormId::Main).Checked("CBLightMapCompute")) {
    ::ComputeLightMap(room_, surface, nullptr, 1);
    return;
  }
  if (batched_) {
    if (!batchScene_) batchScene_ = std::make_unique<CpuOcclusion>(room_, View);
    batchScene_->Rule = Rule;
    ::ComputeLightMap(room_, surface, batchScene_.get(), Threads);
    return;
  }
  CpuOcclusion occlusion(room_, View);
  occlusion.Rule = Rule;
  ::ComputeLightMap(room_, surface, &occlusion, Threads);
}

LightMapBaker::Batch::Batch(LightMapBaker* baker) : baker_(baker) {
  if (baker_) baker_->batched_ = true;
}

LightMapBaker::Batch::~Batch() {
  if (!baker_) return;
  baker_->batched_ = false;
  baker_->batchScene_.reset();
}
