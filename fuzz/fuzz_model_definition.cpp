// A model definition file over the rig (whose "walk" animation exists).
#include "fuzz_world.h"
#include "models/edit_model.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzWorld& world = FuzzWorld::Get();
  world.BeginRun();
  world.Write("data\\model\\fuzz\\rig.ms3d", fuzz_rig::BaseBytes());
  world.Write("data\\model\\fuzz\\rig.ini", Bytes(data, size));
  TVEModel& model = world.Subject();
  world.engine->ModelEngine->LoadModel(model, "fuzz\\rig", FuzzWorld::SubjectSlot);
  if (model.Loaded) world.ExerciseModel(model);
  return 0;
}
