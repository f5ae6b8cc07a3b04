// Sprites placed on the processor and batched must land on exactly the pixels GL's own
// matrices gave them one draw at a time.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>
#include <vector>

#include "render/edit_gl.h"
#include "render/gl_api.h"
#include "render/gl_matrix.h"
#include "render/gl_sprite_batch.h"
#include "render/offscreen_context.h"

namespace {

constexpr int Width = 640;
constexpr int Height = 480;

struct Sprite {
  float x, y, z;
  float yaw, pitch, roll;
  float size;
};

// A view as the editor sets one up: the side view's squashed depth, or a turned 3D eye.
using View = std::function<void()>;
const View SideView = [] {
  glTranslatef(-0.3f, -2.0f, -15.0f);
  glScalef(1.0f, 1.0f, 0.02f);
};
const View TurnedView = [] {
  glRotatef(-14.0f, 1.0f, 0.0f, 0.0f);
  glRotatef(-16.0f, 0.0f, 1.0f, 0.0f);
  glTranslatef(0.5f, -4.5f, -6.5f);
};

class SpriteBatchTest : public ::testing::Test {
protected:
  void SetUp() override {
    std::string error;
    context = OffscreenContext::Create(Width, Height, &error);
    ASSERT_NE(context, nullptr) << error;
    glViewport(0, 0, Width, Height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, 4.0 / 3.0, 0.2, 150.0);
    std::vector<std::uint8_t> texels(64 * 64 * 3);
    for (std::size_t i = 0; i < texels.size(); ++i) texels[i] = static_cast<std::uint8_t>(i * 37 % 251);
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, 64, 64, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
  }

  // A grey background with a depth step, so darkening and the depth test both show.
  void Background() const {
    glDepthMask(GL_TRUE);
    glClearColor(0.5f, 0.6f, 0.7f, 1.0f);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }

  static void Place(const Sprite& s, const std::function<void(float, float, float)>& translate,
                    const std::function<void(float, float, float, float)>& rotate) {
    translate(s.x, s.y, s.z);
    rotate(s.yaw + 180.0f, 0.0f, 1.0f, 0.0f);
    rotate(-s.pitch, 1.0f, 0.0f, 0.0f);
    rotate(-s.roll, 0.0f, 0.0f, 1.0f);
  }

  // Each sprite with GL's matrices and a draw (two, when averaged) of its own.
  std::vector<std::uint8_t> OneByOne(const View& view, const std::vector<Sprite>& sprites, bool averaged) const {
    Background();
    glDepthMask(GL_FALSE);
    glBindTexture(GL_TEXTURE_2D, texture);
    for (const Sprite& s : sprites) {
      glMatrixMode(GL_MODELVIEW);
      glLoadIdentity();
      view();
      Place(s, glTranslatef, glRotatef);
      const auto quad = [&] {
        glBegin(GL_QUADS);
        glTexCoord2f(0, 1), glVertex3f(0.0f, s.size, -s.size);
        glTexCoord2f(1, 1), glVertex3f(0.0f, s.size, s.size);
        glTexCoord2f(1, 0), glVertex3f(0.0f, -s.size, s.size);
        glTexCoord2f(0, 0), glVertex3f(0.0f, -s.size, -s.size);
        glEnd();
      };
      if (averaged) {
        TEditGL::SetBlendMode(3, 1.0, 1.0, 1.0, 0.4);
        quad();
      }
      TEditGL::SetBlendMode(1, 0.2, 0.7, 1.0, 0.4);
      quad();
    }
    glDepthMask(GL_TRUE);
    return context->ReadPixels();
  }

  std::vector<std::uint8_t> Batched(const View& view, const std::vector<Sprite>& sprites, bool averaged) const {
    Background();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    view();
    TSpriteBatch batch;
    batch.Begin();
    for (const Sprite& s : sprites) {
      TGLMatrix m = batch.View();
      Place(
          s, [&](float x, float y, float z) { m.Translate(x, y, z); },
          [&](float a, float x, float y, float z) { m.Rotate(a, x, y, z); });
      const TSpriteQuad quad = batch.Place(m, s.size, {0, 1, 1, 0});
      const auto add = TEditGL::BlendOf(1, 0.2, 0.7, 1.0, 0.4);
      if (averaged) {
        batch.Add(texture, TEditGL::BlendOf(3, 1.0, 1.0, 1.0, 0.4), add, quad);
      } else {
        batch.Add(texture, add, quad);
      }
    }
    batch.End();
    return context->ReadPixels();
  }

