// The particle pool and the emitters' frame-by-frame simulation.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "core/headless_host.h"
#include "engine/edit_engine.h"
#include "entities/entity_typus.h"
#include "models/edit_model.h"
#include "particles/particle_explosion.h"
#include "particles/particle_fire.h"
#include "particles/particle_fountain.h"
#include "particles/particle_grass.h"
#include "particles/particle_rain.h"
#include "room/edit_room.h"
#include "room/texture_lookup.h"

namespace {

class ParticleTest : public ::testing::Test {
protected:
  ParticleTest() : engine(host, "/nowhere") {
    engine.Seed(11);
    engine.Room->ClearRoom();
  }

  template <class Emitter>
  Emitter& Place(std::int16_t code) {
    auto* emitter = dynamic_cast<Emitter*>(engine.Room->AddEntity(code, {}, {}, 1.0f));
    EXPECT_NE(emitter, nullptr);
    emitter->Bind();
    return *emitter;
  }

  static int Alive(const TEParticle& emitter) {
    int count = 0;
    for (const auto& p : emitter.Pool) count += p.kind >= 0 ? 1 : 0;
    return count;
  }

  HeadlessHost host;
  TQZEngine engine;
};

// Five sprite records 0..4.
void FillFive(TEParticle& pool) {
  for (int i = 0; i < 5; ++i) EXPECT_EQ(pool.AddSpriteParticle(0, {}, TSpriteStyle{}, 1.0f, {}), i);
}

}  // namespace

TEST_F(ParticleTest, FreeingTheOnlyRecordEmptiesThePool) {
  TEParticle pool(engine);
  EXPECT_EQ(pool.AddModelParticle(0, {}, 3, 0.5f, 2, {1, 1, 1}, 1.0f, {}), 0);
  EXPECT_EQ(pool.Pool[0].alpha, 0.5f) << "first drawing option in alpha's place";
  EXPECT_EQ(pool.Pool[0].blendMode, 2);
  EXPECT_EQ(pool.Pool[0].modelOption, -1);
  pool.FreeParticle(0);
  EXPECT_TRUE(pool.Pool.empty());
  EXPECT_EQ(pool.HighIndex(), -1);
}

TEST_F(ParticleTest, FreedRecordInsideThePoolIsReused) {
  TEParticle pool(engine);
  FillFive(pool);
  pool.FreeParticle(2);
  EXPECT_EQ(pool.Pool.size(), 5u);
  EXPECT_FALSE(pool.InUse(2));
  EXPECT_EQ(pool.AddSpriteParticle(1, {}, TSpriteStyle{}, 1.0f, {}), 2);
}

TEST_F(ParticleTest, AllocationTakesTheHighestFreeRecord) {
  TEParticle pool(engine);
  FillFive(pool);
  pool.FreeParticle(1);
  pool.FreeParticle(3);
  EXPECT_EQ(pool.AddSpriteParticle(0, {}, TSpriteStyle{}, 1.0f, {}), 3);
  EXPECT_EQ(pool.AddSpriteParticle(0, {}, TSpriteStyle{}, 1.0f, {}), 1);
  EXPECT_EQ(pool.AddSpriteParticle(0, {}, TSpriteStyle{}, 1.0f, {}), 5);
}

TEST_F(ParticleTest, FreeingTheLastRecordTrimsTrailingFreeRecords) {
  TEParticle pool(engine);
  FillFive(pool);
  pool.FreeParticle(2);
  pool.FreeParticle(3);
  pool.FreeParticle(4);
  EXPECT_EQ(pool.Pool.size(), 2u);
  pool.FreeParticle(17);  // out of range: nothing happens
  pool.FreeParticle(-1);
  EXPECT_EQ(pool.Pool.size(), 2u);
}

TEST_F(ParticleTest, APoolHoldsNoMoreThanItsCap) {
  TEParticle pool(engine);
  for (int i = 0; i < TEParticle::MaxParticles; ++i) ASSERT_EQ(pool.AddSpriteParticle(0, {}, TSpriteStyle{}, 1.0f, {}), i);
  EXPECT_EQ(pool.AddSpriteParticle(0, {}, TSpriteStyle{}, 1.0f, {}), -1);
  EXPECT_EQ(pool.AddModelParticle(0, {}, 3, 0.5f, 2, {1, 1, 1}, 1.0f, {}), -1);
  EXPECT_EQ(static_cast<int>(pool.Pool.size()), TEParticle::MaxParticles);
  pool.FreeParticle(7);
  EXPECT_EQ(pool.AddSpriteParticle(0, {}, TSpriteStyle{}, 1.0f, {}), 7);
}

