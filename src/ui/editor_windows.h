#pragma once
// The editor's six windows, made in the program's order - main window, light, entity,
// room, height-map and surface dialogs - and registered with the host. The program
// entry and the window tests build the editor the same way through this.

#include <memory>
#include <string>

class QtHost;
class UiPrompts;
class TFormMain;
class TFormLight;
class TFormEntity;
class TFormRoom;
class TFormHeightMap;
class TFormSurface;

class EditorWindows {
public:
  EditorWindows(QtHost& host, UiPrompts& prompts, const std::string& workingDirectory);
  ~EditorWindows();

  std::unique_ptr<TFormMain> Main;
  std::unique_ptr<TFormLight> Light;
  std::unique_ptr<TFormEntity> Entity;
  std::unique_ptr<TFormRoom> Room;
  std::unique_ptr<TFormHeightMap> HeightMap;
  std::unique_ptr<TFormSurface> Surface;
};
