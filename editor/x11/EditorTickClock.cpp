#include "editor/x11/EditorTickClock.h"

bool EditorTickClock::Due(Clock::time_point now) {
  if (!started) {
    started = true;
    next = now + period;
    return true;
  }
  if (now < next) return false;
  next += period;
  if (next <= now) next = now + period;
  return true;
}
