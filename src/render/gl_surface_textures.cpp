#include "render/gl_surface_textures.h"

#include <algorithm>

#include "engine/edit_engine.h"
#include "render/edit_gl.h"
#include "surfaces/surface_main.h"

void GLSurfaceTextures::BuildTextures(TSurface& surface) {
  LoadColorTexture(surface);
  if (compute_) compute_(surface);
  UploadLightMap(surface);
}

void GLSurfaceTextures::UploadStoredTextures(TSurface& surface) {
  LoadColorTexture(surface);
  UploadLightMap(surface);
}

void GLSurfaceTextures::DeleteTextures(TSurface& surface) {
  gl_.DeleteTexture(surface.textureHandle);
  gl_.DeleteTexture(surface.lightMapHandle);
  surface.textureHandle = TSurface::NoTexture;
  surface.lightMapHandle = TSurface::NoTexture;
}

void GLSurfaceTextures::LoadColorTexture(TSurface& surface) {
  const std::string path = gl_.Engine().ModelWorldDir.str() + surface.textureName.str() + ".bmp";
  surface.textureHandle = gl_.LoadBitmapTexture(path);
}

void GLSurfaceTextures::UploadLightMap(TSurface& surface) {
  // LightMapSize clamps the stored extents to the buffer, so a size that does not fit
  // uploads nothing rather than reading past the pixels.
  const std::size_t bytes = surface.LightMapSize();
  const GLuint name = TEditGL::CreateRGBTexture(std::span(surface.lightMapPixels).first(std::min(bytes, surface.lightMapPixels.size())),
                                                surface.lightMapWidth, surface.lightMapHeight);
  surface.lightMapHandle = name != 0 ? name : TSurface::NoTexture;
}
