#pragma once
// The room's window onto the texture table, which lives with the GL context. The
// command-line tool and the document tests run without one; the room then treats
// every sky-box name as not found.

#include <cstdint>
#include <string_view>

class Form;

class TextureLookup {
public:
  virtual ~TextureLookup() = default;
  // Slot 1..100 of the named texture, or -1 (after the table's own message).
  virtual std::int16_t FindTexture(std::string_view name) = 0;
  // Replaces the combo's items with the names of the loaded textures in slot order.
  virtual void FillTextureList(Form& form, std::string_view combo) = 0;
};
