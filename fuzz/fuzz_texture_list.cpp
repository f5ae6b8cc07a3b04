// The texture list, read as the GL texture table reads it; whatever the file holds,
// the names must fit the table and be single, non-empty lines.
#include <cstdlib>

#include "core/texture_list.h"
#include "fuzz_world.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzWorld& world = FuzzWorld::Get();
  world.BeginRun();
  world.Write("art\\loadtexture.ini", Bytes(data, size));
  auto reader = ConfigLineReader::Open(world.engine->ArtDir.str() + "loadtexture.ini");
  if (!reader) std::abort();
  const auto names = ReadTextureList(*reader);
  if (names.size() > TextureListSlots) std::abort();
  for (const auto& name : names) {
    if (name.empty() || name.size() > ConfigLineReader::MaxLineLength) std::abort();
    if (name.find_first_of("\r\n") != std::string::npos) std::abort();
  }
  return 0;
}
