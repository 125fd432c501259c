// Effects created and closed over and over, as a host does when it scans
// plug-ins, loads projects and removes tracks. LeakSanitizer checks the
// sanitizer build at exit; the plain build counts the heap itself.
#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "PluginHost.h"
#include "ValidationSettings.h"

#if defined(__SANITIZE_ADDRESS__)
#define KESTRAVON_VALIDATION_OWN_ALLOCATOR 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KESTRAVON_VALIDATION_OWN_ALLOCATOR 1
#endif
#endif

namespace validation {
namespace {

constexpr int kBlock = 512;
constexpr int kBlocksPerCycle = 4;
// Cycles before the heap is measured: anything the library sets up once
// for all its effects is in place by then, and so are the allocator's
// per-thread caches of freed blocks, which count as in use and fill over
// the first dozen effects made and closed.
constexpr int kWarmUpCycles = 16;

// Bytes the heap holds for the program, in every arena and mapping.
size_t HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

::testing::AssertionResult RecordIsSane(const AEffect* effect) {
  if (!effect) return ::testing::AssertionFailure() << "no effect";
  if (effect->magic != kEffectMagic) return ::testing::AssertionFailure() << "bad magic";
  if (!effect->object) return ::testing::AssertionFailure() << "no object";
  if (!effect->dispatcher || !effect->processReplacing || !effect->processDoubleReplacing ||
      !effect->setParameter || !effect->getParameter) {
    return ::testing::AssertionFailure() << "missing entry";
  }
  if (effect->numParams != kNumParams || effect->numPrograms != kNumPrograms) {
    return ::testing::AssertionFailure() << "wrong counts";
  }
  return ::testing::AssertionSuccess();
}

// One use of an effect, and what went wrong in it. Every third one is a
// scan: the host reads the record and closes the effect without opening it.
std::string UseAndClose(AEffect* effect, int cycle, const StereoSignal& signal) {
  std::string faults;
  if (cycle % 3 != 2) {
    static const float kRates[] = {44100.0f, 48000.0f, 96000.0f};
    StartEffect(effect, kRates[cycle % 3], kBlock, cycle % kNumPrograms);
    Render<float> render;
    for (int b = 0; b < kBlocksPerCycle; ++b) {
      ProcessCall(effect, signal, b * kBlock, kBlock, &render);
    }
    faults += render.faults;
    if (FirstNonFinite(render) >= 0) faults += "non-finite output; ";
    void* chunk = nullptr;
    if (Dispatch(effect, effGetChunk, 0, 0, &chunk) <= 0 || !chunk) faults += "no bank chunk; ";
    Dispatch(effect, effMainsChanged, 0, 0);
  }
  if (Dispatch(effect, effClose) != 0) faults += "close answered non-zero; ";
  return faults;
}

TEST(Lifecycle, CreateUseAndCloseRepeatedly) {
  ASSERT_NE(EntryPoint(), nullptr);
  const StereoSignal signal = TestSignal(kBlocksPerCycle * kBlock, kReferenceRate);
  const int cycles = std::max(Settings().lifecycleCycles, kWarmUpCycles + 1);
  // Only the first fault is kept, so that failures do not grow the heap.
  std::string firstFault;
  int faultyCycles = 0;
  [[maybe_unused]] size_t baseline = 0;
  for (int cycle = 0; cycle < cycles; ++cycle) {
    if (cycle == kWarmUpCycles) baseline = HeapInUse();
    AEffect* effect = CreateEffect();
    ASSERT_TRUE(RecordIsSane(effect)) << "cycle " << cycle;
    const std::string faults = UseAndClose(effect, cycle, signal);
    if (!faults.empty() && faultyCycles++ == 0)
      firstFault = "cycle " + std::to_string(cycle) + ": " + faults;
  }
#ifndef KESTRAVON_VALIDATION_OWN_ALLOCATOR
  // A leak of even a few bytes per effect adds up past this over the cycles.
  const double growth = static_cast<double>(HeapInUse()) - static_cast<double>(baseline);
  EXPECT_LE(growth, 1024.0) << "heap grew by " << growth << " bytes over " << cycles - kWarmUpCycles
                            << " cycles";
#endif
  EXPECT_EQ(faultyCycles, 0) << firstFault;
}

// Hosts keep many effects alive at once and close them in any order, often
// on another thread than the one that created them.
TEST(Lifecycle, EffectsSideBySideClosedInAnyOrderOnAnyThread) {
  ASSERT_NE(EntryPoint(), nullptr);
  constexpr int kEffects = 8;
  const StereoSignal signal = TestSignal(kBlocksPerCycle * kBlock, kReferenceRate);
  const int rounds = std::max(1, Settings().lifecycleCycles / 20);
  for (int round = 0; round < rounds; ++round) {
    std::vector<AEffect*> effects;
    std::set<const void*> records, objects;
    for (int i = 0; i < kEffects; ++i) {
      AEffect* effect = CreateEffect();
      ASSERT_TRUE(RecordIsSane(effect));
      effects.push_back(effect);
      records.insert(effect);
      objects.insert(effect->object);
      StartEffect(effect, 44100.0f, kBlock, (i * 5 + round) % kNumPrograms);
    }
    EXPECT_EQ(records.size(), static_cast<size_t>(kEffects)) << "records shared";
    EXPECT_EQ(objects.size(), static_cast<size_t>(kEffects)) << "objects shared";
    // Interleaved blocks: one effect's processing must not disturb another's.
    std::vector<Render<float>> renders(kEffects);
    for (int b = 0; b < kBlocksPerCycle; ++b) {
      for (int i = 0; i < kEffects; ++i) {
        ProcessCall(effects[i], signal, b * kBlock, kBlock, &renders[i]);
      }
    }
    for (const Render<float>& render : renders) {
      EXPECT_EQ(render.faults, "");
      EXPECT_EQ(FirstNonFinite(render), -1);
    }
    // Odd ones closed here, even ones on a thread of their own, newest first.
    for (int i = kEffects - 1; i >= 0; --i) {
      if (i % 2) {
        EXPECT_EQ(Dispatch(effects[i], effClose), 0);
      } else {
        VstIntPtr answer = -1;
        OnFreshThread([&] { answer = Dispatch(effects[i], effClose); });
        EXPECT_EQ(answer, 0);
      }
    }
  }
}

}  // namespace
}  // namespace validation
