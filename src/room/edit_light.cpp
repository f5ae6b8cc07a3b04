#include "room/edit_light.h"

#include <cmath>
#include <numbers>

#include "engine/edit_engine.h"
#include "entities/record_visitors.h"
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
  return Contribution(Position, Radius, Color, point, room_.OcclusionTest, skipEntity, skipSurface);
}

TVector TLight::Contribution(const TVector& position, float radius, const TVector& color, const TVector& point,
                             Occlusion* occlusion, std::int16_t skipEntity, std::int16_t skipSurface) {
  const float d = TQZEngine::Distance(position, point);
  // A light without a radius reaches nothing (d / radius would be undefined).
  if (!Reaches(radius, d)) return {};
  if (occlusion && occlusion->IsOccluded(skipEntity, skipSurface, position, point)) return {};
  return Unshadowed(color, radius, d);
}

TVector TLight::Unshadowed(const TVector& color, float radius, float d) {
  return TQZEngine::Scale(color, std::sin(1.0f - d / radius));
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

// The dialog's controls where they follow the naming rule of the visitors.
void TLight::VisitFields(RecordVisitor& visitor) {
  visitor.Text(Name, {"Name", "EditName"});
  visitor.Number(State, {"State", {}});  // -1 free, 0 in use
  visitor.Vector(Position, {"Position", {}});
  visitor.Number(Radius, {"Radius", "EditRadius"});
  visitor.Colour(Color, {"Color", "Edit"});
  visitor.Byte(Active, {"Active", "CheckBoxActive"});
  visitor.List(Effect, {"Effect", "CBEffect"});
  visitor.Colour(Color2, {"Color2", {}});
  visitor.Number(EffectSpeed, {"EffectSpeed", "EditEffectSpeed"});
  visitor.Number(EffectOffset, {"EffectOffset", "EditEffectOffset"});
  visitor.List(Flare, {"Flare", "CBFlareFlare"});
  visitor.Number(FlareIntensity, {"FlareIntensity", "EditFlareIntensity"});
  visitor.Number(FlareSize, {"FlareSize", "EditFlareSize"});
  visitor.Number(FlareAbove, {"FlareAbove", "EditFlareAbove"});
}

void TLight::WriteRecord(BinaryWriter& file) const {
  RecordWriter writer(file);
  // The writer only reads the fields.
  const_cast<TLight&>(*this).VisitFields(writer);
}

void TLight::ReadRecord(BinaryReader& file) {
  RecordReader reader(file);
  VisitFields(reader);
}
