#pragma once
#include <cstdint>
#include <vector>

#include "NoiseBankData.h"

// How one stereo tape-hiss table is made. Frequencies in Hz, levels in dBFS.
struct TapeHissRecipe {
  uint64_t seed;
  long length;
  // Share of the noise power both tracks carry: near 0 for two tracks of one
  // tape, near 1 for hiss copied from a mono master.
  double commonShare;
  // The playback equaliser lifts the hiss above this frequency ...
  double transitionHz;
  // ... until the lift levels off here.
  double liftTopHz;
  // Head and deck losses at the top; the right track's azimuth differs a little.
  double topCutLeftHz;
  double topCutRightHz;
  double topCutQ;
  double lowCutHz;
  double driftDb;
  double rmsDb;
  double peakLeftDb;
  double peakRightDb;
};

class TapeHiss {
 public:
  // Left and right table, named nameLeft and nameRight.
  static std::vector<NoiseBankData> Synthesise(const TapeHissRecipe& recipe, const char* nameLeft,
                                               const char* nameRight);
};
