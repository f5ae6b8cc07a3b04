#pragma once
// Rooms whose every stored field differs from its default and from its neighbours, so a
// test sees any field that a write, a read or a dialog drops, moves or rounds.

#include <cstddef>
#include <cstdint>
#include <utility>

class TEntity;

// Every entity kind with the size of its stored body.
extern const std::pair<std::int16_t, std::size_t> KindSizes[23];

// Gives every own field of the entity's kind a distinct value.
void Distinguish(TEntity& e);
// The same for the record every kind shares.
void DistinguishCommon(TEntity& e);
