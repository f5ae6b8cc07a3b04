// brannock-sample-world OUTDIR: writes the sample game world into OUTDIR (created if
// missing) and exits non-zero when the editor's own code reported anything while
// building or reloading the demo room.

#include <exception>
#include <iostream>

#include "sample_world/sample_world.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: brannock-sample-world OUTDIR\n";
    return 2;
  }
  try {
    const SampleWorldResult result = GenerateSampleWorld(argv[1]);
    for (const auto& error : result.errors) std::cerr << error << '\n';
    std::cout << argv[1] << ": " << result.files << " files, " << result.bytes << " bytes\n";
    return result.errors.empty() ? 0 : 1;
  } catch (const std::exception& e) {
    std::cerr << "brannock-sample-world: " << e.what() << '\n';
    return 1;
  }
}
