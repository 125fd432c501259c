#pragma once
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "NoiseBanks.h"

// The seven tables with the levels they must have (dBFS).
struct NoiseBankCase {
  const char* name;
  std::span<const float> samples;
  double peakDb;
  double rmsDb;
  bool vinyl;
};

// Tape tables first, then vinyl.
inline const NoiseBankCase kNoiseBankCases[] = {
    {"noise1Left", noise1Left, -37.0, -51.0, false},
    {"noise1Right", noise1Right, -35.0, -51.0, false},
    {"noise2Left", noise2Left, -32.0, -47.0, false},
    {"noise2Right", noise2Right, -32.0, -47.0, false},
    {"vinyl1Left", vinyl1Left, -12.0, -48.0, true},
    {"vinyl1Right", vinyl1Right, -8.0, -48.0, true},
    {"vinyl2Mono", vinyl2Mono, -8.0, -37.0, true},
};

inline void PrintTo(const NoiseBankCase& bank, std::ostream* out) { *out << bank.name; }

// The generator's list of click onsets for a table, from its output directory.
std::vector<long> ReadClickList(const std::string& directory, const char* name);
