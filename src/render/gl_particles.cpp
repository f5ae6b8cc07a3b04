// The live records of a particle emitter: model instances and textured sprites.
#include "particles/particle_main.h"
#include "render/edit_gl.h"
#include "render/gl_model.h"
#include "render/gl_room.h"
#include "room/edit_room.h"

namespace {

void SpriteQuad(float r, float s0, float t0, float s1, float t1) {
  // The sprite lies in the plane x = 0 of its own frame.
  glBegin(GL_QUADS);
  glTexCoord2f(s0, t0);
  glVertex3f(0.0f, r, -r);
  glTexCoord2f(s1, t0);
  glVertex3f(0.0f, r, r);
  glTexCoord2f(s1, t1);
  glVertex3f(0.0f, -r, r);
  glTexCoord2f(s0, t1);
  glVertex3f(0.0f, -r, -r);
  glEnd();
}

}  // namespace

void TRoomRenderer::DrawParticles(const TEParticle& emitter) {
  for (const TParticle& particle : emitter.Pool) {
    if (particle.kind == -1) continue;
    if (particle.drawAs == 0) {
      DrawModel(gl_, {particle.modelIndex, particle.position, particle.rotation, emitter.ApplyLighting,
                      particle.blendMode, particle.alpha, particle.colour, -1, 1.0f, particle.size});
    } else if (particle.drawAs == 1) {
      DrawSpriteParticle(particle);
    }
  }
}

void TRoomRenderer::DrawSpriteParticle(const TParticle& particle) {
  gl_.SetGLStates(true, true, false, false, false, false, true);
  glDepthMask(GL_FALSE);
  gl_.SetViewTransform();
  glTranslatef(particle.position.x, particle.position.y, particle.position.z);
  if (particle.billboard) {
    const TVector& view = gl_.Room().Camera.Rotation;
    glRotatef(view.x, 1.0f, 0.0f, 0.0f);
    glRotatef(view.y + 90.0f, 0.0f, 1.0f, 0.0f);
    glRotatef(view.z, 0.0f, 0.0f, 1.0f);
    if (particle.upright) glRotatef(-view.x, 1.0f, 0.0f, 0.0f);
  } else {
    glRotatef(particle.rotation.y + 180.0f, 0.0f, 1.0f, 0.0f);
    glRotatef(-particle.rotation.x, 1.0f, 0.0f, 0.0f);
    glRotatef(-particle.rotation.z, 0.0f, 0.0f, 1.0f);
  }
  glRotatef(-particle.extraPitch, 1.0f, 0.0f, 0.0f);
  const auto [width, height] = gl_.SelectSizedTexture(particle.textureHandle);
  if (width > 0 && height > 0) {
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);
    const float s0 = particle.cellWidth * particle.spriteColumn / w;
    const float s1 = particle.cellWidth * (particle.spriteColumn + 1) / w;
    const float t0 = 1 - particle.cellHeight * particle.spriteRow / h;
    const float t1 = 1 - particle.cellHeight * (particle.spriteRow + 1) / h;
    const TVector& c = particle.colour;
    if (particle.blendMode == 2) {
      // Average blending of sprites: darken the background first, then add the colour.
      TEditGL::SetBlendMode(3, 1.0, 1.0, 1.0, particle.alpha);
      SpriteQuad(particle.size, s0, t0, s1, t1);
      TEditGL::SetBlendMode(1, c.x, c.y, c.z, particle.alpha);
    } else {
      TEditGL::SetBlendMode(particle.blendMode, c.x, c.y, c.z, particle.alpha);
    }
    SpriteQuad(particle.size, s0, t0, s1, t1);
  }
  glDepthMask(GL_TRUE);
}
