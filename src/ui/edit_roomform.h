#pragma once
// TFormRoom, "Room Attributes": seven tab sheets of room attributes and the tile list
// with its "Add Object", "Add Room" and "Remove" buttons.

#include <string>

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

private:
  void AddTileFrom(const std::string& gameDirectory);

  UiPrompts& prompts_;
};
