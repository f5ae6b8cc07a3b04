#include <filesystem>
#include <fstream>

#include "core/binary_io.h"
#include "core/bmp_file.h"
#include "core/file_system.h"
#include "surfaces/bake_fixture.h"
#include "surfaces/model_texture_bake.h"
#include "surfaces/occlusion.h"

namespace {

class ModelTextureBake : public BakeTest {
protected:
  ModelTextureBake() {
    TVEModel& model = SquareModel();
    model.ModelName = "floor";
    model.SkinTextures[0] = 1;  // as if uploaded
    room.Diffuse = {0.5f, 1.0f, 2.0f};
    room.Ambience = {0.25f, 0.25f, 0.25f};
    std::filesystem::create_directories(fs_layer::ToHostPath(engine.ModelDir.view()));
  }

  TVEModel& Model() { return *engine.ModelEngine->GetModel(ModelSlot); }
  std::string TexturePath() const { return engine.ModelDir.str() + "floor.bmp"; }
  std::string UnlitPath() const { return engine.ModelDir.str() + "floor_temp.bmp"; }

  // 3 x 2 pixels: odd width exercises the row padding.
  void WriteTexture() const {
    TBmpImage image{3, 2, {200, 100, 50, 0, 0, 0, 255, 255, 255, 10, 20, 30, 40, 50, 60, 70, 80, 90}};
    ASSERT_FALSE(SaveBmp(TexturePath(), image).has_value());
  }
  TBmpImage Texture() const { return *LoadBmp(TexturePath()); }
};

struct HideAll : Occlusion {
  bool IsOccluded(std::int16_t skipEntity, std::int16_t, const TVector& from, const TVector& to) override {
    skipped = skipEntity;
    sun = from;
    targets.push_back(to);
    return true;
  }
  std::int16_t skipped = 0;
  TVector sun;
  std::vector<TVector> targets;
};

TEST_F(ModelTextureBake, SunlitPixelsTakeTheDiffuseColourClampedAt255) {
  WriteTexture();
  ASSERT_TRUE(BakeModelTexture(room, Model(), 3, nullptr, 2));
  const TBmpImage lit = Texture();
  ASSERT_EQ(lit.width, 3);
  ASSERT_EQ(lit.height, 2);
  EXPECT_EQ(std::vector<int>(lit.rgb.begin(), lit.rgb.begin() + 9), (std::vector<int>{100, 100, 100, 0, 0, 0, 128, 255, 255}));
  EXPECT_TRUE(host.errors.empty());
}

// A run-length palette texture, as the view reads it, bakes too (and is written back as 24 bits).
TEST_F(ModelTextureBake, ARunLengthPaletteTextureBakes) {
  BinaryWriter out;
  const std::uint8_t header[] = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0, 40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0,
                                 1, 0, 8, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0};
  out.WriteBytes(header);
  const std::uint8_t palette[] = {50, 100, 200, 0, 255, 255, 255, 0};  // BGRx: (200, 100, 50), white
  out.WriteBytes(palette);
  const std::uint8_t runs[] = {3, 0, 0, 0, 3, 1, 0, 1};  // bottom row index 0, top row index 1
  out.WriteBytes(runs);
  ASSERT_FALSE(fs_layer::WriteFileAtomic(TexturePath(), out.Take()).has_value());
  ASSERT_TRUE(BakeModelTexture(room, Model(), 3, nullptr, 2));
  const TBmpImage lit = Texture();
  ASSERT_EQ(lit.width, 3);
  EXPECT_EQ(std::vector<int>(lit.rgb.begin(), lit.rgb.begin() + 3), (std::vector<int>{128, 255, 255})) << "top row, white";
  EXPECT_EQ(std::vector<int>(lit.rgb.begin() + 9, lit.rgb.begin() + 12), (std::vector<int>{100, 100, 100}));
  EXPECT_TRUE(host.errors.empty());
}

