// The CLAP module's sound, held to the VST 2 library's bit for bit: every
// factory program in both sample sizes, in place and not, chosen by preset
// load or by state; parameter events at their 32-frame runs, flushes,
// bypass, the latency at several rates, and a reset that starts afresh.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "ClapRenders.h"
#include "product/TovraneParams.h"

using namespace validation;

namespace {

// Calls a host may well make, none a multiple of another, none past the prepared block.
const std::vector<int> kIrregularCalls = {1, 37, 512, 3, 500, 127, 64, 32, 449};

template <class Sample>
void EveryProgramSoundsAsInVst2() {
  int irregular = 0;
  for (int program = 0; program < kNumPrograms; ++program) {
    SCOPED_TRACE("program " + std::to_string(program));
    const Render<Sample> vst2 = RenderVst2<Sample>(Plan(program), Signal());
    ClapRenderSetup setup = ClapRenderSetup::Like(Plan(program));
    EXPECT_TRUE(SameRender(vst2, RenderClap<Sample>(setup, Signal()))) << "by preset load";
    setup.inPlace = true;
    EXPECT_TRUE(SameRender(vst2, RenderClap<Sample>(setup, Signal()))) << "in place";
    setup = ClapRenderSetup::Like(Plan(program), ProgramBy::State);
    EXPECT_TRUE(SameRender(vst2, RenderClap<Sample>(setup, Signal()))) << "by state";
    if (QuadMixIsOff(program)) {
      ++irregular;
      setup.callSizes = kIrregularCalls;
      EXPECT_TRUE(SameRender(vst2, RenderClap<Sample>(setup, Signal()))) << "irregular calls";
      setup.inPlace = true;
      EXPECT_TRUE(SameRender(vst2, RenderClap<Sample>(setup, Signal())))
          << "irregular calls in place";
    }
  }
  EXPECT_GT(irregular, 0) << "no program left the quad stage out";
}

}  // namespace

TEST(ClapRender, EveryProgramSoundsAsInVst2InSinglePrecision) {
  EveryProgramSoundsAsInVst2<float>();
}

TEST(ClapRender, EveryProgramSoundsAsInVst2InDoublePrecision) {
  EveryProgramSoundsAsInVst2<double>();
}

// An event takes effect from the start of the processor's 32-frame run
// that holds its time; of several events in one run, the last wins.
TEST(ClapRender, ParameterEventsTakeEffectFromTheirRun) {
  constexpr int kSecondBlock = kBlock;
  // Each case's events: time in the second block, plain value.
  const std::vector<std::vector<std::pair<int, double>>> cases = {
      {{100, 75.0}},
      {{0, 75.0}},
      {{31, 75.0}},
      {{32, 75.0}},
      {{511, 75.0}},
      {{100, 25.0}, {120, 75.0}},
      {{40, 25.0}, {100, 75.0}},
  };
  for (const auto& events : cases) {
    SCOPED_TRACE("first event at " + std::to_string(events.front().first));
    ClapRenderSetup setup = ClapRenderSetup::Like(Plan(0));
    std::vector<Vst2Action> actions;
    for (const auto& [time, value] : events) {
      setup.changes.push_back({kSecondBlock + time, kOutputGain, value});
      const int run = kSecondBlock + time / 32 * 32;
      actions.push_back(SetParameterAt(run, kOutputGain, PercentAsNormalized(value)));
    }
    EXPECT_TRUE(SameRender(RenderVst2<float>(Plan(0), Signal(), actions),
                           RenderClap<float>(setup, Signal())));
  }
  // The runs are what the comparison resolves: the event at time 100 taken
  // at frame 100 itself sounds otherwise.
  ClapRenderSetup setup = ClapRenderSetup::Like(Plan(0));
  setup.changes.push_back({kSecondBlock + 100, kOutputGain, 75.0});
  EXPECT_FALSE(
      SameRender(RenderVst2<float>(Plan(0), Signal(),
                                   {SetParameterAt(kSecondBlock + 100, kOutputGain, 0.75f)}),
                 RenderClap<float>(setup, Signal())));
}

// Plain values off the parameters' grids, as an automation lane gives
// them, take the steps the VST 2 plug-in takes for the same setting.
TEST(ClapRender, ValuesOffTheGridSoundAsInVst2) {
  ClapRenderSetup setup = ClapRenderSetup::Like(Plan(0));
  setup.changes = {{0, kNoiseType, 2.6}, {0, kProfile, 1.2}, {0, kNoiseAmp, 50.004}};
  const std::vector<Vst2Action> actions = {SetParameterAt(0, kNoiseType, 0.75f),
                                           SetParameterAt(0, kProfile, 1.0f / 3.0f),
                                           SetParameterAt(0, kNoiseAmp, 0.5f)};
  EXPECT_TRUE(SameRender(RenderVst2<float>(Plan(0), Signal(), actions),
                         RenderClap<float>(setup, Signal())));
}

