#pragma once

#include <string>

// The editor's images, the one list of them: the build embeds each file of
// resources/img/ under its resource id (raster/CMakeLists.txt reads the
// entries below, one to a line), the artwork generator draws them and the
// editor loads them. Frames are stacked top to bottom.
struct EditorImage {
  int id;
  const char* file;
  int width;
  int height;
  int frames;
};

inline constexpr EditorImage kEditorImages[] = {
    {101, "PlainKnob01-64-101ov2.png", 64, 6464, 101},
    {102, "switch3-2.png", 64, 240, 3},
    {103, "Kestravon38exp.png", 1000, 420, 1},
    {104, "switch_slide56.png", 56, 112, 2},
    {105, "button_standart25.png", 34, 68, 2},
    {106, "Tube-white12-140.png", 140, 8960, 64},
    {107, "Tube-orange11-40.png", 40, 2560, 64},
    {108, "Power_switch_01-4.png", 64, 128, 2},
    {120, "undo1.png", 25, 50, 2},
    {121, "redo1.png", 25, 50, 2},
    {122, "AB1.png", 50, 50, 2},
    {123, "COPY1.png", 75, 50, 2},
};

// The factors the artwork is drawn at; an image's set at factor f is embedded under
// ImageResourceId(id, f) from the file ImageSetFile(file, f) names.
inline constexpr int kImageSetFactors[] = {1, 2, 3};
constexpr int ImageResourceId(int id, int factor) { return factor == 1 ? id : factor * 1000 + id; }

// The file of an image's set at a factor: the 1x file itself, otherwise the
// stem with "@2x" or "@3x" before ".png" (raster/CMakeLists.txt names the
// embedded files by the same rule).
inline std::string ImageSetFile(const std::string& file, int factor) {
  if (factor == 1) return file;
  const std::string suffix = ".png";
  const bool png = file.size() >= suffix.size() &&
                   file.compare(file.size() - suffix.size(), suffix.size(), suffix) == 0;
  const std::string stem = png ? file.substr(0, file.size() - suffix.size()) : file;
  return stem + "@" + std::to_string(factor) + "x.png";
}

// The images the editor's layout places, by what they show.
inline constexpr int kKnobImage = 101;
inline constexpr int kBackgroundImage = 103;
inline constexpr int kRadioButtonImage = 105;
inline constexpr int kPowerSwitchImage = 108;
inline constexpr int kUndoImage = 120;
inline constexpr int kRedoImage = 121;
inline constexpr int kAbImage = 122;
inline constexpr int kCopyImage = 123;

// The entry of an id, or null when no image has it.
constexpr const EditorImage* FindEditorImage(int id) {
  for (const EditorImage& image : kEditorImages) {
    if (image.id == id) return &image;
  }
  return nullptr;
}

constexpr bool IsEditorImage(int id) {
  for (const EditorImage& image : kEditorImages) {
    if (image.id == id) return true;
  }
  return false;
}

static_assert(IsEditorImage(kKnobImage) && IsEditorImage(kBackgroundImage) &&
              IsEditorImage(kRadioButtonImage) && IsEditorImage(kPowerSwitchImage) &&
              IsEditorImage(kUndoImage) && IsEditorImage(kRedoImage) && IsEditorImage(kAbImage) &&
              IsEditorImage(kCopyImage));
