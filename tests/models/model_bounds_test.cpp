#include "models/model_bounds.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TVEModel ModelWith(std::vector<TVector> positions) {
  TVEModel model;
  for (const auto& p : positions) model.Vertices.push_back({p, -1});
  return model;
}

void ExpectNear(const TVector& actual, const TVector& expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-5f);
  EXPECT_NEAR(actual.y, expected.y, 1e-5f);
  EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}

TEST(ModelBounds, ScalingThenMeasuring) {
  TVEModel model = ModelWith({{1, 2, -3}, {-4, -1, 0.5f}});
  model.Scale = 0.5;
  ScaleAndMeasure(model);
  ExpectNear(model.Vertices[0].Position, {0.5f, 1.0f, -1.5f});
  EXPECT_FLOAT_EQ(model.Radius, std::sqrt(4.0f + 0.25f + 0.0625f));
  EXPECT_FLOAT_EQ(model.HorizontalExtent, 2.0f);
  EXPECT_FLOAT_EQ(model.Height, 1.0f);
  EXPECT_FLOAT_EQ(model.Depth, 0.5f);
}

TEST(ModelBounds, PlacedVerticesFaceTheOtherWay) {
  const TVector position{10, 0, 20};
  // Unrotated: x and z are mirrored, y kept, all times the size.
  ExpectNear(PlacedVertex({1, 2, 3}, position, {}, 2.0f), {8, 4, 14});
  // A heading of 90 degrees on top of the mirror: x goes to +z, z goes to -x.
  ExpectNear(PlacedVertex({1, 0, 0}, {}, {0, 90, 0}, 1.0f), {0, 0, 1});
  ExpectNear(PlacedVertex({0, 0, 1}, {}, {0, 90, 0}, 1.0f), {-1, 0, 0});
}

TEST(ModelBounds, BoxGrowsFromThePosition) {
  const TVEModel model = ModelWith({{1, 1, 1}, {2, 3, 2}});
  const TModelBox box = PlacedBounds(model, {0, 0, 0}, {}, 1.0f);
  ExpectNear(box.min, {-2, 0, -2});  // the position itself is inside the box
  ExpectNear(box.max, {0, 3, 0});
  const TModelBox empty = PlacedBounds(TVEModel{}, {5, 6, 7}, {}, 1.0f);
  ExpectNear(empty.min, {5, 6, 7});
  ExpectNear(empty.max, {5, 6, 7});
}

TEST(ModelBounds, HeightOfTheLastVertexNearThePoint) {
  const TVEModel model = ModelWith({{0, 1, 0}, {0.05f, 2, 0}, {3, 9, 0}});
  EXPECT_FLOAT_EQ(PlacedHeightAt(model, {0, 10, 0}, {}, 1.0f, {0, 0, 0}), 12.0f);
  EXPECT_FLOAT_EQ(PlacedHeightAt(model, {0, 10, 0}, {}, 1.0f, {1, 0, 0}), NoModelHeight);
}

}  // namespace
