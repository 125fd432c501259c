#pragma once

// Rational approximation of tanh: odd, monotonic, saturating at +-1.
double FastTanh(double x);
