// The entity dialog's model buttons and model picking, on a catalogue loaded from a
// real game directory: the engine's own model actions turn a placed model into room
// surfaces and bake its floor texture with the room's shadows.

#include <gtest/gtest.h>

#include <algorithm>

#include "core/bmp_file.h"
#include "core/file_system.h"
#include "core/headless_host.h"
#include "engine/edit_engine.h"
#include "entities/edit_entity.h"
#include "entities/edit_entityform.h"
#include "entities/entity_typus.h"
#include "models/edit_model.h"
#include "models/ms3d_fixture.h"
#include "room/edit_room.h"
#include "support/temp_game_dir.h"

namespace {

// Every upload succeeds, so a model whose bitmap exists counts as textured.
class UploadEverything : public ModelTextureLoader {
public:
  std::uint32_t LoadBitmapTexture(std::string_view) override { return 1; }
  void DeleteTexture(std::uint32_t) override {}
};

// "Crate": the fixture's unit square in the XY plane at scale 2, drawn from both sides,
// with an 8 x 8 skin of grey 200.
class ModelActions : public ::testing::Test {
protected:
  ModelActions() {
    game.Write("data/model/loadmodel.ini", "[MODEL_FILENAME]\ncrate\n");
    const auto bytes = ms3d_fixture::Bytes(ms3d_fixture::Square());
    game.Write("data/model/crate.ms3d", std::string(bytes.begin(), bytes.end()));
    game.Write("data/model/crate.ini", "[MODEL_BASEDATA]\nCrate\n2\n\n[MODEL_CULLFACE]\nFALSE\n");
    const TBmpImage skin{8, 8, std::vector<std::uint8_t>(8 * 8 * 3, 200)};
    EXPECT_FALSE(SaveBmp(game.Path() + "/data/model/crate.bmp", skin).has_value());

    engine = std::make_unique<TQZEngine>(host, game.Path());
    engine->ModelEngine->SetTextureLoader(&textures);
    engine->ModelEngine->LoadModels();
    room().ClearRoom();
    EXPECT_TRUE(host.errors.empty()) << host.errors.front().Full();
    host.errors.clear();
  }

  TRoom& room() { return *engine->Room; }

  TEntity& Crate(const TVector& position, float size = 1.0f) {
    TEntity& entity = *room().AddEntity(typus::Tile, position, {}, size);
    entity.ModelName = "Crate";
    entity.Bind();
    EXPECT_NE(entity.ModelIndex, -1);
    return entity;
  }

  // Presses one of the dialog's model buttons for the entity.
  void Press(TEntity& entity, std::string_view button) {
    host.ScriptModal({[button](MemoryForm& form) { form.SetChecked(button, true); }, ModalResult::Ok});
    entity.EditEntity();
  }

  std::vector<const TSurface*> Surfaces() {
    std::vector<const TSurface*> used;
    for (const auto& s : room().Surfaces)
      if (s->InUse()) used.push_back(s.get());
    return used;
  }

  TBmpImage Bitmap(std::string_view name) const { return *LoadBmp(game.Path() + "/data/model/" + std::string(name)); }

