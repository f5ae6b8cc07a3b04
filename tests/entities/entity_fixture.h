#pragma once
// An engine with an empty room on a headless host, for entity tests.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/binary_io.h"
#include "core/headless_host.h"
#include "engine/edit_engine.h"
#include "entities/edit_entity.h"
#include "room/edit_room.h"

class EntityTest : public ::testing::Test {
protected:
  EntityTest() : engine(host, "/nowhere"), room(*engine.Room) {
    engine.Seed(7);
    room.ClearRoom();
    host.errors.clear();
  }

  // A new entity of the kind, placed at the origin, optionally renamed.
  template <class Kind = TEntity>
  Kind& Add(std::int16_t typus, std::string_view name = {}) {
    TEntity* entity = room.AddEntity(typus, {}, {}, 1.0f);
    EXPECT_NE(entity, nullptr) << "typus " << typus;
    if (!name.empty()) entity->Name = name;
    auto* kind = dynamic_cast<Kind*>(entity);
    EXPECT_NE(kind, nullptr);
    return *kind;
  }

  static std::vector<std::uint8_t> Body(TEntity& entity) {
    BinaryWriter file;
    entity.WriteRecord(file);
    return file.Take();
  }

  std::vector<std::string> Errors() const {
    std::vector<std::string> texts;
    for (const auto& error : host.errors) texts.push_back(error.Full());
    return texts;
  }

  MemoryForm& Dialog() { return host.Memory(FormId::Entity); }

  HeadlessHost host;
  TQZEngine engine;
  TRoom& room;
};
