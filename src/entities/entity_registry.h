#pragma once
// Typus -> class: the one place that knows which kind a stored typus code makes.

#include <cstdint>
#include <memory>

class TEntity;
class TQZEngine;

// A new object of the class the typus names, or nothing when the typus has no class.
std::unique_ptr<TEntity> CreateEntity(TQZEngine& engine, std::int16_t typus);
