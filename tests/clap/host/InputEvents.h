#pragma once
// The host's events for one block, as clap_input_events hands them to the
// plug-in: parameter values kept in time order, in room reserved when the
// list is made, so that filling and reading it never allocates.
#include <cstdint>
#include <vector>

#include "clap/ClapAbi.h"

class InputEvents {
 public:
  explicit InputEvents(uint32_t capacity = 256);
  InputEvents(const InputEvents&) = delete;
  InputEvents& operator=(const InputEvents&) = delete;

  // Parameter `id` to the plain `value` at frame `time`, after any events
  // at or before that time; false when the list is full.
  bool AddValue(uint32_t time, clap::clap_id id, double value);
  void Clear() { events.clear(); }
  uint32_t Size() const { return static_cast<uint32_t>(events.size()); }

  const clap::clap_input_events* List() const { return &list; }

 private:
  std::vector<clap::clap_event_param_value> events;
  uint32_t capacity;
  clap::clap_input_events list;
};
