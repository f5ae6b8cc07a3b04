#include "entities/tile_door.h"

#include "engine/edit_engine.h"
#include "entities/entity_typus.h"
#include "entities/record_fields.h"
#include "world/world_links.h"

TETDoor::TETDoor(TQZEngine& engine) : TETile(engine, {"DOOR", typus::Door}) {}

void TETDoor::VisitFields(RecordVisitor& visitor) {
  TETile::VisitFields(visitor);
  visitor.Page("TabSheetTDoor", "Door Tile");
  visitor.Text(ToRoom, {"ToRoom", "CBTDoorToRoom", "Lead to Room:"});
  visitor.Text(ToMarker, {"ToMarker", "CBTDoorToMarker", "Lead to Marker:"});
  visitor.Vector(Dimensions, {"Dimensions", "EditTDoorDimensions", "Dimensions:"});
  visitor.Text(PlayerAnimation, {"PlayerAnimation", "EditTDoorPlayerAnimation", "Player Animation:"});
  visitor.Number(WaitBeforeEnter, {"WaitBeforeEnter", "EditTDoorWaitBeforeEnter", "Wait before enter:"});
  visitor.Text(DoorAnimation, {"DoorAnimation", "EditTDoorAnimation", "Animation:"});
  visitor.Number(DoorAnimSpeed, {"DoorAnimSpeed", "EditTDoorAnimSpeed", "Speed:"});
  visitor.Number(WaitBeforeAnim, {"WaitBeforeAnim", "EditTDoorWaitBeforeAnim", "Wait before Anim:"});
  visitor.Text(ActivationTarget, {"ActivationTarget", "CBTDoorActivationTarget", "Activation Target:", {}, AnyTypus});
  visitor.Text(Sound, {"Sound", "CBTDoorSound", "Sound:", {}, typus::Sound});
  visitor.List(KeyItem, {"KeyItem", "CBTDoorKey", "Need Key Item:"});
  visitor.Text(OnLocked, {"OnLocked", "CBTDoorOnLocked", "OnLocked:", {}, AnyTypus});
  visitor.Text(OnUnlock, {"OnUnlock", "CBTDoorOnUnlock", "OnUnlock:", {}, AnyTypus});
  Condition.Visit(visitor, {"Condition", "CBTDoorCondition", "CBTDoorConditionType", "CBTDoorConditionParameter",
                            "Open If Variable:", "Is:"});
}

void TETDoor::FillDialog(Form& form) {
  TETile::FillDialog(form);
  FillLinkMarkers(Engine, form, LinkBoxPairs[0], ToRoom.view());
  form.SetActivePage("PageControl", "TabSheetTDoor");
}
