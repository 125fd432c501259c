#pragma once

// Two doubles side by side in one vector register (the GCC vector
// extension, which Clang and MinGW-w64 share). Every operation on a pair is
// the IEEE operation on each half, so each half's results are bit for bit
// those of the same expression on doubles.
using DoublePair = double __attribute__((vector_size(16)));

inline DoublePair BothHalves(double v) { return DoublePair{v, v}; }
