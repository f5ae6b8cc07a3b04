// variable.ini into the game's variable table, then into the dialogs' combos.
#include "fuzz_world.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzWorld& world = FuzzWorld::Get();
  world.BeginRun();
  world.Write("variable.ini", Bytes(data, size));
  world.engine->LoadVariables();
  Form& entity = world.host.GetForm(FormId::Entity);
  world.engine->FillVariableCombo(entity, "CBVariableName");
  for (int i = 0; i < TQZEngine::VariableCount; ++i) world.engine->FillVariableValueCombo(entity, "CBVariableValue", i);
  return 0;
}
