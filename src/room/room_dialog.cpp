// The room dialog. Plain numbers stop the reading at the first that does not convert
// ("QZ_ROOM"); colours and the water rectangle go through the engine's readers, which
// report on their own and let the reading go on.

#include "core/conversion_block.h"
#include "core/dialog_values.h"
#include "engine/edit_engine.h"
#include "room/edit_room.h"
#include "room/texture_lookup.h"

void TRoom::ShowAttributes(Form& form) {
  TQZEngine& engine = Engine;
  if (Textures) Textures->FillTextureList(form, "CBSkyBoxTexture");
  form.SetDropDownCount("CBEnvironment", 99);

  form.SetText("EditName", Name.view());
  form.SetText("EditRegion", RegionName.view());
  engine.ShowInt(form, "EditSizeX", SizeX);
  engine.ShowInt(form, "EditSizeZ", SizeZ);
  dialog_values::ShowListIndex(form, "CBEnvironment", Environment);
  dialog_values::ShowListIndex(form, "CBEffect", Effect);
  engine.ShowFloat(form, "EditEffectIntensity", EffectIntensity);
  dialog_values::ShowListIndex(form, "CBRegion", Region);
  engine.ShowInt(form, "EditMapPosX", MapPosX);
  engine.ShowInt(form, "EditMapPosZ", MapPosZ);
  engine.ShowVector(form, Ambience, "EditAmbienceR", "EditAmbienceG", "EditAmbienceB", "BtnColorAmbience");
  engine.ShowVector(form, Diffuse, "EditDiffuseR", "EditDiffuseG", "EditDiffuseB", "BtnColorDiffuse");
  engine.ShowFloat(form, "EditLightX", LightPos.x);
  engine.ShowFloat(form, "EditLightY", LightPos.y);
  engine.ShowFloat(form, "EditLightZ", LightPos.z);
  dialog_values::ShowListIndex(form, "CBFogTypus", FogTypus);
  engine.ShowFloat(form, "EditFogDensity", FogDensity, 4);
  engine.ShowFloat(form, "EditFogStartDist", FogStartDist);
  engine.ShowFloat(form, "EditFogEndDist", FogEndDist);
  engine.ShowVector(form, FogColor, "EditFogR", "EditFogG", "EditFogB", "BtnFogColor");
  form.SetText("CBSkyBoxTexture", SkyBoxTexture.view());
  dialog_values::ShowListIndex(form, "CBWeatherEffect", WeatherEffect);
  dialog_values::ShowListIndex(form, "CBSunFlare", SunFlare);
  engine.ShowFloat(form, "EditSunFlareIntensity", SunFlareIntensity);
  engine.ShowFloat(form, "EditSunFlareSize", SunFlareSize);
  dialog_values::ShowListIndex(form, "CBWaterMaterial", WaterMaterial);
  engine.ShowFloat(form, "EditWaterHeight", WaterHeight);
  engine.ShowVector(form, WaterColor, "EditWaterR", "EditWaterG", "EditWaterB", "BtnWaterColor");
  engine.ShowFloat(form, "EditWaterDensity", WaterDensity, 4);
  engine.ShowInt(form, "EditWaterFromX", WaterFromX);
  engine.ShowInt(form, "EditWaterFromZ", WaterFromZ);
  engine.ShowInt(form, "EditWaterToX", WaterToX);
  engine.ShowInt(form, "EditWaterToZ", WaterToZ);

  std::vector<std::string> tiles;
  for (const auto& tile : TileList) {
    if (!tile.empty()) tiles.push_back(tile.str());
  }
  form.SetItems("ListBoxTiles", tiles);
}

// False when a plain number did not convert; the fields after it keep their values.
bool TRoom::ReadAttributes(Form& form) {
  TQZEngine& engine = Engine;
  ConversionBlock read(engine.GetHost(), form, "QZ_ROOM");
  Name = String32(form.Text("EditName"));  // the edit holds at most 32 characters
  RegionName = form.Text("EditRegion");
  if (!read.Int("EditSizeX", SizeX) || !read.Int("EditSizeZ", SizeZ)) return false;
  Environment = dialog_values::ReadListIndex(form, "CBEnvironment", Environment);
  Effect = dialog_values::ReadListIndex(form, "CBEffect", Effect);
  if (!read.Float("EditEffectIntensity", EffectIntensity)) return false;
  Region = dialog_values::ReadListIndex(form, "CBRegion", Region);
  if (!read.Int("EditMapPosX", MapPosX) || !read.Int("EditMapPosZ", MapPosZ)) return false;
  engine.ReadVector(form, Ambience, "EditAmbienceR", "EditAmbienceG", "EditAmbienceB");
  engine.ReadVector(form, Diffuse, "EditDiffuseR", "EditDiffuseG", "EditDiffuseB");
  if (!read.Vector("EditLightX", "EditLightY", "EditLightZ", LightPos)) return false;
  FogTypus = dialog_values::ReadListIndex(form, "CBFogTypus", FogTypus);
  if (!read.Float("EditFogDensity", FogDensity) || !read.Float("EditFogStartDist", FogStartDist) ||
      !read.Float("EditFogEndDist", FogEndDist))
    return false;
  engine.ReadVector(form, FogColor, "EditFogR", "EditFogG", "EditFogB");
  SkyBoxTexture = form.Text("CBSkyBoxTexture");
  WeatherEffect = dialog_values::ReadListIndex(form, "CBWeatherEffect", WeatherEffect);
  SunFlare = dialog_values::ReadListIndex(form, "CBSunFlare", SunFlare);
  if (!read.Float("EditSunFlareIntensity", SunFlareIntensity) || !read.Float("EditSunFlareSize", SunFlareSize))
    return false;
  WaterMaterial = dialog_values::ReadListIndex(form, "CBWaterMaterial", WaterMaterial);
  if (!read.Float("EditWaterHeight", WaterHeight)) return false;
  engine.ReadVector(form, WaterColor, "EditWaterR", "EditWaterG", "EditWaterB");
  if (!read.Float("EditWaterDensity", WaterDensity)) return false;
  engine.ReadInt(form, "EditWaterFromX", WaterFromX);
  engine.ReadInt(form, "EditWaterFromZ", WaterFromZ);
  engine.ReadInt(form, "EditWaterToX", WaterToX);
  engine.ReadInt(form, "EditWaterToZ", WaterToZ);
  return true;
}

void TRoom::EditAttributes() {
  Host& host = Engine.GetHost();
  Form& form = host.GetForm(FormId::Room);
  ShowAttributes(form);
  if (host.RunModal(FormId::Room) != ModalResult::Ok || !ReadAttributes(form)) return;

  // The list box packs the tiles from slot 0; what it does not fill is emptied.
  const auto items = form.Items("ListBoxTiles");
  for (std::size_t i = 0; i < TileList.size(); ++i) TileList[i] = i < items.size() ? items[i] : std::string();
  ReloadResources();
}
