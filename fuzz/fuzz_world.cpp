#include "fuzz_world.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "core/file_system.h"
#include "models/edit_model.h"
#include "models/model_animation.h"
#include "models/model_surfaces.h"
#include "models/ms3d_writer.h"
#include "room/edit_room.h"

namespace {

// A scratch directory in memory when the machine has one: every run writes a file.
std::filesystem::path ScratchRoot() {
  const std::filesystem::path shm = "/dev/shm";
  const auto base = std::filesystem::is_directory(shm) ? shm : std::filesystem::temp_directory_path();
  auto root = base / ("brannock-fuzz-" + std::to_string(::getpid()));
  std::filesystem::remove_all(root);
  for (const char* dir : {"art", "data/model/fuzz", "data/model/world", "data/world/room", "sound", "music"})
    std::filesystem::create_directories(root / dir);
  return root;
}

// Two joints ("root" and "tip", the tip hanging from the root), a textured square of
// two triangles, two vertices on each joint.
TMS3DContents RigMesh() {
  TMS3DContents c;
  c.Fps = 24.0f;
  const TVector corners[] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
  for (int i = 0; i < 4; ++i) c.Vertices.push_back({corners[i], static_cast<std::int8_t>(i / 2)});
  c.Triangles.resize(2);
  c.Triangles[0].Indices = {0, 1, 2};
  c.Triangles[1].Indices = {0, 2, 3};
  c.Groups.push_back({String32("square"), {0, 1}, 0});
  TMS3DMaterial skin;
  skin.Name = "skin";
  c.Materials.push_back(skin);
  TMS3DJoint root;
  root.Name = "root";
  TMS3DJoint tip;
  tip.Name = "tip";
  tip.ParentName = "root";
  tip.Position = {0, 1, 0};
  c.Joints = {root, tip};
  return c;
}

constexpr std::size_t MaxConvertedTriangles = 512;

std::string AsText(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

}  // namespace

namespace fuzz_rig {

const std::string& BaseBytes() {
  static const std::string bytes = AsText(WriteMS3D(RigMesh()));
  return bytes;
}

const std::string& AnimationBytes() {
  static const std::string bytes = [] {
    TMS3DContents animation = RigMesh();
    for (auto& joint : animation.Joints) {
      joint.RotationKeys = {{1.0f, {0, 0, 0}}, {24.0f, {0, 1.5f, 0}}};
      joint.PositionKeys = {{1.0f, {0, 0, 0}}, {12.0f, {0, 0.5f, 0}}};
    }
    return AsText(WriteMS3D(animation));
  }();
  return bytes;
}

}  // namespace fuzz_rig

FuzzWorld& FuzzWorld::Get() {
  static FuzzWorld world;
  return world;
}

FuzzWorld::FuzzWorld() : root_(ScratchRoot().string()) {
  engine = std::make_unique<TQZEngine>(host, root_);
  Write("data\\model\\fuzz\\rig.ms3d", fuzz_rig::BaseBytes());
  Write("data\\model\\fuzz\\rig.ini", fuzz_rig::Definition);
  Write("data\\model\\fuzz\\rig_walk.ms3d", fuzz_rig::AnimationBytes());
}

FuzzWorld::~FuzzWorld() {
  engine.reset();
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

void FuzzWorld::Write(std::string_view gamePath, std::span<const std::uint8_t> bytes) {
  const std::string path = fs_layer::ToHostPath(engine->BaseDir.str() + std::string(gamePath));
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void FuzzWorld::Write(std::string_view gamePath, std::string_view text) {
  Write(gamePath, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

TVEModel& FuzzWorld::Subject() { return *engine->ModelEngine->GetModel(SubjectSlot); }

void FuzzWorld::ExerciseModel(TVEModel& model) {
  const TVector at{1.0f, 0.0f, 1.0f};
  const TVector turn{10.0f, 45.0f, 0.0f};
  engine->ModelEngine->PlacedModelBounds(model.SlotNumber, at, turn, 1.5f);
  engine->ModelEngine->ModelHeightAt(model.SlotNumber, at, turn, 1.5f, at);
  // Pairing triangles into surfaces compares every triangle with every other, so it
  // is a command for scenery-sized models, not part of reading; large ones skip it.
  if (model.Triangles.size() <= MaxConvertedTriangles) {
    // Only the surfaces are emptied: clearing the whole room would cost more than the run.
    TRoom& room = *engine->Room;
    for (auto& surface : room.Surfaces)
      if (surface->InUse()) surface->Reset();
    room.CountSurfaces();
    ConvertModelToSurfaces(room, model, at, turn, 1.0f);
  }
  std::vector<TVector> skinned;
  for (auto& animation : model.Animations) {
    for (const float frame : {1.0f, animation.LastFrame / 2.0f, animation.LastFrame}) {
      ComputeFrameTransforms(animation, frame);
      SkinVertices(animation, skinned);
    }
  }
}
