// A VST 3 host runs the plug-in's process() on its audio thread while its
// main thread sets parameters, switches programs, reads texts and saves and
// restores the state: every call succeeds, every saved state is whole, the
// audio stays finite, and the host's changes in process are all taken.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <memory>
#include <thread>
#include <vector>

#include "host/MemoryStream.h"
#include "host/ParameterChanges.h"
#include "product/TovraneParams.h"
#include "vst3/TovraneVst3.h"

namespace {

constexpr int kFrames = 256;

void MainThreadWork(TovraneVst3& plug, int round) {
  auto& component = static_cast<vst3::IComponent&>(plug);
  plug.setParamNormalized(kHarmonics, (round % 10) / 10.0);
  if (round % 25 == 0) plug.setParamNormalized(IPlugVST3::kProgramParamId, (round / 25 % 16) / 15.0);
  vst3::String128 text{};
  EXPECT_EQ(plug.getParamStringByValue(kOutputGain, 0.3, text), vst3::kResultOk);
  EXPECT_TRUE(std::isfinite(plug.getParamNormalized(kWow)));
  plug.getTailSamples();
  MemoryStream saved;
  ASSERT_EQ(component.getState(&saved), vst3::kResultOk);
  MemoryStream restored(saved.Bytes());
  EXPECT_EQ(component.setState(&restored), vst3::kResultOk) << "a saved state is whole";
}

}  // namespace

TEST(Vst3HostThreads, MainThreadCallsBesideProcess) {
  auto* plug = new TovraneVst3();
  vst3::ProcessSetup setup{vst3::kRealtime, vst3::kSample32, kFrames, 48000.0};
  ASSERT_EQ(plug->setupProcessing(setup), vst3::kResultOk);
  ASSERT_EQ(plug->setActive(1), vst3::kResultOk);

  std::atomic<bool> working{true};
  std::thread mainThread([&] {
    for (int round = 0; round < 150; ++round) MainThreadWork(*plug, round);
    working = false;
  });
  std::vector<float> left(kFrames, 0.1f), right(kFrames, -0.1f);
  float* channels[2] = {left.data(), right.data()};
  vst3::AudioBusBuffers in{2, 0, {}};
  in.channelBuffers32 = channels;
  vst3::AudioBusBuffers out{2, 0, {}};
  out.channelBuffers32 = channels;
  ParameterChanges changes;
  auto runBlock = [&] {
    vst3::ProcessData data{vst3::kRealtime, vst3::kSample32, kFrames, 1, 1, &in, &out,
                           &changes, nullptr, nullptr, nullptr, nullptr};
    ASSERT_EQ(plug->process(data), vst3::kResultOk);
    for (int s = 0; s < kFrames; ++s) ASSERT_TRUE(std::isfinite(left[s]) && std::isfinite(right[s]));
  };
  int blocks = 0;
  while (working || blocks < 50) {
    changes.Clear();
    changes.Add(kWow, (blocks * 37) % kFrames, (blocks % 100) / 100.0);
    runBlock();
    ++blocks;
  }
  mainThread.join();

  // A change that comes while another thread holds the lock waits, and the
  // next block that can take the lock takes it.
  std::atomic<bool> locked{false};
  std::atomic<bool> processed{false};
  std::thread holder([&] {
    std::lock_guard<std::recursive_mutex> guard(plug->Lock());
    locked = true;
    while (!processed) std::this_thread::yield();
  });
  while (!locked) std::this_thread::yield();
  changes.Clear();
  changes.Add(kWow, 0, 0.42);
  runBlock();
  processed = true;
  holder.join();
  changes.Clear();
  runBlock();
  EXPECT_EQ(plug->getParamNormalized(kWow), 0.42);
  plug->setActive(0);
  plug->release();
}
