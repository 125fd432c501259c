#pragma once
#include <cstdint>

#include "dsp/DoublePair.h"
#include "dsp/ModDelay.h"

// Two modulated delay lines side by side: their arithmetic in the halves of
// vector registers, their buffers read and written one by one. Each half is
// bit for bit its own line's ModDelay::Process. The state is taken from the
// lines on construction and handed back by Store; the lines' LFO depth and
// length must stay as they are in between, as the owner sets them per block.
class ModDelayPair {
 public:
  ModDelayPair(ModDelay& first, ModDelay& second);
  void Store();

  // `gain` stands for each line's gain member.
  DoublePair Process(DoublePair x, DoublePair gain) {
    delay = Select(delay >= length, length, delay);
    delay = Select(delay > longest, longest, delay);

    const int32_t readA = static_cast<int32_t>(readPosition[0]);
    const int32_t readB = static_cast<int32_t>(readPosition[1]);
    const DoublePair f = readPosition - DoublePair{static_cast<double>(readA),
                                                   static_cast<double>(readB)};
    const DoublePair now{a.buffer[readA], b.buffer[readB]};
    const DoublePair next{a.buffer[Following(readA, a)], b.buffer[Following(readB, b)]};
    const DoublePair y = (1.0 - f) * now + f * next;

    const DoublePair written = x - feedback * y;
    a.buffer[a.writeIndex] = written[0];
    b.buffer[b.writeIndex] = written[1];
    const bool gliding = a.delayRamp.IsRunning() || b.delayRamp.IsRunning();
    if (gliding) {
      Dip(a);
      Dip(b);
    }
    if (++a.writeIndex >= a.length) a.writeIndex -= a.length;
    if (++b.writeIndex >= b.length) b.writeIndex -= b.length;

    const DoublePair stretched = lfo * delay;
    const DoublePair span = Select(length < stretched, length, stretched);
    DoublePair r = DoublePair{static_cast<double>(a.writeIndex),
                              static_cast<double>(b.writeIndex)} - span;
    r = Select(r < 0.0, r + length, r);
    r = Select(r >= length, r - length, r);
    readPosition = Select((r >= 0.0) & (r < length), r, BothHalves(0.0));

    if (gliding) {
      Glide(a, 0);
      Glide(b, 1);
    }
    AdvanceLfo();
    return y * gain;
  }

 private:
  static int32_t Following(int32_t i, const ModDelay& line) {
    return i + 1 == line.length ? 0 : i + 1;
  }
  static void Dip(ModDelay& line);
  void Glide(ModDelay& line, int half);
  void AdvanceLfo() {
    lfo += lfoDirection * lfoRate;
    const PairMask top = lfo >= 1.0 + lfoDepth;
    const PairMask bottom = ~top & (lfo <= 1.0 - lfoDepth);
    lfo = Select(top, 1.0 + lfoDepth, Select(bottom, 1.0 - lfoDepth, lfo));
    lfoDirection = Select(top | bottom, -lfoDirection, lfoDirection);
  }

  ModDelay& a;
  ModDelay& b;
  DoublePair length;
  DoublePair longest;
  DoublePair delay;
  DoublePair readPosition;
  DoublePair feedback;
  DoublePair lfo;
  DoublePair lfoDirection;
  DoublePair lfoRate;
  DoublePair lfoDepth;
};