TEST_F(ModelTextureBake, HiddenPixelsTakeTheAmbientColourAndTheSunStands100MetresOut) {
  WriteTexture();
  HideAll occlusion;
  ASSERT_TRUE(BakeModelTexture(room, Model(), 7, &occlusion, 1));
  EXPECT_EQ(Texture().rgb[0], 50);  // 200 x 0.25
  EXPECT_EQ(occlusion.skipped, 7);
  EXPECT_NEAR(std::sqrt(occlusion.sun.x * occlusion.sun.x + occlusion.sun.y * occlusion.sun.y +
                        occlusion.sun.z * occlusion.sun.z),
              100.0f, 1e-3f);
  // Towards the default sun direction (0, 0.7, 0.7).
  EXPECT_NEAR(occlusion.sun.y, occlusion.sun.z, 1e-3f);
  EXPECT_GT(occlusion.sun.y, 0.0f);
  // The image spans the room: corners at -30 and +30.
  ASSERT_EQ(occlusion.targets.size(), 6u);
  EXPECT_EQ(occlusion.targets.front(), (TVector{-30, 0, -30}));
  EXPECT_EQ(occlusion.targets.back(), (TVector{30, 0, 30}));
}

TEST_F(ModelTextureBake, RepeatedBakesStartFromTheUnlitCopy) {
  WriteTexture();
  const TBmpImage original = Texture();
  ASSERT_TRUE(BakeModelTexture(room, Model(), -1, nullptr, 2));
  const TBmpImage first = Texture();
  ASSERT_TRUE(BakeModelTexture(room, Model(), -1, nullptr, 2));
  EXPECT_EQ(Texture().rgb, first.rgb);
  EXPECT_NE(first.rgb, original.rgb);
  EXPECT_EQ(LoadBmp(UnlitPath())->rgb, original.rgb);
}

TEST_F(ModelTextureBake, ACancelledBakeLeavesTheBitmapOnDiskAsItWas) {
  WriteTexture();
  const TBmpImage original = Texture();
  // The designer cancels once the panel has shown and the first row is done.
  host.onProcessEvents = [this, seen = 0]() mutable {
    if (++seen == 2) host.cancelRequested = true;
  };
  EXPECT_TRUE(BakeModelTexture(room, Model(), -1, nullptr, 1));
  EXPECT_EQ(Texture().rgb, original.rgb);
  EXPECT_TRUE(host.errors.empty());
  host.onProcessEvents = nullptr;
  ASSERT_TRUE(BakeModelTexture(room, Model(), -1, nullptr, 1));
  EXPECT_NE(Texture().rgb, original.rgb) << "the next bake runs to its end";
}

TEST_F(ModelTextureBake, TheCaptionShowsTheRowAndComesBack) {
  WriteTexture();
  std::vector<std::string> captions;
  host.onProcessEvents = [&] { captions.push_back(Main().Text("GroupBoxLight")); };
  ASSERT_TRUE(BakeModelTexture(room, Model(), -1, nullptr, 1));
  host.onProcessEvents = nullptr;
  EXPECT_EQ(captions, (std::vector<std::string>{"", "Line: 0", "Line: 1"}));
  EXPECT_EQ(Main().Text("GroupBoxLight"), "Computing Surface Lighting");
  EXPECT_FALSE(Main().Visible("PanelSurface"));
}

TEST_F(ModelTextureBake, AModelWithoutTextureIsLeftAlone) {
  Model().SkinTextures[0] = NoTexture;
  EXPECT_TRUE(BakeModelTexture(room, Model(), -1, nullptr, 1));
  EXPECT_FALSE(std::filesystem::exists(fs_layer::ToHostPath(UnlitPath())));
  EXPECT_TRUE(host.errors.empty());
}

TEST_F(ModelTextureBake, MissingOrDamagedImagesAreReportedAndNothingIsWritten) {
  EXPECT_FALSE(BakeModelTexture(room, Model(), -1, nullptr, 1));
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_EQ(host.errors[0].tag, "QZ_TEXTURE");
  EXPECT_FALSE(std::filesystem::exists(fs_layer::ToHostPath(TexturePath())));

  std::ofstream(fs_layer::ToHostPath(UnlitPath()), std::ios::binary) << "BM not really";
  EXPECT_FALSE(BakeModelTexture(room, Model(), -1, nullptr, 1));
  EXPECT_EQ(host.errors.size(), 2u);
  EXPECT_FALSE(std::filesystem::exists(fs_layer::ToHostPath(TexturePath())));
}

}  // namespace
