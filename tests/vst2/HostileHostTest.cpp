// What a careless or hostile host can do through the effect record: values
// outside every range, sample rates far from the reference, samples that
// overflow inside. None of it may crash the plug-in or send non-finite audio.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "PluginLibrary.h"

namespace {

class HostileHost : public PluginLibrary {
 protected:
  // Processes `frames` of a quiet stereo tone in replacing blocks of 512 and
  // returns how many output samples were not finite, and the left peak.
  int NonFiniteAfter(int frames, double amplitude = 0.25, double* peak = nullptr) {
    constexpr int kBlock = 512;
    std::vector<float> inL(kBlock), inR(kBlock), outL(kBlock), outR(kBlock);
    float* in[2] = {inL.data(), inR.data()};
    float* out[2] = {outL.data(), outR.data()};
    int bad = 0;
    for (int done = 0; done < frames; done += kBlock) {
      for (int s = 0; s < kBlock; ++s) {
        inL[s] = static_cast<float>(amplitude * std::sin(0.03 * (done + s)));
        inR[s] = static_cast<float>(amplitude * std::sin(0.021 * (done + s)));
      }
      effect->processReplacing(effect, in, out, kBlock);
      for (int s = 0; s < kBlock; ++s) {
        bad += !std::isfinite(outL[s]) + !std::isfinite(outR[s]);
        if (peak) *peak = std::max(*peak, static_cast<double>(std::fabs(outL[s])));
      }
    }
    return bad;
  }

  void Start(float rate) {
    Dispatch(effOpen);
    Dispatch(effSetSampleRate, 0, 0, nullptr, rate);
    Dispatch(effSetBlockSize, 0, 512);
    Dispatch(effMainsChanged, 0, 1);
  }
};

}  // namespace

TEST_F(HostileHost, NegativeValuesAreHeldAtTheBottomOfTheRange) {
  Start(44100.0f);
  Dispatch(effSetProgram, 0, 6);
  // "Quad delay" far below its range used to index before the delay line.
  effect->setParameter(effect, 20, -1e30f);
  EXPECT_EQ(effect->getParameter(effect, 20), 0.0f);
  EXPECT_EQ(Text(effGetParamDisplay, 20), "0.00");
  EXPECT_EQ(NonFiniteAfter(4096), 0);

  // "Noise amp", "LF boost", "HF boost", "Age", "Quad mix".
  for (int index : {2, 8, 9, 10, 19}) {
    effect->setParameter(effect, index, -1.0f);
    EXPECT_EQ(effect->getParameter(effect, index), 0.0f) << index;
    EXPECT_EQ(Text(effGetParamDisplay, index), "0.00") << index;
  }
  EXPECT_EQ(NonFiniteAfter(8192), 0);
}

TEST_F(HostileHost, TextBelowTheRangeIsHeldAtItsBottom) {
  char text[] = "-1e30";
  EXPECT_EQ(Dispatch(effString2Parameter, 20, 0, text), 1);
  EXPECT_EQ(effect->getParameter(effect, 20), 0.0f);
  EXPECT_EQ(Text(effGetParamDisplay, 20), "0.00");
}

TEST_F(HostileHost, LowSampleRatesGiveFiniteOutput) {
  for (float rate : {8000.0f, 11025.0f, 16000.0f, 22050.0f}) {
    for (int program : {0, 3, 9, 14}) {
      Dispatch(effSetProgram, 0, program);
      Start(rate);
      EXPECT_EQ(NonFiniteAfter(static_cast<int>(rate) / 2), 0)
          << "program " << program << " at " << rate << " Hz";
    }
  }
}

// A double-precision host can pass samples so large that the chain overflows
// inside. A block that would leave non-finite leaves as silence instead, and
// once the samples are sane again the sound comes back.
TEST_F(HostileHost, OverflowInsideHeals) {
  Start(44100.0f);
  Dispatch(effSetProgram, 0, 6);
  constexpr int kBlock = 512;
  std::vector<double> inL(kBlock, 1e300), inR(kBlock, -1e300), outL(kBlock), outR(kBlock);
  double* in[2] = {inL.data(), inR.data()};
  double* out[2] = {outL.data(), outR.data()};
  int silentBlocks = 0;
  // Longer than the latency, so the overflow reaches the output.
  for (int block = 0; block < 6; ++block) {
    effect->processDoubleReplacing(effect, in, out, kBlock);
    bool silent = true;
    for (int s = 0; s < kBlock; ++s) {
      ASSERT_TRUE(std::isfinite(outL[s]) && std::isfinite(outR[s])) << block << " " << s;
      silent = silent && outL[s] == 0.0 && outR[s] == 0.0;
    }
    silentBlocks += silent;
  }
  EXPECT_GE(silentBlocks, 1);

  // A tone in gives sound out again, with nothing non-finite on the way.
  double peak = 0.0;
  EXPECT_EQ(NonFiniteAfter(44100, 0.25, &peak), 0);
  EXPECT_GT(peak, 0.01);
}

TEST_F(HostileHost, LatencyFollowsTheRateBeforeTheFirstBlock) {
  Start(48000.0f);
  EXPECT_EQ(effect->initialDelay, 1499);
  // The host hears of it from the call that changed it, once that call has
  // left the plug-in, and never from the audio callbacks.
  EXPECT_EQ(host.Count(audioMasterUpdateDisplay), 1);
  EXPECT_EQ(NonFiniteAfter(512), 0);
  EXPECT_EQ(NonFiniteAfter(2048), 0);
  EXPECT_EQ(host.Count(audioMasterUpdateDisplay), 1);

  Dispatch(effMainsChanged, 0, 0);
  Dispatch(effSetSampleRate, 0, 0, nullptr, 96000.0f);
  Dispatch(effMainsChanged, 0, 1);
  // trunc(96000 / 44100 * 1378), where the quotient falls just short of 3000.
  EXPECT_EQ(effect->initialDelay, 2999);
  EXPECT_EQ(host.Count(audioMasterUpdateDisplay), 2);
  EXPECT_EQ(NonFiniteAfter(512), 0);
  EXPECT_EQ(host.Count(audioMasterUpdateDisplay), 2);
}
