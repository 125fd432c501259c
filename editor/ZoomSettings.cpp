#include "editor/ZoomSettings.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

namespace {

constexpr const char* kZoomKey = "zoom=";
constexpr const char* kAutoName = "auto";
// No settings file of ours is larger; anything larger is not ours.
constexpr std::uintmax_t kLargestFile = 64 * 1024;

bool IsChoice(int quarters) {
  return std::find(std::begin(ZoomSettings::kChoices), std::end(ZoomSettings::kChoices),
                   quarters) != std::end(ZoomSettings::kChoices);
}

std::string Percent(int quarters) { return std::to_string(quarters * 25); }

// The value of a "zoom=" line as quarters; -1 when it names no choice.
int ZoomValue(const std::string& value) {
  if (value == kAutoName) return ZoomSettings::kAuto;
  if (value.empty() || value.size() > 3 ||
      !std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return -1;
  }
  const int percent = std::stoi(value);
  const int quarters = percent / 25;
  return percent % 25 == 0 && quarters != ZoomSettings::kAuto && IsChoice(quarters) ? quarters : -1;
}

std::string WithoutLineEnd(std::string line) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

std::filesystem::path ConfigFolder() {
#if defined(_WIN32)
  const char* appData = std::getenv("APPDATA");
  if (appData && *appData) return std::filesystem::path(appData) / "Kestravon";
#else
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config && *config == '/') return std::filesystem::path(config) / "kestravon";
  const char* home = std::getenv("HOME");
  if (home && *home == '/') return std::filesystem::path(home) / ".config" / "kestravon";
#endif
  return {};
}

bool ReadFile(const std::string& path, std::string* text) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > kLargestFile) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  text->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

}  // namespace

std::string ZoomSettings::ChoiceName(int quarters) {
  return quarters == kAuto ? "Auto" : Percent(quarters) + " %";
}

std::string ZoomSettings::FilePath() {
  const std::filesystem::path folder = ConfigFolder();
  return folder.empty() ? std::string() : (folder / "settings").string();
}

int ZoomSettings::Parse(const std::string& text) {
  std::istringstream lines(text);
  std::string line;
  int zoom = kAuto;
  while (std::getline(lines, line)) {
    line = WithoutLineEnd(line);
    if (line.rfind(kZoomKey, 0) != 0) continue;
    const int value = ZoomValue(line.substr(std::char_traits<char>::length(kZoomKey)));
    if (value < 0) return kAuto;
    zoom = value;
  }
  return zoom;
}

std::string ZoomSettings::WithZoom(const std::string& text, int quarters) {
  const std::string zoomLine =
      std::string(kZoomKey) + (quarters == kAuto ? kAutoName : Percent(quarters));
  std::istringstream lines(text);
  std::string line;
  std::string result;
  bool written = false;
  while (std::getline(lines, line)) {
    if (WithoutLineEnd(line).rfind(kZoomKey, 0) == 0) {
      if (written) continue;
      line = zoomLine;
      written = true;
    }
    result += WithoutLineEnd(line) + "\n";
  }
  if (!written) result += zoomLine + "\n";
  return result;
}

int ZoomSettings::Load() {
  const std::string path = FilePath();
  std::string text;
  if (path.empty() || !ReadFile(path, &text)) return kAuto;
  return Parse(text);
}

bool ZoomSettings::Save(int quarters) {
  if (!IsChoice(quarters)) return false;
  const std::string path = FilePath();
  if (path.empty()) return false;
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
  if (error) return false;
  std::string text;
  ReadFile(path, &text);
  // Written beside and renamed over, so a reader never sees half a file.
  const std::string written = path + ".new";
  {
    std::ofstream out(written, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << WithZoom(text, quarters);
    if (!out.flush()) return false;
  }
  std::filesystem::rename(written, path, error);
  if (!error) return true;
  std::error_code ignored;
  std::filesystem::remove(written, ignored);
  return false;
}
