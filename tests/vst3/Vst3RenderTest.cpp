// The VST 3 module's sound, held to the VST 2 library's bit for bit: every
// factory program in both sample sizes, parameter changes at their 32-frame
// runs, a flush, bypass, program changes and the latency at several rates.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "Vst3Renders.h"
#include "host/ComponentHandler.h"
#include "product/TovraneParams.h"

using namespace validation;

namespace {

constexpr int kFrames = kSignalFrames;
// Calls a host may well make, none a multiple of another, none past the prepared block.
const std::vector<int> kIrregularCalls = {1, 37, 512, 3, 500, 127, 64, 32, 449};

template <class Sample>
void EveryProgramSoundsAsInVst2() {
  int irregular = 0;
  for (int program = 0; program < kNumPrograms; ++program) {
    SCOPED_TRACE("program " + std::to_string(program));
    const Render<Sample> vst2 = RenderVst2<Sample>(Plan(program), Signal());
    Vst3RenderSetup setup = Vst3RenderSetup::Like(Plan(program));
    EXPECT_TRUE(SameRender(vst2, RenderVst3<Sample>(setup, Signal())));
    if (QuadMixIsOff(program)) {
      ++irregular;
      setup.callSizes = kIrregularCalls;
      EXPECT_TRUE(SameRender(vst2, RenderVst3<Sample>(setup, Signal()))) << "irregular calls";
    }
  }
  EXPECT_GT(irregular, 0) << "no program left the quad stage out";
}

}  // namespace

TEST(Vst3Render, EveryProgramSoundsAsInVst2InSinglePrecision) { EveryProgramSoundsAsInVst2<float>(); }

TEST(Vst3Render, EveryProgramSoundsAsInVst2InDoublePrecision) { EveryProgramSoundsAsInVst2<double>(); }

// A point takes effect from the start of the processor's 32-frame run that
// holds its offset; of several points in one run, the last wins.
TEST(Vst3Render, ParameterChangesTakeEffectFromTheirRun) {
  constexpr int kSecondBlock = kBlock;
  // Each case's points: offset in the second block, value.
  const std::vector<std::vector<std::pair<int, double>>> cases = {
      {{100, 0.75}}, {{0, 0.75}},  {{31, 0.75}},
      {{32, 0.75}},  {{511, 0.75}}, {{100, 0.25}, {120, 0.75}},
      {{40, 0.25}, {100, 0.75}},
  };
  for (const auto& points : cases) {
    SCOPED_TRACE("first point at " + std::to_string(points.front().first));
    Vst3RenderSetup setup = Vst3RenderSetup::Like(Plan(0));
    std::vector<Vst2Action> actions;
    for (const auto& [offset, value] : points) {
      setup.changes.push_back({kSecondBlock + offset, kOutputGain, value});
      const int run = kSecondBlock + offset / 32 * 32;
      actions.push_back(SetParameterAt(run, kOutputGain, static_cast<float>(value)));
    }
    EXPECT_TRUE(SameRender(RenderVst2<float>(Plan(0), Signal(), actions),
                           RenderVst3<float>(setup, Signal())));
  }
  // The runs are what the comparison resolves: the change at offset 100 made
  // at frame 100 itself sounds otherwise.
  Vst3RenderSetup setup = Vst3RenderSetup::Like(Plan(0));
  setup.changes.push_back({kSecondBlock + 100, kOutputGain, 0.75});
  EXPECT_FALSE(SameRender(
      RenderVst2<float>(Plan(0), Signal(), {SetParameterAt(kSecondBlock + 100, kOutputGain, 0.75f)}),
      RenderVst3<float>(setup, Signal())));
}

// Values between the steps of the whole-numbered parameters, as a host's
// automation lane gives them, take the same steps as in the VST 2 plug-in.
TEST(Vst3Render, ValuesBetweenStepsSoundAsInVst2) {
  for (float value : {0.25f, 0.6f, 0.875f}) {
    SCOPED_TRACE(value);
    Vst3RenderSetup setup = Vst3RenderSetup::Like(Plan(0));
    std::vector<Vst2Action> actions;
    for (int id : {kProfile, kNoiseType, kPower}) {
      setup.changes.push_back({0, static_cast<vst3::ParamID>(id), value});
      actions.push_back(SetParameterAt(0, id, value));
    }
    setup.changes.push_back({0, kNoiseAmp, 0.5});
    actions.push_back(SetParameterAt(0, kNoiseAmp, 0.5f));
    EXPECT_TRUE(SameRender(RenderVst2<float>(Plan(0), Signal(), actions),
                           RenderVst3<float>(setup, Signal())));
  }
}

TEST(Vst3Render, AFlushWithoutAudioAppliesItsChanges) {
  Vst3RenderSetup setup = Vst3RenderSetup::Like(Plan(2));
  setup.changes.push_back({2 * kBlock, kOutputGain, 0.75, true});
  setup.changes.push_back({2 * kBlock, kWow, 0.5, true});
  const Render<float> vst2 = RenderVst2<float>(
      Plan(2), Signal(),
      {SetParameterAt(2 * kBlock, kOutputGain, 0.75f), SetParameterAt(2 * kBlock, kWow, 0.5f)});
  EXPECT_TRUE(SameRender(vst2, RenderVst3<float>(setup, Signal())));
}

