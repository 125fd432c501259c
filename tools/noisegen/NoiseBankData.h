#pragma once
#include <string>
#include <vector>

// One synthesised table, still in double precision, with the onsets of the
// clicks placed in it (empty for tape hiss).
struct NoiseBankData {
  std::string name;
  std::vector<double> samples;
  std::vector<long> clickOnsets;
};
