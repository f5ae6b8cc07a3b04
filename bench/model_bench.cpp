// Model loading and per-frame skinning.

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/headless_host.h"
#include "engine/edit_engine.h"
#include "models/edit_model.h"
#include "models/model_animation.h"
#include "models/ms3d_reader.h"

namespace {

namespace stdfs = std::filesystem;

std::vector<std::vector<std::uint8_t>> RealModelFiles() {
  std::vector<std::vector<std::uint8_t>> files;
  const stdfs::path dir = stdfs::path(BRANNOCK_SHARED_TESTDATA_DIR) / "ms3d" / "assimp";
  if (!stdfs::exists(dir)) return files;
  for (const auto& entry : stdfs::directory_iterator(dir)) {
    if (entry.path().extension() != ".ms3d") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    files.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return files;
}

// Parsing only: the real files already in memory.
void BM_ReadRealModels(benchmark::State& state) {
  const auto files = RealModelFiles();
  if (files.empty()) return state.SkipWithError("shared MS3D test data not found");
  HeadlessHost host;
  for (auto _ : state) {
    for (const auto& bytes : files) {
      TMS3DContents contents;
      benchmark::DoNotOptimize(ReadMS3DBase(bytes, "bench", contents, host));
    }
    host.errors.clear();
  }
}
BENCHMARK(BM_ReadRealModels)->Unit(benchmark::kMillisecond);

// The whole catalogue of the sample game data, from disk: MS3D, definitions, animations.
void BM_LoadSampleCatalogue(benchmark::State& state) {
  const stdfs::path list = stdfs::path(BRANNOCK_SAMPLE_DIR) / "data" / "model" / "loadmodel.ini";
  if (!stdfs::exists(list)) return state.SkipWithError("sample data has no model list yet");
  HeadlessHost host;
  TQZEngine engine(host, BRANNOCK_SAMPLE_DIR);
  for (auto _ : state) engine.ModelEngine->LoadModels();
  state.counters["models"] = engine.ModelEngine->GlobalCount;
}
BENCHMARK(BM_LoadSampleCatalogue)->Unit(benchmark::kMillisecond);

// Poses and skins the animation once per iteration, a frame step further each time.
void SkinEveryFrame(benchmark::State& state, TModelAnimation& animation) {
  std::vector<TVector> skinned;
  float frame = 1.0f;
  for (auto _ : state) {
    ComputeFrameTransforms(animation, frame);
    SkinVertices(animation, skinned);
    benchmark::DoNotOptimize(skinned.data());
    frame = AdvanceFrame(frame, animation.LastFrame, TQZEngine::FrameStep(), 1, true);
  }
}

// The sample catalogue's animated model with the most vertices, posed and skinned
// once per drawn frame as the renderer does.
void BM_SkinLargestSampleModel(benchmark::State& state) {
  HeadlessHost host;
  TQZEngine engine(host, BRANNOCK_SAMPLE_DIR);
  engine.ModelEngine->LoadModels();
  TVEModel* largest = nullptr;
  for (std::int16_t slot = 1; slot <= engine.ModelEngine->GlobalCount; ++slot) {
    TVEModel* model = engine.ModelEngine->GetModel(slot);
    const bool animated = !model->Animations.empty() && !model->Animations[0].Joints.empty();
    if (animated && (!largest || model->Vertices.size() > largest->Vertices.size())) largest = model;
  }
  if (!largest) return state.SkipWithError("sample data has no animated model");
  TModelAnimation& animation = largest->Animations[0];
  SkinEveryFrame(state, animation);
  state.counters["vertices"] = static_cast<double>(animation.Vertices.size());
  state.counters["joints"] = static_cast<double>(animation.Joints.size());
}
BENCHMARK(BM_SkinLargestSampleModel)->Unit(benchmark::kMicrosecond);

// A chain of joints with keys on every joint, vertices spread over the joints.
TModelAnimation SyntheticAnimation(int vertexCount, int jointCount, int keyCount) {
  TModelAnimation animation;
  for (int j = 0; j < jointCount; ++j) {
    TMS3DJoint joint;
    joint.Name = "j" + std::to_string(j);
    if (j > 0) joint.ParentName = "j" + std::to_string(j - 1);
    joint.Position = {0.0f, 0.5f, 0.0f};
    for (int k = 0; k < keyCount; ++k) {
      const float t = static_cast<float>(k * 3 + 1);
      joint.RotationKeys.push_back({t, {0.1f * std::sin(t), 0.2f * std::cos(t), 0.05f * t}});
      joint.PositionKeys.push_back({t, {0.01f * t, 0.0f, 0.0f}});
    }
    animation.Joints.push_back(std::move(joint));
  }
  ResolveJointParents(animation.Joints);
  std::vector<TMS3DVertex> vertices;
  for (int v = 0; v < vertexCount; ++v)
    vertices.push_back({{static_cast<float>(v % 7), static_cast<float>(v % 13), static_cast<float>(v % 5)},
                        static_cast<std::int8_t>(v % jointCount)});
  SetupAnimation(vertices, animation);
  animation.LastFrame = AnimationLastFrame(animation);
  return animation;
}

void BM_SkinFrame(benchmark::State& state) {
  TModelAnimation animation = SyntheticAnimation(static_cast<int>(state.range(0)), 40, 30);
  SkinEveryFrame(state, animation);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SkinFrame)->Arg(1989)->Arg(20000)->Unit(benchmark::kMicrosecond);

}  // namespace
