#pragma once
// An engine with a started room drawing into an offscreen context (640 x 480 unless a
// fixture picks another panel size), in a throw-away game directory. Pixels are
// addressed like the virtual screen: (0, 0) is the top left.

#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <filesystem>
#include <array>
#include <memory>
#include <string>

#include "core/headless_host.h"
#include "engine/edit_engine.h"
#include "render/edit_gl.h"
#include "render/gl_surface_textures.h"
#include "render/offscreen_context.h"
#include "room/edit_room.h"
#include "support/temp_game_dir.h"

class GLTest : public ::testing::Test {
protected:
  static constexpr int Width = 640;
  static constexpr int Height = 480;

  void SetUp() override {
    std::string error;
    context = OffscreenContext::Create(viewWidth, viewHeight, &error);
    ASSERT_NE(context, nullptr) << error;
    engine = std::make_unique<TQZEngine>(host, GameDirectory());
    gl = std::make_unique<TEditGL>(*engine, context->ProcLookup());
    Room().InitRoom();
    // Light maps come out white, so surfaces show their plain texture.
    gl->SurfaceTextureUploads().SetLightMapComputer(
        [](TSurface& surface) { std::fill(surface.lightMapPixels.begin(), surface.lightMapPixels.end(), 255); });
  }

  void TearDown() override {
    if (gl) gl->ShutdownGL();
    gl.reset();
    engine.reset();
  }

  // Where the engine reads its game data: a fresh directory the test fills.
  virtual std::string GameDirectory() const { return dir.Path(); }

  // Texture list and bitmaps below art/; then the GL state as the window sets it up.
  void StartGL() {
    gl->ResizeGLScene(viewWidth, viewHeight);
    gl->InitGLState();
    gl->Attach();
    host.errors.clear();
  }

  void WriteBitmap(const std::string& relative, QColor color, int width = 8, int height = 8,
                   QImage::Format format = QImage::Format_RGB888) const {
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(color);
    const std::string path = dir.Path() + "/" + relative;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    ASSERT_TRUE(image.convertToFormat(format).save(QString::fromStdString(path), "BMP"));
  }

  void WriteTextureList(const std::string& content) const { dir.Write("art/loadtexture.ini", content); }

  // Lists the names and writes each as a flat bitmap of the given colour.
  void UseTextures(const std::vector<std::pair<std::string, QColor>>& textures) {
    std::string list = "[TEXTURE_FILENAME]\n";
    for (const auto& [name, color] : textures) {
      list += name + "\n";
      std::string relative = "art/" + name + ".bmp";
      std::replace(relative.begin(), relative.end(), '\\', '/');
      WriteBitmap(relative, color);
    }
    WriteTextureList(list);
  }

  MemoryForm& Main() { return host.Memory(FormId::Main); }
  TRoom& Room() { return *engine->Room; }

  std::array<int, 3> Pixel(int x, int y) const {
    std::array<unsigned char, 3> rgb{};
    glReadPixels(x, Height - 1 - y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return {rgb[0], rgb[1], rgb[2]};
  }

  void SaveFrame(const std::string& name) const {
    EXPECT_TRUE(context->SavePng(std::string(BRANNOCK_RENDER_ARTIFACT_DIR) + "/" + name + ".png"));
  }

  std::vector<std::string> Errors() const {
    std::vector<std::string> texts;
    for (const auto& error : host.errors) texts.push_back(error.Full());
    return texts;
  }

  // The panel's size; a fixture may change it before SetUp.
  int viewWidth = Width;
  int viewHeight = Height;
  TempGameDir dir;
  HeadlessHost host;
  std::unique_ptr<OffscreenContext> context;
  std::unique_ptr<TQZEngine> engine;
  std::unique_ptr<TEditGL> gl;
};
