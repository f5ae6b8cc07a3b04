#include <cmath>

#include "gl_fixture.h"
#include "render/glExt.h"

namespace {

using TextureTable = GLTest;

TEST_F(TextureTable, ListsContinueAfterAnEmptyLineAndIgnoreTextOutsideALists) {
  WriteBitmap("art/a.bmp", Qt::red);
  WriteBitmap("art/b.bmp", Qt::green);
  WriteBitmap("art/c.bmp", Qt::blue);
  WriteTextureList("comment line\n[TEXTURE_FILENAME]\na\nb\n\nnot a texture\n[TEXTURE_FILENAME]\nc\n");
  StartGL();
  EXPECT_EQ(gl->TextureCount(), 3);
  EXPECT_EQ(gl->TextureSlot(1).Name, "a");
  EXPECT_EQ(gl->TextureSlot(3).Name, "c");
  EXPECT_TRUE(gl->TextureSlot(3).Loaded);
  EXPECT_EQ(gl->FindTexture("c"), 3);
  EXPECT_TRUE(Errors().empty());
}

TEST_F(TextureTable, AMissingBitmapStopsLoadingWithoutCountOrFixedSlots) {
  UseTextures({{"effect\\shadow", Qt::gray}});
  WriteTextureList("[TEXTURE_FILENAME]\neffect\\shadow\nmissing \nlater\n");
  gl->ResizeGLScene(Width, Height);
  gl->InitGLState();
  // Trailing blanks are part of the name, so "missing " names a file that is not there.
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_EQ(host.errors[0].tag, "QZ_FILE");
  EXPECT_NE(host.errors[0].text.find("missing .bmp"), std::string::npos);
  EXPECT_EQ(gl->TextureCount(), 0);
  EXPECT_TRUE(gl->TextureSlot(1).Loaded);
  EXPECT_EQ(gl->FixedTextures().Shadow, -1);
}

TEST_F(TextureTable, MissingListLoadsNothingAfterTheFileMessage) {
  gl->InitGLState();
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_EQ(host.errors[0].tag, "QZ_FILE");
  EXPECT_EQ(gl->TextureCount(), 0);
}

TEST_F(TextureTable, FixedSlotsAreResolvedAndUnknownOnesAreReported) {
  UseTextures({{"world\\water\\water", Qt::blue}, {"effect\\flare\\center", Qt::white}, {"effect\\shadow", Qt::gray}});
  gl->ResizeGLScene(Width, Height);
  gl->InitGLState();
  const TFixedTextures& fixed = gl->FixedTextures();
  EXPECT_EQ(fixed.Water, 1);
  EXPECT_EQ(fixed.FlareCenter, 2);
  EXPECT_EQ(fixed.Shadow, 3);
  EXPECT_EQ(fixed.Water2, -1);
  // Ten fixed names are missing; each says so.
  EXPECT_EQ(host.errors.size(), 10u);
  EXPECT_EQ(Errors()[0], "QZ_TEXTURE: Texture \"menu\\frame\\horizontal\" not found!");
}

TEST_F(TextureTable, NamesCompareByTheirFirst32Characters) {
  const std::string name32 = "textures\\abcdefghijklmnopqrstuvw";  // 32 characters
  const std::string name40 = name32 + "xyz12345";
  ASSERT_EQ(name32.size(), 32u);
  WriteBitmap("art/textures/abcdefghijklmnopqrstuvw.bmp", Qt::red);
  WriteBitmap("art/textures/abcdefghijklmnopqrstuvwxyz12345.bmp", Qt::green);
  WriteTextureList("[TEXTURE_FILENAME]\n" + name40 + "\n" + name32 + "\n");
  StartGL();
  // A stored 40-character name is never found; a 40-character request finds the 32-character one.
  EXPECT_EQ(gl->FindTexture(name40), 2);
  EXPECT_EQ(gl->FindTexture(name32), 2);
  EXPECT_TRUE(Errors().empty());
  EXPECT_EQ(gl->FindTexture("Textures\\abcdefghijklmnopqrstuvw"), -1);
  EXPECT_EQ(Errors().back(), "QZ_TEXTURE: Texture \"Textures\\abcdefghijklmnopqrstuvw\" not found!");
}

TEST_F(TextureTable, AListLongerThanTheTableStopsAtSlot100) {
  std::string list = "[TEXTURE_FILENAME]\n";
  WriteBitmap("art/t.bmp", Qt::red);
  for (int i = 0; i < 105; ++i) list += "t\n";
  WriteTextureList(list);
  StartGL();
  EXPECT_EQ(gl->TextureCount(), 100);
  EXPECT_TRUE(gl->TextureSlot(100).Loaded);
}

TEST_F(TextureTable, FillTextureListNamesTheLoadedSlotsInOrder) {
  UseTextures({{"a", Qt::red}, {"b", Qt::green}});
  StartGL();
  gl->FillTextureList(Main(), "CBSurfaceTexture");
  EXPECT_EQ(Main().Items("CBSurfaceTexture"), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(Main().Inspect("CBSurfaceTexture").dropDownCount, 22);
}

TEST_F(TextureTable, BitmapsOfEveryDepthLoadAsTextures) {
  StartGL();
  for (const auto format : {QImage::Format_Indexed8, QImage::Format_RGB888, QImage::Format_ARGB32}) {
    WriteBitmap("art/depth.bmp", QColor(200, 100, 50), 4, 2, format);
    GLuint name = 0;
    ASSERT_TRUE(gl->LoadBitmapTexture(dir.Path() + "/art/depth.bmp", name));
    std::array<unsigned char, 4 * 2 * 3> texels{};
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    EXPECT_EQ(texels[0], 200);
    EXPECT_EQ(texels[1], 100);
    EXPECT_EQ(texels[2], 50);
    gl->DeleteTexture(name);
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureTable, UnreadableOrMissingBitmapsCreateNoTexture) {
  StartGL();
  dir.Write("art/broken.bmp", "BM this is not a bitmap");
  GLuint name = 12345;
  EXPECT_FALSE(gl->LoadBitmapTexture(dir.Path() + "/art/broken.bmp", name));
  EXPECT_EQ(name, 12345u);
  EXPECT_EQ(gl->LoadBitmapTexture(dir.Path() + "/art/none.bmp"), NoTexture);
  EXPECT_EQ(host.errors.back().tag, "QZ_FILE");
}

TEST_F(TextureTable, RGBTexturesKeepTheirBytesAndRefuseShortBuffers) {
  StartGL();
  const std::vector<std::uint8_t> pixels{10, 20, 30, 40, 50, 60, 70, 80, 90};  // 3 x 1, not 4-byte rows
  const GLuint name = TEditGL::CreateRGBTexture(pixels, 3, 1);
  ASSERT_NE(name, 0u);
  std::array<unsigned char, 9> texels{};
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
  EXPECT_TRUE(std::equal(pixels.begin(), pixels.end(), texels.begin()));
  GLint wrap = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
  EXPECT_EQ(wrap, GL_CLAMP);
  EXPECT_EQ(TEditGL::CreateRGBTexture(pixels, 2, 2), 0u);
}

// Over a long session GL's names climb past 9999, the editor's "no texture".
TEST_F(TextureTable, NoTextureIsNeverHandedOutAsARealName) {
  StartGL();
  GLuint last = 0;
  glGenTextures(1, &last);
  ASSERT_LT(last, 9998u);
  std::vector<GLuint> names(9998 - last);
  glGenTextures(static_cast<GLsizei>(names.size()), names.data());
  ASSERT_EQ(names.back(), 9998u) << "GL no longer hands out names in order; this test needs a new way there";
  const std::vector<std::uint8_t> pixel{1, 2, 3};
  const GLuint name = TEditGL::CreateRGBTexture(pixel, 1, 1);
  EXPECT_NE(name, 9999u);
  EXPECT_NE(name, 0u);
  EXPECT_TRUE(glIsTexture(name));
}

using GLState = GLTest;

TEST_F(GLState, LightingNeedsTheMenuItemToo) {
  StartGL();
  gl->SetGLStates(true, false, false, false, true, false, false);
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  Main().SetChecked("Lighting1", true);
  gl->SetGLStates(false, true, true, true, true, true, true);
  for (const GLenum on : {GL_BLEND, GL_FOG, GL_COLOR_MATERIAL, GL_LIGHTING, GL_CULL_FACE, GL_TEXTURE_2D}) {
    EXPECT_TRUE(glIsEnabled(on)) << on;
  }
  EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
}

TEST_F(GLState, BlendModesSetFactorsAndColour) {
  StartGL();
  const auto check = [](int mode, GLint source, GLint dest, std::array<float, 4> colour) {
    TEditGL::SetBlendMode(mode, 0.5, 0.25, 1.0, 0.5);
    GLint s = 0, d = 0;
    glGetIntegerv(GL_BLEND_SRC, &s);
    glGetIntegerv(GL_BLEND_DST, &d);
    std::array<float, 4> current{};
    glGetFloatv(GL_CURRENT_COLOR, current.data());
    EXPECT_EQ(s, source) << "mode " << mode;
    EXPECT_EQ(d, dest) << "mode " << mode;
    for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(current[i], colour[i]) << "mode " << mode << " component " << i;
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
  };
  check(0, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, {0.5f, 0.25f, 1.0f, 0.5f});
  check(1, GL_SRC_ALPHA, GL_ONE, {0.5f, 0.25f, 1.0f, 0.5f});
  check(2, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, {0.5f, 0.25f, 1.0f, 0.5f});
  check(3, GL_ZERO, GL_ONE_MINUS_SRC_COLOR, {0.25f, 0.125f, 0.5f, 0.5f});
  check(4, GL_SRC_ALPHA_SATURATE, GL_ONE_MINUS_DST_ALPHA, {0.5f, 0.25f, 1.0f, 0.5f});
  // Another number only switches blending on and leaves function and colour alone.
  glDisable(GL_BLEND);
  check(7, GL_SRC_ALPHA_SATURATE, GL_ONE_MINUS_DST_ALPHA, {0.5f, 0.25f, 1.0f, 0.5f});
}

// The vertical field of view of the current projection, in degrees.
double FieldOfView() {
  std::array<double, 16> m{};
  glGetDoublev(GL_PROJECTION_MATRIX, m.data());
  return 2.0 * std::atan(1.0 / m[5]) * 180.0 / 3.14159265358979;
}

TEST_F(GLState, ZoomNarrowsTheFlatViewsOnly) {
  StartGL();
  TCamera& camera = Room().Camera;
  camera.Mode = TCamera::ModeTop;
  camera.Zoom = 2.0f;
  gl->SetViewProjection();
  EXPECT_NEAR(FieldOfView(), 22.5, 1e-4);
  camera.Mode = TCamera::Mode3D;
  gl->SetViewProjection();
  EXPECT_NEAR(FieldOfView(), 45.0, 1e-4);
  camera.Mode = TCamera::ModeSide;
  camera.Zoom = 0.0f;  // never a division by zero
  gl->SetViewProjection();
  EXPECT_NEAR(FieldOfView(), 45.0, 1e-4);
}

TEST_F(GLState, AZeroHighPanelGetsAOnePixelViewport) {
  gl->ResizeGLScene(300, 0);
  std::array<GLint, 4> viewport{};
  glGetIntegerv(GL_VIEWPORT, viewport.data());
  EXPECT_EQ(viewport[2], 300);
  EXPECT_EQ(viewport[3], 1);
  EXPECT_EQ(gl->ViewHeight(), 1);
}

TEST(Extensions, OnlyWholeWordsCount) {
  const std::string_view list = "GL_EXT_texture3D GL_ARB_multitexture GL_EXT_texture";
  EXPECT_TRUE(ExtensionListed(list, "GL_ARB_multitexture"));
  EXPECT_TRUE(ExtensionListed(list, "GL_EXT_texture"));  // found after a longer prefix match
  EXPECT_TRUE(ExtensionListed(list, "GL_EXT_texture3D"));
  EXPECT_FALSE(ExtensionListed(list, "GL_ARB_multi"));
  EXPECT_FALSE(ExtensionListed(list, "texture3D"));
  EXPECT_FALSE(ExtensionListed(list, ""));
  EXPECT_FALSE(ExtensionListed(list, "GL_EXT_texture3D GL_ARB_multitexture"));
}

using Multitexture = GLTest;

TEST_F(Multitexture, TwoNoTexturesLeaveBothUnitsOffWithUnitOneActive) {
  StartGL();
  TMultitexture& units = gl->Multitexture();
  ASSERT_TRUE(units.Available());
  EXPECT_GE(units.MaxTextureUnits(), 2);
  units.SetTwoTextures(TMultitexture::NoTexture, TMultitexture::NoTexture);
  GLint active = 0;
  glGetIntegerv(GL_ACTIVE_TEXTURE_ARB, &active);
  EXPECT_EQ(active, GL_TEXTURE1_ARB);
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  units.EndMultitexture();
  glGetIntegerv(GL_ACTIVE_TEXTURE_ARB, &active);
  EXPECT_EQ(active, GL_TEXTURE0_ARB);
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

TEST_F(Multitexture, WithoutTheExtensionTheFirstTextureStillBinds) {
  StartGL();
  TMultitexture single;  // never initialised: as on a driver without the extension
  GLuint name = 0;
  glGenTextures(1, &name);
  single.SetTwoTextures(name, 7);
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(static_cast<GLuint>(bound), name);
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  single.EndMultitexture();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
