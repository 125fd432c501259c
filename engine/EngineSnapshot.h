#pragma once
#include <type_traits>

#include "dsp/TapeChannelSettings.h"

// The processor's complete settings: the tape channels' settings, then the
// quad stage's and the gains. The double fields are fractions 0..1 (the
// parameter's percentage / 100); the two integers are whole parameter values.
struct EngineSnapshot : TapeChannelSettings {
  double quadMix = 0.0;
  double quadDelay = 0.0;
  double inputGain = 0.0;
  double outputGain = 0.0;
};

static_assert(std::is_trivially_copyable_v<EngineSnapshot>);
static_assert(sizeof(EngineSnapshot) == sizeof(TapeChannelSettings) + 4 * sizeof(double));

// What every snapshot holds before the parameters are first applied.
constexpr EngineSnapshot MakeInitialSnapshot() {
  EngineSnapshot s;
  s.profile = 0;
  s.noiseType = 0;
  s.noiseAmp = 0.25;
  s.noiseDynamic = 0.25;
  s.harmonics = 0.25;
  s.tubeDrive = 0.25;
  s.wow = 0.25;
  s.scratch = 0.25;
  s.lfBoost = 0.1;
  s.hfBoost = 0.1;
  s.age = 0.1;
  s.wide = 0.5;
  s.speed = 1.0;
  s.quadMix = 0.0;
  s.quadDelay = 0.5;
  s.inputGain = 0.5;
  s.outputGain = 0.5;
  return s;
}
inline constexpr EngineSnapshot kInitialSnapshot = MakeInitialSnapshot();

// Field-by-field equality; a NaN in either snapshot counts as a difference.
inline bool SnapshotsEqual(const EngineSnapshot& a, const EngineSnapshot& b) {
  return a.profile == b.profile && a.noiseType == b.noiseType && a.noiseAmp == b.noiseAmp &&
         a.noiseDynamic == b.noiseDynamic && a.harmonics == b.harmonics &&
         a.tubeDrive == b.tubeDrive && a.wow == b.wow && a.scratch == b.scratch &&
         a.lfBoost == b.lfBoost && a.hfBoost == b.hfBoost && a.age == b.age && a.wide == b.wide &&
         a.speed == b.speed && a.quadMix == b.quadMix && a.quadDelay == b.quadDelay &&
         a.inputGain == b.inputGain && a.outputGain == b.outputGain;
}
