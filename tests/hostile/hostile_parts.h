#pragma once
// The pieces of the hostile-file set, one per family of readers, and the byte
// patching they share.

#include <cstring>
#include <string_view>

#include "hostile/hostile_files.h"

namespace hostile {

void AddRoomFiles(TQZEngine& engine, std::vector<HostileFile>& files);
void AddModelFiles(std::vector<HostileFile>& files);
void AddTextFiles(const TQZEngine& engine, std::vector<HostileFile>& files);
void AddBitmapFiles(std::vector<HostileFile>& files);

template <class T>
void Poke(std::vector<std::uint8_t>& bytes, std::size_t offset, T value) {
  std::memcpy(bytes.data() + offset, &value, sizeof value);
}

inline std::vector<std::uint8_t> TextBytes(std::string_view text) { return {text.begin(), text.end()}; }

// The rig: TwoJointArm of the model tests, and its "walk" animation with keys.
std::vector<std::uint8_t> RigBytes();
std::vector<std::uint8_t> RigAnimationBytes();
constexpr std::string_view RigDefinition = "[MODEL_BASEDATA]\nRig\n1.0\n[MODEL_ANIMATION]\nwalk\n";

}  // namespace hostile
