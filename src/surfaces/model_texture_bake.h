#pragma once
// Lights a floor model's texture image: the picture is laid over the whole 60 x 60 m
// room at height 0 and each pixel is multiplied by the room's diffuse colour, or by its
// ambient colour where the sun is hidden. The unlit image is kept next to the texture
// as "<name>_temp.bmp", so every bake starts from the same picture.

#include <cstdint>

class Occlusion;
class TRoom;
class TVEModel;

// Returns false (after reporting through the host) when an image could not be read or
// written; a model without a texture is left alone and counts as done, and so does a
// bake the designer cancelled, which writes nothing.
bool BakeModelTexture(TRoom& room, const TVEModel& model, std::int16_t skipEntity, Occlusion* occlusion,
                      int threads);
