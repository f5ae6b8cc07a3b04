#include "render/gl_model.h"

#include <algorithm>
#include <vector>

#include "engine/edit_engine.h"
#include "models/edit_model.h"
#include "models/model_animation.h"
#include "models/model_lights.h"
#include "render/edit_gl.h"
#include "room/edit_room.h"

namespace {

void SetLight(GLenum light, const TGLLightValues& values) {
  glLightfv(light, GL_AMBIENT, values.Ambient.data());
  glLightfv(light, GL_DIFFUSE, values.Diffuse.data());
  glLightfv(light, GL_POSITION, values.Position.data());
  glLightfv(light, GL_SPECULAR, values.Specular.data());
  glLightf(light, GL_CONSTANT_ATTENUATION, values.Constant);
  glLightf(light, GL_LINEAR_ATTENUATION, values.Linear);
  glLightf(light, GL_QUADRATIC_ATTENUATION, values.Quadratic);
  glEnable(light);
}

// The vertices to draw and their scale: skinned copies of an animation (unscaled) or
// the model's own, already scaled ones.
float PrepareVertices(TVEModel& model, const TModelDrawing& drawing, std::vector<TVector>& vertices) {
  const auto animation = static_cast<std::size_t>(drawing.animation);
  if (drawing.animation >= 0 && animation < model.Animations.size() &&
      !model.Animations[animation].Matrices.empty()) {
    TModelAnimation& running = model.Animations[animation];
    ComputeFrameTransforms(running, drawing.frame);
    SkinVertices(running, vertices);
    return static_cast<float>(model.Scale) * drawing.size;
  }
  vertices.clear();
  for (const TMS3DVertex& v : model.Vertices) vertices.push_back(v.Position);
  return drawing.size;
}

}  // namespace

void SetupModelLights(TEditGL& gl, bool lighting, bool useSun, bool useLights, const TVector& extents,
                      const TVector& position) {
  const TModelLights chosen =
      ChooseModelLights(gl.Room(), lighting, useSun, useLights, {extents.x, extents.y, extents.z}, position);
  // Lighting is only ever switched on here; SetGLStates decides whether it applies.
  if (chosen.EnableLighting) glEnable(GL_LIGHTING);
  for (std::size_t i = 0; i < chosen.Lights.size(); ++i) {
    const auto light = static_cast<GLenum>(GL_LIGHT0 + i);
    if (chosen.Lights[i]) {
      SetLight(light, *chosen.Lights[i]);
    } else {
      glDisable(light);
    }
  }
}

void DrawModel(TEditGL& gl, const TModelDrawing& drawing) {
  if (drawing.modelSlot <= 0) return;
  TVEModel* model = gl.Engine().ModelEngine->GetModel(drawing.modelSlot);
  if (model == nullptr || !model->Loaded || model->Groups.empty()) return;
  const bool lighting = drawing.lighting && gl.MenuChecked(view_menu::Lighting);
  gl.AddPolygons(static_cast<std::int16_t>(model->Triangles.size()));

  std::vector<TVector> vertices;
  const float scale = PrepareVertices(*model, drawing, vertices);
  const bool unanimated = drawing.animation < 0;

  gl.SetViewTransform();
  SetupModelLights(gl, lighting, true, true,
                   {scale * model->Depth, scale * model->Height, scale * model->HorizontalExtent}, drawing.position);
  glTranslatef(drawing.position.x, drawing.position.y, drawing.position.z);
  glRotatef(drawing.rotation.y + 180.0f, 0.0f, 1.0f, 0.0f);
  glRotatef(-drawing.rotation.x, 1.0f, 0.0f, 0.0f);
  glRotatef(-drawing.rotation.z, 0.0f, 0.0f, 1.0f);

  TMultitexture& units = gl.Multitexture();
  const bool detail = model->DetailMap && gl.MenuChecked(view_menu::ShowDetailmaps);
  for (const TMS3DGroup& group : model->Groups) {
    // Back to the first unit with the second off, so a group without texture after a
    // detail-mapped one is not drawn with the previous group's skin.
    units.EndMultitexture();
    gl.SetGLStates(model->DepthTest, false, true, true, true, model->CullFace, false);
    if (drawing.blendMode != 0) {
      glDepthMask(GL_FALSE);
      TEditGL::SetBlendMode(drawing.blendMode, drawing.color.x, drawing.color.y, drawing.color.z, drawing.alpha);
    }
    // A group without material ends the model.
    if (group.Material < 0 || static_cast<std::size_t>(group.Material) >= model->Materials.size()) break;
    const TMS3DMaterial& material = model->Materials[static_cast<std::size_t>(group.Material)];
    const std::uint32_t skin =
        model->SkinTextures[static_cast<std::size_t>(material.TextureNumber) % model->SkinTextures.size()];
    if (material.HasTexture && detail) {
      units.SetTextureUnit(skin, 0, 0);
      units.SetTextureUnit(model->DetailTexture, 1, 1);
    } else if (material.HasTexture) {
      glEnable(GL_TEXTURE_2D);
      glBindTexture(GL_TEXTURE_2D, skin == NoTexture ? 0 : skin);
    } else {
      glDisable(GL_TEXTURE_2D);
    }
    glMaterialfv(GL_FRONT, GL_AMBIENT, material.Ambient.data());
    glMaterialfv(GL_FRONT, GL_DIFFUSE, material.Diffuse.data());
    glMaterialfv(GL_FRONT, GL_SPECULAR, material.Specular.data());
    glMaterialf(GL_FRONT, GL_SHININESS, material.Shininess);
    glMaterialfv(GL_FRONT, GL_EMISSION, material.Emissive.data());
    const float alpha = unanimated ? drawing.alpha : material.Diffuse[3];
    glColor4f(material.Diffuse[0] * drawing.color.x, material.Diffuse[1] * drawing.color.y,
              material.Diffuse[2] * drawing.color.z, alpha);
    if (unanimated) {
      glEnable(GL_ALPHA_TEST);
      glAlphaFunc(GL_GREATER, 0.5f);
    }
    glBegin(GL_TRIANGLES);
    for (const std::uint16_t index : group.Triangles) {
      if (index >= model->Triangles.size()) continue;
      const TMS3DTriangle& triangle = model->Triangles[index];
      // Half a triangle would shift every later one; skip a triangle with a bad corner whole.
      if (!std::all_of(triangle.Indices.begin(), triangle.Indices.end(),
                       [&](std::uint16_t v) { return v < vertices.size(); })) {
        continue;
      }
      for (std::size_t corner = 0; corner < 3; ++corner) {
        const std::uint16_t vertex = triangle.Indices[corner];
        const TVector& n = triangle.Normals[corner];
        glNormal3f(n.x, n.y, n.z);
        const float s = triangle.S[corner];
        const float t = 1.0f - triangle.T[corner];
        if (detail) {
          units.MultiTexCoord(s, t, s * model->DetailScale, t * model->DetailScale);
        } else {
          glTexCoord2f(s, t);
        }
        const TVector& v = vertices[vertex];
        glVertex3f(v.x * scale, v.y * scale, v.z * scale);
      }
    }
    glEnd();
    if (unanimated) glDisable(GL_ALPHA_TEST);
  }
  glDepthMask(GL_TRUE);
  units.EndMultitexture();
}
