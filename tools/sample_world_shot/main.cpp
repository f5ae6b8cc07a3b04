// brannock-sample-shot WORLD OUT.png: draws the demo room of a generated world in the
// 3D view, offscreen, the way the editor's view draws it, and saves the picture. Used
// to look at the sample world (docs/demo-room.png) without a window.

#include <iostream>
#include <memory>
#include <string>

#include "core/headless_host.h"
#include "engine/edit_engine.h"
#include "render/edit_gl.h"
#include "render/offscreen_context.h"
#include "room/edit_room.h"
#include "sample_world/demo_room.h"

namespace {

constexpr int Width = 960;
constexpr int Height = 720;
// Frames run before the picture is taken, so fire, fountain and light effects are
// under way.
constexpr int WarmUpFrames = 40;

void CheckViewMenu(Form& main) {
  for (auto item : {view_menu::ShowFog, view_menu::ShowSurfaces, view_menu::ShowLensFlares, view_menu::Lighting,
                    view_menu::ShowDetailmaps})
    main.SetChecked(item, true);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: brannock-sample-shot WORLD OUT.png\n";
    return 2;
  }
  std::string error;
  auto context = OffscreenContext::Create(Width, Height, &error);
  if (!context) {
    std::cerr << "brannock-sample-shot: " << error << '\n';
    return 1;
  }
  HeadlessHost host(&std::cerr);
  TQZEngine engine(host, argv[1]);
  TEditGL gl(engine, context->ProcLookup());
  // The window's order: context state and textures first, so models find their skins.
  gl.ResizeGLScene(Width, Height);
  gl.InitGLState();
  gl.Attach();
  engine.StartUp();
  CheckViewMenu(host.GetForm(FormId::Main));
  TRoom& room = *engine.Room;
  if (!room.LoadFromFile(std::string(argv[1]) + "/" + DemoRoomFile)) return 1;

  room.Camera.Mode = TCamera::Mode3D;
  // From the south edge across the plaza towards the pond, the house door and the terrace.
  room.Camera.Position = {-0.5f, 4.5f, 16.5f};
  room.Camera.Rotation = {-14.0f, 16.0f, 0.0f};
  for (int i = 0; i < WarmUpFrames; ++i) room.DoFrame();
  gl.DrawFrame();
  const bool saved = context->SavePng(argv[2]);
  gl.ShutdownGL();
  if (!saved) std::cerr << "brannock-sample-shot: cannot write " << argv[2] << '\n';
  return saved && host.errors.empty() ? 0 : 1;
}
