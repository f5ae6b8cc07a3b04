#include "render/model_snapshot.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "engine/edit_engine.h"
#include "models/edit_model.h"
#include "render/edit_gl.h"
#include "render/gl_model.h"

bool DrawModelSnapshot(TEditGL& gl, const TModelSnapshot& shot) {
  glViewport(0, 0, shot.width, shot.height);
  glClearColor(0.23f, 0.25f, 0.28f, 1.0f);
  glClearDepth(1.0);
  glDepthMask(GL_TRUE);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  TModelEngine& models = *gl.Engine().ModelEngine;
  const TVEModel* model = models.GetModel(shot.slot);
  if (!model || !model->Loaded || model->Groups.empty()) return false;

  // The box of the model as placed at the origin, turned: the eye stands back far
  // enough for its bounding sphere to fill the picture, a little from above.
  const TModelBox box = models.PlacedModelBounds(shot.slot, {}, {0.0f, shot.turn, 0.0f}, 1.0f);
  const TVector centre{(box.min.x + box.max.x) / 2, (box.min.y + box.max.y) / 2, (box.min.z + box.max.z) / 2};
  const float radius = std::max(0.05f, 0.5f * std::sqrt((box.max.x - box.min.x) * (box.max.x - box.min.x) +
                                                        (box.max.y - box.min.y) * (box.max.y - box.min.y) +
                                                        (box.max.z - box.min.z) * (box.max.z - box.min.z)));
  constexpr float FieldOfView = 30.0f;
  const float distance = radius / std::sin(FieldOfView / 2 * 3.14159265f / 180.0f);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(FieldOfView, static_cast<double>(shot.width) / std::max(1, shot.height), distance * 0.05, distance * 4);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(0.0f, 0.0f, -distance);
  glRotatef(20.0f, 1.0f, 0.0f, 0.0f);
  glTranslatef(-centre.x, -centre.y, -centre.z);
  std::array<float, 16> view{};
  glGetFloatv(GL_MODELVIEW_MATRIX, view.data());

  // Textured and unlit, without fog or wire frame, whatever the View menu shows.
  std::array<bool, view_menu::Switches.size()> switches{};
  for (std::size_t i = 0; i < switches.size(); ++i) switches[i] = view_menu::Switches[i] == view_menu::ShowDetailmaps;
  glFogf(GL_FOG_DENSITY, 0.0f);
  glFogi(GL_FOG_MODE, GL_EXP);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glShadeModel(GL_SMOOTH);
  gl.OverrideView(view);
  gl.OverrideSwitches(switches);
  TModelDrawing drawing;
  drawing.modelSlot = shot.slot;
  drawing.rotation = {0.0f, shot.turn, 0.0f};
  drawing.animation = shot.animation;
  drawing.frame = shot.frame;
  DrawModel(gl, drawing);
  gl.OverrideView(std::nullopt);
  gl.OverrideSwitches(std::nullopt);
  glFlush();
  return true;
}
