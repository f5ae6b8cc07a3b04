#include "engine/model_actions.h"

#include <algorithm>
#include <cmath>
#include <thread>

#include "engine/edit_engine.h"
#include "models/model_surfaces.h"
#include "room/edit_room.h"
#include "surfaces/light_map.h"
#include "surfaces/model_texture_bake.h"
#include "surfaces/occluder_scene.h"
#include "surfaces/occlusion.h"
#include "surfaces/triangle_bvh.h"

namespace {

// The bake's sun stands 100 m out. The rendered shadow test's depth margin of 0.01
// is more than the whole depth range left beyond about 18 m from the eye, so that
// test (and the ray caster that copies it) would call every pixel hidden and paint
// the texture in the ambient colour. The bake asks the plain question instead: does
// anything lie on the line from the sun to the pixel, short of the pixel itself?
class SunShadow : public Occlusion {
public:
  explicit SunShadow(TRoom& room) : scene_(CollectOccluders(room)) {}

  bool IsOccluded(std::int16_t skipEntity, std::int16_t skipSurface, const TVector& from,
                  const TVector& to) override {
    const TVector line = TQZEngine::Subtract(to, from);
    const float length = std::sqrt(line.x * line.x + line.y * line.y + line.z * line.z);
    if (!(length > SurfaceMargin)) return false;
    // Geometry within the margin of the pixel is the ground it lies on, not a shadow.
    return scene_.AnyHit(from, line, 0.0f, 1.0f - SurfaceMargin / length, skipEntity, skipSurface);
  }

private:
  static constexpr float SurfaceMargin = 0.01f;
  TriangleBvh scene_;
};

}  // namespace

void RoomModelActions::BakeModelTexture(const TVEModel& model, const TVector&, const TVector&,
                                        std::int16_t skipEntity, float) {
  // The image spans the whole room floor, so the entity's placement plays no part.
  TRoom& room = *engine_.Room;
  const int threads =
      room.LightMaps ? room.LightMaps->Threads : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  SunShadow shadow(room);
  ::BakeModelTexture(room, model, skipEntity, &shadow, threads);
}

void RoomModelActions::ConvertModelToSurfaces(const TVEModel& model, const TVector& position,
                                              const TVector& rotation, float size) {
  ::ConvertModelToSurfaces(*engine_.Room, model, position, rotation, size);
}
