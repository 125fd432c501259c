#pragma once
#include <cstdint>
#include <vector>

#include "NoiseBankData.h"

// How one vinyl table (a stereo pair or a single channel) is made. Levels in dBFS.
struct VinylRecipe {
  uint64_t seed;
  long length;
  bool stereo;
  // Share of the surface-hiss power the two channels have in common.
  double bedCommonShare;
  // Rumble and needle-drag hiss relative to the surface hiss, dB.
  double rumbleDb;
  double dragDb;
  // Grain of the surface: faint ticks per second, too small to stand out.
  double grainRate;
  // Crackle: mean events per second.
  double tickRate;
  double popRate;
  // Tail index of the tick sizes: smaller means more big ones.
  double tickTail;
  // A defect met once per revolution, on this many successive revolutions,
  // with the stylus thump (relative to the surface hiss, dB; -infinity for none).
  int defectRevolutions;
  double thumpDb;
  // The left table of a pair is played backwards: its clicks are stored
  // reversed so that they still ring after their onset when heard.
  bool leftPlayedBackwards;
  double rmsDb;
  double peakDb[2];
};

class VinylNoise {
 public:
  // One table per channel, named by `names` (one or two of them).
  static std::vector<NoiseBankData> Synthesise(const VinylRecipe& recipe,
                                               const std::vector<const char*>& names);
};
