#pragma once

// Two doubles side by side in one vector register. Every operation on a
// pair is the IEEE operation on each half, so each half's results are bit
// for bit those of the same expression on doubles, on every compiler that
// supports the vector extension (GCC, MinGW-w64 and Clang alike).
using DoublePair = double __attribute__((vector_size(16)));

inline DoublePair BothHalves(double v) { return DoublePair{v, v}; }
