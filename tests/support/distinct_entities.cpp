#include "support/distinct_entities.h"

#include "entities/entity_animation.h"
#include "entities/entity_camera.h"
#include "entities/entity_control.h"
#include "entities/entity_item.h"
#include "entities/entity_marker.h"
#include "entities/entity_message.h"
#include "entities/entity_portal.h"
#include "entities/entity_registry.h"
#include "entities/entity_savepoint.h"
#include "entities/entity_sound.h"
#include "entities/entity_spawner.h"
#include "entities/entity_tilemover.h"
#include "entities/entity_touchfield.h"
#include "entities/entity_trigger.h"
#include "entities/entity_typus.h"
#include "entities/entity_variable.h"
#include "entities/tile_door.h"
#include "entities/unit_e_clawshrimp.h"
#include "entities/unit_e_mutant.h"
#include "particles/particle_explosion.h"
#include "particles/particle_fire.h"
#include "particles/particle_fountain.h"
#include "particles/particle_grass.h"
#include "particles/particle_rain.h"

const std::pair<std::int16_t, std::size_t> KindSizes[] = {
    {typus::Tile, 29},        {typus::Door, 548},     {typus::TileMover, 78}, {typus::Trigger, 281},
    {typus::TouchField, 115}, {typus::Message, 293},  {typus::Control, 45},   {typus::Marker, 70},
    {typus::Spawner, 120},    {typus::Variable, 6},   {typus::SavePoint, 6},  {typus::Sound, 306},
    {typus::Animation, 172},  {typus::Item, 113},     {typus::Portal, 408},   {typus::Camera, 75},
    {typus::Mutant, 179},     {typus::ClawShrimp, 179}, {typus::Grass, 69},   {typus::Fire, 8},
    {typus::Fountain, 34},    {typus::Rain, 38},      {typus::Explosion, 4}};

