#include "engine/EngineSnapshot.h"

bool SnapshotsEqual(const EngineSnapshot& a, const EngineSnapshot& b) {
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
