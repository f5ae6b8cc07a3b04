// `brannock-tool format`: the checked-in docs/room-format.md is what the tool prints,
// and the layouts it prints from agree with the record sizes the reader knows.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <utility>

#include "entities/entity_fixture.h"
#include "support/distinct_entities.h"
#include "support/temp_game_dir.h"
#include "tool/record_layout.h"
#include "tool/tool_runner.h"

namespace {

TEST(FormatPage, TheCheckedInPageIsWhatTheToolPrints) {
  const TempGameDir dir;
  const ToolRun run = RunTool("format", dir.Path() + "/stderr.txt");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.err.empty()) << run.err;
  std::ifstream page(BRANNOCK_DOCS_DIR "/room-format.md", std::ios::binary);
  const std::string checkedIn{std::istreambuf_iterator<char>(page), {}};
  EXPECT_TRUE(run.out == checkedIn) << "docs/room-format.md is not what the tool prints; write it again with\n"
                                    << "  brannock-tool format > docs/room-format.md";
}

class RecordLayouts : public EntityTest {};

TEST_F(RecordLayouts, EveryRecordIsAsLongAsTheReaderReadsIt) {
  RoomLayouts layouts(room);
  EXPECT_EQ(TRoom::HeaderSize + RecordSize(layouts.attributes), 8955u) << "the fields begin at 8955";
  EXPECT_EQ(RecordSize(layouts.field), TField::RecordSize);
  EXPECT_EQ(RecordSize(layouts.light), TLight::RecordSize);
  EXPECT_EQ(RecordSize(layouts.common), TEntity::CommonRecordSize);
  EXPECT_EQ(RecordSize(layouts.surface) + 4 * RecordSize(layouts.corner), TSurface::RecordHeaderSize);
  for (const auto& [typus, size] : KindSizes) {
    const RoomLayouts::Kind* kind = layouts.KindOf(typus);
    ASSERT_NE(kind, nullptr) << typus;
    EXPECT_EQ(RecordSize(kind->body), size) << kind->prototype->ClassName();
  }
  EXPECT_EQ(layouts.KindOf(4999), nullptr);
}

// The common record and a kind's body share one JSON object.
TEST_F(RecordLayouts, NoKindRepeatsAKeyOfItsEntity) {
  RoomLayouts layouts(room);
  for (const auto& [typus, size] : KindSizes) {
    std::set<std::string> keys{"Typus", "Class", "Links", "storedBytes"};
    for (const RecordLayout* layout : {&std::as_const(layouts.common), &layouts.KindOf(typus)->body})
      for (const StoredField& field : *layout)
        EXPECT_TRUE(keys.insert(field.key).second) << layouts.KindOf(typus)->prototype->ClassName() << ": " << field.key;
  }
}

}  // namespace
