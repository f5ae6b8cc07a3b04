#include "entities/entity_tile.h"

#include "core/dialog_values.h"
#include "engine/edit_engine.h"
#include "entities/entity_dialog.h"
#include "entities/entity_typus.h"
#include "entities/field_sink.h"
#include "models/edit_model.h"

using namespace entity_dialog;

TETile::TETile(TQZEngine& engine) : TEntity(engine) {
  Name = "TILE";
  Typus = typus::Tile;
  ApplyLighting = true;
  ShadowTypus = 2;
}

void TETile::FillDialog(Form& form) {
  ShowPage(form, "TabSheetTile");
  Engine.ShowFloat(form, "EditTileAutorotateX", AutoRotate.x);
  Engine.ShowFloat(form, "EditTileAutorotateY", AutoRotate.y);
  Engine.ShowFloat(form, "EditTileAutorotateZ", AutoRotate.z);
  dialog_values::ShowListIndex(form, "CBTileCollisionForm", CollisionForm);
  Engine.ShowFloat(form, "EditTileCollisionSizeX", CollisionSize.x);
  Engine.ShowFloat(form, "EditTileCollisionSizeY", CollisionSize.y);
  Engine.ShowFloat(form, "EditTileCollisionSizeZ", CollisionSize.z);
  dialog_values::ShowListIndex(form, "CBTileMaterial", Material);
  form.SetChecked("CheckBoxTileCanClimb", CanClimb);
}

void TETile::ReadDialog(Form& form) {
  auto block = entity_dialog::Conversions(Engine, form);
  if (!block.Vector("EditTileAutorotateX", "EditTileAutorotateY", "EditTileAutorotateZ", AutoRotate)) return;
  CollisionForm = dialog_values::ReadListIndex(form, "CBTileCollisionForm", CollisionForm);
  if (!block.Vector("EditTileCollisionSizeX", "EditTileCollisionSizeY", "EditTileCollisionSizeZ", CollisionSize))
    return;
  Material = dialog_values::ReadListIndex(form, "CBTileMaterial", Material);
  CanClimb = form.Checked("CheckBoxTileCanClimb");
}

void TETile::Animate() {
  if (AnimState.Animation != -1 && Engine.ModelEngine) Engine.ModelEngine->AnimateInstance(AnimState);
}

void TETile::WriteRecord(BinaryWriter& file) {
  file.WriteVector(AutoRotate);
  file.WriteI16(CollisionForm);
  file.WriteVector(CollisionSize);
  file.WriteI16(Material);
  file.WriteBool(CanClimb);
}

void TETile::ReadRecord(BinaryReader& file) {
  AutoRotate = file.ReadVector();
  CollisionForm = file.ReadI16();
  CollisionSize = file.ReadVector();
  Material = file.ReadI16();
  CanClimb = file.ReadBool();
}

void TETile::Bind() {
  ResolveModel();
  ClearLinks();
  StartAnimation();
}

void TETile::DescribeFields(FieldSink& sink) const {
  sink.Field("AutoRotate", AutoRotate);
  sink.Field("CollisionForm", CollisionForm);
  sink.Field("CollisionSize", CollisionSize);
  sink.Field("Material", Material);
  sink.Field("CanClimb", CanClimb);
}
