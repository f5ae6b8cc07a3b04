#pragma once
// TFormRoom, "Room Attributes": seven tab sheets of room attributes and the tile list
// with its "Add Object", "Add Room" and "Remove" buttons.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/editor_dialog.h"

class UiPrompts;

class TFormRoom : public EditorDialog {
  Q_OBJECT

public:
  static constexpr int TileListFullAt = 30;  // more items than this refuse another

  TFormRoom(UiPrompts& prompts, QWidget* parent = nullptr);

  void AddObject();
  void AddRoom();
  void RemoveTile();
  // "..." beside the sky box texture: the texture browser over the names its list holds
  // (the game's texture list). Without a picker the button does nothing.
  using TexturePicker = std::function<std::optional<std::string>(QWidget* parent, const std::string& current,
                                                                 const std::vector<std::string>& names)>;
  void SetTexturePicker(TexturePicker picker) { picker_ = std::move(picker); }
  void ChooseSkyBox();

private:
  TexturePicker picker_;
  void AddTileFrom(const std::string& gameDirectory);

  UiPrompts& prompts_;
};
