#pragma once
// The visitors that write and read a record's stored fields and link the names in it.

#include <map>
#include <string>

#include "core/binary_io.h"
#include "entities/record_fields.h"

class TEntity;

class RecordWriter : public StoredFieldVisitor {
public:
  explicit RecordWriter(BinaryWriter& file) : file_(file) {}
  void Number(float& value, const FieldInfo&) override { file_.WriteF32(value); }
  void Number(std::int16_t& value, const FieldInfo&) override { file_.WriteI16(value); }
  void Vector(TVector& value, const FieldInfo&) override { file_.WriteVector(value); }
  void List(std::int16_t& value, const FieldInfo&) override { file_.WriteI16(value); }
  void Check(bool& value, const FieldInfo&) override { file_.WriteBool(value); }
  void Text(String32& value, const FieldInfo&) override { file_.WriteString(value); }
  void Text(String255& value, const FieldInfo&) override { file_.WriteString(value); }
  void Names(std::span<String32> values, const FieldInfo&) override;
  void Byte(std::uint8_t& value, const FieldInfo&) override { file_.WriteU8(value); }
  void Variable(std::int16_t& variable, std::int16_t& mode, std::int16_t& value, const VariableBoxes&) override;
  void Gap(std::size_t bytes) override;

private:
  BinaryWriter& file_;
};

class RecordReader : public StoredFieldVisitor {
public:
  explicit RecordReader(BinaryReader& file) : file_(file) {}
  void Number(float& value, const FieldInfo&) override { value = file_.ReadF32(); }
  void Number(std::int16_t& value, const FieldInfo&) override { value = file_.ReadI16(); }
  void Vector(TVector& value, const FieldInfo&) override { value = file_.ReadVector(); }
  void List(std::int16_t& value, const FieldInfo&) override { value = file_.ReadI16(); }
  void Check(bool& value, const FieldInfo&) override { value = file_.ReadBool(); }
  void Text(String32& value, const FieldInfo&) override { value = file_.ReadString<32>(); }
  void Text(String255& value, const FieldInfo&) override { value = file_.ReadString<255>(); }
  void Names(std::span<String32> values, const FieldInfo&) override;
  void Byte(std::uint8_t& value, const FieldInfo&) override { value = file_.ReadU8(); }
  void Variable(std::int16_t& variable, std::int16_t& mode, std::int16_t& value, const VariableBoxes&) override;
  void Gap(std::size_t bytes) override { file_.Skip(bytes); }

private:
  BinaryReader& file_;
};

// A name field whose text names an entity of this room: Bind links it, renames follow it.
bool NamesAnEntityHere(const FieldInfo& field);

// Visits only the fields that can name an entity: a short text or a list of names.
class NameFieldVisitor : public StoredFieldVisitor {
public:
  void Number(float&, const FieldInfo&) override {}
  void Number(std::int16_t&, const FieldInfo&) override {}
  void Vector(TVector&, const FieldInfo&) override {}
  void List(std::int16_t&, const FieldInfo&) override {}
  void Check(bool&, const FieldInfo&) override {}
  void Text(String255&, const FieldInfo&) override {}
  void Byte(std::uint8_t&, const FieldInfo&) override {}
  void Variable(std::int16_t&, std::int16_t&, std::int16_t&, const VariableBoxes&) override {}
  void Gap(std::size_t) override {}
};

// Links the names of this room's entities, as the fields name them.
class FieldLinker : public NameFieldVisitor {
public:
  explicit FieldLinker(TEntity& entity) : entity_(entity) {}
  using NameFieldVisitor::Text;
  void Text(String32& value, const FieldInfo& field) override;
  void Names(std::span<String32> values, const FieldInfo& field) override;

private:
  TEntity& entity_;
};

// Gives the name fields that name an entity of this room the new name of a renamed
// entity; names the map does not hold stay.
class ReferenceRenamer : public NameFieldVisitor {
public:
  using Renames = std::map<std::string, String32, std::less<>>;
  explicit ReferenceRenamer(const Renames& renames) : renames_(renames) {}
  using NameFieldVisitor::Text;
  void Text(String32& value, const FieldInfo& field) override;
  void Names(std::span<String32> values, const FieldInfo& field) override;

private:
  void Follow(String32& value) const;
  const Renames& renames_;
};
