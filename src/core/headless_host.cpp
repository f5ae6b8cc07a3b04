#include "core/headless_host.h"

void HeadlessHost::ShowError(std::string_view tag, std::string_view text) {
  errors.push_back({std::string(tag), std::string(text)});
  if (echo_) *echo_ << errors.back().Full() << '\n';
}

ModalResult HeadlessHost::RunModal(FormId id) {
  modalRuns.push_back(id);
  if (modalScript_.empty()) return ModalResult::Cancel;
  ModalStep step = std::move(modalScript_.front());
  modalScript_.pop_front();
  if (step.edit) step.edit(Memory(id));
  return step.result;
}

void HeadlessHost::SetStatusText(int panel, std::string_view text) {
  if (panel >= 0 && panel < static_cast<int>(status_.size())) status_[static_cast<std::size_t>(panel)] = text;
}

std::optional<Host::Rgb> HeadlessHost::PickColor(Rgb initial) {
  colorPresets.push_back(initial);
  return colorAnswer;
}
