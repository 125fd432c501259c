// A host that, inside every call the plug-in makes to it, calls back into the
// plug-in from another of its threads and waits for the answer, as hosts do
// that take a lock of their own in those callbacks. If the plug-in called the
// host while holding its own lock, this host would wait for ever.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <thread>
#include <vector>

#include "EditorTestSupport.h"
#include "editor/IGraphicsHeadless.h"
#include "vst2/Tovrane.h"

namespace {

std::atomic<AEffect*> currentEffect{nullptr};
std::atomic<int> callbacks{0};
std::atomic<int> automations{0};
std::atomic<int> displayUpdates{0};

// Runs the host's other-thread call and waits for it. A call that does not
// return within the deadline is a deadlock: the process cannot continue, so
// it reports and ends.
void CallFromAnotherThreadAndWait(AEffect* effect, int32_t opcode) {
  std::promise<void> done;
  std::future<void> finished = done.get_future();
  std::thread([effect, &done] {
    effect->getParameter(effect, kWow);
    char text[64] = "";
    effect->dispatcher(effect, effGetParamDisplay, kWow, 0, text, 0.0f);
    done.set_value();
  }).detach();
  if (finished.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
    std::fprintf(stderr, "deadlock: the plug-in held its lock while calling host opcode %d\n",
                 opcode);
    std::_Exit(3);
  }
}

VstIntPtr ReentrantHost(AEffect* effect, int32_t opcode, int32_t, VstIntPtr, void*, float) {
  AEffect* live = currentEffect.load();
  if (!live || effect != live) return 0;
  ++callbacks;
  if (opcode == audioMasterAutomate) ++automations;
  if (opcode == audioMasterUpdateDisplay) ++displayUpdates;
  if (opcode == audioMasterVersion) return 2400;
  CallFromAnotherThreadAndWait(effect, opcode);
  return 0;
}

TEST(ReentrantHost, BlocksRateChangesAndGesturesRunToTheEnd) {
  // Owned by its effect record from here on, as a host sees it: effClose deletes it.
  auto* plug = new Tovrane(ReentrantHost);
  AEffect* effect = plug->Effect();
  currentEffect = effect;
  auto* graphics = dynamic_cast<IGraphicsHeadless*>(plug->Product().Graphics());
  ASSERT_NE(graphics, nullptr);
  effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
  effect->dispatcher(effect, effSetBlockSize, 0, 256, nullptr, 0.0f);
  effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);

  std::atomic<bool> stop{false};
  std::thread audio([&] {
    std::vector<float> left(256, 0.1f), right(256, -0.1f), outL(256), outR(256);
    float* in[2] = {left.data(), right.data()};
    float* out[2] = {outL.data(), outR.data()};
    // Paced like a host's audio thread, which waits for its device between blocks.
    while (!stop.load()) {
      effect->processReplacing(effect, in, out, 256);
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  });
  std::thread rates([&] {
    const float list[] = {48000.0f, 22050.0f, 96000.0f, 44100.0f};
    for (int i = 0; i < 12; ++i) {
      effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, list[i % 4]);
      effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  });
  for (int gesture = 0; gesture < 30; ++gesture) {
    graphics->MouseDown(60, 140, Left());
    graphics->MouseDrag(60, 130 - gesture % 20, Left());
    graphics->MouseUp(60, 130, Left());
    graphics->MouseWheel(60, 140, Left(), 1);
    graphics->Tick();
  }
  graphics->MouseDown(30, 20, Left());  // undo
  graphics->MouseUp(30, 20, Left());
  rates.join();
  // Let a few blocks run at the last rate, so its display update is sent.
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  stop = true;
  audio.join();

  EXPECT_GE(automations.load(), 30);
  EXPECT_GE(displayUpdates.load(), 1);
  currentEffect = nullptr;
  effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}

}  // namespace
