#include "entities/entity_portal.h"

#include "engine/edit_engine.h"
#include "entities/entity_typus.h"
#include "entities/record_fields.h"
#include "world/world_links.h"

TEPortal::TEPortal(TQZEngine& engine) : TEntity(engine, {"PORTAL", typus::Portal, "EDITOR_PORTAL", false}) {}

void TEPortal::VisitFields(RecordVisitor& visitor) {
  visitor.Page("TabSheetPortal", "Portal");
  visitor.Text(ToRoom, {"ToRoom", "CBPortalToRoom", "Lead to Room:"});
  visitor.Text(ToMarker, {.name = "ToMarker", .control = "CBPortalToMarker", .label = "Lead to Marker:",
                         .offers = typus::Marker, .linked = false});
  visitor.Vector(Dimensions, {"Dimensions", "EditPortalDimensions", "Dimensions:", Conversion::Block});
  visitor.Number(ActivationDistance,
                 {"ActivationDistance", "EditPortalActivationDistance", "Activation Distance:", Conversion::Block});
  visitor.Text(Target, {"Target", "CBPortalTarget", "Target:", {}, AnyTypus});
  visitor.Text(TargetAnimation, {"TargetAnimation", "EditPortalTargetAnimation", "Target Animation:"});
  visitor.Number(TargetSpeed, {"TargetSpeed", "EditPortalTargetSpeed", "Animation Speed:", Conversion::Block});
  visitor.Text(Sound, {"Sound", "CBPortalSound", "Target Sound:", {}, typus::Sound});
}

void TEPortal::FillDialog(Form& form) {
  TEntity::FillDialog(form);
  FillLinkMarkers(Engine, form, LinkBoxPairs[1], ToRoom.view());
}
