#pragma once
// Emitters whose drops never reach their vanish height (rain that climbs or flies level,
// a jet that bends up, a vanish height that is not a number) and one that bursts
// 32 767 drops: what a damaged file or a careless dialog can leave in a room. The soak
// test keeps memory flat with them, the render benchmark times frames with their pools full.

#include <cmath>

#include "entities/entity_typus.h"
#include "particles/particle_fountain.h"
#include "particles/particle_rain.h"
#include "room/edit_room.h"

// Adds and binds the five emitters; false when the room had no slots left.
inline bool AddEndlessEmitters(TRoom& room) {
  const auto place = [&](std::int16_t kind) -> TEntity* { return room.AddEntity(kind, {3.0f, 1.0f, 3.0f}, {}, 1.0f); };
  auto* climbing = dynamic_cast<TEPRain*>(place(typus::Rain));
  auto* level = dynamic_cast<TEPRain*>(place(typus::Rain));
  auto* unending = dynamic_cast<TEPRain*>(place(typus::Rain));
  auto* bending = dynamic_cast<TEPFountain*>(place(typus::Fountain));
  auto* flood = dynamic_cast<TEPFountain*>(place(typus::Fountain));
  if (!climbing || !level || !unending || !bending || !flood) return false;
  climbing->HeadingX = -30.0f;
  level->HeadingX = -10.0f;
  unending->VanishHeight = std::nanf("");
  bending->PitchLoss = -2.0f;
  flood->ParticleCount = 32767;
  flood->VanishHeight = std::nanf("");
  for (TEntity* emitter : std::initializer_list<TEntity*>{climbing, level, unending, bending, flood}) emitter->Bind();
  return true;
}
