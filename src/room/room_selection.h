#pragma once
// The document's selection: the objects of one kind (lights, entities or surfaces, by
// slot) or one rectangle of fields. Every selection command works on it; a pick with a
// tool makes the picked object the selection.

#include <set>

class TRoom;

// A field of the grid by column and row.
struct TCell {
  int x = 0;
  int z = 0;
};

struct TFieldRect {
  int minX = 0, minZ = 0, maxX = -1, maxZ = -1;  // field indices, inclusive; empty when max < min
  bool Empty() const { return maxX < minX || maxZ < minZ; }
  bool operator==(const TFieldRect&) const = default;
};

class TSelection {
public:
  enum class Kind { None, Lights, Entities, Surfaces, Fields };

  Kind What() const { return kind_; }
  // Slots of the lights, entities or surfaces selected, ascending.
  const std::set<int>& Slots() const { return slots_; }
  const TFieldRect& Fields() const { return fields_; }
  bool Empty() const { return kind_ == Kind::None; }
  int Count() const;
  bool Holds(Kind kind, int slot) const { return kind_ == kind && slots_.contains(slot); }

  void Clear();
  // Only the one object.
  void Set(Kind kind, int slot);
  // Adds the slot, or takes it out when it is in; a slot of another kind starts anew.
  void Toggle(Kind kind, int slot);
  void Add(Kind kind, int slot);
  void SetFields(const TFieldRect& rect);
  // Drops slots whose object is no longer in use (after an undo, a delete).
  void DropUnused(const TRoom& room);

private:
  Kind kind_ = Kind::None;
  std::set<int> slots_;
  TFieldRect fields_;
};
