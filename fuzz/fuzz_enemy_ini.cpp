// enemy.ini into the game's enemy table, then into the dialog's combo.
#include "fuzz_world.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzWorld& world = FuzzWorld::Get();
  world.BeginRun();
  world.Write("enemy.ini", Bytes(data, size));
  world.engine->LoadEnemies();
  world.engine->FillEnemyCombo(world.host.GetForm(FormId::Entity), "CBUnitEnemy");
  return 0;
}
