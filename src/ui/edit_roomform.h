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
  // A chosen model file as its tile-list entry: the extension and the leading world
  // texture directory dropped.
  static std::string TileEntryFromPath(const std::string& gamePath, const std::string& worldTextureDir);

private:
  void AddTileFrom(const std::string& gameDirectory);

  UiPrompts& prompts_;
};
