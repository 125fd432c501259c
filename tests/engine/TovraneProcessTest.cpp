#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "EngineRunner.h"
#include "FakeEditor.h"
#include "FakeHost.h"

namespace {

double Rms(const std::vector<double>& x, int from, int to) {
  double sum = 0.0;
  for (int i = from; i < to; ++i) sum += x[i] * x[i];
  return std::sqrt(sum / (to - from));
}

std::vector<double> Sine(int frames, double freq, double amplitude, double fs) {
  std::vector<double> x(frames);
  for (int i = 0; i < frames; ++i) x[i] = amplitude * std::sin(2 * M_PI * freq * i / fs);
  return x;
}

}  // namespace

TEST(TovraneProcess, LatencyFollowsTheSampleRateOnce) {
  FakeHost host;
  EngineRunner runner(48000.0, 256, FakeHost::Callback);
  // Known as soon as the rate is set, and the host hears of it then.
  EXPECT_EQ(runner.plug->Effect()->initialDelay, 1499);
  EXPECT_EQ(runner.plug->Latency(), 1499);
  EXPECT_EQ(host.Count(audioMasterUpdateDisplay), 1);
  const std::vector<double> silence(1024, 0.0);
  runner.Run(silence, silence);
  EXPECT_EQ(runner.plug->Effect()->initialDelay, 1499);
  EXPECT_EQ(host.Count(audioMasterUpdateDisplay), 1) << "four blocks, one change";

  EngineRunner reference(44100.0);
  reference.Run(silence, silence);
  EXPECT_EQ(reference.plug->Latency(), 1378);
}

TEST(TovraneProcess, FirstBlockStartsTheUndoHistoryAfresh) {
  EngineRunner runner;
  runner.Set(kWow, 40.0);
  runner.plug->Product().RecordSnapshotIfChanged();
  ASSERT_EQ(runner.plug->Product().History().UndoCount(), 1);
  const std::vector<double> silence(64, 0.0);
  runner.Run(silence, silence);
  EXPECT_EQ(runner.plug->Product().History().UndoCount(), 0);
  EXPECT_EQ(runner.plug->Product().History().Position(), 0);
  EXPECT_EQ(runner.plug->Product().History().Entry(0).wow, 0.4);
  runner.Set(kWow, 50.0);
  runner.plug->Product().RecordSnapshotIfChanged();
  runner.Run(silence, silence);
  EXPECT_EQ(runner.plug->Product().History().UndoCount(), 1) << "only the first block restarts it";
}

TEST(TovraneProcess, PowerOffIsTheDryInputDelayed) {
  EngineRunner runner;
  runner.Set(kPower, 1.0);
  runner.Set(kInputGain, 100.0);
  runner.Set(kNoiseAmp, 100.0);
  runner.Set(kWow, 100.0);
  const auto signal = TestSignal(6000, 44100.0);
  const auto out = runner.Run(signal[0], signal[1]);
  for (int i = 0; i < 1378; ++i) {
    ASSERT_EQ(out[0][i], 0.0) << i;
    ASSERT_EQ(out[1][i], 0.0) << i;
  }
  for (int i = 1378; i < 6000; ++i) {
    ASSERT_EQ(out[0][i], signal[0][i - 1378]) << i;
    ASSERT_EQ(out[1][i], signal[1][i - 1378]) << i;
  }
}

TEST(TovraneProcess, GainsStartAtMinusTwelveDecibelsAndRise) {
  const double fs = 44100.0;
  const int n = 8000;
  const std::vector<double> tone = Sine(n, 1000.0, 0.05, fs);

  // A settled reference: silence first, so both gain smoothers reach their targets.
  EngineRunner settled;
  settled.Run(std::vector<double>(20000, 0.0), std::vector<double>(20000, 0.0));
  const auto reference = settled.Run(tone, tone);
  EngineRunner fresh;
  const auto rising = fresh.Run(tone, tone);

  const int start = 1378 + 64;  // past the tape delay and its first few samples
  const double early =
      20 * std::log10(Rms(rising[0], start, start + 45) / Rms(reference[0], start, start + 45));
  // The input gain starts near -12 dB; the output gain has mostly risen by then.
  EXPECT_LT(early, -9.0);
  EXPECT_GT(early, -12.5);
  const double late = 20 * std::log10(Rms(rising[0], n - 1000, n) / Rms(reference[0], n - 1000, n));
  EXPECT_NEAR(late, 0.0, 0.1);
}

