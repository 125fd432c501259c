#pragma once

// One split frequency in single precision: low-pass and high-pass sections
// sharing their poles (a Linkwitz-Riley pair at q = 0.5), plus an all-pass
// with the same poles that aligns the phase of a band that bypasses the split.
class Crossover {
 public:
  void SetCrossover(float newFrequency, float newSampleRate);
  float ProcessLowpass(float x);
  float ProcessHighpass(float x);
  float ProcessAllpass(float x);

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
};
