#include "models/model_bounds.h"

#include <algorithm>
#include <cmath>

#include "core/edit_math.h"

void ScaleAndMeasure(TVEModel& model) {
  const float scale = static_cast<float>(model.Scale);
  model.Radius = model.HorizontalExtent = model.Height = model.Depth = 0.0f;
  for (auto& vertex : model.Vertices) {
    TVector& v = vertex.Position;
    v = TQZMath::Scale(v, scale);
    model.Radius = std::max(model.Radius, TQZMath::Distance({}, v));
    model.HorizontalExtent = std::max({model.HorizontalExtent, std::fabs(v.x), std::fabs(v.z)});
    model.Height = std::max(model.Height, v.y);
    model.Depth = std::max(model.Depth, -v.y);
  }
}

TVector PlacedVertex(const TVector& vertex, const TVector& position, const TVector& rotation, float size) {
  // The engine's MoveLocal of the offset (-x, y, z) * size: it negates z itself.
  const TVector offset{-vertex.x * size, vertex.y * size, -vertex.z * size};
  return TQZMath::Add(position, TQZMath::RotateVector(offset, rotation));
}

TModelBox PlacedBounds(const TVEModel& model, const TVector& position, const TVector& rotation, float size) {
  TModelBox box{position, position};
  for (const auto& vertex : model.Vertices) {
    const TVector p = PlacedVertex(vertex.Position, position, rotation, size);
    box.min = {std::min(box.min.x, p.x), std::min(box.min.y, p.y), std::min(box.min.z, p.z)};
    box.max = {std::max(box.max.x, p.x), std::max(box.max.y, p.y), std::max(box.max.z, p.z)};
  }
  return box;
}

float PlacedHeightAt(const TVEModel& model, const TVector& position, const TVector& rotation, float size,
                     const TVector& point) {
  float height = NoModelHeight;
  for (const auto& vertex : model.Vertices) {
    const TVector p = PlacedVertex(vertex.Position, position, rotation, size);
    if (std::hypot(p.x - point.x, p.z - point.z) < 0.1f) height = p.y;
  }
  return height;
}
