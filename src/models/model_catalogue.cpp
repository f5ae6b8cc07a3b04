#include "models/model_catalogue.h"

#include "core/form.h"
#include "core/host.h"
#include "engine/edit_engine.h"
#include "models/edit_model.h"

std::vector<std::string> ParseModelList(ConfigLineReader& reader) {
  std::vector<std::string> names;
  bool inList = false;
  while (auto line = reader.ReadLine()) {
    if (!inList) {
      inList = *line == "[MODEL_FILENAME]";
    } else if (line->empty()) {
      inList = false;
    } else if (line->front() != '-') {
      names.push_back(std::move(*line));
    }
  }
  return names;
}

void TModelEngine::LoadModels() {
  Count = 0;
  const std::string path = engine_.ModelDir.str() + "loadmodel.ini";
  if (engine_.CheckFile(path, true)) {
    if (auto reader = ConfigLineReader::Open(path)) {
      const auto names = ParseModelList(*reader);
      if (names.size() > MaxListedModels)
        engine_.ShowError("QZ_MODEL", "Too many models listed! Only the first " +
                                          std::to_string(MaxListedModels) + " are loaded.");
      for (const auto& name : names) {
        if (Count == MaxListedModels) break;
        ++Count;
        FreeSlot(Count);
        LoadModel(*slots_[Count], name, Count);
      }
    }
  }
  GlobalCount = Count;
  RoomModelCount = RoomSlotCount;
  Count = static_cast<std::int16_t>(Count + RoomSlotCount);
}

void TModelEngine::LoadRoomModels(std::span<const String255> tileList) {
  Form& main = engine_.GetHost().GetForm(FormId::Main);
  main.ClearItems("LBEntityTiles");
  for (int i = 0; i < RoomSlotCount; ++i) {
    const auto slot = static_cast<std::int16_t>(GlobalCount + 1 + i);
    FreeSlot(slot);
    TVEModel& model = *slots_[slot];
    const bool named = static_cast<std::size_t>(i) < tileList.size() && !tileList[i].empty();
    if (named) {
      LoadModel(model, "world\\" + tileList[i].str(), slot);
      main.AddItem("LBEntityTiles", model.DisplayName.view());
    } else {
      model.DisplayName = "";
    }
  }
}

std::int16_t TModelEngine::FindModel(std::string_view displayName) const {
  if (displayName.empty()) return -1;
  std::int16_t found = -1;
  for (std::int16_t slot = 1; slot <= Count && slot <= SlotCount; ++slot)
    if (slots_[slot]->DisplayName == displayName) found = slot;
  return found;
}

void TModelEngine::FillModelList(Form& form, std::string_view comboBox) const {
  form.SetDropDownCount(comboBox, 22);
  std::vector<std::string> items;
  for (std::int16_t slot = 1; slot <= Count && slot <= SlotCount; ++slot) items.push_back(slots_[slot]->DisplayName.str());
  form.SetItems(comboBox, items);
}
