// The entity dialog: common fields, kind pages and their two error styles.

#include "entities/edit_entityform.h"
#include "entities/entity_animation.h"
#include "entities/entity_fixture.h"
#include "entities/entity_trigger.h"
#include "entities/entity_typus.h"
#include "entities/tile_door.h"
#include "particles/particle_fire.h"

namespace {
const std::string ValuesError = "QZ_ENTITY: Error on converting values!";
const std::string ValueError = "QZ_ENGINE: Error on converting value!";
}  // namespace

TEST_F(EntityTest, DialogShowsCommonFieldsAndOnlyTheKindsPages) {
  auto& door = Add<TETDoor>(typus::Door);
  door.Density = 0.123456f;
  door.Size = 1.239f;
  Dialog().SetVisible("TabSheetTrigger", true);  // left over from an earlier opening
  door.EditEntity();

  EXPECT_EQ(Dialog().Text("EditName"), "DOOR1");
  EXPECT_EQ(Dialog().Text("EditDensity"), "0.1235");
  EXPECT_EQ(Dialog().Text("EditSize"), "1.24");
  EXPECT_EQ(Dialog().Text("EditHealth"), "-1");
  for (const auto page : entity_form::KindPages) {
    const bool own = page == "TabSheetTile" || page == "TabSheetTDoor";
    EXPECT_EQ(Dialog().Visible(page), own) << page;
  }
  EXPECT_EQ(Dialog().ActivePage("PageControl"), "TabSheetTDoor");
  EXPECT_EQ(door.Size, 1.239f) << "Cancel changes nothing";
}

TEST_F(EntityTest, ConfirmingUnchangedKeepsMoreDecimalsThanShown) {
  auto& door = Add<TETDoor>(typus::Door);
  door.Size = 1.239f;
  door.Density = 0.123456f;
  door.KeyItem = 7;
  host.ScriptModal({nullptr, ModalResult::Ok});
  door.EditEntity();
  EXPECT_EQ(Dialog().Text("EditSize"), "1.24");
  EXPECT_EQ(door.Size, 1.239f);
  EXPECT_EQ(door.Density, 0.123456f);
  EXPECT_EQ(door.KeyItem, 7) << "an index beyond the key list is kept";
  EXPECT_TRUE(Errors().empty());

  // What the designer types is what is stored.
  host.ScriptModal({[](MemoryForm& form) { form.SetText("EditSize", "1.24"); }, ModalResult::Ok});
  door.EditEntity();
  EXPECT_EQ(door.Size, 1.239f) << "typing the shown text again changes nothing";
  host.ScriptModal({[](MemoryForm& form) { form.SetText("EditSize", "1.25"); }, ModalResult::Ok});
  door.EditEntity();
  EXPECT_EQ(door.Size, 1.25f);
}

TEST_F(EntityTest, HealthBeyondSixteenBitsStopsTheConfirmationInsteadOfWrapping) {
  TEntity& marker = Add(typus::Marker);
  marker.Health = 12;
  const float x = marker.Position.x;
  host.ScriptModal({[](MemoryForm& form) {
                      form.SetText("EditHealth", "40000");
                      form.SetText("EditPosX", "2.5");
                    },
                    ModalResult::Ok});
  marker.EditEntity();
  EXPECT_EQ(marker.Health, 12);
  EXPECT_EQ(marker.Position.x, x) << "the block stops at the bad number";
  EXPECT_EQ(Errors(), std::vector<std::string>{"QZ_ENTITY: Error on converting values!"});
}

TEST_F(EntityTest, BadCommonNumberStopsTheConfirmationAfterIt) {
  auto& trigger = Add<TETrigger>(typus::Trigger);
  host.ScriptModal({[](MemoryForm& form) {
                      form.SetText("EditName", "RENAMED");
                      form.SetText("EditHealth", "many");
                      form.SetText("EditPosX", "5");
                      form.SetText("EditTriggerDelay", "9");
                    },
                    ModalResult::Ok});
  trigger.EditEntity();
  EXPECT_EQ(trigger.Name.view(), "RENAMED");
  EXPECT_EQ(trigger.Health, -1);
  EXPECT_EQ(trigger.Position.x, 0.0f);
  EXPECT_EQ(trigger.Delay, 0.0f) << "the kind page is not read";
  EXPECT_EQ(Errors(), std::vector<std::string>{ValuesError});
}

