#pragma once
// The room file as JSON, complete both ways, for version control and scripts: every
// byte the file holds, so a room goes to text and back to the same bytes
// (`brannock-tool dump --complete`, `brannock-tool build`). Both directions walk the
// records' own descriptions (record_layout.h); the form is documented in
// docs/room-format.md.
//
// The form is the plain dump's (room_json.h) with every stored record, in file order
// (free lights and surfaces too), stored values as stored, and:
// - "lightMapPixels" on each surface: base64 of its width x height x 3 RGB bytes;
// - "storedBytes" on a record, only where the bytes need it: for a text, "lengthByte"
//   (a length byte above the capacity) and "after" (base64 of the characters after the
//   text, from the first that is not zero to the end of the capacity); for a check
//   box, its byte when it is neither 0 nor 1; for a gap ("gapAfterTemplate"), base64
//   of its bytes when they are not all zero;
// - "storedBytes" at the top: "header" (base64 of the 96 header bytes when they are
//   not the standard ones), "surfaceBlock": false (the file ends after its entities),
//   "trailing" (base64 of bytes after the last surface).
// "Class", "Links" and "lightMapSha256" are derived: build checks "Class" against the
// typus and ignores the other two. Every other key must be given, and no other key
// may be.

#include <nlohmann/json.hpp>

#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class TRoom;

namespace room_text {

// What is wrong with a JSON, after the key it concerns: "entities[3].Name: 40
// characters; at most 32 fit".
class Error : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// The room loads the file as the editor does (its links are the dump's); nothing when
// that load is refused or stops at damage, which the room has reported.
std::optional<nlohmann::ordered_json> CompleteJson(TRoom& room, std::span<const std::uint8_t> bytes);

// The room file the JSON describes, under the room reader's rules: every count, size,
// text length, list length and pixel count is checked against the slot tables and
// capacities. The room only lends its engine and its records' descriptions.
std::vector<std::uint8_t> BuildRoomFile(TRoom& room, const nlohmann::ordered_json& json);

// JSON text as build reads it; a key given twice in one object is an error too.
nlohmann::ordered_json ParseJson(std::string_view text);

}  // namespace room_text
