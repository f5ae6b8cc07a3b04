#include "entities/entity_sound.h"

#include "engine/edit_engine.h"
#include "entities/entity_typus.h"
#include "entities/record_fields.h"

TESound::TESound(TQZEngine& engine) : TEntity(engine, {"SOUND", typus::Sound, "EDITOR_SOUND", false}) {}

void TESound::VisitFields(RecordVisitor& visitor) {
  visitor.Page("TabSheetSound", "Sound");
  // The wave file box keeps the list loaded at start-up.
  visitor.Text(SoundFile, {"SoundFile", "CBSoundSound", "Wave File:"});
  visitor.Number(Volume, {"Volume", "EditSoundVolume", "Volume (%):"});
  visitor.Number(Speed, {"Speed", "EditSoundSpeed", "Speed:"});
  visitor.Check(Loop, {"Loop", "CheckBoxSoundLoop", "Loop:"});
  visitor.List(Source, {"Source", "CBSoundSource", "Source:"});
  visitor.Text(SourceEntity, {"SourceEntity", "CBSoundSourceEntity", "Target Entity:", {}, AnyTypus});
  visitor.List(Activation, {"Activation", "CBSoundActivation", "Activation:"});
  visitor.Number(RandomPercent, {"RandomPercent", "EditSoundRandom", "Random (%):"});
  visitor.Number(ReplayAfter, {"ReplayAfter", "EditSoundReplayTime", "Replay after (s):"});
}
