// The live records of a particle emitter: model instances and textured sprites.
#include "particles/particle_main.h"
#include "render/edit_gl.h"
#include "render/gl_model.h"
#include "render/gl_room.h"
#include "render/gl_sprite_batch.h"
#include "room/edit_room.h"

void TRoomRenderer::DrawParticles(const TEParticle& emitter) {
  for (const TParticle& particle : emitter.Pool) {
    if (particle.kind == -1) continue;
    if (particle.drawAs == 0) {
      if (sprites_->Open()) sprites_->End();
      DrawModel(gl_, {particle.modelIndex, particle.position, particle.rotation, emitter.ApplyLighting,
                      particle.blendMode, particle.alpha, particle.colour, -1, 1.0f, particle.size});
    } else if (particle.drawAs == 1) {
      if (!sprites_->Open()) {
        gl_.SetGLStates(true, true, false, false, false, false, true);
        gl_.SetViewTransform();
        sprites_->Begin();
      }
      AddSpriteParticle(particle);
    }
  }
  if (sprites_->Open()) sprites_->End();
}

void TRoomRenderer::AddSpriteParticle(const TParticle& particle) {
  const std::int16_t slot = particle.textureHandle;
  // TextureName is 0 for any slot outside the table, so the slot is read only after.
  const GLuint texture = gl_.TextureName(slot);
  if (texture == 0) return;
  const TTextureSlot& entry = gl_.TextureSlot(slot);
  if (entry.Width <= 0 || entry.Height <= 0) return;
  TGLMatrix m = sprites_->View();
  m.Translate(particle.position.x, particle.position.y, particle.position.z);
  if (particle.billboard) {
    const TVector& view = gl_.Room().Camera.Rotation;
    m.Rotate(view.x, 1.0f, 0.0f, 0.0f);
    m.Rotate(view.y + 90.0f, 0.0f, 1.0f, 0.0f);
    m.Rotate(view.z, 0.0f, 0.0f, 1.0f);
    if (particle.upright) m.Rotate(-view.x, 1.0f, 0.0f, 0.0f);
  } else {
    m.Rotate(particle.rotation.y + 180.0f, 0.0f, 1.0f, 0.0f);
    m.Rotate(-particle.rotation.x, 1.0f, 0.0f, 0.0f);
    m.Rotate(-particle.rotation.z, 0.0f, 0.0f, 1.0f);
  }
  m.Rotate(-particle.extraPitch, 1.0f, 0.0f, 0.0f);
  const float w = static_cast<float>(entry.Width);
  const float h = static_cast<float>(entry.Height);
  const float s0 = particle.cellWidth * particle.spriteColumn / w;
  const float s1 = particle.cellWidth * (particle.spriteColumn + 1) / w;
  const float t0 = 1 - particle.cellHeight * particle.spriteRow / h;
  const float t1 = 1 - particle.cellHeight * (particle.spriteRow + 1) / h;
  const TSpriteQuad quad = sprites_->Place(m, particle.size, {s0, t0, s1, t1});
  const TVector& c = particle.colour;
  if (particle.blendMode == 2) {
    // Average blending of sprites: darken the background first, then add the colour.
    sprites_->Add(texture, TEditGL::BlendOf(3, 1.0, 1.0, 1.0, particle.alpha),
                  TEditGL::BlendOf(1, c.x, c.y, c.z, particle.alpha), quad);
  } else {
    sprites_->Add(texture, TEditGL::BlendOf(particle.blendMode, c.x, c.y, c.z, particle.alpha), quad);
  }
}
