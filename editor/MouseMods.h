#pragma once

// Buttons and keys held during a mouse event.
struct MouseMods {
  bool left = false;
  bool right = false;
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
};
