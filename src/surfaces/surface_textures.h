#pragma once
// The GL side of a surface: its colour texture and light-map texture objects. Baking
// the light map needs the occlusion test and uploading needs a context, so both live
// behind this seam; without it a surface keeps only its data.

class TSurface;

class SurfaceTextures {
public:
  virtual ~SurfaceTextures() = default;
  // Loads the colour texture, computes the light map into the surface's pixels and
  // uploads both; sets the two handles.
  virtual void BuildTextures(TSurface& surface) = 0;
  // After a record was read: loads the colour texture and uploads the stored light map.
  virtual void UploadStoredTextures(TSurface& surface) = 0;
  virtual void DeleteTextures(TSurface& surface) = 0;
};
