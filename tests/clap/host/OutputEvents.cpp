#include "OutputEvents.h"

#include <cstring>

OutputEvents::OutputEvents(uint32_t capacity) : slots(capacity) {
  list.ctx = this;
  list.try_push = [](const clap::clap_output_events* l, const clap::clap_event_header* event) {
    return event != nullptr && static_cast<OutputEvents*>(l->ctx)->Push(*event);
  };
}

bool OutputEvents::Push(const clap::clap_event_header& event) {
  if (count >= slots.size() || event.size < sizeof(clap::clap_event_header) ||
      event.size > sizeof(Slot)) {
    return false;
  }
  std::memcpy(&slots[count], &event, event.size);
  ++count;
  return true;
}
