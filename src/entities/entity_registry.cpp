#include "entities/entity_registry.h"

#include "entities/edit_entity.h"

std::unique_ptr<TEntity> CreateEntity(TQZEngine& engine, std::int16_t typus) {
  (void)engine;
  switch (typus) {
    default:
      return nullptr;
  }
}
