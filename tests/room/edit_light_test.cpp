#include <cmath>

#include "room/room_fixture.h"
#include "surfaces/occlusion.h"

namespace {

class Lights : public RoomTest {
protected:
  Lights() : light(*room.AddLight({0, 0, 0}, {1.0f, 0.8f, 0.6f}, 10.0f)) {
    light.Color2 = {0, 0, 0};
  }
  // Runs the effect at room time t.
  TVector At(float t) {
    room.Time = t;
    light.UpdateEffect();
    return light.CurrentColor;
  }
  TLight& light;
};

TEST_F(Lights, AddLightGivesTheNewLightDefaults) {
  EXPECT_EQ(light.Name.str(), "LIGHT");
  EXPECT_EQ(light.State, 0);
  EXPECT_EQ(light.Radius, 10.0f);
  EXPECT_EQ(light.Active, 1);
  EXPECT_EQ(light.EffectSpeed, 1.0f);
  EXPECT_EQ(light.FlareIntensity, 0.7f);
  EXPECT_EQ(light.FlareSize, 0.7f);
  EXPECT_EQ(RecordBytes(light).size(), TLight::RecordSize);
}

TEST_F(Lights, TheSixtyFifthLightIsRefused) {
  for (int i = 1; i < 64; ++i) ASSERT_NE(room.AddLight({}, {1, 1, 1}, 1), nullptr);
  EXPECT_EQ(room.AddLight({}, {1, 1, 1}, 1), nullptr);
  EXPECT_EQ(host.StatusText(1), "Lights: 64");
  EXPECT_EQ(room.LastLight, 63);
  room.Lights[10].ResetLight();
  EXPECT_EQ(room.AddLight({}, {1, 1, 1}, 1), &room.Lights[10]);
}

TEST_F(Lights, SmoothPulse) {
  light.Effect = 1;
  EXPECT_NEAR(At(9).x, 1.0f, 1e-6f);   // sin 90 degrees
  EXPECT_NEAR(At(27).x, 0.0f, 1e-6f);  // sin 270 degrees
  EXPECT_NEAR(At(0).y, 0.4f, 1e-6f);   // w = 0.5
  light.EffectOffset = 9;
  EXPECT_NEAR(At(0).x, 1.0f, 1e-6f);
}

TEST_F(Lights, TrianglePulse) {
  light.Effect = 2;
  EXPECT_FLOAT_EQ(At(2.5f).x, 0.5f);  // phase 25
  EXPECT_FLOAT_EQ(At(5.0f).x, 1.0f);  // phase 50: d = 0.5 counts as 1 - d
  EXPECT_FLOAT_EQ(At(0.0f).x, 0.0f);
  EXPECT_FLOAT_EQ(At(7.5f).x, 0.5f);  // phase 75
  EXPECT_FLOAT_EQ(At(12.5f).x, 0.5f);  // phase 125 wraps to 25
  // Ties go to the even integer: 2.45 * 10 = 24.5 -> 24.
  EXPECT_FLOAT_EQ(At(2.45f).x, 0.48f);
}

TEST_F(Lights, FlashDrawsItsLengthOnlyWhenLandingOnOne) {
  light.Effect = 3;
  EXPECT_EQ(At(0), light.Color);  // FlashTime 0.5
  const TVector second = At(0);   // FlashTime 1.0: flashing
  EXPECT_EQ(second, light.Color2);
  EXPECT_GE(light.FlashLength, 0.0f);
  EXPECT_LE(light.FlashLength, 1.8f + 1e-6f);
  // The flash ends within ten frames, then a pause of at most 59 * 0.2 begins.
  for (int frame = 0; frame < 10 && light.FlashTime > 0.0f; ++frame) At(0);
  EXPECT_LE(light.FlashTime, 0.0f);
  EXPECT_GE(light.FlashTime, -11.8f - 1e-4f);
}

TEST_F(Lights, FlickerScalesRedAndGreenEveryOtherFrame) {
  light.Effect = 4;
  const TVector first = At(0);   // FlickerTime 0.5 -> 5, odd
  const TVector second = At(0);  // 1.0 -> 10, even
  EXPECT_EQ(first, light.Color);
  EXPECT_FLOAT_EQ(second.x, 0.95f);
  EXPECT_FLOAT_EQ(second.y, 0.8f * 0.95f);
  EXPECT_EQ(second.z, 0.6f);
  EXPECT_EQ(At(0), light.Color);
}

TEST_F(Lights, FlashWithFlickerDimsDuringLongPauses) {
  light.Effect = 5;
  light.FlashTime = -3.0f;
  const TVector paused = At(0);  // FlashTime -2.5: flicker, then halved
  EXPECT_FLOAT_EQ(paused.z, 0.3f);
  light.FlashTime = -1.0f;
  const TVector shortPause = At(0);  // -0.5: flicker only
  EXPECT_FLOAT_EQ(shortPause.z, 0.6f);
}

TEST_F(Lights, UnknownEffectsAndInactiveLightsKeepTheirColour) {
  light.Effect = 0;
  At(0);
  light.Effect = 9;
  light.Color = {0, 1, 0};
  EXPECT_EQ(At(0), (TVector{1.0f, 0.8f, 0.6f}));
  light.Effect = 4;
  light.Active = 0;
  room.DoFrame();
  EXPECT_EQ(light.CurrentColor, (TVector{1.0f, 0.8f, 0.6f}));
  EXPECT_EQ(light.FlickerTime, 0.0f);
  light.Active = 1;
  room.DoFrame();
  EXPECT_EQ(light.FlickerTime, 0.5f);
}

class Wall : public Occlusion {
public:
  bool IsOccluded(std::int16_t skipEntity, std::int16_t skipSurface, const TVector&, const TVector& to) override {
    lastSkips = {skipEntity, skipSurface};
    return to.x < 0;
  }
  std::pair<std::int16_t, std::int16_t> lastSkips;
};

TEST_F(Lights, ContributionFallsOffToTheRadiusAndRespectsOcclusion) {
  EXPECT_NEAR(light.LightContribution({0, 0, 0}, -1, 3).x, std::sin(1.0f), 1e-6f);
  EXPECT_EQ(light.LightContribution({10, 0, 0}, -1, 3), (TVector{0, 0, 0}));  // sin 0
  EXPECT_EQ(light.LightContribution({0, 10.01f, 0}, -1, 3), (TVector{0, 0, 0}));
  Wall wall;
  room.OcclusionTest = &wall;
  EXPECT_GT(light.LightContribution({5, 0, 0}, 7, 3).x, 0.0f);
  EXPECT_EQ(wall.lastSkips, (std::pair<std::int16_t, std::int16_t>{7, 3}));
  EXPECT_EQ(light.LightContribution({-5, 0, 0}, -1, 3), (TVector{0, 0, 0}));
  room.OcclusionTest = nullptr;
}

TEST_F(Lights, ALightWithoutRadiusReachesNothing) {
  light.Radius = 0.0f;
  const TVector at = light.LightContribution({0, 0, 0}, -1, -1);
  EXPECT_EQ(at, (TVector{0, 0, 0}));
}

TEST_F(Lights, SumLightsSkipsEffectLightsButNotInactiveOnes) {
  TLight& second = *room.AddLight({1, 0, 0}, {0, 0, 1}, 10.0f);
  second.Active = 0;
  TLight& animated = *room.AddLight({0, 0, 0}, {1, 1, 1}, 10.0f);
  animated.Effect = 1;
  const TVector sum = room.SumLights({0.5f, 0, 0}, -1, -1);
  const float f = std::sin(1.0f - 0.5f / 10.0f);
  EXPECT_FLOAT_EQ(sum.x, 1.0f * f);
  EXPECT_FLOAT_EQ(sum.z, 0.6f * f + 1.0f * f);
}

TEST_F(Lights, HitTestDependsOnTheView) {
  light.Position = {1, 5, 1};
  room.Camera.Mode = TCamera::ModeTop;
  EXPECT_TRUE(light.HitTest({1.25f, -100, 1}));
  EXPECT_FALSE(light.HitTest({1.2f, 5, 1.2f}));
  room.Camera.Mode = TCamera::ModeSide;
  EXPECT_TRUE(light.HitTest({1, 5.2f, 99}));
  room.Camera.Mode = TCamera::Mode3D;
  EXPECT_FALSE(light.HitTest({1, 5, 1}));
}

TEST_F(Lights, ReachesBox) {
  light.Position = {0, 10, 0};
  light.Radius = 2.0f;
  EXPECT_TRUE(light.ReachesBox({3, 9, 0}, 1, 1, 1));
  EXPECT_FALSE(light.ReachesBox({3.01f, 9, 0}, 1, 1, 1));
  EXPECT_FALSE(light.ReachesBox({0, 7, 0}, 0, 1, 1));    // 2 + 7 + 1 is not above 10
  EXPECT_FALSE(light.ReachesBox({0, 13, 0}, 1, 0, 1));   // 10 is not above 13 - 1 - 2
  EXPECT_TRUE(light.ReachesBox({0, 12.9f, 0}, 1, 0, 1));
}

class LightDialog : public Lights {
protected:
  void Type(std::function<void(MemoryForm&)> edit, ModalResult result) {
    host.ScriptModal({std::move(edit), result});
  }
};

TEST_F(LightDialog, ShowsAndReadsBackEveryField) {
  light.EffectOffset = 2.5f;
  Type(
      [](MemoryForm& form) {
        EXPECT_EQ(form.Text("EditRadius"), "10.00");
        EXPECT_EQ(form.Text("EditG"), "0.80");
        EXPECT_EQ(form.Text("EditEffectOffset"), "2.50");
        EXPECT_TRUE(form.Checked("CheckBoxActive"));
        form.SetText("EditName", std::string(40, 'L'));
        form.SetText("EditRadius", "3,5");
        form.SetChecked("CheckBoxActive", false);
        form.SetItems("CBEffect", {"none", "pulse", "triangle"});
        form.SetItemIndex("CBEffect", 2);
        form.SetText("EditB2", "0.25");
        form.SetText("EditFlareAbove", "1.5");
      },
      ModalResult::Ok);
  EXPECT_EQ(light.EditAttributes(), ModalResult::Ok);
  EXPECT_TRUE(host.errors.empty());
  EXPECT_EQ(light.Name.size(), 32u);
  EXPECT_EQ(light.Radius, 3.5f);
  EXPECT_EQ(light.Active, 0);
  EXPECT_EQ(light.Effect, 2);
  EXPECT_EQ(light.Color2.z, 0.25f);
  EXPECT_EQ(light.FlareAbove, 1.5f);
}

TEST_F(LightDialog, ABadNumberStopsTheReading) {
  Type(
      [](MemoryForm& form) {
        form.SetText("EditRadius", "4");
        form.SetText("EditG2", "green");
        form.SetText("EditEffectSpeed", "3");
      },
      ModalResult::Ok);
  light.EditAttributes();
  EXPECT_EQ(Errors(), std::vector<std::string>{"QZ_ROOM: Error on converting values!"});
  EXPECT_EQ(light.Radius, 4.0f);
  EXPECT_EQ(light.EffectSpeed, 1.0f);
}

TEST_F(LightDialog, DeleteFreesTheLightAndCancelChangesNothing) {
  Type([](MemoryForm& form) { form.SetText("EditRadius", "99"); }, ModalResult::Cancel);
  EXPECT_EQ(light.EditAttributes(), ModalResult::Cancel);
  EXPECT_EQ(light.Radius, 10.0f);
  Type(nullptr, ModalResult::No);
  EXPECT_EQ(light.EditAttributes(), ModalResult::No);
  EXPECT_FALSE(light.InUse());
}

}  // namespace
