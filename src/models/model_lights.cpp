#include "models/model_lights.h"

#include "room/edit_room.h"

namespace {

TRgba WithW(const TVector& v, float w) { return {v.x, v.y, v.z, w}; }

TGLLightValues HeadLight() {
  TGLLightValues light;
  light.Ambient = {0.2f, 0.2f, 0.2f, 1.0f};
  light.Diffuse = {0.8f, 0.8f, 0.8f, 1.0f};
  light.Position = {0.0f, 0.7f, 0.7f, 0.0f};
  light.Specular = {1.0f, 1.0f, 1.0f, 1.0f};
  return light;
}

TGLLightValues Sun(const TRoom& room) {
  TGLLightValues light;
  light.Ambient = WithW(room.Ambience, 1.0f);
  light.Diffuse = WithW(room.Diffuse, 1.0f);
  light.Position = WithW(room.LightPos, 0.0f);
  light.Specular = WithW(room.Ambience, 1.0f);
  return light;
}

TGLLightValues PointLight(const TLight& source) {
  TGLLightValues light;
  light.Ambient = {0.0f, 0.0f, 0.0f, 1.0f};
  light.Diffuse = WithW(source.CurrentColor, 1.0f);
  light.Position = WithW(source.Position, 1.0f);
  light.Specular = WithW(source.CurrentColor, 1.0f);
  light.Constant = 0.0f;
  light.Quadratic = 1.0f / source.Radius;
  return light;
}

}  // namespace

TModelLights ChooseModelLights(const TRoom& room, bool lighting, bool useSun, bool useLights,
                               const TModelExtents& extents, const TVector& position) {
  TModelLights result;
  if (!lighting) {
    result.EnableLighting = true;
    result.Lights[0] = HeadLight();
    return result;
  }

  std::size_t next = 0;
  if (useSun && room.Diffuse.x + room.Diffuse.y + room.Diffuse.z > 0.0f) {
    result.EnableLighting = true;
    result.Lights[next++] = Sun(room);
  }
  for (const TLight& light : room.Lights) {
    if (next == result.Lights.size()) break;
    const bool admitted = light.Effect == 0 ? useSun : useLights;
    if (!light.InUse() || !light.Active || light.Radius <= 0.0f || !admitted) continue;
    if (!light.ReachesBox(position, extents.Depth + 1.0f, extents.Height + 1.0f, extents.Horizontal + 1.0f)) continue;
    result.Lights[next++] = PointLight(light);
  }
  return result;
}
