#pragma once
// MilkShape 3D files (version 4 layout, little-endian). Every count and index is
// checked against the bytes that remain and the arrays it names before anything is
// allocated or used, so a damaged file is refused with a message, never read past.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "models/ms3d_model.h"

class Host;

// A base model: header checks, every section, keyframe warnings and the final
// checks (no empty section, no group without material). Returns whether the model
// counts as loaded; `contents` holds what was read, or nothing after a read error.
bool ReadMS3DBase(std::span<const std::uint8_t> bytes, std::string_view modelName, TMS3DContents& contents,
                  Host& host);

// An animation file: the mesh sections are skipped, the timing and the joints with
// their keys are kept. On a read error the message names the model and the
// animation is left without joints.
bool ReadAnimationFile(std::span<const std::uint8_t> bytes, std::string_view modelName,
                       TModelAnimation& animation, Host& host);

// Each joint's parent: the last joint named by its parent name, -1 when none. For an
// animation a parent that is the joint itself or comes after it is refused (false),
// since the bind pose is built in file order.
bool ResolveJointParents(std::span<TMS3DJoint> joints);

// The same for a base model, which is never posed: a parent may stand anywhere, and a
// joint that parents itself or sits in a loop of parents has none.
void ResolveBaseJointParents(std::span<TMS3DJoint> joints);

// `Error while loading model file "name" !` and the like: a text, then the model
// name between double quotes, then " !".
std::string QuotedModelText(std::string_view text, std::string_view modelName);
