#pragma once
// TFormSurface, "Surface Attributes": name, texture, texture coordinates and light-map
// size of one surface, with the "..." texture chooser.

#include <functional>
#include <optional>
#include <string>

#include "ui/editor_dialog.h"

class UiPrompts;

class TFormSurface : public EditorDialog {
  Q_OBJECT

public:
  TFormSurface(UiPrompts& prompts, QWidget* parent = nullptr);

  // "..." : a texture chosen below the world texture directory, as the text the
  // texture name edit takes, or nothing when cancelled.
  static std::string TextureNameFromPath(std::string gamePath);
  void ChooseTexture();

private:
  UiPrompts& prompts_;
};
