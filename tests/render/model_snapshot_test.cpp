// The Models dock's and the preview's pictures: every model of the sample world's
// catalogue drawn alone, framed, into a small framebuffer; a damaged model draws what
// it can (or nothing) without a GL error.
#include <gtest/gtest.h>

#include <set>

#include "gl_fixture.h"
#include "models/edit_model.h"
#include "render/model_snapshot.h"
#include "support/square_model.h"

namespace {

constexpr int Side = 64;

std::size_t Colours() {
  std::vector<unsigned char> pixels(Side * Side * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, Side, Side, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
  std::set<unsigned> seen;
  for (std::size_t i = 0; i + 2 < pixels.size(); i += 3) seen.insert(pixels[i] << 16u | pixels[i + 1] << 8u | pixels[i + 2]);
  return seen.size();
}

class SnapshotDrawing : public GLTest {
protected:
  std::string GameDirectory() const override { return BRANNOCK_SAMPLE_DIR; }
};

TEST_F(SnapshotDrawing, EveryModelOfTheCatalogueDrawsFramedWithoutAGLError) {
  StartGL();
  engine->StartUp();
  TModelEngine& models = *engine->ModelEngine;
  int drawn = 0;
  for (std::int16_t slot = 1; slot <= models.Count; ++slot) {
    const TVEModel* model = models.GetModel(slot);
    if (!model || !model->Loaded) continue;
    SCOPED_TRACE(model->DisplayName.str());
    ASSERT_TRUE(DrawModelSnapshot(*gl, {slot, 30.0f, -1, 1.0f, Side, Side}));
    EXPECT_GT(Colours(), 1u) << "something besides the backdrop";
    // Turned and animated, too.
    const std::int16_t animation = model->Animations.empty() ? -1 : 0;
    EXPECT_TRUE(DrawModelSnapshot(*gl, {slot, 200.0f, animation, 3.0f, Side, Side}));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    ++drawn;
  }
  EXPECT_GT(drawn, 10);
  SaveFrame("model_snapshot_last");
}

TEST_F(SnapshotDrawing, DamagedAndMissingModelsDrawNoMoreThanTheyHold) {
  StartGL();
  EXPECT_FALSE(DrawModelSnapshot(*gl, {0, 30.0f, -1, 1.0f, Side, Side})) << "no slot";
  EXPECT_FALSE(DrawModelSnapshot(*gl, {1, 30.0f, -1, 1.0f, Side, Side})) << "an empty slot";
  TVEModel& model = MakeSquareModel(*engine->ModelEngine->GetModel(1));
  model.Triangles[1].Indices = {0, 7, 65535};  // corners past the vertices
  model.Groups.push_back({});
  model.Groups[1].Triangles = {0, 9};  // a triangle past the list
  model.Groups[1].Material = 40;       // a material past the list
  model.Materials[0].HasTexture = true;
  model.Materials[0].TextureNumber = 1000;
  EXPECT_TRUE(DrawModelSnapshot(*gl, {1, 30.0f, 5, 1000.0f, Side, Side}));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  // A model of no extent at all still gets an eye in front of it.
  for (TMS3DVertex& vertex : model.Vertices) vertex.Position = {};
  EXPECT_TRUE(DrawModelSnapshot(*gl, {1, 30.0f, -1, 1.0f, Side, Side}));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