TEST_F(EntityTest, BadColourReportsButTheRestIsApplied) {
  TEntity& marker = Add(typus::Marker);
  host.ScriptModal({[](MemoryForm& form) {
                      form.SetText("EditR", "0.5");
                      form.SetText("EditG", "green");
                      form.SetText("EditShadowRadius", "3");
                    },
                    ModalResult::Ok});
  marker.EditEntity();
  EXPECT_EQ(marker.Color.x, 0.5f);
  EXPECT_EQ(marker.Color.y, 1.0f);
  EXPECT_EQ(marker.ShadowRadius, 3.0f);
  EXPECT_EQ(Errors(), std::vector<std::string>{"QZ_ENGINE: Error on converting values!"});
}

TEST_F(EntityTest, TileConversionBlockStopsAtTheFirstBadNumber) {
  auto& tile = Add<TETile>(typus::Tile);
  host.ScriptModal({[](MemoryForm& form) {
                      form.SetText("EditTileAutorotateY", "45");
                      form.SetItems("CBTileCollisionForm", {"none", "cylinder", "box"});
                      form.SetItemIndex("CBTileCollisionForm", 2);
                      form.SetText("EditTileCollisionSizeX", "abc");
                      form.SetText("EditTileCollisionSizeY", "7");
                      form.SetItems("CBTileMaterial", {"stone", "wood", "metal", "water"});
                      form.SetItemIndex("CBTileMaterial", 3);
                      form.SetChecked("CheckBoxTileCanClimb", true);
                    },
                    ModalResult::Ok});
  tile.EditEntity();
  EXPECT_EQ(tile.AutoRotate.y, 45.0f);
  EXPECT_EQ(tile.CollisionForm, 2);
  EXPECT_EQ(tile.CollisionSize, (TVector{0.5f, 1.0f, 0.5f}));
  EXPECT_EQ(tile.Material, 0);
  EXPECT_FALSE(tile.CanClimb);
  EXPECT_EQ(Errors(), std::vector<std::string>{ValuesError});
}

TEST_F(EntityTest, DoorReportsEachBadNumberAndReadsOn) {
  auto& door = Add<TETDoor>(typus::Door);
  host.ScriptModal({[](MemoryForm& form) {
                      form.SetText("EditTDoorWaitBeforeEnter", "abc");
                      form.SetText("EditTDoorAnimSpeed", "");
                      form.SetText("EditTDoorWaitBeforeAnim", "2,5");
                      form.SetText("CBTDoorOnUnlock", "OPENER");
                      form.SetItems("CBTDoorKey", {"none", "key", "card", "gem", "rune"});
                      form.SetItemIndex("CBTDoorKey", 4);
                    },
                    ModalResult::Ok});
  door.EditEntity();
  EXPECT_EQ(door.WaitBeforeEnter, 0.0f);
  EXPECT_EQ(door.DoorAnimSpeed, 1.0f);
  EXPECT_EQ(door.WaitBeforeAnim, 2.5f);
  EXPECT_EQ(door.OnUnlock.view(), "OPENER");
  EXPECT_EQ(door.KeyItem, 4);
  EXPECT_EQ(Errors(), (std::vector<std::string>{ValueError, ValueError}));
}

TEST_F(EntityTest, TriggerWithBadCountDownKeepsItsTargets) {
  auto& trigger = Add<TETrigger>(typus::Trigger);
  trigger.Targets[7] = "OLD";
  host.ScriptModal({[](MemoryForm& form) {
                      form.SetText("EditTriggerCountDown", "ten");
                      for (int i = 1; i <= 8; ++i) form.SetText("CBTriggerTarget" + std::to_string(i), "NEW");
                      form.SetChecked("CheckBoxTriggerShowCountDown", true);
                    },
                    ModalResult::Ok});
  trigger.EditEntity();
  EXPECT_EQ(trigger.Targets[0].view(), "");
  EXPECT_EQ(trigger.Targets[7].view(), "OLD");
  EXPECT_FALSE(trigger.ShowCountDown);
  EXPECT_EQ(Errors(), std::vector<std::string>{ValuesError});
}

TEST_F(EntityTest, FortyCharacterNamesAreCutToThirtyTwo) {
  auto& trigger = Add<TETrigger>(typus::Trigger);
  const std::string forty(40, 'N');
  host.ScriptModal({[&](MemoryForm& form) {
                      form.SetText("EditName", forty);
                      form.SetText("CBTriggerTarget3", forty);
                      form.SetText("CBModel", forty);
                    },
                    ModalResult::Ok});
  trigger.EditEntity();
  EXPECT_EQ(trigger.Name.view(), std::string(32, 'N'));
  EXPECT_EQ(trigger.Targets[2].view(), std::string(32, 'N'));
  EXPECT_EQ(trigger.ModelName.view(), std::string(32, 'N'));
  EXPECT_TRUE(Errors().empty());
}