// "Power" at 1 turns the processing off, as the VST 2 plug-in's does; on and
// off again between blocks as well.
TEST(Vst3Render, BypassSoundsAsPowerOffInVst2) {
  for (const auto& [on, off] : {std::pair{0, kFrames}, std::pair{2 * kBlock, 6 * kBlock}}) {
    SCOPED_TRACE("bypassed from " + std::to_string(on) + " to " + std::to_string(off));
    Vst3RenderSetup setup = Vst3RenderSetup::Like(Plan(3));
    setup.changes.push_back({on, kPower, 1.0});
    setup.changes.push_back({off, kPower, 0.0});
    const Render<double> vst2 =
        RenderVst2<double>(Plan(3), Signal(),
                           {SetParameterAt(on, kPower, 1.0f), SetParameterAt(off, kPower, 0.0f)});
    const Render<double> vst3 = RenderVst3<double>(setup, Signal());
    EXPECT_TRUE(SameRender(vst2, vst3));
    EXPECT_FALSE(SameRender(RenderVst2<double>(Plan(3), Signal()), vst3)) << "bypass changed nothing";
  }
}

TEST(Vst3Render, ProgramChangesSoundAsEffSetProgram) {
  for (int program : {1, 9, 15}) {
    SCOPED_TRACE("program " + std::to_string(program));
    constexpr int kAt = 4 * kBlock;
    Vst3RenderSetup setup = Vst3RenderSetup::Like(Plan(0));
    setup.changes.push_back({kAt, kProgramChangeId, ProgramValue(program)});
    const Vst2Action select{kAt, [program](AEffect* e) { Dispatch(e, effSetProgram, 0, program); }};
    EXPECT_TRUE(SameRender(RenderVst2<float>(Plan(0), Signal(), {select}),
                           RenderVst3<float>(setup, Signal())));
  }
}

TEST(Vst3Render, LatencyIsTheVst2LibrarysAtEachRate) {
  for (float rate : {44100.0f, 48000.0f, 96000.0f}) {
    SCOPED_TRACE(rate);
    AEffect* effect = CreateEffect();
    StartEffect(effect, rate, kBlock, 0);
    const int vst2 = effect->initialDelay;
    Dispatch(effect, effClose);
    Vst3Host host(KESTRAVON_VST3_MODULE_PATH);
    ASSERT_EQ(host.Failure(), "");
    ASSERT_EQ(host.Start(rate, kBlock, vst3::kSample32), vst3::kResultOk);
    EXPECT_EQ(static_cast<int>(host.Processor()->getLatencySamples()), vst2);
    if (rate == 44100.0f) {
      EXPECT_EQ(vst2, 1378);
    }
    if (rate == 48000.0f) {
      EXPECT_EQ(vst2, 1499);
    }
  }
}

// A new rate that changes the latency is told to the host, which then reads
// it again; a rate that keeps it tells nothing.
TEST(Vst3Render, ALatencyChangedByTheRateIsToldToTheHost) {
  Vst3Host host(KESTRAVON_VST3_MODULE_PATH);
  ASSERT_EQ(host.Failure(), "");
  ComponentHandler handler;
  ASSERT_EQ(host.Controller()->setComponentHandler(&handler), vst3::kResultOk);
  const ComponentHandler::Call restart{ComponentHandler::Kind::Restart, 0, 0.0, vst3::kLatencyChanged};
  const std::vector<std::pair<double, std::vector<ComponentHandler::Call>>> steps = {
      {44100.0, {}}, {48000.0, {restart}}, {48000.0, {}}, {44100.0, {restart}}};
  for (const auto& [rate, told] : steps) {
    SCOPED_TRACE(rate);
    handler.Forget();
    ASSERT_EQ(host.Start(rate, kBlock, vst3::kSample32), vst3::kResultOk);
    EXPECT_EQ(handler.Calls(), told);
    EXPECT_EQ(host.Processor()->getLatencySamples(), rate == 48000.0 ? 1499u : 1378u);
    host.Stop();
  }
  host.Controller()->setComponentHandler(nullptr);
}

// Hosts deactivate and activate a plug-in to start it afresh: after playing
// for a while, it sounds as a new instance does, noise included. It plays
// first on a thread of its own, whose random draws (the scratches') are not
// the render thread's.
TEST(Vst3Render, ActivatingAgainStartsFromRest) {
  constexpr int kProgram = 3;
  Vst3RenderSetup played = Vst3RenderSetup::Like(Plan(kProgram));
  played.beforeStart = [](Vst3Host& host) {
    std::thread([&host] {
      ASSERT_EQ(host.Start(44100.0, kBlock, vst3::kSample32), vst3::kResultOk);
      ParameterChanges changes;
      changes.Add(kProgramChangeId, 0, ProgramValue(9));
      std::vector<float> left(kBlock), right(kBlock);
      for (int block = 0; block < 40; ++block) {
        for (int s = 0; s < kBlock; ++s) {
          const size_t at = static_cast<size_t>(block * kBlock + s) % Signal().left.size();
          left[s] = static_cast<float>(Signal().left[at]);
          right[s] = static_cast<float>(Signal().right[at]);
        }
        float* io[2] = {left.data(), right.data()};
        ASSERT_EQ(host.Process(io, io, kBlock, block == 0 ? &changes : nullptr), vst3::kResultOk);
      }
      host.Stop();
    }).join();
  };
  const Render<float> fresh = RenderVst3<float>(Vst3RenderSetup::Like(Plan(kProgram)), Signal());
  EXPECT_TRUE(SameRender(fresh, RenderVst3<float>(played, Signal())));
}
