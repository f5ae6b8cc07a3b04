// "Import Heightmap": the floor heights are taken from the scenery tiles standing on
// the grid, and the fields no tile reaches are filled from their neighbours.

#include <vector>

#include "engine/edit_engine.h"
#include "entities/edit_entity.h"
#include "entities/entity_typus.h"
#include "models/edit_model.h"
#include "models/model_bounds.h"
#include "room/edit_cursor.h"
#include "room/edit_room.h"

namespace {

constexpr std::int16_t ImportedTypus = 4;
constexpr float ImportedCeiling = 30.0f;
// A vertex counts for a point when it lies closer than this in the XZ plane.
constexpr float VertexReach = 0.1f;

struct PlacedTile {
  const TEntity* entity;
  TModelBox box;
};

// The tiles with a model, with the box their placed vertices span, so the search for
// a vertex near a point can skip every tile that cannot have one.
std::vector<PlacedTile> TilesWithModels(TRoom& room) {
  std::vector<PlacedTile> tiles;
  const TModelEngine& models = *room.Engine.ModelEngine;
  for (int slot = 0; slot <= room.LastEntity; ++slot) {
    const TEntity& entity = *room.Entities[static_cast<std::size_t>(slot)];
    if (!entity.InUse() || !entity.IsTypus(typus::Tile) || !entity.GetModel()) continue;
    tiles.push_back({&entity, models.PlacedModelBounds(entity.ModelIndex, entity.Position, entity.Rotation, entity.Size)});
  }
  return tiles;
}

bool Reaches(const TModelBox& box, const TVector& point) {
  return point.x > box.min.x - VertexReach && point.x < box.max.x + VertexReach && point.z > box.min.z - VertexReach &&
         point.z < box.max.z + VertexReach;
}

// The mean of the known heights among the even-indexed fields around (x, z).
bool EvenNeighbourMean(const TRoom& room, int x, int z, float& mean) {
  float sum = 0.0f;
  int count = 0;
  for (int dx = -1; dx <= 1; ++dx) {
    for (int dz = -1; dz <= 1; ++dz) {
      const int nx = x + dx, nz = z + dz;
      if (nx % 2 != 0 || nz % 2 != 0 || !TRoom::ValidCell(nx, nz)) continue;
      const float height = room.FieldOf(nx, nz).Height;
      if (height <= NoModelHeight) continue;
      sum += height;
      ++count;
    }
  }
  if (count == 0) return false;
  mean = sum / static_cast<float>(count);
  return true;
}

}  // namespace

void TCursor::ImportHeightMap(TRoom& room) {
  for (TField& field : room.Fields) {
    field.Typus = ImportedTypus;
    field.Height = NoModelHeight;
    field.Ceiling = ImportedCeiling;
  }
  const std::vector<PlacedTile> tiles = TilesWithModels(room);
  const TModelEngine& models = *room.Engine.ModelEngine;
  for (int x = 0; x < TRoom::GridSize; ++x) {
    for (int z = 0; z < TRoom::GridSize; ++z) {
      // The field's low corner; the last tile in slot order that has a vertex there wins.
      const TVector point{static_cast<float>(x - TRoom::GridSize / 2), 0.0f,
                          static_cast<float>(z - TRoom::GridSize / 2)};
      TField& field = room.FieldOf(x, z);
      for (const PlacedTile& tile : tiles) {
        if (!Reaches(tile.box, point)) continue;
        const TEntity& e = *tile.entity;
        const float height = models.ModelHeightAt(e.ModelIndex, e.Position, e.Rotation, e.Size, point);
        if (height > NoModelHeight) field.Height = height;
      }
    }
  }
  // Filled fields count for the ones after them, so the gaps close in one pass.
  for (int x = 0; x < TRoom::GridSize; ++x) {
    for (int z = 0; z < TRoom::GridSize; ++z) {
      TField& field = room.FieldOf(x, z);
      float mean = 0.0f;
      if (field.Height == NoModelHeight && EvenNeighbourMean(room, x, z, mean)) field.Height = mean;
    }
  }
}
