// Lights of the demo place: static lanterns and a moon fill that the light maps take
// in, and animated lights that show every effect and every flare design.

#include <cmath>
#include <string>

#include "core/host.h"
#include "engine/edit_engine.h"
#include "room/edit_room.h"
#include "sample_world/demo_parts.h"
#include "surfaces/light_map.h"

namespace demo {
namespace {

// [LIGHT_EFFECT] and [LIGHT_FLARE] entries.
enum Effect : std::int16_t { None = 0, SmoothPulse, TrianglePulse, Flash, Flicker, FlashFlicker };
enum Flare : std::int16_t { NoFlare = 0, SunFlare, LanternFlare, TorchFlare, SparkFlare };

struct TLightSpec {
  const char* name;
  TVector position;
  float radius;
  TVector colour;
  std::int16_t effect;
  TVector colour2;
  std::int16_t flare;
};

constexpr TLightSpec Lights[] = {
    {"PLAZA_LANTERN", {-4.6f, 3.2f, -3.6f}, 11.0f, {1.0f, 0.75f, 0.45f}, None, {}, LanternFlare},
    {"PLAZA_LANTERN_2", {4.6f, 3.2f, 5.6f}, 11.0f, {1.0f, 0.75f, 0.45f}, None, {}, LanternFlare},
    {"MOON_FILL", {-2.0f, 16.0f, 6.0f}, 45.0f, {0.38f, 0.4f, 0.55f}, None, {}, NoFlare},
    {"POND_GLOW", {-9.0f, 0.5f, 4.0f}, 5.0f, {0.2f, 0.5f, 0.6f}, SmoothPulse, {0.05f, 0.2f, 0.3f}, NoFlare},
    {"TERRACE_BEACON", {0.0f, 4.5f, -12.0f}, 8.0f, {1.0f, 0.9f, 0.6f}, TrianglePulse, {0.3f, 0.2f, 0.1f}, SunFlare},
    {"PORTAL_SPARK", {10.0f, 4.2f, -11.0f}, 6.0f, {0.4f, 0.5f, 1.0f}, Flash, {0.05f, 0.05f, 0.2f}, SparkFlare},
    {"DOOR_TORCH", {-13.4f, 2.6f, 0.6f}, 6.0f, {1.0f, 0.55f, 0.2f}, Flicker, {0.7f, 0.3f, 0.1f}, TorchFlare},
    {"CAMPFIRE", {2.0f, 0.9f, 2.0f}, 7.0f, {1.0f, 0.5f, 0.15f}, FlashFlicker, {0.6f, 0.25f, 0.05f}, TorchFlare},
};

}  // namespace

void AddLights(TRoom& room) {
  for (const TLightSpec& plan : Lights) {
    TLight* light = room.AddLight(plan.position, plan.colour, plan.radius);
    if (!light) return;
    light->Name = plan.name;
    light->Active = 1;
    light->Effect = plan.effect;
    light->Color2 = plan.colour2;
    light->Flare = plan.flare;
    light->EffectSpeed = plan.effect == Flash ? 0.5f : 1.0f;
    light->FlareAbove = plan.flare == NoFlare ? 0.0f : 0.2f;
  }
  room.CountLights();
}

void AddLanterns(TRoom& room, int staticLights) {
  int have = 0;
  for (const TLight& light : room.Lights) have += light.InUse() && light.Effect == 0;
  for (int i = 0; have < staticLights; ++i, ++have) {
    // Two rings of posts, the inner one between the columns, the outer along the walls.
    const float angle = 0.7f + static_cast<float>(i) * 2.399963f;  // the golden angle spreads them evenly
    const float reach = i % 2 ? 11.0f : 6.5f;
    TLight* light = room.AddLight({reach * std::cos(angle), 2.4f, reach * std::sin(angle)}, {0.55f, 0.5f, 0.38f}, 7.0f);
    if (!light) break;
    light->Name = "LANTERN" + std::to_string(i + 1);
    light->Active = 1;
  }
  room.CountLights();
}

void LightSurfaces(TRoom& room) {
  // As F6 does it in the editor: its baker, the processor's shadow test over everything
  // placed, cast through the view panel the window opens with, so that F6 on the
  // untouched room finds nothing to change.
  room.Engine.GetHost().GetForm(FormId::Main).SetChecked("CBLightMapCompute", true);
  LightMapBaker baker(room);
  baker.View = PanelShadowView;
  LightMapBaker* const before = room.LightMaps;
  room.LightMaps = &baker;
  room.ComputeSurfaceShadows();
  room.LightMaps = before;
}

}  // namespace demo
