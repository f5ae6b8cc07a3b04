#include "surfaces/model_texture_bake.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/bmp_file.h"
#include "core/file_system.h"
#include "engine/edit_engine.h"
#include "models/edit_model.h"
#include "room/edit_room.h"
#include "surfaces/bake_progress.h"
#include "surfaces/occlusion.h"

namespace {

constexpr float RoomSpan = 60.0f;
constexpr float SunDistance = 100.0f;
constexpr std::size_t MaxCopyBytes = std::size_t{256} << 20;

// The pixel row's caption "Line: n" on the progress panel; the panel's own caption
// comes back when the bake ends.
class LineCaption {
public:
  explicit LineCaption(Form& main) : main_(main) {}
  ~LineCaption() { main_.SetText("GroupBoxLight", "Computing Surface Lighting"); }
  LineCaption(const LineCaption&) = delete;
  LineCaption& operator=(const LineCaption&) = delete;
  void Show(int row) { main_.SetText("GroupBoxLight", "Line: " + std::to_string(row)); }

private:
  Form& main_;
};

// Keeps the unlit picture: the first bake copies the texture to the "_temp." file and
// every bake reads from there.
bool EnsureUnlitCopy(Host& host, const std::string& texture, const std::string& unlit) {
  if (fs_layer::FileExists(unlit)) return true;
  const auto bytes = fs_layer::ReadFile(texture, MaxCopyBytes);
  if (!bytes) {
    host.ShowError("QZ_TEXTURE", "Error while loading bitmap " + texture + "!");
    return false;
  }
  if (const auto failure = fs_layer::WriteFileAtomic(unlit, *bytes)) {
    host.ShowError("QZ_TEXTURE", "Error while saving bitmap " + unlit + ": " + *failure);
    return false;
  }
  return true;
}

std::uint8_t Lit(std::uint8_t pixel, float light) {
  const float value = std::clamp(light * static_cast<float>(pixel) / 255.0f, 0.0f, 1.0f);
  return static_cast<std::uint8_t>(std::nearbyint(value * 255.0f));
}

// Where a pixel lies on the room floor; a one-pixel side sits at the room's edge.
float FloorCoordinate(int index, int count) {
  return count > 1 ? static_cast<float>(index) / static_cast<float>(count - 1) * RoomSpan - RoomSpan / 2 : -RoomSpan / 2;
}

}  // namespace

bool BakeModelTexture(TRoom& room, const TVEModel& model, std::int16_t skipEntity, Occlusion* occlusion,
                      int threads) {
  if (model.SkinTextures[0] == NoTexture) return true;
  Host& host = room.Engine.GetHost();
  const std::string base = room.Engine.ModelDir.str() + model.ModelName.str();
  const std::string texture = base + ".bmp";
  const std::string unlit = base + "_temp.bmp";
  if (!EnsureUnlitCopy(host, texture, unlit)) return false;
  std::string why;
  auto image = LoadBmp(unlit, &why);
  if (!image) {
    host.ShowError("QZ_TEXTURE", "Error while loading bitmap " + unlit + ": " + why);
    return false;
  }

  const TVector sun = TQZMath::MoveForward(TQZMath::AnglesTo({}, room.LightPos), {}, SunDistance);
  {
    BakeProgress progress(host, image->height);
    LineCaption caption(host.GetForm(FormId::Main));
    const auto width = static_cast<std::size_t>(image->width);
    const auto row = [&](int y) {
      for (int x = 0; x < image->width; ++x) {
        const TVector p{FloorCoordinate(x, image->width), 0.0f, FloorCoordinate(y, image->height)};
        const bool hidden = occlusion && occlusion->IsOccluded(skipEntity, -1, sun, p);
        const TVector& light = hidden ? room.Ambience : room.Diffuse;
        std::uint8_t* rgb = &image->rgb[(static_cast<std::size_t>(y) * width + static_cast<std::size_t>(x)) * 3];
        rgb[0] = Lit(rgb[0], light.x);
        rgb[1] = Lit(rgb[1], light.y);
        rgb[2] = Lit(rgb[2], light.z);
      }
    };
    progress.OnRow = [&](int done) { caption.Show(done); };
    RunRows(image->height, threads, row, progress);
    // Cancelled: the bitmap on disk stays as it was.
    if (progress.Cancelled()) return true;
  }
  if (const auto failure = SaveBmp(texture, *image)) {
    host.ShowError("QZ_TEXTURE", "Error while saving bitmap " + texture + ": " + *failure);
    return false;
  }
  return true;
}
