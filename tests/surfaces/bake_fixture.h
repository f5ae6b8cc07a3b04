#pragma once
// A headless room with helpers to place walls, lights and tile models for the shadow
// and light-map tests. Models are written straight into a catalogue slot.

#include "entities/edit_entity.h"
#include "entities/entity_typus.h"
#include "models/edit_model.h"
#include "room/room_fixture.h"
#include "support/square_model.h"
#include "surfaces/surface_main.h"

class BakeTest : public RoomTest {
protected:
  static constexpr std::int16_t ModelSlot = 1;

  BakeTest() { Main().SetChecked("CBLightMapCompute", true); }

  MemoryForm& Main() { return host.Memory(FormId::Main); }

  // An upright square wall in the plane z = z, spanning x and y from -half to half.
  TSurface* Wall(float z, float half = 1.0f) {
    return room.AddSurface({-half, -half, z}, {half, -half, z}, {half, half, z}, {-half, half, z}, "textures\\wall");
  }

  // A floor rectangle at height y from (x0, z0) to (x1, z1).
  TSurface* Floor(float x0, float z0, float x1, float z1, float y = 0.0f) {
    return room.AddSurface({x0, y, z0}, {x1, y, z0}, {x1, y, z1}, {x0, y, z1}, "textures\\floor");
  }

  TLight* Light(const TVector& position, float radius, const TVector& color = {1, 1, 1}) {
    return room.AddLight(position, color, radius);
  }

  TVEModel& SquareModel() { return MakeSquareModel(*engine.ModelEngine->GetModel(ModelSlot)); }

  TEntity& Tile(const TVector& position, const TVector& rotation = {}, std::int16_t typus = typus::Tile) {
    TEntity& entity = *room.AddEntity(typus, position, rotation, 1.0f);
    entity.ModelIndex = ModelSlot;
    return entity;
  }
};
