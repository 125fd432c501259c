// The processing chain driven directly, with no host and no editor: this
// program links the processor and the DSP alone.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "dsp/RandomGenerator.h"
#include "engine/TovraneProcessor.h"

namespace {

using Processor = TovraneProcessor<ProductMaths>;

using Stereo = std::vector<std::vector<double>>;

// A processor as a plug-in makes one: constructed on a fresh generator,
// prepared for its rate.
std::unique_ptr<Processor> MakeProcessor(double rate) {
  RandomGenerator::ResetForThisThread();
  auto processor = std::make_unique<Processor>();
  processor->Prepare(rate);
  return processor;
}

// Worn tape with every stage at work but the quad stage.
EngineSnapshot TapeSettings() {
  EngineSnapshot s = kInitialSnapshot;
  s.profile = 1;
  s.noiseType = 2;
  s.wow = 0.6;
  s.scratch = 0.5;
  s.quadMix = 0.0;
  return s;
}

Stereo Tones(int frames, double rate) {
  Stereo x(2, std::vector<double>(frames));
  for (int i = 0; i < frames; ++i) {
    x[0][i] = 0.3 * std::sin(2.0 * M_PI * 220.0 * i / rate);
    x[1][i] = 0.2 * std::sin(2.0 * M_PI * 331.0 * i / rate + 0.4);
  }
  return x;
}

// Runs the input through in blocks of the given sizes, cycling through them,
// with the settings applied at every block start as a binding does.
Stereo Render(Processor& processor, const Stereo& in, double rate,
              const EngineSnapshot& settings, bool powerOff, const std::vector<int>& blocks) {
  const int n = static_cast<int>(in[0].size());
  Stereo out(2, std::vector<double>(n));
  size_t next = 0;
  for (int start = 0; start < n;) {
    const int frames = std::min(blocks[next++ % blocks.size()], n - start);
    const double* inputs[2] = {in[0].data() + start, in[1].data() + start};
    double* outputs[2] = {out[0].data() + start, out[1].data() + start};
    processor.Apply(settings, powerOff);
    processor.Process(inputs, outputs, frames, rate);
    start += frames;
  }
  return out;
}

bool AllFinite(const Stereo& x) {
  for (const auto& channel : x) {
    for (double v : channel) {
      if (!std::isfinite(v)) return false;
    }
  }
  return true;
}

}  // namespace

TEST(TovraneProcessor, LatencyIsTheTapeDelayInTimeAtEveryRate) {
  EXPECT_EQ(Processor::LatencyAt(44100.0), 1378);
  EXPECT_EQ(Processor::LatencyAt(48000.0), 1499);
  EXPECT_EQ(Processor::LatencyAt(96000.0), 2999);
  // With the power off the input comes out as it went in, delayed by the
  // tape's nominal delay in whole frames: the reported latency, or one more
  // where the nominal delay has a fraction (1499.86 frames at 48 kHz).
  for (const double rate : {44100.0, 48000.0, 96000.0}) {
    SCOPED_TRACE(rate);
    auto processor = MakeProcessor(rate);
    const int latency = Processor::LatencyAt(rate);
    const int delay = static_cast<int>(std::ceil(rate / 44100.0 * 1378.0));
    ASSERT_LE(delay - latency, 1);
    const Stereo in = Tones(delay + 2000, rate);
    const Stereo out = Render(*processor, in, rate, TapeSettings(), true, {512});
    for (int i = 0; i < delay; ++i) ASSERT_EQ(out[0][i], 0.0) << i;
    for (int i = delay; i < delay + 2000; ++i) {
      ASSERT_EQ(out[0][i], in[0][i - delay]) << i;
      ASSERT_EQ(out[1][i], in[1][i - delay]) << i;
    }
  }
}

TEST(TovraneProcessor, BlockSizesDoNotChangeTheSoundWithoutTheQuadStage) {
  constexpr double kRate = 48000.0;
  const Stereo in = Tones(30000, kRate);
  auto reference = MakeProcessor(kRate);
  const Stereo expected = Render(*reference, in, kRate, TapeSettings(), false, {512});
  ASSERT_TRUE(AllFinite(expected));
  for (const std::vector<int>& blocks :
       std::vector<std::vector<int>>{{1}, {31, 33}, {4096}, {7, 1000, 64, 3}}) {
    auto processor = MakeProcessor(kRate);
    const Stereo out = Render(*processor, in, kRate, TapeSettings(), false, blocks);
    ASSERT_EQ(out, expected) << "first block size " << blocks[0];
  }
}

TEST(TovraneProcessor, ABlockThatTurnsNonFiniteIsSilencedAndTheNextIsSound) {
  constexpr double kRate = 44100.0;
  auto processor = MakeProcessor(kRate);
  const Stereo in = Tones(3 * 512, kRate);
  Render(*processor, in, kRate, TapeSettings(), false, {512});

  EngineSnapshot broken = TapeSettings();
  broken.outputGain = std::numeric_limits<double>::quiet_NaN();
  const Stereo silenced = Render(*processor, in, kRate, broken, false, {512});
  for (const auto& channel : silenced) {
    for (double v : channel) ASSERT_EQ(v, 0.0);
  }

  const Stereo healed =
      Render(*processor, Tones(20000, kRate), kRate, TapeSettings(), false, {512});
  ASSERT_TRUE(AllFinite(healed));
  double energy = 0.0;
  for (int i = 10000; i < 20000; ++i) energy += healed[0][i] * healed[0][i];
  EXPECT_GT(energy, 1.0) << "the tones come through again";
}
