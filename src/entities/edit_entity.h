#pragma once
// The base of every placed object other than fields, lights and surfaces: placement
// and appearance shared by all kinds, the common record of the room file, model and
// link resolution, and the six operations through which every kind is treated alike.

#include <array>
#include <cstdint>
#include <string_view>

#include "core/binary_io.h"
#include "core/form.h"
#include "core/short_string.h"
#include "core/vector.h"
#include "models/animation_instance.h"

class RecordVisitor;
class TQZEngine;
class TRoom;
class TVEModel;

class TEntity {
public:
  static constexpr int LinkCount = 10;
  static constexpr std::size_t CommonRecordSize = 163;

  // What a kind starts with: its base name, typus and editor model; logic objects are
  // not visible in the game.
  struct Kind {
    std::string_view name;
    std::int16_t typus;
    std::string_view model = {};
    bool visible = true;
  };

  explicit TEntity(TQZEngine& engine);
  TEntity(TQZEngine& engine, const Kind& kind);
  virtual ~TEntity() = default;
  TEntity(const TEntity&) = delete;
  TEntity& operator=(const TEntity&) = delete;

  // Stored in the common record, in this order.
  String32 Name = "ENTITY";
  std::int16_t Typus = 0;
  TVector Position;
  TVector Rotation;
  String32 ModelName;
  std::int16_t Health = -1;
  bool Active = true;
  float Size = 1.0f;
  bool Visible = true;
  bool ApplyLighting = false;
  TVector Color{1.0f, 1.0f, 1.0f};
  std::int16_t BlendingMode = 0;
  float Density = 1.0f;
  std::int16_t ShadowTypus = 0;
  float ShadowRadius = 1.0f;
  String32 AnimName;
  std::int16_t AnimDirection = 1;
  float AnimSpeed = 1.0f;
  bool AnimLoop = true;

  // Derived, never stored.
  std::int16_t ModelIndex = -1;
  TAnimationInstance AnimState;
  std::int16_t SlotIndex = 0;
  std::array<std::int16_t, LinkCount> Links;

  // The six operations every kind may refine. The dialog and record operations walk
  // the kind's fields as VisitFields lists them.
  virtual void FillDialog(Form& form);
  virtual void ReadDialog(Form& form);
  virtual void Animate();
  virtual void WriteRecord(BinaryWriter& file);
  virtual void ReadRecord(BinaryReader& file);
  virtual void Bind();

  // The kind's own stored fields beyond the common record, in stored order, each with
  // its dialog control. The base has none.
  virtual void VisitFields(RecordVisitor& visitor);
  // The common record's fields, in stored order, each with its dialog control.
  void VisitCommon(RecordVisitor& visitor);

  // The class of the kind (of the typus table), for readers that show an entity whole.
  virtual std::string_view ClassName() const { return "TEntity"; }

  void WriteTypus(BinaryWriter& file) const;
  void ReadTypus(BinaryReader& file);
  void WriteCommon(BinaryWriter& file) const;
  void ReadCommon(BinaryReader& file);

  bool InUse() const { return Typus > 0; }
  bool IsTypus(std::int16_t t) const { return Typus == t; }
  void Delete() { Typus = 0; }
  bool IsShown() const;

  void ResolveModel();
  void ClearLinks();
  // Links every name field that names an entity of this room, in stored order.
  void LinkFields();
  // Follows a rename in progress, then links the first entity named by the reference.
  void AddLink(String32& reference);
  void FallDown();
  bool HitTest(const TVector& point) const;

  // The model of slot ModelIndex, or none.
  const TVEModel* GetModel() const;
  // Runs the entity dialog on this entity (edit_entityform.cpp).
  void EditEntity();
  // Dialog buttons: bake this model's texture with the room's light, or turn the model
  // into room surfaces and remove the entity. Without a model both do nothing.
  void CreateShadows();
  void ConvertToSurfaces();

  // Typus argument of FillEntityNames that lists every kind.
  static constexpr std::int16_t AnyTypus = -1;
  // Fills a target box with the names of the other entities of one kind (or any kind).
  void FillEntityNames(Form& form, std::string_view combo, std::int16_t typus) const;

protected:
  TQZEngine& Engine;
  TRoom& Room() const;
  // The tile and door animation: reset, then started at frame 1 when the model is known.
  void StartAnimation();
};
