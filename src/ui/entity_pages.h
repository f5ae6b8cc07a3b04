#pragma once
// The kind pages of the entity dialog as data: sheet name, caption and controls. One
// builder turns every row into widgets, so each page is described, not hand-built.

#include <span>
#include <string>

enum class PageControlKind {
  Edit,       // a number or short text
  NameBox,    // an editable combo: free text or a name picked from the list
  ListIndex,  // a selection-only combo; its item index is stored
  Check,
};

struct PageControlSpec {
  const char* name;
  PageControlKind kind;
  int maxLength = 32;
};

struct EntityPageSpec {
  const char* sheet;
  const char* caption;
  std::span<const PageControlSpec> controls;
};

std::span<const EntityPageSpec> EntityPages();

// "EditTDoorWaitBeforeEnter" on page "TDoor" -> "Wait Before Enter:".
std::string ControlCaption(const char* controlName, const char* sheet);