  TempGameDir game;
  HeadlessHost host;
  UploadEverything textures;  // outlives the engine
  std::unique_ptr<TQZEngine> engine;
};

bool SameCorners(const TSurface& surface, std::vector<TVector> expected) {
  std::vector<TVector> corners;
  for (const auto& c : surface.corners) corners.push_back(c.position);
  const auto order = [](const TVector& a, const TVector& b) {
    return std::tie(a.x, a.y, a.z) < std::tie(b.x, b.y, b.z);
  };
  std::sort(corners.begin(), corners.end(), order);
  std::sort(expected.begin(), expected.end(), order);
  return corners == expected;
}

TEST_F(ModelActions, ConvertTurnsThePlacedModelIntoSurfacesAndDeletesTheEntity) {
  host.Memory(FormId::Main).SetChecked("CBLightMapCompute", true);
  TEntity& crate = Crate({3, 0, 4}, 1.5f);
  Press(crate, entity_form::ConvertRequested);

  EXPECT_FALSE(crate.InUse());
  const auto made = Surfaces();
  ASSERT_EQ(made.size(), 1u) << "two triangles on a shared diagonal make one quadrilateral";
  // Model x is mirrored, scale 2 and size 1.5 both apply, the entity's position is the origin.
  EXPECT_TRUE(SameCorners(*made[0], {{3, 0, 4}, {0, 0, 4}, {0, 3, 4}, {3, 3, 4}}));
  EXPECT_EQ(made[0]->textureName.view(), "textures\\default");
  EXPECT_FALSE(host.Memory(FormId::Main).Checked("CBLightMapCompute"))
      << "new surfaces must not light themselves one by one";
  EXPECT_TRUE(host.errors.empty());
}

TEST_F(ModelActions, ConvertingAnEntityWhoseModelIsGoneKeepsIt) {
  TEntity& crate = Crate({3, 0, 4});
  host.ScriptModal({[](MemoryForm& form) {
                      form.SetText("CBModel", "Barrel");
                      form.SetChecked(entity_form::ConvertRequested, true);
                    },
                    ModalResult::Ok});
  crate.EditEntity();
  EXPECT_TRUE(crate.InUse());
  EXPECT_TRUE(Surfaces().empty());
}

TEST_F(ModelActions, CreateShadowsKeepsTheUnlitCopyAndLightsTheTexture) {
  room().Diffuse = {0.5f, 0.5f, 0.5f};
  room().Ambience = {0.25f, 0.25f, 0.25f};
  // The sun stands towards +y +z. The baked crate itself stands in front of the image's
  // corner (-30, -30); another crate shadows the corner (30, -30).
  TEntity& baked = Crate({-28.5f, 0, -28.6f});
  Crate({31.5f, 0, -28.6f});
  Press(baked, entity_form::ShadowsRequested);

  EXPECT_TRUE(baked.InUse());
  EXPECT_TRUE(host.errors.empty()) << host.errors.front().Full();
  const TBmpImage unlit = Bitmap("crate_temp.bmp");
  EXPECT_EQ(unlit.rgb, std::vector<std::uint8_t>(8 * 8 * 3, 200)) << "the copy keeps the picture before lighting";

  const TBmpImage lit = Bitmap("crate.bmp");
  ASSERT_EQ(lit.width, 8);
  const auto pixel = [&](int x, int y) { return lit.rgb[static_cast<std::size_t>(y * 8 + x) * 3]; };
  EXPECT_EQ(pixel(0, 0), 100) << "the baked entity casts no shadow on its own texture";
  EXPECT_EQ(pixel(7, 0), 50) << "another entity's shadow gives the ambient colour";
  EXPECT_EQ(pixel(3, 4), 100);
}

TEST_F(ModelActions, BakingAgainStartsFromTheUnlitCopy) {
  room().Diffuse = {0.5f, 0.5f, 0.5f};
  TEntity& crate = Crate({0, 0, 0});
  Press(crate, entity_form::ShadowsRequested);
  const TBmpImage first = Bitmap("crate.bmp");
  Press(crate, entity_form::ShadowsRequested);
  EXPECT_EQ(Bitmap("crate.bmp").rgb, first.rgb);
  EXPECT_EQ(first.rgb.front(), 100);
}

TEST_F(ModelActions, HitTestUsesThePlacedModelsBoxInTheFlatViews) {
  // Placed vertices span x 1..3, y 0..2 at z 4; the box grows by 0.25 on every side.
  TEntity& crate = Crate({3, 0, 4});
  TCamera& camera = room().Camera;

  camera.Mode = TCamera::ModeTop;
  EXPECT_TRUE(crate.HitTest({0.75f, 99, 4.25f})) << "bounds included, height ignored";
  EXPECT_TRUE(crate.HitTest({2, 0, 3.8f}));
  EXPECT_FALSE(crate.HitTest({0.7f, 0, 4}));
  EXPECT_FALSE(crate.HitTest({2, 0, 4.3f}));

  camera.Mode = TCamera::ModeSide;
  EXPECT_TRUE(crate.HitTest({1, 2.25f, -50})) << "depth ignored";
  EXPECT_FALSE(crate.HitTest({1, 2.3f, 4}));
  EXPECT_FALSE(crate.HitTest({3.3f, 1, 4}));

  camera.Mode = TCamera::Mode3D;
  EXPECT_FALSE(crate.HitTest({3, 0, 4})) << "nothing is picked in the 3D view";

  // Without its model the same entity is picked by distance alone.
  camera.Mode = TCamera::ModeTop;
  crate.ModelName = "Barrel";
  crate.Bind();
  EXPECT_FALSE(crate.HitTest({1, 0, 4}));
  EXPECT_TRUE(crate.HitTest({3, 0, 4.25f}));
}

}  // namespace
