#pragma once
// The kind pages of the entity dialog as data: sheet name, caption and labelled controls. One
// builder turns every row into widgets, so each page is described, not hand-built.

#include <span>

enum class PageControlKind {
  Edit,       // a number or short text
  NameBox,    // an editable combo: free text or a name picked from the list
  ListIndex,  // a selection-only combo; its item index is stored
  Check,
};

struct PageControlSpec {
  const char* name;
  PageControlKind kind;
  // The row's label (UTF-8); null puts the control beside the one before it, as the
  // three edits of a vector or a condition's value beside its comparison.
  const char* label;
  int maxLength = 32;
};

struct EntityPageSpec {
  const char* sheet;
  const char* caption;
  std::span<const PageControlSpec> controls;
};

std::span<const EntityPageSpec> EntityPages();
