// A base model file, read through the model catalogue with the rig's definition and
// animation beside it, then used the way the editor uses a loaded model.
#include "fuzz_world.h"
#include "models/edit_model.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzWorld& world = FuzzWorld::Get();
  world.BeginRun();
  world.Write("data\\model\\fuzz\\subject.ms3d", Bytes(data, size));
  world.Write("data\\model\\fuzz\\subject.ini", fuzz_rig::Definition);
  world.Write("data\\model\\fuzz\\subject_walk.ms3d", fuzz_rig::AnimationBytes());
  TVEModel& model = world.Subject();
  world.engine->ModelEngine->LoadModel(model, "fuzz\\subject", FuzzWorld::SubjectSlot);
  if (model.Loaded) world.ExerciseModel(model);
  return 0;
}
