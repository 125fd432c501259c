#pragma once

#include <string>

// The user's zoom for the editor, kept for the user across sessions and
// hosts in a small settings file: $XDG_CONFIG_HOME/kestravon/settings
// (~/.config when unset) on Linux, %APPDATA%\Kestravon\settings on Windows.
// The file is text, one "key=value" to a line; the zoom is "zoom=auto" or
// "zoom=" a percentage the menu offers. Other lines are kept as they are.
class ZoomSettings {
 public:
  // The zoom as the editor's scale counts it: quarters from 4 (100 %) to
  // 12 (300 %), or kAuto for the host's or the system's scale.
  static constexpr int kAuto = 0;

  // The choices the zoom menu offers, in order, and their names.
  static constexpr int kChoices[] = {kAuto, 4, 5, 6, 7, 8, 10, 12};
  static std::string ChoiceName(int quarters);

  // Empty when neither the configuration folder nor the home folder is known.
  static std::string FilePath();
  // The zoom the file holds; kAuto when the file is missing or damaged.
  static int Load();
  // Writes the zoom, keeping the file's other lines; false when it cannot.
  static bool Save(int quarters);

  // The zoom a file's text holds, kAuto when none or a damaged one.
  static int Parse(const std::string& text);
  // The text with its zoom line replaced (or added).
  static std::string WithZoom(const std::string& text, int quarters);
};
