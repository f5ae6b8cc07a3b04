// An animation file of the rig: read, its skeleton resolved and set up over the rig's
// vertices, then posed.
#include "fuzz_world.h"
#include "models/edit_model.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzWorld& world = FuzzWorld::Get();
  world.BeginRun();
  world.Write("data\\model\\fuzz\\rig_walk.ms3d", Bytes(data, size));
  TVEModel& model = world.Subject();
  world.engine->ModelEngine->LoadModel(model, "fuzz\\rig", FuzzWorld::SubjectSlot);
  if (model.Loaded) world.ExerciseModel(model);
  return 0;
}
