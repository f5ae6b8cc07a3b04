#include "room/room_fixture.h"

namespace {

class RoomDialog : public RoomTest {
protected:
  void Run(std::function<void(MemoryForm&)> edit, ModalResult result = ModalResult::Ok) {
    host.ScriptModal({std::move(edit), result});
    room.EditAttributes();
  }
};

TEST_F(RoomDialog, FillsEveryControl) {
  room.FogDensity = 0.12345f;
  room.TileList[0] = "object\\a";
  room.TileList[2] = "object\\c";
  Run([](MemoryForm& form) {
    EXPECT_EQ(form.Text("EditName"), "ROOM");
    EXPECT_EQ(form.Text("EditSizeX"), "1");
    EXPECT_EQ(form.Text("EditFogDensity"), "0.1235");
    EXPECT_EQ(form.Text("EditWaterDensity"), "0.5000");
    EXPECT_EQ(form.Text("EditWaterG"), "0.30");
    EXPECT_EQ(form.Color("BtnWaterColor"), 0x004DFFu);
    EXPECT_EQ(form.Text("EditLightY"), "0.70");
    EXPECT_EQ(form.Text("EditWaterToZ"), "60");
    EXPECT_EQ(form.Items("ListBoxTiles"), (std::vector<std::string>{"object\\a", "object\\c"}));
    EXPECT_EQ(form.Inspect("CBEnvironment").dropDownCount, 99);
  }, ModalResult::Cancel);
  EXPECT_EQ(room.TileList[2].str(), "object\\c");  // cancel keeps everything
}

TEST_F(RoomDialog, OkReadsBackAndPacksTheTileList) {
  Run([](MemoryForm& form) {
    form.SetText("EditName", std::string(40, 'n'));
    form.SetText("EditSizeZ", "3");
    form.SetText("EditFogEndDist", "42,5");
    form.SetText("CBSkyBoxTexture", "sky\\night");
    form.SetText("EditWaterToX", "12");
    form.SetItems("ListBoxTiles", {"object\\b", "object\\d"});
  });
  // The tile models are not in the empty test directory: only the catalogue reports.
  for (const auto& error : host.errors) EXPECT_EQ(error.tag, "QZ_FILE");
  EXPECT_EQ(room.Name.size(), 32u);
  EXPECT_EQ(room.SizeZ, 3);
  EXPECT_EQ(room.FogEndDist, 42.5f);
  EXPECT_EQ(room.SkyBoxTexture.str(), "sky\\night");
  EXPECT_EQ(room.SkyTexture, -1);  // no texture table in the tests
  EXPECT_EQ(room.WaterToX, 12);
  EXPECT_EQ(room.TileList[0].str(), "object\\b");
  EXPECT_EQ(room.TileList[1].str(), "object\\d");
  EXPECT_TRUE(room.TileList[2].empty());
}

TEST_F(RoomDialog, ABadPlainNumberStopsTheReading) {
  room.TileList[0] = "object\\a";
  Run([](MemoryForm& form) {
    form.SetText("EditName", "NEW");
    form.SetText("EditRegion", "NORTH");
    form.SetText("EditSizeX", "5");
    form.SetText("EditSizeZ", "five");
    form.SetText("EditEffectIntensity", "9");
    form.SetItems("ListBoxTiles", {});
  });
  EXPECT_EQ(Errors(), std::vector<std::string>{"QZ_ROOM: Error on converting values!"});
  EXPECT_EQ(room.Name.str(), "NEW");
  EXPECT_EQ(room.RegionName.str(), "NORTH");
  EXPECT_EQ(room.SizeX, 5);
  EXPECT_EQ(room.SizeZ, 1);
  EXPECT_EQ(room.EffectIntensity, 1.0f);
  EXPECT_EQ(room.TileList[0].str(), "object\\a");  // not refreshed
}

TEST_F(RoomDialog, ColoursAndTheWaterRectangleReportAndGoOn) {
  Run([](MemoryForm& form) {
    form.SetText("EditFogR", "0.5");
    form.SetText("EditFogG", "x");
    form.SetText("EditWaterFromX", "");
    form.SetText("EditWaterFromZ", "7");
    form.SetText("EditWaterDensity", "0.25");
  });
  EXPECT_EQ(Errors(), (std::vector<std::string>{"QZ_ENGINE: Error on converting values!",
                                                "QZ_ENGINE: Error on converting value!"}));
  EXPECT_EQ(room.FogColor, (TVector{0.5f, 1.0f, 1.0f}));
  EXPECT_EQ(room.WaterDensity, 0.25f);
  EXPECT_EQ(room.WaterFromX, 0);
  EXPECT_EQ(room.WaterFromZ, 7);
}

}  // namespace
