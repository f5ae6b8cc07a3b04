#include "room/view_mapping.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "room/edit_camera.h"

using namespace view_geometry;

double view_geometry::Aspect(int width, int height) {
  const double across = std::max(width, DesignedWidth) / static_cast<double>(DesignedWidth);
  const double down = std::max(height, DesignedHeight) / static_cast<double>(DesignedHeight);
  return ViewAspect * across / down;
}

TViewMapping::TViewMapping(const TCamera& camera)
    : top_(camera.Mode != TCamera::ModeSide),
      camera_(camera.Position),
      width_(static_cast<float>(camera.ViewWidth)),
      height_(static_cast<float>(camera.ViewHeight > 0 ? camera.ViewHeight : 1)) {
  // As the projection is set up: a zoom of 0 sees like an unzoomed view.
  const double zoom = camera.Zoom > 0.0f ? camera.Zoom : 1.0;
  const double halfAngle = FieldOfView / zoom / 2.0 * std::numbers::pi / 180.0;
  const double f = 1.0 / std::tan(halfAngle);
  scaleX_ = static_cast<float>(f / Aspect(camera.ViewWidth, camera.ViewHeight));
  scaleY_ = static_cast<float>(f);
}

float TViewMapping::DepthOf(const TVector& point) const { return top_ ? point.y : point.z; }

float TViewMapping::EyeDistance(float depth) const { return FlatEyeDistance - FlatViewScale * depth; }

std::optional<TViewPoint> TViewMapping::ToView(const TVector& point) const {
  const float distance = EyeDistance(DepthOf(point));
  if (!(distance > 0.0f)) return std::nullopt;
  // Eye coordinates: right and up on the screen.
  const float right = point.x - camera_.x;
  const float up = top_ ? camera_.z - point.z : point.y - camera_.y;
  const float ndcX = scaleX_ * right / distance;
  const float ndcY = scaleY_ * up / distance;
  return TViewPoint{(ndcX + 1.0f) / 2.0f * width_, (1.0f - ndcY) / 2.0f * height_};
}

TVector TViewMapping::ToRoom(TViewPoint at, float depth) const {
  const float distance = EyeDistance(depth);
  const float right = (2.0f * at.x / width_ - 1.0f) * distance / scaleX_;
  const float up = (1.0f - 2.0f * at.y / height_) * distance / scaleY_;
  if (top_) return {camera_.x + right, depth, camera_.z - up};
  return {camera_.x + right, camera_.y + up, depth};
}
