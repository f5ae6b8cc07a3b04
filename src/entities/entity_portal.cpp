#include "entities/entity_portal.h"

#include "engine/edit_engine.h"
#include "entities/entity_typus.h"
#include "entities/record_fields.h"

TEPortal::TEPortal(TQZEngine& engine) : TEntity(engine) {
  Name = "PORTAL";
  Typus = typus::Portal;
  ModelName = "EDITOR_PORTAL";
  Visible = false;
}

void TEPortal::VisitFields(RecordVisitor& visitor) {
  visitor.Page("TabSheetPortal", "Portal");
  visitor.Text(ToRoom, {"ToRoom", "CBPortalToRoom", "Lead to Room:"});
  visitor.Text(ToMarker, {"ToMarker", "CBPortalToMarker", "Lead to Marker:", {}, typus::Marker});
  visitor.Vector(Dimensions, {"Dimensions", "EditPortalDimensions", "Dimensions:", Conversion::Block});
  visitor.Number(ActivationDistance,
                 {"ActivationDistance", "EditPortalActivationDistance", "Activation Distance:", Conversion::Block});
  visitor.Text(Target, {"Target", "CBPortalTarget", "Target:", {}, AnyTypus});
  visitor.Text(TargetAnimation, {"TargetAnimation", "EditPortalTargetAnimation", "Target Animation:"});
  visitor.Number(TargetSpeed, {"TargetSpeed", "EditPortalTargetSpeed", "Animation Speed:", Conversion::Block});
  visitor.Text(Sound, {"Sound", "CBPortalSound", "Target Sound:", {}, typus::Sound});
}

void TEPortal::Bind() {
  ResolveModel();
  ClearLinks();
  AddLink(Target);
  AddLink(Sound);
}

