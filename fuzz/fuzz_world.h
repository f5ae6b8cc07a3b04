#pragma once
// What every harness shares: one scratch game directory and one engine per fuzzing
// process. The readers take their input from files below the engine's directories,
// exactly as the editor does, so each run writes the input where the editor looks.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "core/headless_host.h"
#include "engine/edit_engine.h"

class TVEModel;

class FuzzWorld {
public:
  // Built on first use: the directory tree, a small rigged model "fuzz\rig" with its
  // definition and its "walk" animation, and the engine over all of it.
  static FuzzWorld& Get();

  HeadlessHost host;
  std::unique_ptr<TQZEngine> engine;

  // Writes the bytes to a game path ("data\model\fuzz\rig.ms3d"), replacing the file.
  void Write(std::string_view gamePath, std::span<const std::uint8_t> bytes);
  void Write(std::string_view gamePath, std::string_view text);

  // The slot the harnesses load into: far above the room's tile-model slots, which
  // every room load refills.
  static constexpr std::int16_t SubjectSlot = 500;
  TVEModel& Subject();

  // Starts a run: forgets the messages of the last one, so they cannot pile up.
  void BeginRun() { host.errors.clear(); }

  // What the editor does with a loaded model after reading it: measure, place, turn
  // into surfaces and pose every animation at its first, middle and last frame.
  void ExerciseModel(TVEModel& model);

  // The scratch directory goes with the process.
  ~FuzzWorld();

private:
  FuzzWorld();
  std::string root_;
};

// The rig written into the scratch world, for harnesses that vary one of its files.
namespace fuzz_rig {
const std::string& BaseBytes();
const std::string& AnimationBytes();
constexpr std::string_view Definition = "[MODEL_BASEDATA]\nRig\n1.0\n[MODEL_ANIMATION]\nwalk\n";
}  // namespace fuzz_rig

// libFuzzer's input as a byte span.
inline std::span<const std::uint8_t> Bytes(const std::uint8_t* data, std::size_t size) { return {data, size}; }
