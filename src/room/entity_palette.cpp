#include "room/entity_palette.h"

#include "core/form.h"
#include "entities/edit_entity.h"
#include "entities/entity_registry.h"

std::int16_t PaletteTypus(int group, int item, int tileCount) {
  switch (group) {
    case 0: return tileCount > 0 ? 1000 : -1;
    case 1: return item >= 0 && item < 15 ? static_cast<std::int16_t>(2001 + item) : 0;
    case 2: return item >= 0 && item < 2 ? static_cast<std::int16_t>(3101 + item) : 0;
    case 3: {
      constexpr std::int16_t portals[] = {2101, 2007, 2008, 1001};
      return item >= 0 && item < 4 ? portals[item] : 0;
    }
    case 4: return item >= 0 && item < 5 ? static_cast<std::int16_t>(4001 + item) : 0;
    default: return 0;
  }
}

std::string PaletteModel(TQZEngine& engine, const Form& main, int group, int item) {
  if (group < 0 || group >= static_cast<int>(EntityPaletteLists.size()) || item < 0) return {};
  const auto items = main.Items(EntityPaletteLists[static_cast<std::size_t>(group)]);
  if (item >= static_cast<int>(items.size())) return {};
  // A new tile takes the model the item names.
  if (group == 0) return items[static_cast<std::size_t>(item)];
  const std::int16_t typus = PaletteTypus(group, item, static_cast<int>(main.Items(EntityPaletteLists[0]).size()));
  if (typus <= 0) return {};
  const auto entity = CreateEntity(engine, typus);
  return entity ? entity->ModelName.str() : std::string();
}

std::vector<PalettePlace> PalettePlaces(TQZEngine& engine, const Form& main) {
  std::vector<PalettePlace> places;
  const auto tiles = main.Items(EntityPaletteLists[0]);
  for (int group = 0; group < static_cast<int>(EntityPaletteLists.size()); ++group) {
    const auto items = group == 0 ? tiles : main.Items(EntityPaletteLists[static_cast<std::size_t>(group)]);
    for (int item = 0; item < static_cast<int>(items.size()); ++item) {
      PalettePlace place{group, item, PaletteTypus(group, item, static_cast<int>(tiles.size())), {}};
      if (group == 0) {
        // A new tile takes the model the item names.
        place.model = items[static_cast<std::size_t>(item)];
      } else if (place.typus > 0) {
        if (const auto entity = CreateEntity(engine, place.typus)) place.model = entity->ModelName.str();
      }
      places.push_back(std::move(place));
    }
  }
  return places;
}
