#pragma once

// One split frequency in single precision: low-pass and high-pass sections
// sharing their poles (a Linkwitz-Riley pair at q = 0.5), plus an all-pass
// with the same poles that aligns the phase of a band that bypasses the split.
class Crossover {
 public:
  void SetCrossover(float newFrequency, float newSampleRate);
  // Inline: the saturator runs four sections per sample.
  float ProcessLowpass(float x) {
    return RunSection(x, lowB0, lowB1, lowB2, lowX1, lowX2, lowY1, lowY2);
  }
  float ProcessHighpass(float x) {
    return RunSection(x, highB0, highB1, highB2, highX1, highX2, highY1, highY2);
  }
  float ProcessAllpass(float x) {
    return RunSection(x, allB0, allB1, allB2, allX1, allX2, allY1, allY2);
  }

  // The memory of past samples of all three sections; the design is kept.
  bool StateIsFinite() const;
  void ClearState();

  float frequency = 0.0f;
  float sampleRate = 0.0f;
  float q = 0.5f;
  float a1 = 0.0f;
  float a2 = 0.0f;
  float lowY1 = 0.0f;
  float lowY2 = 0.0f;
  float highY1 = 0.0f;
  float highY2 = 0.0f;
  float lowB0 = 0.0f;
  float lowB1 = 0.0f;
  float lowB2 = 0.0f;
  float lowX1 = 0.0f;
  float lowX2 = 0.0f;
  float highB0 = 0.0f;
  float highB1 = 0.0f;
  float highB2 = 0.0f;
  float highX1 = 0.0f;
  float highX2 = 0.0f;
  float allB0 = 0.0f;
  float allB1 = 0.0f;
  float allB2 = 0.0f;
  float allX1 = 0.0f;
  float allX2 = 0.0f;
  float allY1 = 0.0f;
  float allY2 = 0.0f;

  // Direct form I in single precision, for one channel (float) or two side
  // by side (FloatPair).
  template <class Value>
  static Value Section(Value x, Value b0, Value b1, Value b2, Value a1, Value a2, Value& x1,
                       Value& x2, Value& y1, Value& y2) {
    const Value y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return y;
  }

 private:
  // A section with the shared poles.
  float RunSection(float x, float b0, float b1, float b2, float& x1, float& x2, float& y1,
                   float& y2) const {
    return Section(x, b0, b1, b2, a1, a2, x1, x2, y1, y2);
  }
};