TEST(ClapRender, AProcessOfNoFramesAppliesItsEvents) {
  ClapRenderSetup setup = ClapRenderSetup::Like(Plan(2));
  setup.changes.push_back({2 * kBlock, kOutputGain, 75.0, true});
  setup.changes.push_back({2 * kBlock, kWow, 50.0, true});
  const Render<float> vst2 = RenderVst2<float>(
      Plan(2), Signal(),
      {SetParameterAt(2 * kBlock, kOutputGain, 0.75f), SetParameterAt(2 * kBlock, kWow, 0.5f)});
  EXPECT_TRUE(SameRender(vst2, RenderClap<float>(setup, Signal())));
}

// While the plug-in is inactive, the host hands its events to params.flush
// on the main thread; they hold when the processing starts.
TEST(ClapRender, AFlushWhileInactiveSetsTheValuesPlayedFromTheStart) {
  ClapRenderSetup setup = ClapRenderSetup::Like(Plan(2));
  setup.beforeStart = [](ClapHost& host) {
    InputEvents events;
    events.AddValue(0, kOutputGain, 75.0);
    events.AddValue(0, kWow, 50.0);
    host.ParamsFlush(&events);
    double value = -1.0;
    EXPECT_TRUE(host.Params()->get_value(host.Plugin(), kWow, &value));
    EXPECT_EQ(value, 50.0);
    EXPECT_EQ(host.Out().Size(), 0u) << "no gesture was made";
  };
  const Render<float> vst2 = RenderVst2<float>(
      Plan(2), Signal(), {SetParameterAt(0, kOutputGain, 0.75f), SetParameterAt(0, kWow, 0.5f)});
  const Render<float> clap = RenderClap<float>(setup, Signal());
  EXPECT_TRUE(SameRender(vst2, clap));
  EXPECT_FALSE(SameRender(RenderVst2<float>(Plan(2), Signal()), clap))
      << "the flush changed nothing";
}

// "Power" at 1, the bypass parameter, turns the processing off as the VST 2
// plug-in's does; on and off again between blocks as well.
TEST(ClapRender, BypassSoundsAsPowerOffInVst2) {
  for (const auto& [on, off] : {std::pair{0, kSignalFrames}, std::pair{2 * kBlock, 6 * kBlock}}) {
    SCOPED_TRACE("bypassed from " + std::to_string(on) + " to " + std::to_string(off));
    ClapRenderSetup setup = ClapRenderSetup::Like(Plan(3));
    setup.changes.push_back({on, kPower, 1.0});
    setup.changes.push_back({off, kPower, 0.0});
    const Render<double> vst2 = RenderVst2<double>(
        Plan(3), Signal(), {SetParameterAt(on, kPower, 1.0f), SetParameterAt(off, kPower, 0.0f)});
    const Render<double> clap = RenderClap<double>(setup, Signal());
    EXPECT_TRUE(SameRender(vst2, clap));
    EXPECT_FALSE(SameRender(RenderVst2<double>(Plan(3), Signal()), clap))
        << "bypass changed nothing";
  }
}

// The latency is the VST 2 library's at each rate; a new rate that changes
// it is told to the host when the plug-in is activated, one that keeps it
// tells nothing.
TEST(ClapRender, LatencyIsTheVst2LibrarysAndItsChangesAreTold) {
  ClapHost clap;
  ASSERT_EQ(clap.Failure(), "");
  const auto* latency = clap.PluginExtension<clap::clap_plugin_latency>(clap::CLAP_EXT_LATENCY);
  ASSERT_NE(latency, nullptr);
  uint32_t previous = latency->get(clap.Plugin());
  for (double rate : {44100.0, 48000.0, 48000.0, 96000.0, 44100.0}) {
    SCOPED_TRACE(rate);
    AEffect* effect = CreateEffect();
    StartEffect(effect, static_cast<float>(rate), kBlock, 0);
    const int vst2 = effect->initialDelay;
    Dispatch(effect, effClose);
    clap.Host().ForgetCalls();
    ASSERT_TRUE(clap.Start(rate, kBlock));
    const uint32_t now = latency->get(clap.Plugin());
    EXPECT_EQ(static_cast<int>(now), vst2);
    EXPECT_EQ(clap.Host().Count("latency.changed"), now != previous ? 1 : 0);
    if (rate == 44100.0) {
      EXPECT_EQ(now, 1378u);
    }
    if (rate == 48000.0) {
      EXPECT_EQ(now, 1499u);
    }
    previous = now;
    clap.Stop();
  }
}