// Settings from a damaged file or a careless dialog make drops that never reach their
// vanish height, or far too many a burst: every pool stays under its cap, no drop
// outlives the maximum age, and emission goes on once drops have aged out.
TEST_F(ParticleTest, DropsThatNeverVanishAgeOutAndBurstsStopAtTheCap) {
  auto& rising = Place<TEPRain>(typus::Rain);
  rising.HeadingX = -20.0f;  // the drops climb
  auto& level = Place<TEPRain>(typus::Rain);
  level.HeadingX = -15.0f;  // within 10 degrees of level, never down
  level.ParticleCount = 1;
  auto& unending = Place<TEPRain>(typus::Rain);
  unending.VanishHeight = std::nanf("");
  auto& flat = Place<TEPFountain>(typus::Fountain);
  flat.PitchLoss = -1.0f;  // the jet bends up and never comes down
  auto& flood = Place<TEPFountain>(typus::Fountain);
  flood.ParticleCount = 32767;
  flood.VanishHeight = -1000.0f;
  const std::vector<TEParticle*> emitters{&rising, &level, &unending, &flat, &flood};

  flood.Animate();
  flood.Animate();
  EXPECT_EQ(Alive(flood), TEParticle::MaxParticles) << "the first burst fills the pool and stops";
  const int frames = static_cast<int>(TEParticle::MaxParticleAge / 0.5f) + 100;
  for (int frame = 0; frame < frames; ++frame) {
    for (TEParticle* emitter : emitters) emitter->Animate();
    for (TEParticle* emitter : emitters) ASSERT_LE(static_cast<int>(emitter->Pool.size()), TEParticle::MaxParticles);
  }
  for (TEParticle* emitter : emitters) {
    float oldest = 0.0f;
    for (const auto& p : emitter->Pool)
      if (p.kind >= 0) oldest = std::max(oldest, p.age);
    EXPECT_LE(oldest, TEParticle::MaxParticleAge) << emitter->Name.view();
    EXPECT_GT(Alive(*emitter), 0) << emitter->Name.view();
  }
  // One drop every third frame, each living 400 frames.
  EXPECT_NEAR(Alive(level), 134, 2);
  EXPECT_EQ(Alive(flood), TEParticle::MaxParticles) << "refilled as its drops age out";
}

TEST_F(ParticleTest, GrassStopsAtTheCap) {
  auto& grass = Place<TEPGrass>(typus::Grass);
  engine.ModelEngine->GetModel(1)->DisplayName = "BLADE";
  engine.ModelEngine->Count = 1;
  grass.GrassModel = "BLADE";
  grass.Amount = 32767;
  grass.Bind();
  EXPECT_EQ(Alive(grass), TEParticle::MaxParticles);
}

// Commands that bind every entity again (the room dialog's OK, a deletion, an undo)
// must not restart emitters they did not change; one whose record changed restarts.
TEST_F(ParticleTest, BindingTheRoomAgainRestartsOnlyEmittersWhoseRecordChanged) {
  engine.ModelEngine->GetModel(1)->DisplayName = "BLADE";
  engine.ModelEngine->Count = 1;
  auto& fire = Place<TEPFire>(typus::Fire);
  auto& rain = Place<TEPRain>(typus::Rain);
  auto& grass = Place<TEPGrass>(typus::Grass);
  grass.GrassModel = "BLADE";
  grass.Bind();
  for (int frame = 0; frame < 10; ++frame) engine.Room->DoFrame();
  using State = std::vector<std::array<float, 6>>;
  const auto state = [](const TEParticle& emitter) {
    State particles;
    for (const auto& p : emitter.Pool)
      particles.push_back({static_cast<float>(p.kind), p.position.x, p.position.y, p.position.z, p.age, p.size});
    return particles;
  };
  ASSERT_GT(Alive(fire), 1);
  ASSERT_GT(Alive(rain), 0);
  ASSERT_EQ(Alive(grass), 20);
  const State fireBefore = state(fire), rainBefore = state(rain), grassBefore = state(grass);

  engine.Room->BindEntities();
  EXPECT_EQ(state(fire), fireBefore);
  EXPECT_EQ(state(rain), rainBefore);
  EXPECT_EQ(state(grass), grassBefore);

  fire.FireSize = 2.0f;
  grass.Amount = 5;
  engine.Room->BindEntities();
  ASSERT_EQ(Alive(fire), 1) << "only the new base flame";
  EXPECT_FLOAT_EQ(fire.Pool[0].size, 0.7f * 2.0f);
  EXPECT_EQ(Alive(grass), 5) << "scattered anew";
  EXPECT_EQ(state(rain), rainBefore);
}

