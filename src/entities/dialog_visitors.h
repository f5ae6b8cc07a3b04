#pragma once
// The visitors that show a kind's fields on its dialog page and read them back.

#include <string>

#include "core/conversion_block.h"
#include "core/form.h"
#include "entities/record_fields.h"

class TEntity;
class TQZEngine;

class DialogFiller : public RecordVisitor {
public:
  DialogFiller(const TEntity& entity, TQZEngine& engine, Form& form) : entity_(entity), engine_(engine), form_(form) {}
  void Page(std::string_view sheet, std::string_view caption) override;
  void Number(float& value, const FieldInfo& field) override;
  void Number(std::int16_t& value, const FieldInfo& field) override;
  void Vector(TVector& value, const FieldInfo& field) override;
  void Colour(TVector& value, const FieldInfo& field) override;
  void List(std::int16_t& value, const FieldInfo& field) override;
  void Check(bool& value, const FieldInfo& field) override;
  void Text(String32& value, const FieldInfo& field) override { ShowText(value.view(), field.control, field); }
  void Text(String255& value, const FieldInfo& field) override { ShowText(value.view(), field.control, field); }
  void Names(std::span<String32> values, const FieldInfo& field) override;
  void Variable(std::int16_t& variable, std::int16_t& mode, std::int16_t& value, const VariableBoxes& boxes) override;
  void Byte(std::uint8_t&, const FieldInfo&) override {}  // no kind has one
  void Gap(std::size_t) override {}

private:
  void ShowText(std::string_view text, std::string_view control, const FieldInfo& field);

  const TEntity& entity_;
  TQZEngine& engine_;
  Form& form_;
};

// Reads the page back. Block numbers convert in the page's conversion block: the first
// that fails stops the page, so it and every field after it keep their values.
class DialogReader : public RecordVisitor {
public:
  DialogReader(TQZEngine& engine, Form& form);
  void Page(std::string_view sheet, std::string_view caption) override;
  void Number(float& value, const FieldInfo& field) override;
  void Number(std::int16_t& value, const FieldInfo& field) override;
  void Vector(TVector& value, const FieldInfo& field) override;
  // Reports its own failure and does not stop the block.
  void Colour(TVector& value, const FieldInfo& field) override;
  void List(std::int16_t& value, const FieldInfo& field) override;
  void Check(bool& value, const FieldInfo& field) override;
  void Text(String32& value, const FieldInfo& field) override;
  void Text(String255& value, const FieldInfo& field) override;
  void Names(std::span<String32> values, const FieldInfo& field) override;
  void Variable(std::int16_t& variable, std::int16_t& mode, std::int16_t& value, const VariableBoxes& boxes) override;
  void Byte(std::uint8_t&, const FieldInfo&) override {}  // no kind has one
  void Gap(std::size_t) override {}
  // Whether a block number failed since the page began.
  bool Stopped() const { return stopped_; }

private:
  TQZEngine& engine_;
  Form& form_;
  ConversionBlock block_;
  bool stopped_ = false;
};

// "CBTriggerTarget" and 0 -> "CBTriggerTarget1": the boxes of a name list.
std::string NumberedControl(std::string_view control, std::size_t index);
