#pragma once
// The kind pages of the entity dialog, read off the kinds' own field lists: every
// page's sheet, caption and labelled controls in order, for the window to build.

#include <string>
#include <vector>

class TQZEngine;

enum class PageControlKind {
  Edit,       // a number or short text
  NameBox,    // an editable combo: free text or a name picked from the list
  ListIndex,  // a selection-only combo; its item index is stored
  Check,
};

struct PageControl {
  std::string name;
  PageControlKind kind;
  // The row's label (UTF-8); empty puts the control beside the one before it, as the
  // three edits of a vector or a condition's value beside its comparison.
  std::string label;
  int maxLength = 32;
  // A variable's box: the box that lists the values of the variable picked in it.
  std::string valueBox = {};
};

struct EntityPage {
  std::string sheet;
  std::string caption;
  std::vector<PageControl> controls;
};

// Every kind page in the dialog's order; a page two kinds share (the tile's, the
// unit's) comes once.
std::vector<EntityPage> DescribeEntityPages(TQZEngine& engine);
