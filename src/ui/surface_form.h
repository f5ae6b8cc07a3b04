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
  // The texture browser behind "...": it gets the dialog, the name in the edit and the
  // file dialog as "Other File...", and returns the name chosen. Without one, "..."
  // opens the file dialog.
  using TexturePicker = std::function<std::optional<std::string>(
      QWidget* parent, const std::string& current, std::function<std::optional<std::string>()> fromFile)>;
  void SetTexturePicker(TexturePicker picker) { picker_ = std::move(picker); }

private:
  std::optional<std::string> TextureFromFile();

  UiPrompts& prompts_;
  TexturePicker picker_;
};
