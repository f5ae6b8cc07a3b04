// Damaged MS3D files, model definitions and model lists, from the two-joint rig.
#include <limits>

#include "hostile/hostile_parts.h"
#include "models/ms3d_fixture.h"
#include "models/ms3d_model.h"
#include "models/ms3d_writer.h"

namespace hostile {

namespace {

const std::vector<std::string> BaseRefused = {
    "QZ_MODEL: Error while loading model file \"hostile\\subject\" !",
    "QZ_MODEL:: Error occured! Check model file \"hostile\\subject\" !"};
const std::vector<std::string> AnimationRefused = {"QZ_MODEL: Error while loading animation \"hostile\\rig\" !"};

// Offsets in the rig's base file (4 vertices, 2 triangles, 1 group, 1 material, 2 joints).
constexpr std::size_t VertexCount = 14;
constexpr std::size_t TriangleCount = VertexCount + 2 + 4 * 15;
constexpr std::size_t GroupCount = TriangleCount + 2 + 2 * 70;
constexpr std::size_t GroupTriangleCount = GroupCount + 2 + 1 + 32;
constexpr std::size_t MaterialCount = GroupTriangleCount + 2 + 2 * 2 + 1;
constexpr std::size_t Fps = MaterialCount + 2 + 361;
constexpr std::size_t JointCount = Fps + 4 + 4 + 4;
constexpr std::size_t FirstJointKeyCounts = JointCount + 2 + 1 + 32 + 32 + 12 + 12;

TMS3DContents Animated() {
  TMS3DContents animation = ms3d_fixture::TwoJointArm();
  for (auto& joint : animation.Joints) {
    joint.RotationKeys = {{1.0f, {0, 0, 0}}, {24.0f, {0, 1.5f, 0}}};
    joint.PositionKeys = {{1.0f, {0, 0, 0}}, {12.0f, {0, 0.5f, 0}}};
  }
  return animation;
}

struct ModelFiles {
  std::vector<HostileFile>& files;

