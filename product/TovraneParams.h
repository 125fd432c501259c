#pragma once

// The product's parameter indexes: the index is a parameter's identity for
// host automation, editor controls, state chunks and presets alike.
enum TovraneParam : int {
  kInputGain = 0,
  kProfile = 1,
  kNoiseAmp = 2,
  kNoiseDynamic = 3,
  kWow = 4,
  kScratch = 5,
  kHarmonics = 6,
  kTubeDrive = 7,
  kLfBoost = 8,
  kHfBoost = 9,
  kAge = 10,
  kWide = 11,
  kNoiseType = 12,
  kOutputGain = 13,
  kSpare14 = 14,
  kSpare15 = 15,
  kSpare16 = 16,
  kSpare17 = 17,
  kPower = 18,
  kQuadMix = 19,
  kQuadDelay = 20,
  kSpeed = 21,
  kUndo = 22,
  kRedo = 23,
  kAB = 24,
  kCopy = 25,
  kNumTovraneParams = 26
};

inline constexpr int kNumTovranePresets = 16;
