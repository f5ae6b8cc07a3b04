// editor.ini into the dialogs' lists (and loadsound.ini's list, which it copies).
#include "fuzz_world.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzWorld& world = FuzzWorld::Get();
  world.BeginRun();
  world.Write("editor.ini", Bytes(data, size));
  world.engine->LoadEditorIni();
  return 0;
}
