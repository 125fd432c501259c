#pragma once
// Where the plug-in sends its events in a block, as clap_output_events
// takes them: each copied whole into slots reserved when the list is made,
// so that a push never allocates; a push past the capacity, or of an event
// larger than a slot, is refused as a full host queue refuses it.
#include <cstdint>
#include <vector>

#include "clap/ClapAbi.h"

class OutputEvents {
 public:
  explicit OutputEvents(uint32_t capacity = 256);
  OutputEvents(const OutputEvents&) = delete;
  OutputEvents& operator=(const OutputEvents&) = delete;

  void Clear() { count = 0; }
  uint32_t Size() const { return count; }
  const clap::clap_event_header& At(uint32_t index) const { return slots[index].header; }
  // The event at index as its record, for a type known from its header.
  template <class Event>
  const Event& As(uint32_t index) const {
    return reinterpret_cast<const Event&>(slots[index]);
  }

  const clap::clap_output_events* List() const { return &list; }

 private:
  // Room for the largest event this host reads back.
  union Slot {
    clap::clap_event_header header;
    clap::clap_event_param_value value;
    clap::clap_event_param_gesture gesture;
  };

  bool Push(const clap::clap_event_header& event);

  std::vector<Slot> slots;
  uint32_t count = 0;
  clap::clap_output_events list;
};
