#pragma once
// The room's own attributes with their new-room values, in the order of the room
// file. Kept apart so "New Room" resets them all from this one list of defaults.

#include <array>
#include <cstdint>

#include "core/short_string.h"
#include "core/vector.h"

class RecordVisitor;

struct TRoomAttributes {
  static constexpr int TileSlots = 32;

  String255 Name{"ROOM"};  // at most 32 characters reach the file
  String255 RegionName{"REGION"};
  std::int16_t SizeX = 1;
  std::int16_t SizeZ = 1;
  std::int16_t Environment = 0;
  std::int16_t Effect = 0;
  float EffectIntensity = 1.0f;
  std::int16_t Region = 0;
  std::int16_t MapPosX = 0;
  std::int16_t MapPosZ = 0;
  TVector Ambience{0.0f, 0.0f, 0.0f};
  TVector Diffuse{0.0f, 0.0f, 0.0f};
  TVector LightPos{0.0f, 0.7f, 0.7f};
  std::int16_t FogTypus = 0;
  float FogDensity = 0.1f;
  float FogStartDist = 10.0f;
  float FogEndDist = 20.0f;
  TVector FogColor{1.0f, 1.0f, 1.0f};
  String255 SkyBoxTexture;
  std::int16_t WeatherEffect = 0;
  std::int16_t SunFlare = 0;
  float SunFlareIntensity = 1.0f;
  float SunFlareSize = 2.0f;
  std::int16_t WaterMaterial = 0;
  float WaterHeight = 0.0f;
  TVector WaterColor{0.0f, 0.3f, 1.0f};
  float WaterDensity = 0.5f;
  std::int16_t WaterFromX = 0;
  std::int16_t WaterFromZ = 0;
  std::int16_t WaterToX = 60;
  std::int16_t WaterToZ = 60;
  std::array<String255, TileSlots> TileList;

  // The attribute block and the tile names as the room file stores them, in stored
  // order, each with the room dialog's control (room_file.cpp).
  void VisitFields(RecordVisitor& visitor);
};
