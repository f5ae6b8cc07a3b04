#include "entities/entity_touchfield.h"

#include "engine/edit_engine.h"
#include "entities/entity_dialog.h"
#include "entities/entity_typus.h"
#include "entities/field_sink.h"

using namespace entity_dialog;

TETouchField::TETouchField(TQZEngine& engine) : TEntity(engine) {
  Name = "TOUCHFIELD";
  Typus = typus::TouchField;
  ModelName = "EDITOR_TOUCHFIELD";
  Visible = false;
}

void TETouchField::FillDialog(Form& form) {
  ShowPage(form, "TabSheetTouchfield");
  FillEntityNames(form, "CBTouchFieldOnEnter", typus::Trigger);
  FillEntityNames(form, "CBTouchFieldOnExit", typus::Trigger);
  FillEntityNames(form, "CBTouchFieldByEntity", AnyTypus);
  Engine.ShowFloat(form, "EditTouchfieldDimensionsX", Dimensions.x);
  Engine.ShowFloat(form, "EditTouchfieldDimensionsY", Dimensions.y);
  Engine.ShowFloat(form, "EditTouchfieldDimensionsZ", Dimensions.z);
  ShowName(form, "CBTouchFieldOnEnter", OnEnter);
  ShowName(form, "CBTouchFieldOnExit", OnExit);
  Engine.ShowInt(form, "EditTouchFieldActivations", Activations);
  form.SetChecked("CheckBoxTouchFieldByHero", ByHero);
  form.SetChecked("CheckBoxTouchFieldByAll", ByAll);
  ShowName(form, "CBTouchFieldByEntity", ByEntity);
}

void TETouchField::ReadDialog(Form& form) {
  Engine.ReadFloat(form, "EditTouchfieldDimensionsX", Dimensions.x);
  Engine.ReadFloat(form, "EditTouchfieldDimensionsY", Dimensions.y);
  Engine.ReadFloat(form, "EditTouchfieldDimensionsZ", Dimensions.z);
  ReadName(form, "CBTouchFieldOnEnter", OnEnter);
  ReadName(form, "CBTouchFieldOnExit", OnExit);
  Engine.ReadInt(form, "EditTouchFieldActivations", Activations);
  ByHero = form.Checked("CheckBoxTouchFieldByHero");
  ByAll = form.Checked("CheckBoxTouchFieldByAll");
  ReadName(form, "CBTouchFieldByEntity", ByEntity);
}

void TETouchField::WriteRecord(BinaryWriter& file) {
  file.WriteVector(Dimensions);
  file.WriteString(OnEnter);
  file.WriteString(OnExit);
  file.WriteI16(Activations);
  file.WriteBool(ByHero);
  file.WriteBool(ByAll);
  file.WriteString(ByEntity);
}

void TETouchField::ReadRecord(BinaryReader& file) {
  Dimensions = file.ReadVector();
  OnEnter = file.ReadString<32>();
  OnExit = file.ReadString<32>();
  Activations = file.ReadI16();
  ByHero = file.ReadBool();
  ByAll = file.ReadBool();
  ByEntity = file.ReadString<32>();
}

void TETouchField::Bind() {
  ResolveModel();
  ClearLinks();
  AddLink(OnEnter);
  AddLink(OnExit);
  AddLink(ByEntity);
}

void TETouchField::DescribeFields(FieldSink& sink) const {
  sink.Field("Dimensions", Dimensions);
  sink.Field("OnEnter", OnEnter);
  sink.Field("OnExit", OnExit);
  sink.Field("Activations", Activations);
  sink.Field("ByHero", ByHero);
  sink.Field("ByAll", ByAll);
  sink.Field("ByEntity", ByEntity);
}
