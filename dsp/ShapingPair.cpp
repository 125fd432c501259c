#include "dsp/ShapingPair.h"

#include "dsp/Harmonics.h"

bool ShapingPair::Applies(const TapeChannel& left, const TapeChannel& right) {
  const BandSaturator& a = left.saturator;
  const BandSaturator& b = right.saturator;
  return left.bypass == right.bypass && left.profile == right.profile &&
         left.harmonicDrive == right.harmonicDrive && left.harmonics == right.harmonics &&
         left.noiseGain == right.noiseGain && a.mode == b.mode && a.gLow == b.gLow &&
         a.gMid == b.gMid && a.gHigh == b.gHigh && a.drive == b.drive;
}

void ShapingPair::ShapeRun(TapeChannel& left, const Run& l, TapeChannel& right, const Run& r,
                           int frames) {
  ShapingPair pair(left, right);
  for (int i = 0; i < frames; ++i) {
    const DoublePair out = pair.Shape(DoublePair{l.taps[i].delayed, r.taps[i].delayed},
                                      DoublePair{l.taps[i].noise, r.taps[i].noise},
                                      DoublePair{l.tubeLevels[i], r.tubeLevels[i]});
    l.out[i] = out[0];
    r.out[i] = out[1];
  }
  pair.Store();
}

ShapingPair::ShapingPair(TapeChannel& leftChannel, TapeChannel& rightChannel)
    : left(leftChannel),
      right(rightChannel),
      tone(leftChannel.profile < 3),
      bypass(leftChannel.bypass) {
  tube.Load(left.tube, right.tube);
  lowCrossover.Load(left.saturator.lowCrossover, right.saturator.lowCrossover);
  highCrossover.Load(left.saturator.highCrossover, right.saturator.highCrossover);
  lowCut.Load(left.lowCut, right.lowCut);
  highCut.Load(left.highCut, right.highCut);
  dcBlocker.Load(left.dcBlocker, right.dcBlocker);
}

void ShapingPair::Store() {
  tube.Store(left.tube, right.tube);
  lowCrossover.Store(left.saturator.lowCrossover, right.saturator.lowCrossover);
  highCrossover.Store(left.saturator.highCrossover, right.saturator.highCrossover);
  lowCut.Store(left.lowCut, right.lowCut);
  highCut.Store(left.highCut, right.highCut);
  dcBlocker.Store(left.dcBlocker, right.dcBlocker);
}

inline DoublePair ShapingPair::Shape(DoublePair delayed, DoublePair noise, DoublePair tubeLevel) {
  const DoublePair harmonic = AddHarmonicTerms(delayed, left.harmonicDrive, left.harmonics);
  DoublePair out = tube.Process(harmonic, tubeLevel) + noise * left.noiseGain;
  if (tone) {
    out = Saturate(out);
    out = lowCut.ProcessRounded(out);
    out = highCut.ProcessRounded(out);
  }
  // With the power off the output is the dry line, and the blocker rests.
  return bypass ? out : dcBlocker.ProcessRounded(out);
}

// BandSaturator::Process for the pair.
inline DoublePair ShapingPair::Saturate(DoublePair x) {
  const FloatPair v = RoundToFloat(x);
  const FloatPair low = lowCrossover.Run(lowCrossover.low, v);
  const FloatPair h1 = lowCrossover.Run(lowCrossover.high, v);
  const FloatPair high = highCrossover.Run(highCrossover.high, h1);
  const FloatPair lowAligned = highCrossover.Run(highCrossover.all, low);
  const FloatPair bandSum = lowAligned + high;
  const FloatPair mid = RoundToFloat(Widen(bandSum) - x);
  const BandSaturator& settings = left.saturator;
  return Widen(settings.mode == BandSaturator::kModeArctangent
                   ? settings.SumArctangent(lowAligned, mid, high)
                   : settings.SumClean(lowAligned, mid, high));
}

void ShapingPair::CrossoverPair::Load(const Crossover& l, const Crossover& r) {
  a1 = FloatPair{l.a1, r.a1};
  a2 = FloatPair{l.a2, r.a2};
  low = Section{{l.lowB0, r.lowB0}, {l.lowB1, r.lowB1}, {l.lowB2, r.lowB2}, {l.lowX1, r.lowX1},
                {l.lowX2, r.lowX2}, {l.lowY1, r.lowY1}, {l.lowY2, r.lowY2}};
  high = Section{{l.highB0, r.highB0}, {l.highB1, r.highB1}, {l.highB2, r.highB2},
                 {l.highX1, r.highX1}, {l.highX2, r.highX2}, {l.highY1, r.highY1},
                 {l.highY2, r.highY2}};
  all = Section{{l.allB0, r.allB0}, {l.allB1, r.allB1}, {l.allB2, r.allB2}, {l.allX1, r.allX1},
                {l.allX2, r.allX2}, {l.allY1, r.allY1}, {l.allY2, r.allY2}};
}

void ShapingPair::CrossoverPair::Store(Crossover& l, Crossover& r) const {
  const auto halves = [](FloatPair v, float& a, float& b) {
    a = v[0];
    b = v[1];
  };
  halves(low.x1, l.lowX1, r.lowX1);
  halves(low.x2, l.lowX2, r.lowX2);
  halves(low.y1, l.lowY1, r.lowY1);
  halves(low.y2, l.lowY2, r.lowY2);
  halves(high.x1, l.highX1, r.highX1);
  halves(high.x2, l.highX2, r.highX2);
  halves(high.y1, l.highY1, r.highY1);
  halves(high.y2, l.highY2, r.highY2);
  halves(all.x1, l.allX1, r.allX1);
  halves(all.x2, l.allX2, r.allX2);
  halves(all.y1, l.allY1, r.allY1);
  halves(all.y2, l.allY2, r.allY2);
}