  // Drops over the view, overlapping and apart, some across its edges or behind the eye.
  static std::vector<Sprite> Drops(unsigned seed, int count) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    std::vector<Sprite> sprites;
    for (int i = 0; i < count; ++i)
      sprites.push_back({unit(random) * 9.0f, 2.0f + unit(random) * 5.0f, unit(random) * 12.0f, unit(random) * 180.0f,
                         unit(random) * 90.0f, unit(random) * 180.0f, 0.05f + (unit(random) + 1.0f) * 0.3f});
    return sprites;
  }

  static int Touched(const std::vector<std::uint8_t>& pixels, const std::vector<std::uint8_t>& background) {
    int n = 0;
    for (std::size_t i = 0; i < pixels.size(); i += 3) n += std::memcmp(&pixels[i], &background[i], 3) != 0;
    return n;
  }

  std::unique_ptr<OffscreenContext> context;
  GLuint texture = 0;
};

TEST_F(SpriteBatchTest, MatrixFollowsGLBitForBit) {
  std::mt19937 random(7);
  std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
  const float angles[] = {0.0f, 90.0f, -90.0f, 180.0f, 45.0f};
  for (int trial = 0; trial < 200; ++trial) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    (trial % 2 == 0 ? SideView : TurnedView)();
    TGLMatrix::Elements start{};
    glGetFloatv(GL_MODELVIEW_MATRIX, start.data());
    TGLMatrix mine(start);
    for (int step = 0; step < 4; ++step) {
      const float x = unit(random) * 10.0f, y = unit(random) * 10.0f, z = unit(random) * 10.0f;
      glTranslatef(x, y, z);
      mine.Translate(x, y, z);
      const float angle = trial % 3 == 0 ? angles[step % 5] : unit(random) * 360.0f;
      const float sign = unit(random) < 0.0f ? -1.0f : 1.0f;
      const int axis = (trial + step) % 3;
      glRotatef(angle, axis == 0 ? sign : 0.0f, axis == 1 ? sign : 0.0f, axis == 2 ? sign : 0.0f);
      mine.Rotate(angle, axis == 0 ? sign : 0.0f, axis == 1 ? sign : 0.0f, axis == 2 ? sign : 0.0f);
    }
    TGLMatrix::Elements gl{};
    glGetFloatv(GL_MODELVIEW_MATRIX, gl.data());
    // Compared as bits: equal floats are not enough for the same pixels.
    EXPECT_EQ(std::memcmp(gl.data(), mine.Values().data(), sizeof(gl)), 0) << "trial " << trial;
  }
}

TEST_F(SpriteBatchTest, AveragedDropsLandOnTheSamePixels) {
  Background();
  const auto background = context->ReadPixels();
  for (const auto& [view, seed] : {std::pair{SideView, 1u}, std::pair{TurnedView, 2u}, std::pair{SideView, 3u}}) {
    const auto sprites = Drops(seed, 400);
    const auto expected = OneByOne(view, sprites, true);
    ASSERT_GT(Touched(expected, background), 10000) << "the drops must cover part of the view";
    EXPECT_TRUE(Batched(view, sprites, true) == expected) << "seed " << seed;
  }
}

TEST_F(SpriteBatchTest, SinglePassSpritesLandOnTheSamePixels) {
  Background();
  const auto background = context->ReadPixels();
  const auto sprites = Drops(4, 200);
  const auto expected = OneByOne(TurnedView, sprites, false);
  ASSERT_GT(Touched(expected, background), 5000);
  EXPECT_TRUE(Batched(TurnedView, sprites, false) == expected);
}

}  // namespace
