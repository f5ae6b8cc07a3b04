// loadsound.ini into the sound entity's combo.
#include "fuzz_world.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzWorld& world = FuzzWorld::Get();
  world.BeginRun();
  world.Write("sound\\loadsound.ini", Bytes(data, size));
  world.engine->FillSoundCombo(world.host.GetForm(FormId::Entity), "CBSoundSound");
  return 0;
}
