#pragma once

#include <chrono>

// The editor's timer where the host drives it: each idle call asks whether
// the next tick is due. Ticks keep their rate when idle calls come at
// another one, and a long pause gives one tick, not a burst.
class EditorTickClock {
 public:
  using Clock = std::chrono::steady_clock;

  explicit EditorTickClock(int periodMs) : period(std::chrono::milliseconds(periodMs)) {}

  // True when a tick is due at now; the first call after Restart always is.
  bool Due(Clock::time_point now);
  void Restart() { started = false; }
  Clock::duration Period() const { return period; }

 private:
  Clock::duration period;
  Clock::time_point next;
  bool started = false;
};
