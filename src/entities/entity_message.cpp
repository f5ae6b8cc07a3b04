#include "entities/entity_message.h"

#include "engine/edit_engine.h"
#include "entities/entity_typus.h"
#include "entities/record_fields.h"

TEMessage::TEMessage(TQZEngine& engine) : TEntity(engine, {"MESSAGE", typus::Message, "EDITOR_MESSAGE", false}) {}

void TEMessage::VisitFields(RecordVisitor& visitor) {
  visitor.Page("TabSheetMessage", "Message");
  visitor.Text(MessageFile, {"MessageFile", "CBMessageText", "Message File:"});
  visitor.Text(Sound, {"Sound", "CBMessageSound", "Play Sound:", {}, typus::Sound});
  visitor.Number(Delay, {"Delay", "EditMessageDelay", "Delay (s):"});
}
