#pragma once
// `brannock-tool model-info FILE.ms3d`: reads one MilkShape 3D file with the editor's
// own reader and prints what it holds as JSON: the section counts, frames per second,
// every joint with its key counts, every material, and the reader's messages.

#include <ostream>
#include <string>

// The messages also go to stderr as "TAG: text"; the status is non-zero when there
// was any, so a pipeline stops on a model the editor would complain about.
int RunModelInfo(const std::string& path, std::ostream& out);
