#pragma once
// The Entities sheet's five lists (tiles, sequences, units, portals, particles) as
// places: which typus and which model "New Entity" places from each item. The Models
// dock finds a model's item through them.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class Form;
class TQZEngine;

inline constexpr std::array<const char*, 5> EntityPaletteLists{"LBEntityTiles", "LBEntitySequences", "LBEntityUnits",
                                                               "LBEntityPortals", "LBEntityParticles"};

// The typus the entity palettes offer: group index (CBEntityTypus) and list item; -1
// for the tile group while the room has no tiles, 0 for an item past the group's kinds.
std::int16_t PaletteTypus(int group, int item, int tileCount);

struct PalettePlace {
  int group = 0;
  int item = 0;
  std::int16_t typus = 0;
  std::string model;  // display name of the model it places; empty for none
};

// The model "New Entity" places from that item (empty for none).
std::string PaletteModel(TQZEngine& engine, const Form& main, int group, int item);

// Every item of the five lists, in order.
std::vector<PalettePlace> PalettePlaces(TQZEngine& engine, const Form& main);
