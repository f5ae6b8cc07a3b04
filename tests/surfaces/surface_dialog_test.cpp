// The surface dialog through scripted modal runs: what it shows, what OK reads and how
// bad numbers are reported, the recomputation after it, and "Delete".
#include <string>

#include "room/room_fixture.h"
#include "surfaces/surface_main.h"
#include "surfaces/surface_textures.h"

namespace {

class CountingTextures : public SurfaceTextures {
public:
  void BuildTextures(TSurface&) override { ++built; }
  void UploadStoredTextures(TSurface&) override {}
  void DeleteTextures(TSurface&) override { ++deleted; }
  int built = 0, deleted = 0;
};

class SurfaceDialog : public RoomTest {
protected:
  SurfaceDialog() : surface(*room.AddSurface({0, 0, 0}, {3, 0, 0}, {3, 0, 1}, {0, 0, 1}, "textures\\wall")) {}
  ~SurfaceDialog() override { room.SurfaceTextureService = nullptr; }

  // Runs the dialog once with the user's typing and button.
  ModalResult Run(std::function<void(MemoryForm&)> typing, ModalResult button) {
    host.ScriptModal({std::move(typing), button});
    return surface.Edit();
  }
  MemoryForm& Form() { return host.Memory(FormId::Surface); }

  TSurface& surface;
};

TEST_F(SurfaceDialog, ShowsTheSurfaceWithTwoDecimalsAndIntegerSizes) {
  surface.name = "RAMP";
  EXPECT_EQ(Run(nullptr, ModalResult::Cancel), ModalResult::Cancel);
  EXPECT_EQ(host.modalRuns, std::vector<FormId>{FormId::Surface});
  MemoryForm& form = Form();
  EXPECT_EQ(form.Text("EditName"), "RAMP");
  EXPECT_EQ(form.Text("EditTextureName"), "textures\\wall");
  EXPECT_EQ(form.Text("EditTexPerMeterS"), "0.50");
  EXPECT_EQ(form.Text("Edit2S"), "1.50");  // 3 m at 0.5 repeats per metre
  EXPECT_EQ(form.Text("Edit3T"), "0.50");
  EXPECT_EQ(form.Text("EditLightMapWidth"), "16");
  EXPECT_EQ(form.Text("EditLightMapHeight"), "4");
  EXPECT_EQ(form.Text("EditLightMapTexPerMeter"), "4.00");
  EXPECT_EQ(surface.name.view(), "RAMP");
  EXPECT_TRUE(host.errors.empty());
}

TEST_F(SurfaceDialog, OkReadsEveryValueAndRecomputesTheDerivedOnes) {
  Run(
      [](MemoryForm& form) {
        form.SetText("EditName", std::string(40, 'N'));
        form.SetText("EditTextureName", "textures\\stone");
        form.SetText("EditTexPerMeterS", "2");
        form.SetText("EditTexPerMeterT", "1,5");
        form.SetText("Edit2S", "9");  // typed coordinates and sizes do not survive
        form.SetText("EditLightMapWidth", "128");
        form.SetText("EditLightMapTexPerMeter", "8");
      },
      ModalResult::Ok);
  EXPECT_TRUE(host.errors.empty());
  EXPECT_EQ(surface.name.view(), std::string(32, 'N'));
  EXPECT_EQ(surface.textureName.view(), "textures\\stone");
  EXPECT_FLOAT_EQ(surface.texPerMetreT, 1.5f);
  EXPECT_FLOAT_EQ(surface.corners[1].s, 6.0f);
  EXPECT_FLOAT_EQ(surface.corners[2].t, -0.5f);
  EXPECT_EQ(surface.lightMapWidth, 32);  // 3 m at 8 texels, to the next power of two
  EXPECT_EQ(surface.lightMapHeight, 8);

  // The next opening shows the recomputed values.
  Run(nullptr, ModalResult::Cancel);
  EXPECT_EQ(Form().Text("Edit2S"), "6.00");
  EXPECT_EQ(Form().Text("EditLightMapWidth"), "32");
}

TEST_F(SurfaceDialog, ABadNumberIsReportedKeepsItsValueAndTheRestIsRead) {
  Run(
      [](MemoryForm& form) {
        form.SetText("EditTexPerMeterS", "lots");
        form.SetText("EditTexPerMeterT", "0.25");
        form.SetText("EditLightMapHeight", "");
        form.SetText("EditLightMapTexPerMeter", "16");
      },
      ModalResult::Ok);
  ASSERT_EQ(Errors(), (std::vector<std::string>{"QZ_ENGINE: Error on converting value!",
                                                "QZ_ENGINE: Error on converting value!"}));
  EXPECT_FLOAT_EQ(surface.texPerMetreS, 0.5f);
  EXPECT_FLOAT_EQ(surface.texPerMetreT, 0.25f);
  EXPECT_FLOAT_EQ(surface.lightMapTexelsPerMetre, 16.0f);
  EXPECT_EQ(surface.lightMapWidth, 64);
  EXPECT_EQ(surface.lightMapHeight, 16);
}

TEST_F(SurfaceDialog, OnlyAnOkThatChangesTheLayoutRecomputesAndDeleteFreesWithoutRebuilding) {
  CountingTextures textures;
  room.SurfaceTextureService = &textures;
  // Stands for a baked map: a recomputation would lay it out and paint it anew.
  surface.lightMapWidth = 3;
  surface.lightMapHeight = 5;
  surface.lightMapPixels[0] = 77;
  Run([](MemoryForm& form) { form.SetText("EditTexPerMeterS", "9"); }, ModalResult::Cancel);
  EXPECT_FLOAT_EQ(surface.texPerMetreS, 0.5f);
  Run([](MemoryForm& form) { form.SetText("EditName", "RENAMED"); }, ModalResult::Ok);
  EXPECT_EQ(surface.name.view(), "RENAMED");
  EXPECT_EQ(textures.built, 0);
  EXPECT_EQ(surface.lightMapWidth, 3);
  EXPECT_EQ(surface.lightMapPixels[0], 77);

  Run([](MemoryForm& form) { form.SetText("EditLightMapTexPerMeter", "8"); }, ModalResult::Ok);
  EXPECT_EQ(textures.built, 1);
  EXPECT_TRUE(surface.texturesLoaded);
  EXPECT_NE(surface.lightMapWidth, 3);

  EXPECT_EQ(Run(nullptr, ModalResult::No), ModalResult::No);
  EXPECT_FALSE(surface.InUse());
  EXPECT_EQ(textures.built, 1);
  EXPECT_EQ(textures.deleted, 1);
  EXPECT_FALSE(surface.texturesLoaded);
}

}  // namespace
