#include "models/model_lights.h"

#include <gtest/gtest.h>

#include "core/headless_host.h"
#include "engine/edit_engine.h"
#include "room/edit_room.h"

namespace {

class ModelLights : public ::testing::Test {
protected:
  ModelLights() : engine_(host_, "/nonexistent-brannock"), room(*engine_.Room) {
    room.Ambience = {0.1f, 0.2f, 0.3f};
    room.Diffuse = {0.5f, 0.5f, 0.5f};
    room.LightPos = {1, 2, 3};
  }
  // An active light at the given x, 2 m above the model, radius 1.
  TLight& PlaceLight(int slot, float x, std::int16_t effect = 0) {
    TLight& light = room.Lights[slot];
    light.State = 0;
    light.Active = 1;
    light.Position = {x, 2, 0};
    light.Radius = 1.0f;
    light.Effect = effect;
    light.CurrentColor = {0.25f, 0.5f, 1.0f};
    return light;
  }
  TModelLights Choose(bool useSun, bool useLights) {
    return ChooseModelLights(room, true, useSun, useLights, {0.0f, 1.0f, 0.5f}, {0, 0, 0});
  }

private:
  HeadlessHost host_;
  TQZEngine engine_;

protected:
  TRoom& room;
};

TEST_F(ModelLights, UnlitModelsGetTheFixedHeadLightOnly) {
  PlaceLight(0, 0);
  const auto lights = ChooseModelLights(room, false, true, true, {}, {});
  EXPECT_TRUE(lights.EnableLighting);
  ASSERT_TRUE(lights.Lights[0]);
  EXPECT_EQ(lights.Lights[0]->Diffuse, (TRgba{0.8f, 0.8f, 0.8f, 1.0f}));
  EXPECT_EQ(lights.Lights[0]->Position, (TRgba{0.0f, 0.7f, 0.7f, 0.0f}));
  for (int i = 1; i < 8; ++i) EXPECT_FALSE(lights.Lights[i]) << i;
}

TEST_F(ModelLights, SunThenReachingLightsInSlotOrder) {
  PlaceLight(3, 0.0f);
  PlaceLight(5, 10.0f);                // too far away
  PlaceLight(6, 0.5f).Active = 0;      // switched off
  PlaceLight(7, 0.2f).Radius = 0.0f;   // no reach at all
  PlaceLight(9, -0.5f);
  const auto lights = Choose(true, true);
  EXPECT_TRUE(lights.EnableLighting);
  ASSERT_TRUE(lights.Lights[0]);
  EXPECT_EQ(lights.Lights[0]->Ambient, (TRgba{0.1f, 0.2f, 0.3f, 1.0f}));
  EXPECT_EQ(lights.Lights[0]->Position, (TRgba{1, 2, 3, 0}));
  EXPECT_EQ(lights.Lights[0]->Constant, 1.0f);
  ASSERT_TRUE(lights.Lights[1]);
  EXPECT_EQ(lights.Lights[1]->Position, (TRgba{0, 2, 0, 1}));
  EXPECT_EQ(lights.Lights[1]->Diffuse, (TRgba{0.25f, 0.5f, 1.0f, 1.0f}));
  EXPECT_EQ(lights.Lights[1]->Constant, 0.0f);
  EXPECT_EQ(lights.Lights[1]->Quadratic, 1.0f);
  ASSERT_TRUE(lights.Lights[2]);
  EXPECT_EQ(lights.Lights[2]->Position[0], -0.5f);
  EXPECT_FALSE(lights.Lights[3]);
}

TEST_F(ModelLights, EffectsDecideWhichSwitchAdmitsALight) {
  PlaceLight(0, 0.0f, 0);
  PlaceLight(1, 0.1f, 2);
  room.Diffuse = {};  // a black sun is no sun
  const auto plain = Choose(true, false);
  EXPECT_FALSE(plain.EnableLighting);
  ASSERT_TRUE(plain.Lights[0]);
  EXPECT_EQ(plain.Lights[0]->Position[0], 0.0f);
  EXPECT_FALSE(plain.Lights[1]);

  const auto effects = Choose(false, true);
  ASSERT_TRUE(effects.Lights[0]);
  EXPECT_EQ(effects.Lights[0]->Position[0], 0.1f);
  EXPECT_FALSE(effects.Lights[1]);
}

TEST_F(ModelLights, NoMoreThanEightGLLights) {
  for (int slot = 0; slot < 20; ++slot) PlaceLight(slot, 0.01f * static_cast<float>(slot));
  const auto lights = Choose(true, true);
  for (const auto& light : lights.Lights) ASSERT_TRUE(light);
  EXPECT_EQ(lights.Lights[7]->Position[0], 0.01f * 6);  // the sun took light 0
}

}  // namespace
