#pragma once
// The kind codes stored in front of every entity of a room file. 0 marks a free slot.

#include <cstdint>

namespace typus {
constexpr std::int16_t Tile = 1000;
constexpr std::int16_t Door = 1001;
constexpr std::int16_t Camera = 2001;
constexpr std::int16_t Trigger = 2002;
constexpr std::int16_t TouchField = 2003;
constexpr std::int16_t Sound = 2004;
constexpr std::int16_t Message = 2005;
constexpr std::int16_t Control = 2006;
constexpr std::int16_t Marker = 2007;
constexpr std::int16_t Spawner = 2008;
constexpr std::int16_t Variable = 2009;
constexpr std::int16_t Animation = 2012;
constexpr std::int16_t Item = 2013;
constexpr std::int16_t SavePoint = 2014;
constexpr std::int16_t TileMover = 2015;
constexpr std::int16_t Portal = 2101;
constexpr std::int16_t Unit = 3000;  // base of the enemies, never placed itself
constexpr std::int16_t Mutant = 3101;
constexpr std::int16_t ClawShrimp = 3102;
constexpr std::int16_t Particle = 4000;  // base of the emitters, never placed itself
constexpr std::int16_t Grass = 4001;
constexpr std::int16_t Fire = 4002;
constexpr std::int16_t Fountain = 4003;
constexpr std::int16_t Rain = 4004;
constexpr std::int16_t Explosion = 4005;
}  // namespace typus