TEST_F(ParticleTest, SpriteFrameIsColumnAndRowOfTheCell) {
  TEParticle pool(engine);
  FillFive(pool);
  pool.SetSpriteFrame(4, 10, 8);
  EXPECT_EQ(pool.Pool[4].spriteColumn, 2.0f);
  EXPECT_EQ(pool.Pool[4].spriteRow, 1.0f);
}

TEST_F(ParticleTest, FireHasItsBaseFlameAndAddsOneEveryThirdFrame) {
  auto& fire = Place<TEPFire>(typus::Fire);
  ASSERT_EQ(Alive(fire), 1);
  EXPECT_FLOAT_EQ(fire.Pool[0].size, 0.7f);
  EXPECT_TRUE(fire.Pool[0].billboard && fire.Pool[0].upright);
  fire.Animate();
  fire.Animate();
  EXPECT_EQ(Alive(fire), 1);
  fire.Animate();
  EXPECT_EQ(Alive(fire), 2);
  const TParticle& flame = fire.Pool[1];
  EXPECT_EQ(flame.kind, 1);
  EXPECT_FLOAT_EQ(flame.alpha, 0.1f) << "fading in: age 0.5 x 0.2";
  EXPECT_GT(flame.position.y, -0.1f + 0.0f) << "started below the base by radius / 2 and rose";
  EXPECT_FLOAT_EQ(flame.size, 1.0f - 0.015f);
}

TEST_F(ParticleTest, FireFlameLivesTwentyFrames) {
  auto& fire = Place<TEPFire>(typus::Fire);
  for (int frame = 0; frame < 3; ++frame) fire.Animate();
  ASSERT_EQ(fire.Pool[1].kind, 1);
  for (int frame = 4; frame <= 22; ++frame) fire.Animate();
  EXPECT_TRUE(fire.InUse(1));
  EXPECT_FLOAT_EQ(fire.Pool[1].age, 10.0f);
  fire.Animate();  // frame 23: its 21st update
  EXPECT_FALSE(fire.InUse(1));
  EXPECT_EQ(Alive(fire), 1 + 6) << "base flame and the flames of frames 6 to 21";
  fire.Animate();  // frame 24 emits into the freed record
  EXPECT_TRUE(fire.InUse(1));
  EXPECT_FLOAT_EQ(fire.Pool[1].age, 0.5f);
}

TEST_F(ParticleTest, FountainBurstsEverySecondFrame) {
  auto& fountain = Place<TEPFountain>(typus::Fountain);
  fountain.Position.y = 5.0f;
  fountain.VanishHeight = -100.0f;
  EXPECT_EQ(Alive(fountain), 0);
  fountain.Animate();
  EXPECT_EQ(Alive(fountain), 0);
  fountain.Animate();
  EXPECT_EQ(Alive(fountain), 15);
  fountain.Animate();
  EXPECT_EQ(Alive(fountain), 15);
  fountain.Animate();
  EXPECT_EQ(Alive(fountain), 30);
  for (const auto& drop : fountain.Pool) {
    EXPECT_EQ(drop.blendMode, 2);
    EXPECT_EQ(drop.colour, (TVector{0.2f, 0.7f, 1.0f}));
    EXPECT_FALSE(drop.billboard);
  }
}

TEST_F(ParticleTest, FountainJetBendsDownAndVanishes) {
  auto& fountain = Place<TEPFountain>(typus::Fountain);
  fountain.ParticleCount = 1;
  fountain.PitchSpread = 0.0f;
  fountain.Animate();
  fountain.Animate();
  ASSERT_EQ(Alive(fountain), 1);
  const float pitch = fountain.Pool[0].rotation.x;
  EXPECT_FLOAT_EQ(pitch, 80.0f - 5.0f);
  // The jet goes up, turns and comes down through the vanish height within a few dozen frames.
  fountain.ParticleCount = 0;
  for (int frame = 0; frame < 200 && !fountain.Pool.empty(); ++frame) fountain.Animate();
  EXPECT_TRUE(fountain.Pool.empty());
}

