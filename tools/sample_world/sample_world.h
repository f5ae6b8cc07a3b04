#pragma once
// Writes the complete sample base directory below root: configuration lists, art,
// models and the demo room. Errors the engine reports while building the room are
// returned, so a caller can refuse a world that does not load cleanly.

#include <filesystem>
#include <string>
#include <vector>

struct SampleWorldResult {
  std::vector<std::string> errors;  // "TAG: text"
  std::uintmax_t bytes = 0;
  int files = 0;
};

SampleWorldResult GenerateSampleWorld(const std::filesystem::path& root);
