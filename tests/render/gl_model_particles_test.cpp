// Models and particles as the room renderer draws them: on the sample world, whose
// catalogue has scenery tiles and skinned units, and in a throw-away game directory
// where a sprite's colours are known exactly.
#include <fstream>
#include <set>

#include <unistd.h>

#include "core/file_system.h"
#include "entities/edit_entity.h"
#include "entities/entity_typus.h"
#include "gl_fixture.h"
#include "models/edit_model.h"
#include "particles/particle_main.h"
#include "render/gl_model.h"
#include "render/projection.h"
#include "support/square_model.h"

namespace {

// The sample world drawn through the editor's start-up order, with an empty room.
class SampleWorldDrawing : public GLTest {
protected:
  std::string GameDirectory() const override { return BRANNOCK_SAMPLE_DIR; }

  void SetUp() override {
    GLTest::SetUp();
    if (HasFatalFailure()) return;
    StartGL();
    engine->StartUp();
    ASSERT_TRUE(Errors().empty()) << Errors()[0];
    Room().Camera.Position = {0.0f, 1.0f, 0.0f};
    Room().Camera.Rotation = {};
  }

  TEntity& Add(std::int16_t kind, const char* animation = "") {
    TEntity* entity = Room().AddEntity(kind, {0.0f, 0.0f, 0.0f}, {}, 1.0f);
    EXPECT_NE(entity, nullptr);
    entity->AnimName = animation;
    entity->Bind();
    return *entity;
  }

  std::size_t Triangles(const TEntity& entity) const {
    const TVEModel* model = engine->ModelEngine->GetModel(entity.ModelIndex);
    return model ? model->Triangles.size() : 0;
  }

  // The frame as RGB rows.
  std::vector<unsigned char> Frame(int mode) {
    Room().Camera.Mode = static_cast<std::uint16_t>(mode);
    gl->DrawFrame();
    std::vector<unsigned char> pixels(static_cast<std::size_t>(Width) * Height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, Width, Height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
  }

  static std::size_t PixelsDiffering(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
    std::size_t differing = 0;
    for (std::size_t i = 0; i + 2 < a.size(); i += 3)
      differing += a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2];
    return differing;
  }

