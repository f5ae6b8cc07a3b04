#include "room/edit_light.h"

#include <cmath>
#include <numbers>

#include "engine/edit_engine.h"
#include "room/edit_room.h"
#include "surfaces/occlusion.h"

TLight::TLight(TRoom& room) : room_(room) { ResetLight(); }

void TLight::ResetLight() {
  State = -1;
  Name = "LIGHT";
  FlickerTime = 0.0f;
  FlashTime = 0.0f;
}

void TLight::Mix(float w) {
  CurrentColor = TQZEngine::Add(TQZEngine::Scale(Color, w), TQZEngine::Scale(Color2, 1.0f - w));
}

void TLight::RunFlash() {
  TQZEngine& engine = room_.Engine;
  TQZEngine::AdvanceTime(FlashTime);
  CurrentColor = Color;
  // FlashTime moves in half steps, so only a flash that starts from a whole pause
  // lands on 1.0 exactly and draws a new length; others reuse the last one.
  if (FlashTime == 1.0f) FlashLength = static_cast<float>(engine.Random(10)) * 0.2f / EffectSpeed;
  if (FlashTime >= 1.0f) CurrentColor = Color2;
  if (FlashTime >= 1.0f + FlashLength) FlashTime = -static_cast<float>(engine.Random(60)) * 0.2f / EffectSpeed;
}

void TLight::RunFlicker() {
  TQZEngine::AdvanceTime(FlickerTime);
  const float steps = std::nearbyint(FlickerTime * 10.0f);
  const float x = std::fmod(steps, 2.0f) != 0.0f ? 1.0f : 0.95f;
  CurrentColor = {Color.x * x, Color.y * x, Color.z};
}

void TLight::UpdateEffect() {
  const float phase = (room_.Time + EffectOffset) * EffectSpeed * 10.0f;
  switch (Effect) {
    case 0:
      CurrentColor = Color;
      break;
    case 1:
      Mix(std::sin(phase * std::numbers::pi_v<float> / 180.0f) * 0.5f + 0.5f);
      break;
    case 2: {
      // nearbyint rounds ties to even; fmod keeps the dividend's sign.
      const float d = std::fmod(std::nearbyint(phase), 100.0f) / 100.0f;
      Mix(d < 0.5f ? 2.0f * d : 2.0f * (1.0f - d));
      break;
    }
    case 3:
      RunFlash();
      break;
    case 4:
      RunFlicker();
      break;
    case 5:
      RunFlash();
      if (FlashTime < 1.0f) {
        RunFlicker();
        if (FlashTime < -1.0f) CurrentColor = TQZEngine::Scale(CurrentColor, 0.5f);
      }
      break;
    default:
      break;
  }
}

TVector TLight::LightContribution(const TVector& point, std::int16_t skipEntity, std::int16_t skipSurface) const {
  const float d = TQZEngine::Distance(Position, point);
  // A light without a radius reaches nothing (d / Radius would be undefined).
  if (!(Radius > 0.0f) || d > Radius) return {};
  if (room_.OcclusionTest && room_.OcclusionTest->IsOccluded(skipEntity, skipSurface, Position, point)) return {};
  return TQZEngine::Scale(Color, std::sin(1.0f - d / Radius));
}

bool TLight::ReachesBox(const TVector& point, float below, float above, float halfWidth) const {
  return std::fabs(Position.x - point.x) <= halfWidth + Radius && std::fabs(Position.z - point.z) <= halfWidth + Radius &&
         Radius + point.y + above > Position.y && Position.y > point.y - below - Radius;
}

bool TLight::HitTest(const TVector& point) const {
  switch (room_.Camera.Mode) {
    case TCamera::ModeTop:
      return TQZEngine::DistanceXZ(Position, point) <= 0.25f;
    case TCamera::ModeSide:
      return TQZEngine::DistanceXY(Position, point) <= 0.25f;
    default:
      return false;
  }
}

void TLight::WriteRecord(BinaryWriter& file) const {
  file.WriteString(Name);
  file.WriteI16(State);
  file.WriteVector(Position);
  file.WriteF32(Radius);
  file.WriteVector(Color);
  file.WriteU8(Active);
  file.WriteI16(Effect);
  file.WriteVector(Color2);
  file.WriteF32(EffectSpeed);
  file.WriteF32(EffectOffset);
  file.WriteI16(Flare);
  file.WriteF32(FlareIntensity);
  file.WriteF32(FlareSize);
  file.WriteF32(FlareAbove);
}

void TLight::ReadRecord(BinaryReader& file) {
  Name = file.ReadString<32>();
  State = file.ReadI16();
  Position = file.ReadVector();
  Radius = file.ReadF32();
  Color = file.ReadVector();
  Active = file.ReadU8();
  Effect = file.ReadI16();
  Color2 = file.ReadVector();
  EffectSpeed = file.ReadF32();
  EffectOffset = file.ReadF32();
  Flare = file.ReadI16();
  FlareIntensity = file.ReadF32();
  FlareSize = file.ReadF32();
  FlareAbove = file.ReadF32();
}