// reset() (the audio thread's) after playing for a while makes the plug-in
// sound as a new instance does, noise included; and the host is asked for
// a main-thread call to make ready the next. It plays first on a thread of
// its own, whose random draws (the scratches') are not the render thread's.
TEST(ClapRender, AResetAfterPlayingStartsFromRest) {
  constexpr int kProgram = 3;
  auto playOnAnotherThread = [](ClapHost& host, bool reset) {
    std::thread([&host, reset] {
      RecordingHost::MarkAudioThread(true);
      std::vector<float> left(kBlock), right(kBlock);
      for (int block = 0; block < 40; ++block) {
        for (int s = 0; s < kBlock; ++s) {
          const size_t at = static_cast<size_t>(block * kBlock + s) % Signal().left.size();
          left[s] = Signal().left[at];
          right[s] = Signal().right[at];
        }
        float* io[2] = {left.data(), right.data()};
        ASSERT_NE(host.Process(io, io, kBlock, nullptr), clap::CLAP_PROCESS_ERROR);
      }
      if (reset) host.Plugin()->reset(host.Plugin());
    }).join();
  };
  ClapRenderSetup played = ClapRenderSetup::Like(Plan(kProgram));
  played.afterStart = [&](ClapHost& host) {
    playOnAnotherThread(host, true);
    EXPECT_EQ(host.Host().Requests("request_callback"), 1);
    host.Plugin()->on_main_thread(host.Plugin());
  };
  const Render<float> fresh = RenderClap<float>(ClapRenderSetup::Like(Plan(kProgram)), Signal());
  EXPECT_TRUE(SameRender(fresh, RenderClap<float>(played, Signal())));
  ClapRenderSetup notReset = ClapRenderSetup::Like(Plan(kProgram));
  notReset.afterStart = [&](ClapHost& host) { playOnAnotherThread(host, false); };
  EXPECT_FALSE(SameRender(fresh, RenderClap<float>(notReset, Signal()))) << "playing left no trace";
}

// A host marks a channel constant when its value is its first sample's: the
// plug-in reads that sample alone (what follows it in the buffer is not the
// signal), and marks none of its outputs constant.
TEST(ClapRender, InputsMarkedConstantAreReadFromTheirFirstSample) {
  constexpr int kBlocks = 16;
  auto render = [](bool marked) {
    std::vector<float> heard;
    std::thread([&] {
      ClapHost host;
      ASSERT_EQ(host.Failure(), "");
      ASSERT_TRUE(host.Start(44100.0, kBlock));
      ASSERT_TRUE(host.LoadProgram(5));
      std::vector<float> left(kBlock), right(kBlock), outLeft(kBlock), outRight(kBlock);
      for (int block = 0; block < kBlocks; ++block) {
        const float level = 0.05f * static_cast<float>(block % 7) - 0.15f;
        std::fill(left.begin(), left.end(), level);
        for (int s = 0; s < kBlock; ++s) right[s] = Signal().right[block * kBlock + s];
        // Past the first sample a constant channel's buffer holds nothing the
        // plug-in may read.
        if (marked) std::fill(left.begin() + 1, left.end(), 7.0f);
        float* in[2] = {left.data(), right.data()};
        float* out[2] = {outLeft.data(), outRight.data()};
        ASSERT_NE(host.Process(in, out, kBlock, nullptr, marked ? 1u : 0u),
                  clap::CLAP_PROCESS_ERROR);
        EXPECT_EQ(host.ConstantOutputs(), 0u);
        heard.insert(heard.end(), outLeft.begin(), outLeft.end());
        heard.insert(heard.end(), outRight.begin(), outRight.end());
      }
    }).join();
    return heard;
  };
  const std::vector<float> whole = render(false);
  ASSERT_EQ(whole.size(), size_t{2 * kBlocks * kBlock});
  EXPECT_EQ(render(true), whole);
}

// While the hiss or the crackle sounds the plug-in asks to go on; with
// neither (the power off, or a program with no noise and no scratch) the
// host may let it sleep once its output is quiet.
TEST(ClapRender, TheStatusSaysWhetherThePlugInSoundsOnItsOwn) {
  constexpr int kKestravonTape = 6;  // scratch, no noise
  constexpr int kOverdrive = 7;      // no noise, no scratch
  ClapHost host;
  ASSERT_EQ(host.Failure(), "");
  ASSERT_TRUE(host.Start(44100.0, kBlock));
  std::vector<float> left(kBlock, 0.0f), right(kBlock, 0.0f);
  float* io[2] = {left.data(), right.data()};
  ASSERT_TRUE(host.LoadProgram(kKestravonTape));
  EXPECT_EQ(host.Process(io, io, kBlock, nullptr), clap::CLAP_PROCESS_CONTINUE);
  ASSERT_TRUE(host.LoadProgram(kOverdrive));
  EXPECT_EQ(host.Process(io, io, kBlock, nullptr), clap::CLAP_PROCESS_CONTINUE_IF_NOT_QUIET);
  ASSERT_TRUE(host.LoadProgram(kKestravonTape));
  InputEvents powerOff;
  powerOff.AddValue(0, kPower, 1.0);
  EXPECT_EQ(host.Process(io, io, kBlock, &powerOff), clap::CLAP_PROCESS_CONTINUE_IF_NOT_QUIET);
}