  static std::size_t Colours(const std::vector<unsigned char>& pixels) {
    std::set<unsigned> seen;
    for (std::size_t i = 0; i + 2 < pixels.size(); i += 3)
      seen.insert(pixels[i] << 16u | pixels[i + 1] << 8u | pixels[i + 2]);
    return seen.size();
  }

};

TEST_F(SampleWorldDrawing, ATileModelCountsItsTrianglesAndCoversTheMarkerBox) {
  const auto empty = Frame(TCamera::ModeSide);
  const std::int32_t before = gl->PolygonCount();
  Room().TileList[0] = "object\\column";
  Room().ReloadResources();
  TEntity& tile = Add(typus::Tile);
  tile.ModelName = "STONE_COLUMN";
  tile.Bind();
  ASSERT_GE(tile.ModelIndex, 0);
  ASSERT_GT(Triangles(tile), 0u);
  const auto drawn = Frame(TCamera::ModeSide);
  EXPECT_EQ(gl->PolygonCount() - before, static_cast<std::int32_t>(Triangles(tile)));
  EXPECT_GT(PixelsDiffering(empty, drawn), 2000u);
  EXPECT_TRUE(host.caption.empty()) << host.caption;
}

// Tiles play their animation skinned on the processor; units keep their model still
// in the editor whatever animation they name.
TEST_F(SampleWorldDrawing, AnAnimatedTileIsSkinnedAfreshEveryFrameAUnitIsNot) {
  Room().TileList[0] = "object\\door";
  Room().ReloadResources();
  TEntity& door = Add(typus::Tile, "open");
  door.ModelName = "WOODEN_DOOR";
  door.Bind();
  ASSERT_GE(door.ModelIndex, 0);
  const auto Step = [&] {
    Room().DoFrame();
    return Frame(TCamera::ModeSide);
  };
  auto previous = Step();
  const std::int32_t polygons = gl->PolygonCount();
  std::size_t moved = 0;
  for (int frame = 0; frame < 6; ++frame) {
    const auto now = Step();
    EXPECT_EQ(gl->PolygonCount(), polygons);  // the same triangles, only moved
    moved += PixelsDiffering(previous, now);
    previous = now;
  }
  EXPECT_GT(moved, 200u);
  SaveFrame("door_opening_side");

  door.Delete();
  TEntity& unit = Add(typus::Mutant, "walk");
  unit.ModelName = "UNIT_ENEMY_MUTANT";
  unit.Rotation = {0.0f, 90.0f, 0.0f};  // a stride would show across the side view
  unit.Bind();
  ASSERT_GE(unit.ModelIndex, 0);
  const auto still = Step();
  EXPECT_EQ(gl->PolygonCount(), static_cast<std::int32_t>(Triangles(unit)));
  for (int frame = 0; frame < 4; ++frame) EXPECT_EQ(PixelsDiffering(still, Step()), 0u);
  EXPECT_TRUE(host.caption.empty()) << host.caption;
}

TEST_F(SampleWorldDrawing, FireSpritesBrightenTheViewAndCountNoPolygons) {
  auto& fire = dynamic_cast<TEParticle&>(Add(typus::Fire));
  for (int frame = 0; frame < 12; ++frame) Room().DoFrame();
  ASSERT_GT(fire.HighIndex(), 0);
  const auto burning = Frame(TCamera::ModeSide);
  const std::int32_t polygons = gl->PolygonCount();
  fire.ClearParticles();
  const auto out = Frame(TCamera::ModeSide);
  EXPECT_EQ(gl->PolygonCount(), polygons);
  long brighter = 0;
  for (std::size_t i = 0; i < burning.size(); ++i) brighter += burning[i] > out[i];
  EXPECT_GT(brighter, 500);
  EXPECT_TRUE(host.caption.empty()) << host.caption;
}

// Pictures of the demo room in every view, kept beside the tests to look at.
TEST_F(SampleWorldDrawing, TheDemoRoomDrawsInEveryViewWithoutAGLError) {
  ASSERT_TRUE(Room().LoadFromFile(fs_layer::ToHostPath(engine->RoomDir.str() + "demo.rer")));
  Form& main = Main();
  for (auto item : {view_menu::ShowFog, view_menu::ShowSurfaces, view_menu::ShowLensFlares, view_menu::Lighting,
                    view_menu::ShowDetailmaps, view_menu::ShowLights, view_menu::ShowGrid})
    main.SetChecked(item, true);
  for (int frame = 0; frame < 20; ++frame) Room().DoFrame();
  const char* names[] = {"demo_top", "demo_side", "demo_3d"};
  for (int mode : {TCamera::ModeTop, TCamera::ModeSide, TCamera::Mode3D}) {
    if (mode == TCamera::Mode3D) {
      Room().Camera.Position = {-0.5f, 4.5f, 16.5f};
      Room().Camera.Rotation = {-14.0f, 16.0f, 0.0f};
    }
    const auto picture = Frame(mode);
    SaveFrame(names[mode]);
    EXPECT_TRUE(host.caption.empty()) << names[mode] << ": " << host.caption;
    // Every surface counts, and a textured, lit room is far from a flat picture.
    EXPECT_GE(gl->PolygonCount(), 2 * Room().CountSurfaces()) << names[mode];
    EXPECT_GT(Colours(picture), 1000u) << names[mode];
  }
}

// Resident memory of this process in kilobytes.
long ResidentKilobytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Hours in the 3D view must not eat memory: the demo room's flares and shadow tests
// once leaked Mesa's vertex buffers by the frame.
TEST_F(SampleWorldDrawing, FramesAndShadowTestsHoldTheirMemory) {
  ASSERT_TRUE(Room().LoadFromFile(fs_layer::ToHostPath(engine->RoomDir.str() + "demo.rer")));
  for (auto item : {view_menu::ShowSurfaces, view_menu::ShowLensFlares, view_menu::Lighting})
    Main().SetChecked(item, true);
  Room().Camera.Position = {-0.5f, 4.5f, 16.5f};
  Room().Camera.Rotation = {-14.0f, 16.0f, 0.0f};
  const auto Run = [&] {
    for (int frame = 0; frame < 50; ++frame) {
      Room().DoFrame();
      Frame(TCamera::Mode3D);
      gl->Occlusion().IsOccluded(-1, -1, {0.0f, 3.0f, 0.0f}, {2.5f, 0.05f, 1.5f});
    }
  };
  Run();  // textures, shader variants and pools settle
  const long settled = ResidentKilobytes();
  Run();
  Run();
  EXPECT_LT(ResidentKilobytes() - settled, 8 * 1024) << "kilobytes grown over 100 frames";
}

class ModelDrawing : public GLTest {};

// Two halves of one square: a skinned, detail-mapped group and a group without texture.
// The second shows its own material colour, not the skin the first left bound.
TEST_F(ModelDrawing, AGroupWithoutTextureAfterADetailMappedOneIsUntextured) {
  StartGL();
  TVEModel& model = MakeSquareModel(*engine->ModelEngine->GetModel(1));
  model.Groups.assign(2, {});
  model.Groups[0].Triangles = {0};
  model.Groups[0].Material = 0;
  model.Groups[1].Triangles = {1};
  model.Groups[1].Material = 1;
  model.Materials.assign(2, {});
  // Texel centres: the 1 x 1 textures clamp to a black border at their edges.
  for (TMS3DTriangle& triangle : model.Triangles) triangle.S = triangle.T = {0.5f, 0.5f, 0.5f};
  for (TMS3DMaterial& material : model.Materials) material.Diffuse = {1, 1, 1, 1};
  model.Materials[0].HasTexture = true;
  const std::vector<std::uint8_t> red{255, 0, 0}, white{255, 255, 255};
  model.SkinTextures[0] = TEditGL::CreateRGBTexture(red, 1, 1);
  model.DetailTexture = TEditGL::CreateRGBTexture(white, 1, 1);
  model.DetailMap = true;
  model.DetailScale = 1.0f;
  model.CullFace = false;  // turned half round, the square shows its back
  Main().SetChecked(view_menu::ShowDetailmaps, true);

  TCamera& camera = Room().Camera;
  camera.Mode = TCamera::Mode3D;
  camera.Position = {0.0f, 0.0f, 5.0f};
  camera.Rotation = {};
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  gl->SetViewProjection();
  glFogf(GL_FOG_DENSITY, 0.0f);  // models draw with fog on; no room pass has set it up here
  DrawModel(*gl, {1, {0.0f, 0.0f, 0.0f}, {}, false, 0, 1.0f, {1.0f, 1.0f, 1.0f}, -1, 1.0f, 1.0f});
  SaveFrame("model_two_groups");
  // The square's two triangles meet along a diagonal; one corner of the view shows each.
  const auto a = Pixel(320 - 60, 240 + 60), b = Pixel(320 + 60, 240 - 60);
  const auto isRed = [](std::array<int, 3> p) { return p[0] > 200 && p[1] < 40 && p[2] < 40; };
  const auto isWhite = [](std::array<int, 3> p) { return p[0] > 200 && p[1] > 200 && p[2] > 200; };
  EXPECT_TRUE((isRed(a) && isWhite(b)) || (isWhite(a) && isRed(b)))
      << "(" << a[0] << ", " << a[1] << ", " << a[2] << ") and (" << b[0] << ", " << b[1] << ", " << b[2] << ")";
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// Up to eight GL lights for a model: the sun first, then the room's lights that reach
// its box, in slot order, baked ones with the sun and animated ones with the room's.
TEST_F(ModelDrawing, ModelLightsTakeTheSunThenTheReachingLightsUpToEight) {
  StartGL();
  TRoom& room = Room();
  room.Diffuse = {0.5f, 0.4f, 0.3f};
  room.Ambience = {0.1f, 0.1f, 0.1f};
  room.LightPos = {0.0f, 1.0f, 0.0f};
  const auto Add = [&](TVector at, std::int16_t effect, bool active = true) {
    TLight* light = room.AddLight(at, {1.0f, 0.5f, 0.25f}, 4.0f);
    light->Effect = effect;
    light->Active = active;
    light->CurrentColor = light->Color;
    return light;
  };
  Add({1, 0, 0}, 0);                          // slot 0: baked, in reach
  Add({0, 1, 0}, 2);                          // slot 1: animated, in reach
  Add({20, 0, 0}, 0);                         // slot 2: too far
  Add({0, 0, 1}, 0, false);                   // slot 3: switched off
  for (int i = 0; i < 8; ++i) Add({0.1f * static_cast<float>(i), 0, -1}, 1);  // slots 4 to 11: animated
  const auto Position = [](GLenum light) {
    std::array<GLfloat, 4> p{};
    glGetLightfv(light, GL_POSITION, p.data());
    return p;
  };
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();  // light positions then read back in room coordinates

  SetupModelLights(*gl, true, true, true, {1, 1, 1}, {0, 0, 0});
  EXPECT_EQ(Position(GL_LIGHT0), (std::array<GLfloat, 4>{0, 1, 0, 0}));  // the sun, a direction
  EXPECT_EQ(Position(GL_LIGHT1), (std::array<GLfloat, 4>{1, 0, 0, 1}));
  EXPECT_EQ(Position(GL_LIGHT2), (std::array<GLfloat, 4>{0, 1, 0, 1}));
  for (int slot = 4; slot <= 8; ++slot) {  // lights 3 to 7; slots 9 to 11 find no GL light left
    const auto p = Position(static_cast<GLenum>(GL_LIGHT0 + slot - 1));
    EXPECT_FLOAT_EQ(p[0], 0.1f * static_cast<float>(slot - 4));
    EXPECT_EQ(p[2], -1.0f);
  }
  GLfloat quadratic = 0;
  glGetLightfv(GL_LIGHT1, GL_QUADRATIC_ATTENUATION, &quadratic);
  EXPECT_FLOAT_EQ(quadratic, 0.25f);

  // Without the room's animated lights only the baked one joins the sun.
  SetupModelLights(*gl, true, true, false, {1, 1, 1}, {0, 0, 0});
  EXPECT_EQ(Position(GL_LIGHT1), (std::array<GLfloat, 4>{1, 0, 0, 1}));
  EXPECT_FALSE(glIsEnabled(GL_LIGHT2));

  // Unlit models get the fixed light 0 and nothing else.
  SetupModelLights(*gl, false, true, true, {1, 1, 1}, {0, 0, 0});
  std::array<GLfloat, 4> diffuse{};
  glGetLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse.data());
  EXPECT_EQ(diffuse, (std::array<GLfloat, 4>{0.8f, 0.8f, 0.8f, 1}));
  for (int light = 1; light < 8; ++light) EXPECT_FALSE(glIsEnabled(static_cast<GLenum>(GL_LIGHT0 + light)));
}

class SpriteBlending : public GLTest {};

// Blending 2 darkens by the sprite first and then adds its colour, so a coloured
// texture darkens each channel by its own share; one average pass would not.
TEST_F(SpriteBlending, AverageSpritesDarkenByTheirTextureThenAddTheirColour) {
  UseTextures({{"effect\\splat", QColor(255, 128, 0)}});
  WriteBitmap("data/model/world/textures/grey.bmp", QColor(200, 200, 200));
  StartGL();
  Main().SetChecked("ShowSurfaces1", true);
  ASSERT_NE(Room().AddSurface({-3, 0, -3}, {3, 0, -3}, {3, 0, 3}, {-3, 0, 3}, "textures\\grey"), nullptr);
  auto* emitter = dynamic_cast<TEParticle*>(Room().AddEntity(typus::Fountain, {5.0f, 0.0f, 5.0f}, {}, 1.0f));
  ASSERT_NE(emitter, nullptr);
  emitter->ClearParticles();
  TSpriteStyle style;
  style.textureHandle = gl->FindTexture("effect\\splat");
  style.cellWidth = style.cellHeight = 8.0f;  // the whole 8 x 8 bitmap
  style.alpha = 0.4f;
  style.blendMode = 2;
  style.colour = {0.2f, 0.7f, 1.0f};
  // Lying flat a little above the floor, under the top view's camera.
  ASSERT_GE(emitter->AddSpriteParticle(1, {0.0f, 0.5f, 0.0f}, style, 1.0f, {0.0f, 0.0f, 90.0f}), 0);
  Room().Camera.Position = {0.0f, 2.0f, 0.0f};
  Room().Camera.Mode = TCamera::ModeTop;
  gl->DrawFrame();
  SaveFrame("sprite_average_top");
  const auto pixel = Pixel(300, 220);
  // 200 x (1 - 0.4 x texture) + 255 x 0.4 x colour x texture, per channel.
  const std::array<int, 3> expected = {200 - 80 + 20, 200 - 40 + 36, 200};
  for (int i = 0; i < 3; ++i)
    EXPECT_NEAR(pixel[static_cast<std::size_t>(i)], expected[static_cast<std::size_t>(i)], 4) << "component " << i;
  EXPECT_TRUE(host.caption.empty()) << host.caption;
}

}  // namespace
