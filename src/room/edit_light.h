#pragma once
// A point light of the room: position, radius, two colours with an optional animated
// effect between them, and a lens flare. Lights without an effect are the ones baked
// into the surfaces' light maps.

#include <cstddef>
#include <cstdint>

#include "core/binary_io.h"
#include "core/host.h"
#include "core/short_string.h"
#include "core/vector.h"

class TRoom;
class Form;
class ConversionBlock;
class Occlusion;
class RecordVisitor;

class TLight {
public:
  static constexpr std::size_t RecordSize = 100;

  explicit TLight(TRoom& room);

  // Stored in the light record, in this order.
  String32 Name{"LIGHT"};
  std::int16_t State = -1;  // -1 free, 0 in use
  TVector Position;
  float Radius = 0.0f;
  TVector Color;
  std::uint8_t Active = 0;
  std::int16_t Effect = 0;
  TVector Color2;
  float EffectSpeed = 1.0f;
  float EffectOffset = 0.0f;
  std::int16_t Flare = 0;
  float FlareIntensity = 0.7f;
  float FlareSize = 0.7f;
  float FlareAbove = 0.0f;

  // Effect state of the running editor; never stored.
  TVector CurrentColor;
  float FlickerTime = 0.0f;
  float FlashTime = 0.0f;
  float FlashLength = 0.0f;

  void ResetLight();
  bool InUse() const { return State >= 0; }
  void UpdateEffect();
  TVector LightContribution(const TVector& point, std::int16_t skipEntity, std::int16_t skipSurface) const;
  // The same for a light given by value, so a bake working from a copy of the lights
  // sums exactly what the room sums; a null test lets the light through.
  static TVector Contribution(const TVector& position, float radius, const TVector& color, const TVector& point,
                              Occlusion* occlusion, std::int16_t skipEntity, std::int16_t skipSurface);
  // Its parts, for a bake that asks the shadow test about many points at once: whether
  // a point at distance d is in reach, and what it gets there when nothing is in between.
  static bool Reaches(float radius, float d) { return radius > 0.0f && !(d > radius); }
  static TVector Unshadowed(const TVector& color, float radius, float d);
  bool ReachesBox(const TVector& point, float below, float above, float halfWidth) const;
  bool HitTest(const TVector& point) const;
  // The light dialog. Returns how it was closed; on "Delete" (No) the light is freed
  // and the caller recounts.
  ModalResult EditAttributes();

  // The stored fields, in stored order; the record is written and read through them.
  void VisitFields(RecordVisitor& visitor);
  void WriteRecord(BinaryWriter& file) const;
  void ReadRecord(BinaryReader& file);

private:
  void Mix(float w);
  void RunFlash();
  void RunFlicker();
  bool ReadDialog(const Form& form, ConversionBlock& read);

  TRoom& room_;
};
