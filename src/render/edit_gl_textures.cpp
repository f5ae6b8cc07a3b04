// The texture table of TEditGL: the list file, lookups by name and the loaders.
#include <string>

#include "core/config_lines.h"
#include "core/texture_list.h"
#include "engine/edit_engine.h"
#include "render/bitmap_file.h"
#include "render/edit_gl.h"

namespace {

static_assert(static_cast<int>(TextureListSlots) == TEditGL::TextureSlots, "the list fills the table's slots");

// Names are compared by their first 32 characters only.
constexpr std::size_t NameLength = 32;
constexpr int ComboDropDownCount = 22;

// A fresh texture name. 9999 means "no texture" throughout the editor, and GL hands
// out ever larger names over a long session, so that one is passed over.
GLuint NewTextureName() {
  GLuint name = 0;
  glGenTextures(1, &name);
  if (name == TMultitexture::NoTexture) glGenTextures(1, &name);
  return name;
}

// Builds the mipmap chain of the bound texture.
GLuint UploadMipmapped(const TBitmapRows& bitmap, GLint components) {
  const GLuint name = NewTextureName();
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  gluBuild2DMipmaps(GL_TEXTURE_2D, components, bitmap.width, bitmap.height, GL_RGB, GL_UNSIGNED_BYTE,
                    bitmap.rgb.data());
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  return name;
}

}  // namespace

void TEditGL::LoadTextureList() {
  const std::string listPath = engine_.ArtDir.str() + "loadtexture.ini";
  if (!engine_.CheckFile(listPath, true)) return;
  auto reader = ConfigLineReader::Open(listPath);
  if (!reader) return;
  int slot = 0;
  for (const std::string& name : ReadTextureList(*reader)) {
    ++slot;
    // A missing bitmap stops the list half-way: the count and fixed slots stay unset.
    if (!LoadListedTexture(name, slot)) return;
  }
  textureCount_ = static_cast<std::int16_t>(slot);
  ResolveFixedTextures();
}

bool TEditGL::LoadListedTexture(std::string_view name, int slot) {
  const std::string file = engine_.ArtDir.str() + std::string(name) + ".bmp";
  if (!engine_.CheckFile(file, true)) return false;
  TTextureSlot& entry = textures_[static_cast<std::size_t>(slot)];
  entry.Name = name;
  std::string why;
  const auto bitmap = LoadBitmapRows(file, &why);
  if (!bitmap) {
    // A damaged bitmap keeps its slot (later slots keep their numbers) but draws untextured.
    engine_.ShowError("QZ_TEXTURE", "Texture \"" + std::string(name) + "\" is not a readable bitmap: " + why + "!");
    return true;
  }
  entry.GLName = UploadMipmapped(*bitmap, 3);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &entry.Width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &entry.Height);
  entry.Loaded = true;
  return true;
}

void TEditGL::ResolveFixedTextures() {
  fixed_.FrameHorizontal = FindTexture("menu\\frame\\horizontal");
  fixed_.FrameVertical = FindTexture("menu\\frame\\vertical");
  fixed_.FrameTopLeft = FindTexture("menu\\frame\\topleft");
  fixed_.FrameTopRight = FindTexture("menu\\frame\\topright");
  fixed_.FrameBottomLeft = FindTexture("menu\\frame\\bottomleft");
  fixed_.FrameBottomRight = FindTexture("menu\\frame\\bottomright");
  fixed_.FramePattern = FindTexture("menu\\frame\\pattern");
  fixed_.Flare = FindTexture("effect\\flare\\flare");
  fixed_.FlareCenter = FindTexture("effect\\flare\\center");
  fixed_.FlareRings = FindTexture("effect\\flare\\rings");
  fixed_.Shadow = FindTexture("effect\\shadow");
  fixed_.Water = FindTexture("world\\water\\water");
  fixed_.Water2 = FindTexture("world\\water\\water2");
}

std::int16_t TEditGL::FindTexture(std::string_view name) {
  const std::string_view wanted = name.substr(0, NameLength);
  // Slots past the count hold empty names and take part too.
  for (int slot = 1; slot <= TextureSlots; ++slot) {
    if (textures_[static_cast<std::size_t>(slot)].Name == wanted) return static_cast<std::int16_t>(slot);
  }
  engine_.ShowError("QZ_TEXTURE", "Texture \"" + std::string(wanted) + "\" not found!");
  return -1;
}

GLuint TEditGL::TextureName(std::int16_t slot) const {
  if (slot < 1 || slot > TextureSlots) return 0;
  const TTextureSlot& entry = textures_[static_cast<std::size_t>(slot)];
  return entry.Loaded ? entry.GLName : 0;
}

void TEditGL::SelectTexture(std::int16_t slot) {
  glEnable(GL_TEXTURE_2D);
  // A fixed texture that was not found (-1) binds no texture at all.
  glBindTexture(GL_TEXTURE_2D, TextureName(slot));
}

std::pair<GLint, GLint> TEditGL::SelectSizedTexture(std::int16_t slot) {
  SelectTexture(slot);
  if (TextureName(slot) == 0) return {0, 0};
  const TTextureSlot& entry = textures_[static_cast<std::size_t>(slot)];
  return {entry.Width, entry.Height};
}

void TEditGL::FreeTextureSlot(int slot) {
  if (slot < 1 || slot > TextureSlots) return;
  TTextureSlot& entry = textures_[static_cast<std::size_t>(slot)];
  if (entry.Loaded) glDeleteTextures(1, &entry.GLName);
  entry.Loaded = false;
}

void TEditGL::FillTextureList(Form& form, std::string_view combo) {
  std::vector<std::string> names;
  for (int slot = 1; slot <= textureCount_; ++slot) names.push_back(textures_[static_cast<std::size_t>(slot)].Name.str());
  form.SetItems(combo, names);
  form.SetDropDownCount(combo, ComboDropDownCount);
}

bool TEditGL::LoadBitmapTexture(std::string_view path, GLuint& glName) {
  if (!engine_.CheckFile(path, true)) return false;
  const auto bitmap = LoadBitmapRows(path);
  if (!bitmap) return false;
  glName = UploadMipmapped(*bitmap, GL_RGB8);
  return true;
}

std::uint32_t TEditGL::LoadBitmapTexture(std::string_view gamePath) {
  GLuint name = 0;
  return LoadBitmapTexture(gamePath, name) ? name : NoTexture;
}

GLuint TEditGL::CreateRGBTexture(std::span<const std::uint8_t> pixels, int width, int height) {
  // A short buffer would make GL read past its end.
  if (width <= 0 || height <= 0 ||
      pixels.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3) {
    return 0;
  }
  const GLuint name = NewTextureName();
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
  return name;
}

void TEditGL::DeleteTexture(std::uint32_t glName) {
  if (glName == 0 || glName == NoTexture) return;
  const GLuint name = glName;
  glDeleteTextures(1, &name);
}
