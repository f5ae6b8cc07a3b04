// The model list; "fuzz\rig" names a model that exists, so lists can fill the table.
#include "fuzz_world.h"
#include "models/edit_model.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzWorld& world = FuzzWorld::Get();
  world.BeginRun();
  world.Write("data\\model\\fuzz\\rig.ini", fuzz_rig::Definition);
  world.Write("data\\model\\loadmodel.ini", Bytes(data, size));
  world.engine->ModelEngine->LoadModels();
  return 0;
}