TEST_F(EntityTest, DeleteDiscardsTheEditsAndFreesTheSlot) {
  TEntity& marker = Add(typus::Marker);
  host.ScriptModal({[](MemoryForm& form) { form.SetText("EditName", "CHANGED"); }, ModalResult::No});
  marker.EditEntity();
  EXPECT_FALSE(marker.InUse());
  EXPECT_EQ(marker.Name.view(), "MARKER1");
}

TEST_F(EntityTest, ConvertWithoutModelAppliesTheFieldsAndKeepsTheEntity) {
  TEntity& marker = Add(typus::Marker);
  host.ScriptModal({[](MemoryForm& form) {
                      form.SetText("EditPosZ", "-4");
                      form.SetChecked(entity_form::ConvertRequested, true);
                    },
                    ModalResult::Ok});
  marker.EditEntity();
  EXPECT_TRUE(marker.InUse());
  EXPECT_EQ(marker.Position.z, -4.0f);
}

TEST_F(EntityTest, AnimationTargetsEachHaveTheirOwnBox) {
  Add(typus::Marker, "A");
  auto& player = Add<TEAnimation>(typus::Animation);
  player.Targets = {"A", "B", "C", "D"};
  host.ScriptModal({nullptr, ModalResult::Ok});
  player.EditEntity();
  EXPECT_EQ(Dialog().Items("CBEAnimationTarget1"), std::vector<std::string>{"A"}) << "never lists itself";
  EXPECT_EQ(player.Targets[0].view(), "A");
  EXPECT_EQ(player.Targets[1].view(), "B");
  EXPECT_EQ(player.Targets[2].view(), "C");
  EXPECT_EQ(player.Targets[3].view(), "D");
}

TEST_F(EntityTest, ParticlePageReadsEveryNumberOnItsOwn) {
  auto& fire = Add<TEPFire>(typus::Fire);
  host.ScriptModal({[](MemoryForm& form) {
                      form.SetText("EditPFireSize", "huge");
                      form.SetText("EditPFireRadius", "0.5");
                    },
                    ModalResult::Ok});
  fire.EditEntity();
  EXPECT_EQ(fire.FireSize, 1.0f);
  EXPECT_EQ(fire.FireRadius, 0.5f);
  EXPECT_EQ(Errors(), std::vector<std::string>{ValueError});
}

TEST_F(EntityTest, ChangingTheVariableKeepsTheValueIndex) {
  engine.Variables[3].Values[2] = "open";
  engine.Variables[5].Values[2] = "lit";
  Form& form = Dialog();
  engine.FillVariableCombo(form, "CBTriggerCondition");
  engine.FillVariableValueCombo(form, "CBTriggerConditionParameter", 3);
  form.SetItemIndex("CBTriggerConditionParameter", 2);
  form.SetItemIndex("CBTriggerCondition", 5);
  entity_form::ChangeCondition(engine, form, "CBTriggerCondition", "CBTriggerConditionParameter");
  EXPECT_EQ(form.ItemIndex("CBTriggerConditionParameter"), 2);
  EXPECT_EQ(form.Items("CBTriggerConditionParameter").at(2), "lit");
  EXPECT_EQ(Dialog().Inspect("CBTriggerConditionParameter").dropDownCount, 22);

  // No variable selected: the value box is emptied rather than read past the table.
  form.SetItemIndex("CBTriggerCondition", -1);
  entity_form::ChangeCondition(engine, form, "CBTriggerCondition", "CBTriggerConditionParameter");
  EXPECT_TRUE(form.Items("CBTriggerConditionParameter").empty());
}

TEST_F(EntityTest, StoredVariableBeyondTheTableShowsNoValueNamesAndKeepsItsIndices) {
  auto& trigger = Add<TETrigger>(typus::Trigger);
  trigger.Condition = {9999, 1, 4};
  host.ScriptModal({nullptr, ModalResult::Ok});
  trigger.EditEntity();
  EXPECT_EQ(Dialog().Items("CBTriggerConditionParameter"), std::vector<std::string>{"4 (not in variable.ini)"});
  EXPECT_EQ(Dialog().Items("CBTriggerCondition").back(), "9999 (not in variable.ini)");
  EXPECT_EQ(trigger.Condition.Variable, 9999);
  EXPECT_EQ(trigger.Condition.Value, 4);
}
