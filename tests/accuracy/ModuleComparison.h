#pragma once
// Runs the product plug-in module and the literal-maths module side by side,
// each created through its exported entry point and driven through the
// effect record, on the same input, and measures how far the product's
// output strays from the literal one.
#include <cstdint>
#include <string>
#include <vector>

// A parameter set through the effect record, as a host sets it: normalised,
// at the start of the first block that begins at or after `frame`.
struct ParameterChange {
  int64_t frame = 0;
  int index = 0;
  float value = 0.0f;
};

// Frames per processing call.
inline constexpr int kComparisonBlock = 512;

struct ComparisonPlan {
  int program = 0;
  float sampleRate = 48000.0f;
  double seconds = 10.0;
  // Statistics over the last `windowSeconds` are kept apart from the whole run's.
  double windowSeconds = 10.0;
  bool powerOff = false;
  // Applied after the program is selected, in order of frame; those at
  // frame 0 before the first block.
  std::vector<ParameterChange> changes;
};

struct DifferenceStats {
  double literalSquares = 0.0;
  double differenceSquares = 0.0;
  int64_t samples = 0;
  int64_t withinTolerance = 0;  // |product - literal| <= 1e-6 (1 + |literal|)
  int64_t nonFinite = 0;
  int64_t bitDifferent = 0;
  double worstRelative = 0.0;  // largest |product - literal| / (1 + |literal|)

  // RMS of the difference over RMS of the literal output, in dB.
  double RelativeRmsDb() const;
  double WithinFraction() const;
  void Add(double product, double literal);
  std::string Describe() const;
};

struct ComparisonResult {
  DifferenceStats whole;
  DifferenceStats window;
  std::string error;  // empty when both modules ran
};

// Both modules are loaded once per program; `productPath` and `literalPath`
// come from the build.
ComparisonResult CompareModules(const ComparisonPlan& plan);

// The product module's parameter names, by index.
std::vector<std::string> ProductParameterNames();