// Every own field of the kind gets a value unlike its default and unlike its neighbours.
void Distinguish(TEntity& e) {
  if (auto* t = dynamic_cast<TETile*>(&e)) {
    t->AutoRotate = {1.5f, -2.5f, 3.25f};
    t->CollisionForm = 2;
    t->CollisionSize = {0.75f, 1.75f, 2.75f};
    t->Material = 5;
    t->CanClimb = true;
  }
  if (auto* d = dynamic_cast<TETDoor*>(&e)) {
    static const std::string farRoom = std::string(200, 'r') + "\\end.rer";
    d->ToRoom = farRoom;
    d->ToMarker = "MARKER9";
    d->Dimensions = {0.1f, 0.2f, 0.3f};
    d->PlayerAnimation = "walk_in";
    d->WaitBeforeEnter = 4.5f;
    d->DoorAnimation = "open";
    d->DoorAnimSpeed = 2.5f;
    d->WaitBeforeAnim = 0.125f;
    d->ActivationTarget = "TRIGGER4";
    d->Sound = "SOUND2";
    d->KeyItem = 3;
    d->OnLocked = "LOCKED";
    d->OnUnlock = "UNLOCK";
    d->Condition = {17, 2, 4};
  }
  if (auto* m = dynamic_cast<TETileMover*>(&e)) {
    m->Target = "TILE7";
    m->Delay = 6.5f;
    m->Marker = "MARKER3";
    m->Speed = 0.25f;
    m->RotateSpeed = 7.5f;
  }
  if (auto* t = dynamic_cast<TETrigger*>(&e)) {
    t->CountDown = 12;
    t->ShowCountDown = true;
    t->Delay = 1.25f;
    t->Activations = 3;
    t->Condition = {200, 1, 5};
    t->Action = 4;
    for (int i = 0; i < TETrigger::TargetCount; ++i) t->Targets[i] = std::string(32, static_cast<char>('A' + i));
  }
  if (auto* f = dynamic_cast<TETouchField*>(&e)) {
    f->Dimensions = {3.0f, 4.0f, 5.0f};
    f->OnEnter = "IN";
    f->OnExit = "OUT";
    f->Activations = 9;
    f->ByHero = false;
    f->ByAll = true;
    f->ByEntity = "MUTANT1";
  }
  if (auto* m = dynamic_cast<TEMessage*>(&e)) {
    m->MessageFile = "text\\intro.txt";
    m->Sound = "SOUND9";
    m->Delay = 8.75f;
  }
  if (auto* c = dynamic_cast<TEControl*>(&e)) {
    c->GameStatus = 2;
    c->Action = 3;
    c->Delay = 0.5f;
    c->Duration = 9.5f;
    c->NextControl = "CONTROL2";
  }
  if (auto* m = dynamic_cast<TEMarker*>(&e)) {
    m->TargetMarker = "MARKER2";
    m->Delay = 2.25f;
    m->TriggerOnEnter = "TRIGGER2";
  }
  if (auto* s = dynamic_cast<TESpawner*>(&e)) {
    s->Template = "MUTANT1";
    s->DelayBeforeFirst = 3.5f;
    s->TotalCount = 6;
    s->SpawnAtOnce = 2;
    s->DelayInbetween = 4.25f;
    s->SpawnPosition = "MARKER5";
    s->SpawnEffect = 1;
    s->Sound = "SOUND5";
  }
  if (auto* v = dynamic_cast<TEVariable*>(&e)) v->Assignment = {44, 2, 3};
  if (auto* p = dynamic_cast<TESavePoint*>(&e)) p->Assignment = {45, 1, 4};
  if (auto* s = dynamic_cast<TESound*>(&e)) {
    s->SoundFile = "sound\\drip.wav";
    s->Volume = 55;
    s->Speed = 1.5f;
    s->Loop = true;
    s->Source = 2;
    s->SourceEntity = "TILE4";
    s->Activation = 1;
    s->RandomPercent = 35;
    s->ReplayAfter = 12.5f;
  }
  if (auto* a = dynamic_cast<TEAnimation*>(&e)) {
    a->AnimationName = "wave";
    a->Direction = 2;
    a->Speed = 0.75f;
    a->Loop = true;
    a->Targets = {"T1", "T2", "T3", "T4"};
  }
  if (auto* i = dynamic_cast<TEItem*>(&e)) {
    i->ItemTypus = 6;
    i->Amount = 25;
    i->OnCollect = "TRIGGER8";
    i->CollectAnimation = "ANIMATION3";
    i->DelayBeforeCollect = 0.75f;
    i->Assignment = {12, 3, 2};
    i->ItemModel = "ITEM_KEY";
  }
  if (auto* p = dynamic_cast<TEPortal*>(&e)) {
    p->ToRoom = "cave.rer";
    p->ToMarker = "ENTRY";
    p->Dimensions = {1.5f, 2.5f, 3.5f};
    p->ActivationDistance = 2.75f;
    p->Target = "DOOR1";
    p->TargetAnimation = "slide";
    p->TargetSpeed = 3.25f;
    p->Sound = "SOUND3";
  }
  if (auto* c = dynamic_cast<TECamera*>(&e)) {
    c->CameraTypus = 3;
    c->RadiusX = 5.5f;
    c->RadiusZ = 6.5f;
    c->RotationFactor = 0.5f;
    c->MovementFactor = 0.25f;
    c->ZoomFactor = 1.75f;
    c->Target = "CAMERA2";
    c->MovementSpeed = 2.0f;
    c->ZoneMinX = -7.0f;
    c->ZoneMinZ = -8.0f;
    c->ZoneMaxX = 9.0f;
    c->ZoneMaxZ = 10.0f;
  }
  if (auto* u = dynamic_cast<TEUnit*>(&e)) {
    u->EnemyVariable = 7;
    u->Condition = {8, 2, 1};
    u->Behavior = 3;
    u->CanSee = false;
    u->CanHear = true;
    u->CanMove = false;
    u->CanAttack = true;
    u->MovementTarget = "MARKER1";
    u->AttackTarget = "HERO";
    u->OnRecognize = "TRIGGER1";
    u->OnDamage = "TRIGGER2";
    u->OnDeath = "TRIGGER3";
  }
  if (auto* g = dynamic_cast<TEPGrass*>(&e)) {
    g->GrassModel = "GRASS_TUFT";
    g->SizeMin = 0.5f;
    g->SizeMax = 1.5f;
    g->Amount = 33;
    g->ExtentX = 4.5f;
    g->ExtentZ = 5.5f;
    g->IntoGround = 0.05f;
    g->Form = TEPGrass::FormEllipse;
    g->RotationSpread = {5.0f, 90.0f, 15.0f};
  }
  if (auto* f = dynamic_cast<TEPFire*>(&e)) {
    f->FireSize = 2.5f;
    f->FireRadius = 0.35f;
  }
  if (auto* f = dynamic_cast<TEPFountain*>(&e)) {
    f->FountainSize = 1.1f;
    f->FountainRadius = 0.2f;
    f->PitchSpread = 11.0f;
    f->HeadingSpread = 120.0f;
    f->PitchLoss = 12.0f;
    f->StartPitch = 70.0f;
    f->VanishHeight = -1.0f;
    f->ParticleSpeed = 0.6f;
    f->ParticleCount = 21;
  }
  if (auto* r = dynamic_cast<TEPRain*>(&e)) {
    r->RainSize = 3.0f;
    r->StartX = -10.0f;
    r->StartZ = -11.0f;
    r->EndX = 12.0f;
    r->EndZ = 13.0f;
    r->HeadingX = 60.0f;
    r->HeadingY = 45.0f;
    r->StartHeight = 14.0f;
    r->VanishHeight = 1.0f;
    r->ParticleCount = 77;
  }
  if (auto* x = dynamic_cast<TEPExplosion*>(&e)) x->ExplosionSize = 4.5f;
}

void DistinguishCommon(TEntity& e) {
  e.Name = "DISTINCT_NAME";
  e.Position = {1.25f, -2.5f, 3.75f};
  e.Rotation = {10.0f, 20.0f, 30.0f};
  e.ModelName = "MODEL_X";
  e.Health = -321;
  e.Active = false;
  e.Size = 1.625f;
  e.Visible = !e.Visible;
  e.ApplyLighting = !e.ApplyLighting;
  e.Color = {0.1f, 0.2f, 0.3f};
  e.BlendingMode = 3;
  e.Density = 0.4375f;
  e.ShadowTypus = 1;
  e.ShadowRadius = 2.5f;
  e.AnimName = "idle";
  e.AnimDirection = 2;
  e.AnimSpeed = 0.5f;
  e.AnimLoop = false;
}
