#include "engine/model_actions.h"

#include <algorithm>
#include <thread>

#include "engine/edit_engine.h"
#include "models/model_surfaces.h"
#include "room/edit_room.h"
#include "surfaces/cpu_occlusion.h"
#include "surfaces/light_map.h"
#include "surfaces/model_texture_bake.h"

void RoomModelActions::BakeModelTexture(const TVEModel& model, const TVector&, const TVector&,
                                        std::int16_t skipEntity, float) {
  // The image spans the whole room floor, so the entity's placement plays no part.
  TRoom& room = *engine_.Room;
  const LightMapBaker* baker = room.LightMaps;
  if (baker && baker->Method == ShadowMethod::Gl) {
    // The rendered test draws into the one GL context: a single thread.
    ::BakeModelTexture(room, model, skipEntity, baker->RenderedTest ? baker->RenderedTest : room.OcclusionTest, 1);
    return;
  }
  const int threads = baker ? baker->Threads : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  CpuOcclusion occlusion(room);
  ::BakeModelTexture(room, model, skipEntity, &occlusion, threads);
}

void RoomModelActions::ConvertModelToSurfaces(const TVEModel& model, const TVector& position,
                                              const TVector& rotation, float size) {
  ::ConvertModelToSurfaces(*engine_.Room, model, position, rotation, size);
}
