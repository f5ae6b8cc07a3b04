#pragma once
// The edit cursor: the active tool and a rename in progress that entity references
// follow. The tools themselves live with the editor's input handling.

#include <cstdint>

#include "core/short_string.h"

class TCursor {
public:
  std::int16_t Mode = 0;  // tool code, 0 = no tool
  // Name of the entity being edited before and after its dialog; OldEntityName is
  // empty when no rename is in progress.
  String32 OldEntityName;
  String32 NewEntityName;

  void SetMode(int code) { Mode = static_cast<std::int16_t>(code); }
};