  void Add(std::string name, HostileReader reader, std::vector<std::uint8_t> bytes,
           std::vector<std::string> messages, bool accepted) {
    files.push_back({std::move(name), reader, std::move(bytes), std::move(messages), accepted});
  }
  void Base(std::string name, const TMS3DContents& contents, std::vector<std::string> messages, bool accepted) {
    Add("model " + name, HostileReader::ModelBase, WriteMS3D(contents), std::move(messages), accepted);
  }
  template <class T>
  void BasePatch(std::string name, std::size_t offset, T value) {
    auto bytes = RigBytes();
    Poke(bytes, offset, value);
    Add("model " + name, HostileReader::ModelBase, std::move(bytes), BaseRefused, false);
  }
  // The rig itself stays sound, so it loads whatever its animation holds.
  void Animation(std::string name, std::vector<std::uint8_t> bytes, std::vector<std::string> messages) {
    Add("animation " + name, HostileReader::ModelAnimation, std::move(bytes), std::move(messages), true);
  }
  void Animation(std::string name, const TMS3DContents& contents, std::vector<std::string> messages) {
    Animation(std::move(name), WriteMS3D(contents), std::move(messages));
  }
};

std::string Lines(std::string_view line, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text.append(line).append("\n");
  return text;
}

}  // namespace

std::vector<std::uint8_t> RigBytes() { return WriteMS3D(ms3d_fixture::TwoJointArm()); }
std::vector<std::uint8_t> RigAnimationBytes() { return WriteMS3D(Animated()); }

void AddModelFiles(std::vector<HostileFile>& files) {
  ModelFiles set{files};
  constexpr float nan = std::numeric_limits<float>::quiet_NaN();
  constexpr float inf = std::numeric_limits<float>::infinity();

  // Every cut of a base file and of an animation file: no record boundary is missed.
  const auto base = RigBytes();
  for (std::size_t size = 0; size < base.size(); ++size)
    set.Add("model cut at " + std::to_string(size), HostileReader::ModelBase,
            {base.begin(), base.begin() + static_cast<std::ptrdiff_t>(size)}, BaseRefused, false);
  const auto animation = RigAnimationBytes();
  for (std::size_t size = 0; size < animation.size(); ++size)
    set.Animation("cut at " + std::to_string(size), {animation.begin(), animation.begin() + static_cast<std::ptrdiff_t>(size)},
                  AnimationRefused);

  // Counts of 65 535 in a file far too short for them.
  set.BasePatch("vertex count 65535", VertexCount, std::uint16_t{65535});
  set.BasePatch("triangle count 65535", TriangleCount, std::uint16_t{65535});
  set.BasePatch("group count 65535", GroupCount, std::uint16_t{65535});
  set.BasePatch("group triangle count 65535", GroupTriangleCount, std::uint16_t{65535});
  set.BasePatch("material count 65535", MaterialCount, std::uint16_t{65535});
  set.BasePatch("joint count 65535", JointCount, std::uint16_t{65535});
  set.BasePatch("rotation key count 65535", FirstJointKeyCounts, std::uint16_t{65535});
  set.BasePatch("position key count 65535", FirstJointKeyCounts + 2, std::uint16_t{65535});

  // Indices out of range.
  auto model = ms3d_fixture::TwoJointArm();
  model.Triangles[1].Indices[2] = 4;
  set.Base("triangle naming vertex 4 of 4", model, BaseRefused, false);
  model.Triangles[1].Indices[2] = 65535;
  set.Base("triangle naming vertex 65535", model, BaseRefused, false);
  model = ms3d_fixture::TwoJointArm();
  model.Groups[0].Triangles.push_back(2);
  set.Base("group naming triangle 2 of 2", model, BaseRefused, false);
  for (const std::int8_t material : {std::int8_t{1}, std::int8_t{127}, std::int8_t{-2}}) {
    model = ms3d_fixture::TwoJointArm();
    model.Groups[0].Material = material;
    set.Base("group material " + std::to_string(material) + " of 1", model, BaseRefused, false);
  }
  model = ms3d_fixture::TwoJointArm();
  model.Groups[0].Material = -1;
  set.Base("group without material", model, {"QZ_MODEL:: No material defined in model \"hostile\\subject\" !"}, true);
  model.Materials.clear();
  set.Base("no materials", model,
           {"QZ_MODEL:: Error occured! Check model file \"hostile\\subject\" !",
            "QZ_MODEL:: No material defined in model \"hostile\\subject\" !"},
           false);
  for (const std::int8_t bone : {std::int8_t{2}, std::int8_t{100}, std::int8_t{-100}}) {
    model = ms3d_fixture::TwoJointArm();
    model.Vertices[0].Bone = bone;
    set.Base("vertex on joint " + std::to_string(bone) + " of 2", model, {}, true);
  }

  // Parent loops: a base model is never posed, so it loads without those parents; an
  // animation's parent must come before its child.
  model = ms3d_fixture::TwoJointArm();
  model.Joints[0].ParentName = "tip";
  set.Base("joints parenting each other", model, {}, true);
  model = ms3d_fixture::TwoJointArm();
  model.Joints[1].ParentName = "tip";
  set.Base("joint parenting itself", model, {}, true);
  auto looped = Animated();
  looped.Joints[0].ParentName = "tip";
  set.Animation("joints parenting each other", looped, {"QZ_MODEL: Failed to load animation \"walk\"!"});

  // Floats that are not numbers.
  model = ms3d_fixture::TwoJointArm();
  model.Vertices[1].Position = {inf, nan, -inf};
  set.Base("vertex at NaN and infinity", model, {}, true);
  auto odd = Animated();
  odd.Joints[1].RotationKeys[1].Value = {nan, inf, 0};
  odd.Joints[0].PositionKeys[0].Time = nan;
  set.Animation("keys of NaN and infinity", odd, {});
  auto bytes = RigAnimationBytes();
  Poke(bytes, Fps, nan);
  set.Animation("frames per second NaN", bytes, {});
  bytes = RigAnimationBytes();
  Poke(bytes, Fps, inf);
  set.Animation("frames per second infinite", bytes, {});

  // Skeletons that do not match the rig.
  auto single = Animated();
  single.Joints.pop_back();
  set.Animation("fewer joints than the rig", single, {});
  auto extra = Animated();
  extra.Joints.push_back(extra.Joints[1]);
  extra.Joints.back().Name = "extra";
  set.Animation("more joints than the rig", extra, {});

  // Definitions and lists.
  const std::string heading = "[MODEL_BASEDATA]\nRig\n1.0\n";
  set.Add("definition with 101 animations", HostileReader::ModelDefinition,
          TextBytes(heading + "[MODEL_ANIMATION]\n" + Lines("walk", 101)),
          {"QZ_MODEL: Too many animations listed for model \"hostile\\rig\" !"}, true);
  set.Add("definition scale not a number", HostileReader::ModelDefinition,
          TextBytes("[MODEL_BASEDATA]\nRig\nlarge\n"), {"QZ_ENGINE: Error on converting value!"}, true);
  set.Add("definition ending after a header", HostileReader::ModelDefinition, TextBytes("[MODEL_BLEND]"),
          {"QZ_ENGINE: Error on converting value!"}, true);
  set.Add("definition display name of 300 characters", HostileReader::ModelDefinition,
          TextBytes("[MODEL_BASEDATA]\n" + std::string(300, 'n') + "\n1.0\n"), {}, true);
  set.Add("model list of 469 names", HostileReader::ModelList,
          TextBytes("[MODEL_FILENAME]\n" + Lines("hostile\\rig", 469)),
          {"QZ_MODEL: Too many models listed! Only the first 468 are loaded."}, true);
}

}  // namespace hostile
