#include "render/gl_multitexture.h"

namespace {

template <typename Function>
Function Fetch(const GLProcLookup& lookup, const char* name) {
  return reinterpret_cast<Function>(lookup(name));
}

}  // namespace

bool TMultitexture::InitMultitexture(const GLProcLookup& lookup) {
  if (!lookup || !ExtensionSupported("GL_ARB_multitexture")) return false;
  glGetIntegerv(GL_MAX_TEXTURE_UNITS_ARB, &maxTextureUnits_);
  multiTexCoord1f_ = Fetch<PFNGLMULTITEXCOORD1FARBPROC>(lookup, "glMultiTexCoord1fARB");
  multiTexCoord2f_ = Fetch<PFNGLMULTITEXCOORD2FARBPROC>(lookup, "glMultiTexCoord2fARB");
  multiTexCoord3f_ = Fetch<PFNGLMULTITEXCOORD3FARBPROC>(lookup, "glMultiTexCoord3fARB");
  multiTexCoord4f_ = Fetch<PFNGLMULTITEXCOORD4FARBPROC>(lookup, "glMultiTexCoord4fARB");
  multiTexCoord2fv_ = Fetch<PFNGLMULTITEXCOORD2FVARBPROC>(lookup, "glMultiTexCoord2fvARB");
  activeTexture_ = Fetch<PFNGLACTIVETEXTUREARBPROC>(lookup, "glActiveTextureARB");
  clientActiveTexture_ = Fetch<PFNGLCLIENTACTIVETEXTUREARBPROC>(lookup, "glClientActiveTextureARB");
  // Half a set of entry points is no set: the operations below then do nothing.
  if (multiTexCoord2f_ == nullptr || activeTexture_ == nullptr) {
    multiTexCoord2f_ = nullptr;
    activeTexture_ = nullptr;
    return false;
  }
  return true;
}

void TMultitexture::SetTextureUnit(std::uint32_t glName, int unit, int envMode) {
  if (!Available()) return;
  if (unit == 0) activeTexture_(GL_TEXTURE0_ARB);
  if (unit == 1) activeTexture_(GL_TEXTURE1_ARB);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, glName);
  // Only the combiner's RGB function is chosen; the unit's environment mode stays
  // modulate, so a light map darkens the texture below it.
  if (envMode == 0) glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB_ARB, GL_REPLACE);
  if (envMode == 1) glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB_ARB, GL_ADD);
}

void TMultitexture::SetTwoTextures(std::uint32_t glName0, std::uint32_t glName1) {
  if (!Available()) {
    // One unit only: the colour texture without its light map.
    if (glName0 == NoTexture) {
      glDisable(GL_TEXTURE_2D);
    } else {
      glEnable(GL_TEXTURE_2D);
      glBindTexture(GL_TEXTURE_2D, glName0);
    }
    return;
  }
  const std::uint32_t names[] = {glName0, glName1};
  for (int unit = 0; unit < 2; ++unit) {
    if (names[unit] != NoTexture) {
      SetTextureUnit(names[unit], unit, unit);
    } else {
      activeTexture_(unit == 0 ? GL_TEXTURE0_ARB : GL_TEXTURE1_ARB);
      glDisable(GL_TEXTURE_2D);
    }
  }
}

void TMultitexture::MultiTexCoord(float s0, float t0, float s1, float t1) {
  if (!Available()) {
    glTexCoord2f(s0, t0);
    return;
  }
  multiTexCoord2f_(GL_TEXTURE0_ARB, s0, t0);
  multiTexCoord2f_(GL_TEXTURE1_ARB, s1, t1);
}

void TMultitexture::EndMultitexture() {
  if (!Available()) return;
  activeTexture_(GL_TEXTURE1_ARB);
  glDisable(GL_TEXTURE_2D);
  activeTexture_(GL_TEXTURE0_ARB);
}