TEST(TovraneProcess, SettledQuadMixZeroLeavesTheTapeOutputAlone) {
  const auto signal = TestSignal(20000, 44100.0);
  EngineRunner a;
  EngineRunner b;
  b.Set(kQuadDelay, 100.0);  // moves only the delay lines, whose gain is 0
  const auto outA = a.Run(signal[0], signal[1]);
  const auto outB = b.Run(signal[0], signal[1]);
  for (int i = 0; i < 20000; ++i) {
    ASSERT_NEAR(outA[0][i], outB[0][i], 1e-15) << i;
    ASSERT_NEAR(outA[1][i], outB[1][i], 1e-15) << i;
  }
  EngineRunner c;
  c.Set(kQuadMix, 100.0);
  const auto outC = c.Run(signal[0], signal[1]);
  EXPECT_GT(std::fabs(Rms(outC[0], 10000, 20000) - Rms(outA[0], 10000, 20000)), 1e-3);
}

TEST(TovraneProcess, QuadDelayChangeStartsGlidesOnce) {
  EngineRunner runner;
  const std::vector<double> silence(64, 0.0);
  runner.Run(silence, silence);
  runner.Run(std::vector<double>(30000, 0.0), std::vector<double>(30000, 0.0));
  const double settled = runner.plug->Processor().DelayTime(0);
  EXPECT_DOUBLE_EQ(settled, (0.5 * 0.045 + 0.005) * 44100.0);

  runner.Set(kQuadDelay, 100.0);
  runner.Run(silence, silence);
  const double target = (1.0 * 0.045 + 0.005) * 44100.0;
  for (int line = 0; line < 4; ++line) {
    EXPECT_LT(runner.plug->Processor().DelayGlide(line).elapsed,
              runner.plug->Processor().DelayGlide(line).duration)
        << line;
  }
  EXPECT_EQ(runner.plug->Processor().DelayGlide(0).target, target);
  EXPECT_EQ(runner.plug->Processor().DelayGlide(1).target, target + 0.01 * 44100.0);
  EXPECT_DOUBLE_EQ(runner.plug->Processor().DelayGlide(2).target, target * 1.33);
  const double elapsed = runner.plug->Processor().DelayGlide(0).elapsed;

  // The same value again leaves the running glides alone.
  runner.Set(kQuadDelay, 100.0);
  runner.Run(silence, silence);
  EXPECT_EQ(runner.plug->Processor().DelayGlide(0).elapsed, elapsed + 64);
  EXPECT_EQ(runner.plug->Processor().DelayGlide(0).duration, 44100.0 * 0.25);
  EXPECT_EQ(runner.plug->Processor().DelayGlide(2).duration, 11025.0);
}

TEST(TovraneProcess, GlidesFollowTheRateAfterAReset) {
  EngineRunner runner(48000.0);
  runner.Set(kQuadDelay, 10.0);
  const std::vector<double> silence(64, 0.0);
  runner.Run(silence, silence);
  EXPECT_EQ(runner.plug->Processor().DelayGlide(0).duration, 12000.0);
  EXPECT_EQ(runner.plug->Processor().DelayGlide(1).duration, 12000.0);
  EXPECT_EQ(runner.plug->Processor().DelayGlide(3).duration, 11025.0);
}

TEST(TovraneProcess, NonFiniteInputDoesNotPoisonTheChain) {
  EngineRunner runner;
  runner.Set(kQuadMix, 60.0);
  runner.Set(kHarmonics, 50.0);
  const auto signal = TestSignal(44100 * 3, 44100.0);
  std::vector<double> left = signal[0];
  std::vector<double> right = signal[1];
  for (int i = 10000; i < 10100; ++i) {
    left[i] = std::numeric_limits<double>::quiet_NaN();
    right[i] = (i % 2) ? std::numeric_limits<double>::infinity()
                       : -std::numeric_limits<double>::infinity();
  }
  const auto out = runner.Run(left, right);
  for (int i = 10100 + 44100; i < static_cast<int>(left.size()); ++i) {
    ASSERT_TRUE(std::isfinite(out[0][i]) && std::isfinite(out[1][i])) << i;
  }
  // Finite input is untouched by the guard: the same run without the bad samples
  // matches until they arrive.
  EngineRunner clean;
  clean.Set(kQuadMix, 60.0);
  clean.Set(kHarmonics, 50.0);
  const auto reference = clean.Run(signal[0], signal[1]);
  for (int i = 0; i < 10000; ++i) ASSERT_EQ(out[0][i], reference[0][i]) << i;
}

