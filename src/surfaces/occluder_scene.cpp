#include "surfaces/occluder_scene.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/edit_engine.h"
#include "entities/edit_entity.h"
#include "entities/entity_tile.h"
#include "models/edit_model.h"
#include "models/model_animation.h"
#include "room/edit_room.h"

namespace {

// The model-view placement of a drawn model: translate, turn (y + 180) about Y, -x
// about X, -z about Z, in that order of matrices, so the vertex meets Z first.
class Placement {
public:
  Placement(const TVector& position, const TVector& rotation, float scale) : position_(position), scale_(scale) {
    Angle(rotation.y + 180.0f, cy_, sy_);
    Angle(-rotation.x, cx_, sx_);
    Angle(-rotation.z, cz_, sz_);
  }

  TVector operator()(const TVector& v) const {
    const float x0 = v.x * scale_, y0 = v.y * scale_, z0 = v.z * scale_;
    const float x1 = x0 * cz_ - y0 * sz_, y1 = x0 * sz_ + y0 * cz_;
    const float y2 = y1 * cx_ - z0 * sx_, z2 = y1 * sx_ + z0 * cx_;
    const float x3 = x1 * cy_ + z2 * sy_, z3 = -x1 * sy_ + z2 * cy_;
    return {x3 + position_.x, y2 + position_.y, z3 + position_.z};
  }

private:
  static void Angle(float degrees, float& c, float& s) {
    const double radians = static_cast<double>(degrees) * std::numbers::pi / 180.0;
    c = static_cast<float>(std::cos(radians));
    s = static_cast<float>(std::sin(radians));
  }

  TVector position_;
  float scale_;
  float cx_, sx_, cy_, sy_, cz_, sz_;
};

// Whether the drawn model writes depth: blended models and models without depth test
// leave none, and an unanimated model whose alpha fails the 0.5 alpha test is discarded
// whole (its textures carry no alpha).
bool LeavesDepth(const TVEModel& model, const TEntity& entity) {
  if (!model.Loaded || model.Groups.empty() || !model.DepthTest || entity.BlendingMode != 0) return false;
  const bool unanimated = entity.AnimState.Animation < 0;
  return !unanimated || std::clamp(entity.Density, 0.0f, 1.0f) > 0.5f;
}

// The vertices as drawn and their scale: skinned copies of a running animation
// (unscaled), or the model's own, already scaled ones.
float PosedVertices(TVEModel& model, const TEntity& entity, std::vector<TVector>& vertices) {
  const auto animation = static_cast<std::size_t>(entity.AnimState.Animation);
  if (entity.AnimState.Animation >= 0 && animation < model.Animations.size() &&
      !model.Animations[animation].Matrices.empty()) {
    TModelAnimation& running = model.Animations[animation];
    ComputeFrameTransforms(running, entity.AnimState.Frame);
    SkinVertices(running, vertices);
    return static_cast<float>(model.Scale) * entity.Size;
  }
  vertices.clear();
  for (const TMS3DVertex& v : model.Vertices) vertices.push_back(v.Position);
  return entity.Size;
}

void AddModel(TVEModel& model, const TEntity& entity, std::vector<OccluderTriangle>& out) {
  if (!LeavesDepth(model, entity)) return;
  std::vector<TVector> vertices;
  const Placement place(entity.Position, entity.Rotation, PosedVertices(model, entity, vertices));
  for (auto& v : vertices) v = place(v);
  for (const TMS3DGroup& group : model.Groups) {
    // A group without material ends the model.
    if (group.Material < 0 || static_cast<std::size_t>(group.Material) >= model.Materials.size()) break;
    for (const std::uint16_t index : group.Triangles) {
      if (index >= model.Triangles.size()) continue;
      const auto& corners = model.Triangles[index].Indices;
      if (!std::all_of(corners.begin(), corners.end(), [&](std::uint16_t v) { return v < vertices.size(); })) continue;
      out.push_back({vertices[corners[0]], vertices[corners[1]], vertices[corners[2]], entity.SlotIndex, -1,
                     model.CullFace});
    }
  }
}

}  // namespace

std::vector<OccluderTriangle> CollectOccluders(TRoom& room) {
  std::vector<OccluderTriangle> triangles;
  for (const auto& surface : room.Surfaces) {
    if (!surface->InUse()) continue;
    // Drawn from the fourth corner to the first, both faces.
    const auto& c = surface->corners;
    triangles.push_back({c[3].position, c[2].position, c[1].position, -1, surface->slotIndex, false});
    triangles.push_back({c[3].position, c[1].position, c[0].position, -1, surface->slotIndex, false});
  }
  TModelEngine* models = room.Engine.ModelEngine.get();
  if (models == nullptr) return triangles;
  for (const auto& entity : room.Entities) {
    // Slot 0 of the catalogue is never drawn.
    if (!entity || !entity->InUse() || !entity->Visible || entity->ModelIndex <= 0) continue;
    if (dynamic_cast<const TETile*>(entity.get()) == nullptr) continue;
    if (TVEModel* model = models->GetModel(entity->ModelIndex)) AddModel(*model, *entity, triangles);
  }
  return triangles;
}
