#include "tool/model_info_command.h"

#include <nlohmann/json.hpp>

#include <filesystem>

#include "core/file_system.h"
#include "models/ms3d_reader.h"
#include "tool/console_host.h"
#include "tool/json_text.h"

using Json = nlohmann::ordered_json;
using json_text::Num;
using json_text::Utf8;

namespace {

// The editor reads no model larger than this either.
constexpr std::size_t MaxModelFileBytes = 64u * 1024u * 1024u;

Json Joints(const TMS3DContents& model) {
  Json joints = Json::array();
  for (const TMS3DJoint& joint : model.Joints)
    joints.push_back({{"name", Utf8(joint.Name)},
                      {"parent", Utf8(joint.ParentName)},
                      {"rotationKeys", joint.RotationKeys.size()},
                      {"positionKeys", joint.PositionKeys.size()}});
  return joints;
}

Json Materials(const TMS3DContents& model) {
  Json materials = Json::array();
  for (const TMS3DMaterial& material : model.Materials)
    materials.push_back({{"name", Utf8(material.Name)},
                         {"texture", Utf8(material.Texture)},
                         {"alphaMap", Utf8(material.AlphaMap)},
                         {"textureNumber", material.TextureNumber},
                         {"transparency", Num(material.Transparency)}});
  return materials;
}

}  // namespace

int RunModelInfo(const std::string& path, std::ostream& out) {
  ConsoleHost host;
  TMS3DContents model;
  bool loaded = false;
  // The file named on the command line, exactly as spelled.
  if (!fs_layer::HostFileExists(path)) {
    host.ShowError("QZ_FILE", "File \"" + path + " not found!");
  } else {
    // An unreadable or oversized file reads as empty, which the reader reports.
    const auto bytes = fs_layer::ReadHostFile(path, MaxModelFileBytes).value_or(std::vector<std::uint8_t>());
    loaded = ReadMS3DBase(bytes, std::filesystem::path(path).stem().string(), model, host);
  }

  Json messages = Json::array();
  for (const auto& error : host.errors) messages.push_back(Utf8(error.Full()));
  const Json info{{"file", Utf8(path)},
                  {"loaded", loaded},
                  {"vertices", model.Vertices.size()},
                  {"triangles", model.Triangles.size()},
                  {"groups", model.Groups.size()},
                  {"materialCount", model.Materials.size()},
                  {"jointCount", model.Joints.size()},
                  {"fps", Num(model.Fps)},
                  {"currentTime", Num(model.CurrentTime)},
                  {"totalFrames", model.TotalFrames},
                  {"joints", Joints(model)},
                  {"materials", Materials(model)},
                  {"messages", messages}};
  out << info.dump(1) << '\n';
  return host.Clean() ? 0 : 1;
}
