// Long sessions: the demo room with one more emitter of every particle kind running
// frame after frame, and the Load / Save / New cycle, must keep memory flat (and,
// under LeakSanitizer, leak nothing). CI runs reduced counts; BRANNOCK_SOAK_FULL=1
// runs the full session (20 000 frames, 500 cycles).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include <unistd.h>

#include "core/headless_host.h"
#include "engine/edit_engine.h"
#include "entities/edit_entity.h"
#include "entities/entity_typus.h"
#include "particles/particle_main.h"
#include "room/edit_room.h"
#include "support/allocation_meter.h"
#include "support/endless_emitters.h"

namespace {

const std::filesystem::path World = BRANNOCK_SAMPLE_DIR;
const std::string DemoRoom = (World / "data" / "world" / "room" / "demo.rer").string();

bool FullSession() {
  const char* flag = std::getenv("BRANNOCK_SOAK_FULL");
  return flag && std::string_view(flag) == "1";
}

// What a long session may gain for good: caches settling, not growth per frame.
constexpr std::size_t Slack = 256u * 1024u;

class Soak : public ::testing::Test {
protected:
  void SetUp() override {
    engine.StartUp();
    ASSERT_TRUE(room.LoadFromFile(DemoRoom));
  }
  void ExpectNoMessages() {
    for (const auto& e : host.errors) ADD_FAILURE() << e.Full();
    host.errors.clear();
  }
  std::size_t ParticlesAlive() const {
    std::size_t alive = 0;
    for (const auto& entity : room.Entities) {
      if (const auto* emitter = dynamic_cast<const TEParticle*>(entity.get()); emitter && emitter->InUse())
        for (const auto& particle : emitter->Pool) alive += particle.kind >= 0;
    }
    return alive;
  }

  // The figures go into the test report (--gtest_output=xml), so a long run shows them.
  static void RecordHeld(std::size_t settled) {
    RecordProperty("held_bytes_settled", std::to_string(settled));
    RecordProperty("held_bytes_end", std::to_string(allocation_meter::Held()));
  }

  HeadlessHost host;
  TQZEngine engine{host, World.string()};
  TRoom& room = *engine.Room;
};

TEST_F(Soak, EveryEmitterRunsTwentyThousandFramesWithMemoryFlat) {
  const int frames = FullSession() ? 20000 : 2000;
  for (const std::int16_t kind : {typus::Grass, typus::Fire, typus::Fountain, typus::Rain, typus::Explosion}) {
    TEntity* emitter = room.AddEntity(kind, {3.0f, 0.0f, 3.0f}, {}, 1.0f);
    ASSERT_NE(emitter, nullptr) << kind;
    emitter->Bind();
  }
  ExpectNoMessages();

  // The pools reach their working size within the first few hundred frames.
  const int warmUp = frames / 10;
  for (int i = 0; i < warmUp; ++i) room.DoFrame();
  const std::size_t settled = allocation_meter::Held();
  EXPECT_GT(ParticlesAlive(), 0u);
  for (int i = warmUp; i < frames; ++i) room.DoFrame();
  RecordHeld(settled);
  EXPECT_LE(allocation_meter::Held(), settled + Slack) << "settled at " << settled;
  EXPECT_GT(ParticlesAlive(), 0u);
  ExpectNoMessages();
}

// Emitters whose drops never vanish and one that bursts 32 767 drops: their pools fill
// up to the cap while the first drops age out, then hold.
TEST_F(Soak, EmittersWhoseDropsNeverVanishKeepMemoryFlat) {
  const int frames = FullSession() ? 20000 : 2000;
  ASSERT_TRUE(AddEndlessEmitters(room));
  ExpectNoMessages();

  // Past the maximum age every pool is as full as it gets.
  const int warmUp = static_cast<int>(TEParticle::MaxParticleAge / 0.5f) + 100;
  for (int i = 0; i < warmUp; ++i) room.DoFrame();
  const std::size_t settled = allocation_meter::Held();
  const std::size_t alive = ParticlesAlive();
  for (int i = warmUp; i < frames; ++i) room.DoFrame();
  RecordHeld(settled);
  RecordProperty("particles_alive", std::to_string(alive));
  EXPECT_LE(allocation_meter::Held(), settled + Slack) << "settled at " << settled;
  for (const auto& entity : room.Entities) {
    if (const auto* emitter = dynamic_cast<const TEParticle*>(entity.get()); emitter && emitter->InUse()) {
      EXPECT_LE(emitter->Pool.size(), static_cast<std::size_t>(TEParticle::MaxParticles)) << emitter->Name.view();
    }
  }
  ExpectNoMessages();
}

TEST_F(Soak, LoadSaveNewFiveHundredTimesWithMemoryFlat) {
  const int cycles = FullSession() ? 500 : 50;
  const std::string saved = (std::filesystem::temp_directory_path() /
                             ("brannock-soak-" + std::to_string(::getpid()) + ".rer")).string();
  const auto cycle = [&] {
    ASSERT_TRUE(room.LoadFromFile(DemoRoom));
    ASSERT_TRUE(room.SaveToFile(saved));
    room.InitRoom();
    ASSERT_TRUE(room.LoadFromFile(saved));
    room.DoFrame();
    room.InitRoom();
  };
  for (int i = 0; i < 5; ++i) cycle();
  const std::size_t settled = allocation_meter::Held();
  for (int i = 5; i < cycles; ++i) cycle();
  RecordHeld(settled);
  EXPECT_LE(allocation_meter::Held(), settled + Slack) << "settled at " << settled;
  ExpectNoMessages();
  std::filesystem::remove(saved);
}

}  // namespace
