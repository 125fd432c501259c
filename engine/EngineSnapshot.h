#pragma once
#include <cstddef>
#include <cstdint>

// The engine's complete settings. The double fields are fractions 0..1 (the
// parameter's percentage / 100); the two integers are whole parameter values.
// The first twelve slots have exactly the layout of the tape channels'
// per-block settings, so they can be handed over as they stand.
struct EngineSnapshot {
  int32_t profile;
  int32_t noiseType;
  double noiseAmp;
  double noiseDynamic;
  double harmonics;
  double tubeDrive;
  double wow;
  double scratch;
  double lfBoost;
  double hfBoost;
  double age;
  double wide;
  double speed;
  double quadMix;
  double quadDelay;
  double inputGain;
  double outputGain;
};

static_assert(sizeof(EngineSnapshot) == 128);
static_assert(offsetof(EngineSnapshot, noiseType) == 4);
static_assert(offsetof(EngineSnapshot, noiseAmp) == 8);
static_assert(offsetof(EngineSnapshot, speed) == 88);
static_assert(offsetof(EngineSnapshot, quadMix) == 96);
static_assert(offsetof(EngineSnapshot, outputGain) == 120);

// What every snapshot holds before the parameters are first applied.
inline constexpr EngineSnapshot kInitialSnapshot{
    .profile = 0,
    .noiseType = 0,
    .noiseAmp = 0.25,
    .noiseDynamic = 0.25,
    .harmonics = 0.25,
    .tubeDrive = 0.25,
    .wow = 0.25,
    .scratch = 0.25,
    .lfBoost = 0.1,
    .hfBoost = 0.1,
    .age = 0.1,
    .wide = 0.5,
    .speed = 1.0,
    .quadMix = 0.0,
    .quadDelay = 0.5,
    .inputGain = 0.5,
    .outputGain = 0.5,
};

// Field-by-field equality; a NaN in either snapshot counts as a difference.
inline bool SnapshotsEqual(const EngineSnapshot& a, const EngineSnapshot& b) {
  if (a.profile != b.profile || a.noiseType != b.noiseType) return false;
  const double* left = &a.noiseAmp;
  const double* right = &b.noiseAmp;
  constexpr int kDoubles =
      (sizeof(EngineSnapshot) - offsetof(EngineSnapshot, noiseAmp)) / sizeof(double);
  for (int i = 0; i < kDoubles; ++i) {
    if (!(left[i] == right[i])) return false;
  }
  return true;
}
