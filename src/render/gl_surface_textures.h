#pragma once
// The GL side of surfaces: the colour texture from the texture's bitmap and the light
// map uploaded from the surface's pixels.

#include <functional>

#include "surfaces/surface_textures.h"

class TEditGL;

class GLSurfaceTextures : public SurfaceTextures {
public:
  explicit GLSurfaceTextures(TEditGL& gl) : gl_(gl) {}

  // The light-map computation fills a surface's pixels before they are uploaded; it
  // belongs to the lighting code, which hands it in. Without it the pixels upload as
  // they are.
  using LightMapComputer = std::function<void(TSurface&)>;
  void SetLightMapComputer(LightMapComputer compute) { compute_ = std::move(compute); }
  void BuildTextures(TSurface& surface) override;
  void UploadStoredTextures(TSurface& surface) override;
  void DeleteTextures(TSurface& surface) override;

private:
  void LoadColorTexture(TSurface& surface);
  void UploadLightMap(TSurface& surface);

  TEditGL& gl_;
  LightMapComputer compute_;
};
