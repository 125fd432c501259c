#include "dsp/RandomGenerator.h"

namespace {
thread_local uint32_t randomState = 1;
}

int RandomGenerator::Next() {
  randomState = randomState * 214013u + 2531011u;
  return static_cast<int>((randomState >> 16) & 0x7fffu);
}

void RandomGenerator::ResetForThisThread() { randomState = 1; }
