#pragma once

// Where the editor puts its controls (window pixels, top-left corners), with the
// caption printed for each and the control's value at start-up. The background
// prints its labels from these, and the preview places the strips at them.
namespace EditorGeometry {

constexpr int kWidth = 1000;
constexpr int kHeight = 420;
constexpr int kKnobSize = 64;
constexpr int kKnobFrames = 101;
constexpr int kRadioSize = 34;

struct KnobPlace {
  int x, y;
  const char* label;
  double defaultValue;
};

constexpr KnobPlace kKnobs[] = {
    {28, 108, "INPUT GAIN", 0.5},     {888, 108, "OUTPUT GAIN", 0.5}, {148, 254, "NOISE AMP", 0.0},
    {268, 254, "NOISE DYNAMIC", 0.0}, {208, 332, "SPEED", 1.0},       {408, 268, "WOW", 0.0},
    {528, 268, "SCRATCH", 0.0},       {148, 108, "HARMONICS", 0.0},   {268, 108, "TUBE DRIVE", 0.0},
    {528, 108, "LF BOOST", 0.0},      {648, 108, "HF BOOST", 0.0},    {768, 108, "AGE", 0.0},
    {648, 268, "WIDE", 0.2},          {768, 268, "QUAD MIX", 0.0},    {888, 268, "QUAD DELAY", 0.5},
};

struct RadioPlace {
  int left, top, right, bottom;
  int count;
  const char* captions[5];
  int defaultIndex;
};

constexpr RadioPlace kNoiseType{
    91, 260, 125, 390, 5, {"TAPE 1", "TAPE 2", "VINYL 1", "VINYL 2", "BROWN"}, 0};
constexpr RadioPlace kProfile{456, 93, 490, 193, 4, {"A", "B", "C", "OFF"}, 0};

// Top of button i, as the radio control lays its buttons out over the outer rect.
constexpr int RadioButtonTop(const RadioPlace& r, int i) {
  const int h = kRadioSize;
  const int step = h + (r.bottom - r.count * h - r.top) / (r.count - 1);
  return r.top + i * step;
}

struct Point {
  int x, y;
};

constexpr Point kUndo{18, 8};
constexpr Point kRedo{68, 8};
constexpr Point kAb{118, 8};
constexpr Point kCopy{168, 8};
constexpr Point kPower{932, 359};

struct Box {
  int left, top, right, bottom;
};

constexpr Box kReadout{663, 368, 773, 399};
constexpr Box kLink{880, 0, 1000, 40};

}  // namespace EditorGeometry