TEST(TovraneProcess, ReadoutTexts) {
  EngineRunner runner;
  auto* editor = new FakeEditor;
  runner.plug->Product().SetEditorControlIndexes(40, 1, 2, 3);
  runner.plug->AttachEditor(editor);
  const std::vector<double> silence(16, 0.0);

  runner.Run(silence, silence);
  EXPECT_EQ(editor->textCalls, 0) << "parameter 25 has no readout";

  runner.plug->OnParamChanged(kInputGain);
  runner.Run(silence, silence);
  EXPECT_EQ(editor->texts[40], "Input Gain \n0.000000 dB");
  runner.Set(kWide, 20.0);
  runner.Run(silence, silence);
  EXPECT_EQ(editor->texts[40], "Wide \n20.000000 %");
  runner.Set(kProfile, 3.0);
  runner.Run(silence, silence);
  EXPECT_EQ(editor->texts[40], "Profile \nOff");
  runner.Set(kNoiseType, 3.0);
  runner.Run(silence, silence);
  EXPECT_EQ(editor->texts[40], "Noise type \nVinyl 2");
  runner.Set(kPower, 0.0);
  runner.Run(silence, silence);
  EXPECT_EQ(editor->texts[40], "Power \nOn");
  runner.Set(kOutputGain, 75.0);
  runner.Run(silence, silence);
  EXPECT_EQ(editor->texts[40], "Output Gain \n6.000000 dB");
  const int calls = editor->textCalls;
  runner.Set(kSpare14, 0.0);
  runner.Run(silence, silence);
  EXPECT_EQ(editor->textCalls, calls) << "parameter 14 keeps the text it had";
  EXPECT_EQ(editor->texts[40], "Output Gain \n6.000000 dB");
}

TEST(TovraneProcess, ZeroFramesStillRunsTheBlockStart) {
  FakeHost host;
  EngineRunner runner(48000.0, 512, FakeHost::Callback);
  runner.Set(kQuadDelay, 0.0);
  double* in[2] = {nullptr, nullptr};
  runner.plug->ProcessBlock(in, in, 0);
  EXPECT_EQ(runner.plug->Latency(), 1499);
  EXPECT_EQ(runner.plug->Processor().DelayGlide(0).target, 0.005 * 48000.0);
}

// The plug-in adds nothing to the sound: a processor of its own, given the
// plug-in's live settings at every block, gives the same output bit for bit.
TEST(TovraneProcess, TheSoundIsTheProcessorsFromTheLiveSettings) {
  constexpr double kRate = 48000.0;
  constexpr int kBlock = 256;
  EngineRunner runner(kRate, kBlock);
  runner.plug->LoadPreset(2);
  const auto signal = TestSignal(20000, kRate);
  const auto expected = runner.Run(signal[0], signal[1]);

  RandomGenerator::ResetForThisThread();
  auto processor = std::make_unique<Tovrane::Processing>();
  processor->Prepare(kRate);
  std::vector<double> left(signal[0].size()), right(signal[0].size());
  for (size_t start = 0; start < left.size(); start += kBlock) {
    const int frames = static_cast<int>(std::min<size_t>(kBlock, left.size() - start));
    const double* in[2] = {signal[0].data() + start, signal[1].data() + start};
    double* out[2] = {left.data() + start, right.data() + start};
    processor->Apply(runner.plug->Product().LiveSnapshot(), false);
    processor->Process(in, out, frames, kRate);
  }
  EXPECT_EQ(left, expected[0]);
  EXPECT_EQ(right, expected[1]);
}
