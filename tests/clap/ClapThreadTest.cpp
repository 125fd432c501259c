// The plug-in calls its host only from the threads CLAP allows each call
// on: with the audio thread playing, events and flushes, resets and
// activations, and the main thread loading programs and states, the
// thread-checking host records no call from a wrong thread.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "ClapRenders.h"
#include "product/TovraneParams.h"

TEST(ClapThreads, TheHostIsCalledOnlyFromTheThreadsItAllows) {
  ClapHost clap;
  ASSERT_EQ(clap.Failure(), "");
  const std::vector<uint8_t> state = SessionStateOf(5);
  for (double rate : {44100.0, 48000.0}) {
    ASSERT_TRUE(clap.Start(rate, kBlock));
    std::atomic<bool> playing{true};
    std::thread audio([&] {
      RecordingHost::MarkAudioThread(true);
      InputEvents events;
      std::vector<float> left(kBlock, 0.1f), right(kBlock, -0.1f);
      float* io[2] = {left.data(), right.data()};
      for (int block = 0; playing || block < 50; ++block) {
        events.Clear();
        events.AddValue(static_cast<uint32_t>(block % kBlock), kWow, block % 100);
        if (block % 7 == 3) {
          clap.Flush(&events);
        } else {
          clap.Process(io, io, kBlock, &events);
        }
        if (block % 25 == 24) clap.Plugin()->reset(clap.Plugin());
      }
    });
    for (int round = 0; round < 20; ++round) {
      clap.LoadProgram(round % kNumTovranePresets);
      clap.LoadState(state);
      clap.SaveState();
      double value = 0.0;
      clap.Params()->get_value(clap.Plugin(), kWow, &value);
      clap.Plugin()->on_main_thread(clap.Plugin());
    }
    playing = false;
    audio.join();
    clap.Stop();
  }
  EXPECT_GT(clap.Host().Count("params.rescan:1"), 0);
  EXPECT_GT(clap.Host().Count("latency.changed"), 0);
  EXPECT_GT(clap.Host().Requests("request_callback"), 0);
  EXPECT_EQ(clap.Host().WrongThreadCalls(), std::vector<std::string>{});
}
