// Four threads at once, as a busy host drives a plug-in: audio blocks (with
// rate changes), host automation and program changes, chunks and parameter
// texts, and the editor's idle calls, timer and mouse gestures. Built with
// ThreadSanitizer, any data race fails the run; built without, the test
// still checks that every block stays finite and the plug-in ends consistent.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <thread>
#include <vector>

#include "editor/IGraphicsHeadless.h"
#include "vst2/Tovrane.h"

namespace {

constexpr int kRounds = 300;

MouseMods LeftButton() { return MouseMods{true, false, false, false, false}; }

VstIntPtr QuietHost(AEffect*, int32_t opcode, int32_t, VstIntPtr, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

TEST(ThreadStress, AudioHostChunksAndEditorAtOnce) {
  auto* plug = new Tovrane(QuietHost);  // effClose deletes it
  AEffect* effect = plug->Effect();
  auto* graphics = dynamic_cast<IGraphicsHeadless*>(plug->Product().Graphics());
  ASSERT_NE(graphics, nullptr);
  auto dispatch = [effect](int32_t opcode, int32_t index = 0, VstIntPtr value = 0,
                           void* ptr = nullptr, float opt = 0.0f) {
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
  };
  dispatch(effOpen);
  dispatch(effSetSampleRate, 0, 0, nullptr, 44100.0f);
  dispatch(effSetBlockSize, 0, 256);
  dispatch(effMainsChanged, 0, 1);

  std::atomic<int> running{3};
  std::atomic<int> nonFinite{0};
  std::thread audio([&] {
    // Some blocks are longer than the prepared size, which the plug-in serves in pieces.
    constexpr int kLongest = 300;
    std::vector<float> left(kLongest), right(kLongest), outL(kLongest), outR(kLongest);
    for (int s = 0; s < kLongest; ++s) {
      left[s] = 0.3f * static_cast<float>(std::sin(0.05 * s));
      right[s] = -left[s];
    }
    float* in[2] = {left.data(), right.data()};
    float* out[2] = {outL.data(), outR.data()};
    const float rates[] = {44100.0f, 48000.0f, 22050.0f, 96000.0f};
    for (int block = 0; running.load() > 0 || block < kRounds; ++block) {
      if (block % 50 == 49) dispatch(effSetSampleRate, 0, 0, nullptr, rates[block / 50 % 4]);
      const int frames = block % 7 == 0 ? kLongest : 256;
      effect->processReplacing(effect, in, out, frames);
      for (int s = 0; s < frames; ++s) nonFinite += !std::isfinite(outL[s]) + !std::isfinite(outR[s]);
    }
  });
  std::thread host([&] {
    char text[] = "-12.5";
    for (int i = 0; i < kRounds; ++i) {
      effect->setParameter(effect, i % 26, static_cast<float>(i % 11) / 10.0f);
      effect->getParameter(effect, (i + 3) % 26);
      if (i % 40 == 0) dispatch(effSetProgram, 0, i / 40 % 16);
      if (i % 9 == 0) dispatch(effString2Parameter, i % 26, 0, text);
    }
    --running;
  });
  std::thread chunks([&] {
    char text[64];
    for (int i = 0; i < kRounds; ++i) {
      void* data = nullptr;
      const bool bank = i % 3 == 0;
      const VstIntPtr size = dispatch(effGetChunk, bank ? 0 : 1, 0, &data);
      std::vector<char> copy(static_cast<const char*>(data), static_cast<const char*>(data) + size);
      if (i % 5 == 0) dispatch(effSetChunk, bank ? 0 : 1, size, copy.data());
      dispatch(effGetParamDisplay, i % 26, 0, text);
      dispatch(effGetParamName, i % 26, 0, text);
      dispatch(effGetProgramName, 0, 0, text);
    }
    --running;
  });
  std::thread editor([&] {
    for (int i = 0; i < kRounds; ++i) {
      dispatch(effEditIdle);
      graphics->Tick();
      graphics->MouseDown(60, 140, LeftButton());
      graphics->MouseDrag(60, 130 - i % 20, LeftButton());
      graphics->MouseUp(60, 130, LeftButton());
      graphics->MouseWheel(60, 140, LeftButton(), i % 2 ? 1 : -1);
      if (i % 25 == 0) {
        const int x = i % 75 == 0 ? 30 : (i % 75 == 25 ? 80 : 130);  // undo, redo, A/B
        graphics->MouseDown(x, 20, LeftButton());
        graphics->MouseUp(x, 20, LeftButton());
      }
    }
    --running;
  });
  host.join();
  chunks.join();
  editor.join();
  audio.join();

  EXPECT_EQ(nonFinite.load(), 0);
  for (int i = 0; i < 26; ++i) {
    const float v = effect->getParameter(effect, i);
    EXPECT_TRUE(v >= 0.0f && v <= 1.0f) << i;
  }
  dispatch(effClose);
}

}  // namespace
