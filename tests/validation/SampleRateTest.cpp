// Every factory program at every sample rate a host may run, rate changes
// while running, and the latency a host reads before processing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <iostream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "PluginHost.h"
#include "ValidationSettings.h"

namespace validation {
namespace {

const std::vector<float> kRates = {8000,  11025, 16000,  22050,  32000,  44100,  48000,
                                   88200, 96000, 176400, 192000, 384000, 1536000};

// The test signal peaks at -6 dBFS. The loudest factory program, "Synth
// quad" with its quad stage nearly full on, stays below 1.5 at every rate, so
// a sample beyond 16 (+24 dBFS) can only come from a runaway filter or delay.
constexpr double kPeakBound = 16.0;

// The quietest factory program passes about a third of the signal's level
// at every rate; a tenth means the audio was lost, for instance replaced by
// silence after the processing went wrong.
constexpr double kLowestLevel = 0.1;

constexpr int kBlock = 512;

// What a host shows as the latency for a rate: the reference latency scaled
// from 44.1 kHz, whole samples.
int32_t ExpectedLatency(float rate) {
  return static_cast<int32_t>(static_cast<double>(rate) / kReferenceRate * kReferenceLatency);
}

std::string RateName(float rate) {
  std::ostringstream name;
  name << static_cast<long>(rate) << "Hz";
  return name.str();
}

class SampleRates : public ::testing::TestWithParam<float> {};

TEST_P(SampleRates, EveryProgramIsFiniteAndBounded) {
  ASSERT_NE(EntryPoint(), nullptr);
  const float rate = GetParam();
  int frames = static_cast<int>(Settings().sampleRateSeconds * rate);
  if (Settings().sampleRateMaxFrames > 0) frames = std::min(frames, Settings().sampleRateMaxFrames);
  const StereoSignal signal = TestSignal(frames, rate);
  double loudest = 0.0;
  int loudestProgram = -1;
  for (int program = 0; program < kNumPrograms; ++program) {
    SCOPED_TRACE("program " + std::to_string(program) + " at " + RateName(rate));
    RenderPlan plan;
    plan.program = program;
    plan.sampleRate = rate;
    plan.preparedBlockSize = kBlock;
    plan.callSizes = {kBlock};
    const Render<float> render = RenderOnFreshThread<float>(plan, signal);
    EXPECT_EQ(render.faults, "");
    EXPECT_EQ(FirstNonFinite(render), -1) << "first non-finite output sample";
    const double peak = Peak(render);
    EXPECT_LT(peak, kPeakBound);
    EXPECT_EQ(render.latencyAfter, ExpectedLatency(rate));
    // The second half is well past the latency at every rate.
    EXPECT_GT(LevelRatio(render, signal, signal.left.size() / 2), kLowestLevel)
        << "output level against input";
    if (std::isfinite(peak) && peak > loudest) {
      loudest = peak;
      loudestProgram = program;
    }
  }
  std::ostringstream peak;
  peak << std::fixed << std::setprecision(4) << loudest;
  RecordProperty("peak", peak.str());
  RecordProperty("loudest_program", loudestProgram);
  std::cout << "  largest finite peak at " << RateName(rate) << ": " << peak.str() << " (program "
            << loudestProgram << ")\n";
}

INSTANTIATE_TEST_SUITE_P(Validation, SampleRates, ::testing::ValuesIn(kRates),
                         [](const auto& info) { return RateName(info.param); });

// Up the list, down again, then the widest jumps both ways.
std::vector<float> RateWalk() {
  std::vector<float> walk = kRates;
  walk.insert(walk.end(), kRates.rbegin(), kRates.rend());
  walk.insert(walk.end(), {8000.0f, 1536000.0f, 8000.0f});
  return walk;
}

// The programs that go through the walk: spread over the factory set.
std::vector<int> WalkPrograms() {
  std::vector<int> programs;
  const int count = Settings().rateChangePrograms;
  for (int i = 0; i < count; ++i) programs.push_back((i * kNumPrograms / count + 3) % kNumPrograms);
  return programs;
}

void WalkTheRates(bool suspend) {
  ASSERT_NE(EntryPoint(), nullptr);
  const int blocks = Settings().blocksPerRateChange;
  const StereoSignal signal = TestSignal(blocks * kBlock, kReferenceRate);
  for (int program : WalkPrograms()) {
    AEffect* effect = CreateEffect();
    ASSERT_NE(effect, nullptr);
    StartEffect(effect, 44100.0f, kBlock, program);
    Render<float> render;
    for (float rate : RateWalk()) {
      SCOPED_TRACE("program " + std::to_string(program) + ", changed to " + RateName(rate));
      if (suspend) Dispatch(effect, effMainsChanged, 0, 0);
      Dispatch(effect, effSetSampleRate, 0, 0, nullptr, rate);
      if (suspend) {
        Dispatch(effect, effMainsChanged, 0, 1);
        EXPECT_EQ(effect->initialDelay, ExpectedLatency(rate)) << "before the first block";
      }
      const size_t before = render.left.size();
      for (int b = 0; b < blocks; ++b) ProcessCall(effect, signal, b * kBlock, kBlock, &render);
      EXPECT_EQ(render.faults, "");
      render.faults.clear();
      for (size_t i = before; i < render.left.size(); ++i) {
        if (!std::isfinite(render.left[i]) || !std::isfinite(render.right[i])) {
          ADD_FAILURE() << "non-finite output " << i - before << " samples after the change";
          break;
        }
      }
      EXPECT_EQ(effect->initialDelay, ExpectedLatency(rate)) << "after processing";
    }
    Dispatch(effect, effClose);
  }
}

TEST(SampleRateChanges, WhileRunning) { WalkTheRates(false); }

TEST(SampleRateChanges, WhileSuspended) { WalkTheRates(true); }

// A host sizes its delay compensation from initialDelay when the effect is
// resumed, before it sends any audio.
TEST(SampleRateLatency, ReportedOnResumeBeforeAnyBlock) {
  ASSERT_NE(EntryPoint(), nullptr);
  for (float rate : kRates) {
    SCOPED_TRACE(RateName(rate));
    AEffect* effect = CreateEffect();
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(effect->initialDelay, kReferenceLatency) << "on creation";
    StartEffect(effect, rate, kBlock, 0);
    EXPECT_EQ(effect->initialDelay, ExpectedLatency(rate)) << "fresh effect";
    Dispatch(effect, effClose);
  }
}

// Rates no processing can run at must not break the effect.
TEST(SampleRateChanges, UnusableRatesKeepTheOutputFinite) {
  ASSERT_NE(EntryPoint(), nullptr);
  AEffect* effect = CreateEffect();
  ASSERT_NE(effect, nullptr);
  StartEffect(effect, 96000.0f, kBlock, 6);
  const StereoSignal signal = TestSignal(4 * kBlock, 96000.0);
  Render<float> render;
  for (float rate :
       {0.0f, -44100.0f, 1.0f, 7999.0f, 1536001.0f, 1e30f, std::numeric_limits<float>::quiet_NaN(),
        std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity()}) {
    SCOPED_TRACE("rate " + std::to_string(rate));
    Dispatch(effect, effMainsChanged, 0, 0);
    Dispatch(effect, effSetSampleRate, 0, 0, nullptr, rate);
    Dispatch(effect, effMainsChanged, 0, 1);
    for (int b = 0; b < 4; ++b) ProcessCall(effect, signal, b * kBlock, kBlock, &render);
    EXPECT_EQ(render.faults, "");
    EXPECT_EQ(FirstNonFinite(render), -1);
    EXPECT_GE(effect->initialDelay, 0);
    EXPECT_LE(effect->initialDelay, ExpectedLatency(kRates.back()));
  }
  Dispatch(effect, effClose);
}

}  // namespace
}  // namespace validation
