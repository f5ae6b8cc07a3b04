#pragma once
// Two texture units through GL_ARB_multitexture, for detail maps and light maps.
// Without the extension the operations fall back to the one unit GL always has:
// surfaces and models then draw with their first texture only.

#include <cstdint>

#include "render/glExt.h"
#include "render/gl_api.h"

class TMultitexture {
public:
  // Texture name that leaves a unit untextured.
  static constexpr std::uint32_t NoTexture = 9999;

  // Fetches the entry points when the current context offers the extension.
  bool InitMultitexture(const GLProcLookup& lookup);
  bool Available() const { return activeTexture_ != nullptr; }
  int MaxTextureUnits() const { return maxTextureUnits_; }

  // envMode 0 replaces, 1 adds; unit 0 or 1 becomes active, others leave it.
  void SetTextureUnit(std::uint32_t glName, int unit, int envMode);
  // Unit 0 gets glName0 (replace), unit 1 glName1 (add); unit 1 stays active.
  // NoTexture leaves that unit untextured.
  void SetTwoTextures(std::uint32_t glName0, std::uint32_t glName1);
  void MultiTexCoord(float s0, float t0, float s1, float t1);
  // Switches unit 1 off and makes unit 0 active again.
  void EndMultitexture();

private:
  PFNGLMULTITEXCOORD1FARBPROC multiTexCoord1f_ = nullptr;
  PFNGLMULTITEXCOORD2FARBPROC multiTexCoord2f_ = nullptr;
  PFNGLMULTITEXCOORD3FARBPROC multiTexCoord3f_ = nullptr;
  PFNGLMULTITEXCOORD4FARBPROC multiTexCoord4f_ = nullptr;
  PFNGLMULTITEXCOORD2FVARBPROC multiTexCoord2fv_ = nullptr;
  PFNGLACTIVETEXTUREARBPROC activeTexture_ = nullptr;
  PFNGLCLIENTACTIVETEXTUREARBPROC clientActiveTexture_ = nullptr;
  int maxTextureUnits_ = 0;
};
