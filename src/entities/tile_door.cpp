#include "entities/tile_door.h"

#include "core/dialog_values.h"
#include "engine/edit_engine.h"
#include "entities/entity_dialog.h"
#include "entities/entity_typus.h"
#include "entities/field_sink.h"

using namespace entity_dialog;

namespace {
constexpr VariableBoxes ConditionBoxes{"CBTDoorCondition", "CBTDoorConditionType", "CBTDoorConditionParameter"};
}  // namespace

TETDoor::TETDoor(TQZEngine& engine) : TETile(engine) {
  Name = "DOOR";
  Typus = typus::Door;
}

void TETDoor::FillDialog(Form& form) {
  TETile::FillDialog(form);
  ShowPage(form, "TabSheetTDoor");
  form.SetActivePage("PageControl", "TabSheetTDoor");
  Condition.Fill(Engine, form, ConditionBoxes);
  FillEntityNames(form, "CBTDoorActivationTarget", AnyTypus);
  FillEntityNames(form, "CBTDoorOnLocked", AnyTypus);
  FillEntityNames(form, "CBTDoorOnUnlock", AnyTypus);
  FillEntityNames(form, "CBTDoorSound", typus::Sound);
  ShowName(form, "CBTDoorToRoom", ToRoom);
  ShowName(form, "CBTDoorToMarker", ToMarker);
  Engine.ShowFloat(form, "EditTDoorDimensionsX", Dimensions.x);
  Engine.ShowFloat(form, "EditTDoorDimensionsY", Dimensions.y);
  Engine.ShowFloat(form, "EditTDoorDimensionsZ", Dimensions.z);
  ShowName(form, "EditTDoorPlayerAnimation", PlayerAnimation);
  Engine.ShowFloat(form, "EditTDoorWaitBeforeEnter", WaitBeforeEnter);
  ShowName(form, "EditTDoorAnimation", DoorAnimation);
  Engine.ShowFloat(form, "EditTDoorAnimSpeed", DoorAnimSpeed);
  Engine.ShowFloat(form, "EditTDoorWaitBeforeAnim", WaitBeforeAnim);
  ShowName(form, "CBTDoorActivationTarget", ActivationTarget);
  ShowName(form, "CBTDoorSound", Sound);
  dialog_values::ShowListIndex(form, "CBTDoorKey", KeyItem);
  ShowName(form, "CBTDoorOnLocked", OnLocked);
  ShowName(form, "CBTDoorOnUnlock", OnUnlock);
}

void TETDoor::ReadDialog(Form& form) {
  TETile::ReadDialog(form);
  ReadName(form, "CBTDoorToRoom", ToRoom);
  ReadName(form, "CBTDoorToMarker", ToMarker);
  Engine.ReadFloat(form, "EditTDoorDimensionsX", Dimensions.x);
  Engine.ReadFloat(form, "EditTDoorDimensionsY", Dimensions.y);
  Engine.ReadFloat(form, "EditTDoorDimensionsZ", Dimensions.z);
  ReadName(form, "EditTDoorPlayerAnimation", PlayerAnimation);
  Engine.ReadFloat(form, "EditTDoorWaitBeforeEnter", WaitBeforeEnter);
  ReadName(form, "EditTDoorAnimation", DoorAnimation);
  Engine.ReadFloat(form, "EditTDoorAnimSpeed", DoorAnimSpeed);
  Engine.ReadFloat(form, "EditTDoorWaitBeforeAnim", WaitBeforeAnim);
  ReadName(form, "CBTDoorActivationTarget", ActivationTarget);
  ReadName(form, "CBTDoorSound", Sound);
  KeyItem = dialog_values::ReadListIndex(form, "CBTDoorKey", KeyItem);
  ReadName(form, "CBTDoorOnLocked", OnLocked);
  ReadName(form, "CBTDoorOnUnlock", OnUnlock);
  Condition.ReadBack(form, ConditionBoxes);
}

void TETDoor::WriteRecord(BinaryWriter& file) {
  TETile::WriteRecord(file);
  file.WriteString(ToRoom);
  file.WriteString(ToMarker);
  file.WriteVector(Dimensions);
  file.WriteString(PlayerAnimation);
  file.WriteF32(WaitBeforeEnter);
  file.WriteString(DoorAnimation);
  file.WriteF32(DoorAnimSpeed);
  file.WriteF32(WaitBeforeAnim);
  file.WriteString(ActivationTarget);
  file.WriteString(Sound);
  file.WriteI16(KeyItem);
  file.WriteString(OnLocked);
  file.WriteString(OnUnlock);
  Condition.Write(file);
}

void TETDoor::ReadRecord(BinaryReader& file) {
  TETile::ReadRecord(file);
  ToRoom = file.ReadString<255>();
  ToMarker = file.ReadString<32>();
  Dimensions = file.ReadVector();
  PlayerAnimation = file.ReadString<32>();
  WaitBeforeEnter = file.ReadF32();
  DoorAnimation = file.ReadString<32>();
  DoorAnimSpeed = file.ReadF32();
  WaitBeforeAnim = file.ReadF32();
  ActivationTarget = file.ReadString<32>();
  Sound = file.ReadString<32>();
  KeyItem = file.ReadI16();
  OnLocked = file.ReadString<32>();
  OnUnlock = file.ReadString<32>();
  Condition.Read(file);
}

void TETDoor::Bind() {
  ResolveModel();
  ClearLinks();
  AddLink(ActivationTarget);
  AddLink(Sound);
  AddLink(OnLocked);
  AddLink(OnUnlock);
  StartAnimation();
}

void TETDoor::DescribeFields(FieldSink& sink) const {
  TETile::DescribeFields(sink);
  sink.Field("ToRoom", ToRoom);
  sink.Field("ToMarker", ToMarker);
  sink.Field("Dimensions", Dimensions);
  sink.Field("PlayerAnimation", PlayerAnimation);
  sink.Field("WaitBeforeEnter", WaitBeforeEnter);
  sink.Field("DoorAnimation", DoorAnimation);
  sink.Field("DoorAnimSpeed", DoorAnimSpeed);
  sink.Field("WaitBeforeAnim", WaitBeforeAnim);
  sink.Field("ActivationTarget", ActivationTarget);
  sink.Field("Sound", Sound);
  sink.Field("KeyItem", KeyItem);
  sink.Field("OnLocked", OnLocked);
  sink.Field("OnUnlock", OnUnlock);
  Condition.Describe(sink, "Condition");
}