TEST_F(ParticleTest, RainFallsPointNineMetresPerFrameAndVanishesAtTheFloor) {
  auto& rain = Place<TEPRain>(typus::Rain);
  rain.ParticleCount = 1;
  rain.HeadingX = 90.0f;  // straight down, spread aside
  for (int frame = 0; frame < 3; ++frame) rain.Animate();
  ASSERT_EQ(Alive(rain), 1);
  TParticle& drop = rain.Pool[0];
  EXPECT_FLOAT_EQ(drop.size, 0.3f);
  EXPECT_EQ(drop.cellWidth, 8.0f);
  const TVector before = drop.position;
  rain.ParticleCount = 0;
  rain.Animate();
  const TVector after = rain.Pool[0].position;
  const float moved = std::sqrt((after.x - before.x) * (after.x - before.x) +
                                (after.y - before.y) * (after.y - before.y) +
                                (after.z - before.z) * (after.z - before.z));
  EXPECT_NEAR(moved, 0.9f, 1e-4f);
  EXPECT_LT(after.y, before.y);
  int frames = 1;
  while (!rain.Pool.empty() && frames < 100) {
    const float y = rain.Pool[0].position.y;
    rain.Animate();
    ++frames;
    if (rain.Pool.empty()) {
      EXPECT_LE(y - 0.9f, 0.0f) << "freed on the frame it reached height 0";
    }
  }
  EXPECT_TRUE(rain.Pool.empty());
}

TEST_F(ParticleTest, RainDropsStartOverTheRectangleWhereverTheEmitterStands) {
  auto& rain = Place<TEPRain>(typus::Rain);
  rain.Position = {25.0f, 3.0f, 25.0f};
  rain.StartX = -2.0f;
  rain.EndX = 2.0f;
  rain.StartZ = 4.0f;
  rain.EndZ = 6.0f;
  rain.HeadingX = 0.0f;  // level flight keeps the start height visible
  rain.Animate();
  rain.Animate();
  rain.Animate();
  ASSERT_EQ(Alive(rain), 100);
  for (const auto& drop : rain.Pool) {
    EXPECT_LT(std::fabs(drop.position.y - 10.0f), 0.2f);
    EXPECT_GE(drop.position.x, -3.0f);
    EXPECT_LE(drop.position.x, 3.0f);
  }
}

TEST_F(ParticleTest, GrassWithoutItsModelIsEmpty) {
  auto& grass = Place<TEPGrass>(typus::Grass);
  grass.GrassModel = "NO_SUCH_MODEL";
  grass.Bind();
  EXPECT_TRUE(grass.Pool.empty());
  grass.Animate();
  EXPECT_EQ(grass.EmissionTimer, 0.5f);
}

TEST_F(ParticleTest, ExplosionHoldsNothing) {
  auto& explosion = Place<TEPExplosion>(typus::Explosion);
  explosion.Animate();
  EXPECT_TRUE(explosion.Pool.empty());
}

TEST_F(ParticleTest, ResetLooksUpTheKindsTexture) {
  struct Textures : TextureLookup {
    std::vector<std::string> asked;
    std::int16_t FindTexture(std::string_view name) override {
      asked.emplace_back(name);
      return 7;
    }
    void FillTextureList(Form&, std::string_view) override {}
  } textures;
  engine.Room->Textures = &textures;
  auto& fire = Place<TEPFire>(typus::Fire);
  EXPECT_EQ(textures.asked, std::vector<std::string>{"effect\\fire\\fire"});
  EXPECT_EQ(fire.Pool[0].textureHandle, 7);
  engine.Room->Textures = nullptr;
}

TEST_F(ParticleTest, AMissingTextureIsReportedOncePerRoom) {
  struct Missing : TextureLookup {
    explicit Missing(Host& host) : host(host) {}
    std::int16_t FindTexture(std::string_view name) override {
      host.ShowError("QZ_TEXTURE", "Texture \"" + std::string(name) + "\" not found!");
      return -1;
    }
    void FillTextureList(Form&, std::string_view) override {}
    Host& host;
  } textures(host);
  engine.Room->Textures = &textures;
  const auto reports = [&] {
    return std::count_if(host.errors.begin(), host.errors.end(), [](const auto& e) { return e.tag == "QZ_TEXTURE"; });
  };
  // Two fires and a rain, each bound again as a closing entity dialog does.
  auto& first = Place<TEPFire>(typus::Fire);
  auto& second = Place<TEPFire>(typus::Fire);
  auto& rain = Place<TEPRain>(typus::Rain);
  for (TEParticle* emitter : std::initializer_list<TEParticle*>{&first, &second, &rain}) emitter->Bind();
  EXPECT_EQ(reports(), 2) << "the fire sheet and the rain texture, once each";
  EXPECT_EQ(first.Pool[0].textureHandle, -1);
  // A new room reports them again.
  engine.Room->ClearRoom();
  Place<TEPFire>(typus::Fire).Bind();
  EXPECT_EQ(reports(), 3);
  engine.Room->Textures = nullptr;
}
