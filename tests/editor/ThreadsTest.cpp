#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "EditorTestSupport.h"
#include "editor/IGraphicsHeadless.h"
#include "editor/ITextControl.h"
#include "vst2/Tovrane.h"

namespace {

// Host automation, audio blocks and the editor's timer with mouse gestures,
// all at once: the editor thread ends up showing what the host set last.
TEST(EditorThreads, HostAudioAndEditorThreadsRunTogether) {
  auto plug = std::make_unique<Tovrane>();
  auto* graphics = dynamic_cast<IGraphicsHeadless*>(plug->Product().Graphics());
  ASSERT_NE(graphics, nullptr);
  AEffect* effect = plug->Effect();
  effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, 44100.0f);
  effect->dispatcher(effect, effSetBlockSize, 0, 128, nullptr, 0.0f);
  effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);

  std::atomic<bool> stop{false};
  std::thread host([&] {
    for (int i = 0; i < 400; ++i) {
      effect->setParameter(effect, kWow, static_cast<float>(i % 100) / 100.0f);
      effect->setParameter(effect, kProfile, (i / 20) % 2 ? 1.0f : 0.0f);
    }
    effect->setParameter(effect, kWow, 0.25f);
    effect->setParameter(effect, kProfile, 0.0f);
  });
  std::thread audio([&] {
    std::vector<float> left(128, 0.1f), right(128, -0.1f);
    float* in[2] = {left.data(), right.data()};
    float* out[2] = {left.data(), right.data()};
    // At least a few blocks run after the host's last change, however the
    // threads are scheduled, so the readout has something to show.
    for (int after = 0; after < 4;) {
      const bool stopping = stop.load();
      effect->processReplacing(effect, in, out, 128);
      if (stopping) ++after;
    }
  });
  for (int tick = 0; tick < 60; ++tick) {
    graphics->Tick();
    graphics->MouseDown(60, 140, Left());
    graphics->MouseDrag(60, 130 - tick % 20, Left());
    graphics->MouseUp(60, 130, Left());
  }
  host.join();
  stop = true;
  audio.join();

  graphics->Tick();
  EXPECT_EQ(graphics->GetControl(13)->Value(), static_cast<double>(0.25f));
  EXPECT_FALSE(graphics->GetControl(17)->IsGreyed());
  EXPECT_FALSE(dynamic_cast<ITextControl*>(graphics->GetControl(24))->Text().empty());
}

}  // namespace
