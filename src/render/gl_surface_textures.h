#pragma once
// The GL side of surfaces: the colour texture from the texture's bitmap and the light
// map uploaded from the surface's pixels.

#include "surfaces/surface_textures.h"

class TEditGL;

class GLSurfaceTextures : public SurfaceTextures {
public:
  explicit GLSurfaceTextures(TEditGL& gl) : gl_(gl) {}
  void BuildTextures(TSurface& surface) override;
  void UploadStoredTextures(TSurface& surface) override;
  void DeleteTextures(TSurface& surface) override;

private:
  void LoadColorTexture(TSurface& surface);
  void UploadLightMap(TSurface& surface);

  TEditGL& gl_;
};
