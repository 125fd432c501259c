#include "InputEvents.h"

#include <algorithm>

namespace {

const InputEvents& Self(const clap::clap_input_events* list) {
  return *static_cast<const InputEvents*>(list->ctx);
}

}  // namespace

InputEvents::InputEvents(uint32_t capacity) : capacity(capacity) {
  events.reserve(capacity);
  list.ctx = this;
  list.size = [](const clap::clap_input_events* l) { return Self(l).Size(); };
  list.get = [](const clap::clap_input_events* l,
                uint32_t index) -> const clap::clap_event_header* {
    const InputEvents& self = Self(l);
    return index < self.Size() ? &self.events[index].header : nullptr;
  };
}

bool InputEvents::AddValue(uint32_t time, clap::clap_id id, double value) {
  if (events.size() >= capacity) return false;
  clap::clap_event_param_value event{};
  event.header = {sizeof event, time, clap::CLAP_CORE_EVENT_SPACE_ID, clap::CLAP_EVENT_PARAM_VALUE,
                  0};
  event.param_id = id;
  event.note_id = -1;
  event.port_index = event.channel = event.key = -1;
  event.value = value;
  const auto after = std::upper_bound(
      events.begin(), events.end(), time,
      [](uint32_t t, const clap::clap_event_param_value& e) { return t < e.header.time; });
  events.insert(after, event);
  return true;
}
