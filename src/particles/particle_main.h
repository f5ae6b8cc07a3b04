#pragma once
// The base of every particle emitter: a growable pool of particle records that the
// kind fills, moves and frees once per frame. The pool is never stored; a bind rebuilds
// it when the emitter's record changed.

#include <cstdint>
#include <string_view>
#include <vector>

#include "entities/edit_entity.h"

struct TParticle {
  std::int16_t kind = -1;  // -1: free record
  std::int16_t drawAs = 0;  // 0 model instance, 1 textured sprite
  TVector position;
  TVector rotation;  // also the direction of travel of moving particles
  float size = 0.0f;
  TVector colour;
  std::int16_t blendMode = 0;
  float alpha = 0.0f;
  std::int16_t modelIndex = -1;
  std::int16_t modelOption = -1;
  std::int16_t textureHandle = -1;
  float spriteColumn = 0.0f;
  float spriteRow = 0.0f;
  float cellWidth = 0.0f;
  float cellHeight = 0.0f;
  float extraPitch = 0.0f;
  bool billboard = false;
  bool upright = false;
  float age = 0.0f;
};

// How an emitter's sprites look; every sprite of one emitter shares it.
struct TSpriteStyle {
  bool upright = false;
  bool billboard = false;
  float extraPitch = 0.0f;
  float cellHeight = 64.0f;
  float cellWidth = 64.0f;
  float spriteRow = 0.0f;
  float spriteColumn = 0.0f;
  std::int16_t textureHandle = -1;
  float alpha = 1.0f;
  std::int16_t blendMode = 0;
  TVector colour{1.0f, 1.0f, 1.0f};
};

class TEParticle : public TEntity {
public:
  // The most records one emitter's pool holds. Damaged or odd parameters (rain that
  // never falls, a jet that never bends down, a vanish height that is not a number,
  // 32 767 drops a burst) would otherwise grow it every frame until the editor stalls;
  // at the cap an emitter emits nothing until records come free. 2048 sprites of a few
  // such emitters still draw well inside a frame.
  static constexpr int MaxParticles = 2048;
  // The oldest an emitted drop may grow, in engine time (400 frames, 20 s): far past
  // the life of any drop that falls or bends down as it should.
  static constexpr float MaxParticleAge = 200.0f;

  explicit TEParticle(TQZEngine& engine);
  // A kind of emitter: its base name and typus, and the texture its sprites are drawn
  // with (none for emitters of models).
  TEParticle(TQZEngine& engine, const Kind& kind, std::string_view spriteTextureName = {});

  // Every bind looks the sprite texture up again. The pool starts anew only when the
  // stored record, the sprite texture or the particles' model changed since the last
  // bind: commands that bind the whole room again leave running emitters as they are.
  void Bind() final;
  std::string_view ClassName() const override { return "TEParticle"; }

  float EmissionTimer = 0.0f;
  std::vector<TParticle> Pool;

  // option1 takes the place of alpha and option2 that of blendMode: model drawing options.
  // Both give the record's index, or -1 (and add nothing) when the pool is full.
  int AddModelParticle(std::int16_t kind, const TVector& position, std::int16_t modelIndex, float option1,
                       std::int16_t option2, const TVector& colour, float size, const TVector& rotation);
  int AddSpriteParticle(std::int16_t kind, const TVector& position, const TSpriteStyle& style, float size,
                        const TVector& rotation);
  void FreeParticle(int index);
  void ClearParticles();
  using TEntity::InUse;
  bool InUse(int index) const;
  int HighIndex() const { return static_cast<int>(Pool.size()) - 1; }
  void SetSpriteFrame(int index, int frame, int columns);

protected:
  // Fills a fresh pool with what the kind starts with; most kinds start empty.
  virtual void Start() {}
  // The model slot the particles show, -1 for emitters of sprites.
  virtual std::int16_t ParticleModel() const { return -1; }

  // Slot of the sprite texture in the texture list, -1 when there is none (or no renderer).
  std::int16_t SpriteTexture = -1;
  // a + n * (b - a) / 1000 with n random in 0..999.
  float RandomBetween(float low, float high);
  // Random whole number 0 .. n - 1.
  int RandInt(int n);
  // The emitter's timer advances; true (and the timer restarts) once it passed the interval.
  bool EmissionDue(float interval);
  // Calls addOne (which gives the new record's index) up to count times; a full pool
  // ends the burst at once rather than after count vain searches for room.
  template <class AddOne>
  void EmitBurst(int count, AddOne addOne) {
    for (int n = 0; n < count; ++n)
      if (addOne() < 0) return;
  }
  // Ages an emitted drop by a frame; one past MaxParticleAge is freed (false).
  bool AgeDrop(int index);

private:
  int Allocate();

  std::string_view spriteTextureName_;
  // The record, sprite texture and model the pool was started with; empty before the first bind.
  std::vector<std::uint8_t> startedWith_;
};
