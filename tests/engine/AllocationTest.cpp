// Blocks must never allocate: this executable counts every allocation made
// while blocks run with parameters, programs and editor commands changing
// between them, with the real editor attached and its readout updated by
// every block.
// The replacement allocator below pairs malloc with free on purpose.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

#include "EngineRunner.h"
#include "editor/IGraphics.h"
#include "editor/ITextControl.h"

namespace {
std::atomic<bool> counting{false};
std::atomic<int> allocations{0};
}  // namespace

void* operator new(std::size_t size) {
  if (counting.load()) allocations.fetch_add(1);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (counting.load()) allocations.fetch_add(1);
  return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
  return operator new(size, tag);
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

TEST(RealTime, NoAllocationWhileBlocksRunAndSettingsMove) {
  EngineRunner runner(44100.0, 256);
  IGraphics* editor = runner.plug->Product().Graphics();
  ASSERT_NE(editor, nullptr);
  const auto signal = TestSignal(256, 44100.0);
  std::vector<float> left(256), right(256), outLeft(256), outRight(256);
  for (int i = 0; i < 256; ++i) {
    left[i] = static_cast<float>(signal[0][i]);
    right[i] = static_cast<float>(signal[1][i]);
  }
  float* in[2] = {left.data(), right.data()};
  float* out[2] = {outLeft.data(), outRight.data()};
  AEffect* effect = runner.plug->Effect();
  effect->processReplacing(effect, in, out, 256);  // the first block may settle things

  counting = true;
  for (int block = 0; block < 400; ++block) {
    effect->setParameter(effect, block % 22, (block % 7) / 7.0f);
    if (block % 50 == 10) effect->dispatcher(effect, effSetProgram, 0, block % 16, nullptr, 0.0f);
    if (block % 40 == 5) runner.plug->Product().EditorCommand(kAB);
    if (block % 30 == 7) runner.plug->Product().EditorCommand(kUndo);
    if (block % 30 == 9) runner.plug->Product().EditorCommand(kRedo);
    if (block % 60 == 3) runner.plug->Product().EditorCommand(kCopy);
    if (block % 20 == 0) runner.plug->Product().RecordSnapshotIfChanged();
    effect->processReplacing(effect, in, out, 256);
    effect->process(effect, in, out, 256);
  }
  counting = false;
  EXPECT_EQ(allocations.load(), 0);

  // A new sample rate is prepared by the host's call that sets it: the first
  // block at that rate allocates nothing either.
  for (float rate : {48000.0f, 22050.0f, 96000.0f}) {
    effect->dispatcher(effect, effMainsChanged, 0, 0, nullptr, 0.0f);
    effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, rate);
    effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
    counting = true;
    effect->processReplacing(effect, in, out, 256);
    counting = false;
  }
  EXPECT_EQ(allocations.load(), 0) << "the first block after a rate change";

  // The editor's own thread picks up what the blocks posted.
  editor->DrainHostHandOff();
  const auto* readout = dynamic_cast<ITextControl*>(editor->GetControl(editor->NControls() - 1));
  ASSERT_NE(readout, nullptr);
  EXPECT_FALSE(readout->Text().empty());
}
