// The audio thread never waits for a host or editor thread: blocks run to
// the end, with the settings the host made, while another thread holds the
// plug-in's lock for as long as it likes, as a host saving a session does.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

#include "dsp/RandomGenerator.h"
#include "vst2/Tovrane.h"

namespace {

constexpr int kBlock = 256;
constexpr int kBlocks = 40;

VstIntPtr QuietHost(AEffect*, int32_t opcode, int32_t, VstIntPtr, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

// Each effect draws its noise from a generator started afresh and runs its
// blocks on a thread of their own, whose generator starts afresh too, so two
// effects given the same settings give the same sound.
struct Effect {
  Effect() : plug(MakePlug()), effect(plug->Effect()) {
    Dispatch(effOpen);
    effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, 48000.0f);
    Dispatch(effSetBlockSize, kBlock);
    Dispatch(effSetProgram, 3);
    effect->setParameter(effect, kWow, 0.9f);
    effect->setParameter(effect, kOutputGain, 0.7f);
    Dispatch(effMainsChanged, 1);
  }
  ~Effect() { Dispatch(effClose); }  // deletes the plug-in
  static Tovrane* MakePlug() {
    RandomGenerator::ResetForThisThread();
    return new Tovrane(QuietHost);
  }
  void Dispatch(int32_t opcode, VstIntPtr value = 0) {
    effect->dispatcher(effect, opcode, 0, value, nullptr, 0.0f);
  }
  // kBlocks blocks of a fixed signal; the left output of them all.
  std::vector<float> Run() {
    std::vector<float> left(kBlock), right(kBlock), outL(kBlock), outR(kBlock), all;
    float* in[2] = {left.data(), right.data()};
    float* out[2] = {outL.data(), outR.data()};
    for (int block = 0; block < kBlocks; ++block) {
      for (int i = 0; i < kBlock; ++i) {
        left[i] = 0.3f * static_cast<float>(std::sin(0.02 * (block * kBlock + i)));
        right[i] = -left[i];
      }
      effect->processReplacing(effect, in, out, kBlock);
      all.insert(all.end(), outL.begin(), outL.end());
    }
    return all;
  }

  Tovrane* plug;
  AEffect* effect;
};

}  // namespace

TEST(AudioNeverWaits, BlocksRunWithTheHostsSettingsWhileAnotherThreadHoldsTheLock) {
  std::vector<float> expected;
  {
    Effect alone;
    std::thread([&] { expected = alone.Run(); }).join();
  }
  double energy = 0.0;
  for (float v : expected) energy += static_cast<double>(v) * v;
  ASSERT_GT(energy, 1.0);

  Effect contended;
  std::lock_guard<std::recursive_mutex> held(contended.plug->Lock());
  std::promise<std::vector<float>> result;
  std::future<std::vector<float>> done = result.get_future();
  std::thread([&contended, &result] { result.set_value(contended.Run()); }).detach();
  if (done.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
    std::fprintf(stderr, "the audio thread waited for the plug-in's lock\n");
    std::_Exit(3);
  }
  EXPECT_EQ(done.get(), expected);
}
