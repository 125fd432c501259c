// The audio thread never allocates, its first block included: this program
// loads the built plug-in library as a host does and counts every call to
// the C library's allocator made on a thread while it is inside a processing
// call. The library's own first touches of per-thread state on a new thread
// (which the dynamic loader serves from the heap for a loaded library's
// general thread-local storage) count as well.
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <thread>
#include <vector>

#include "AllocationCounter.h"
#include "SharedLibrary.h"
#include "vst2/VstAbi.h"

namespace {

// A host that answers without allocating: only the version is asked for.
VstIntPtr QuietHost(AEffect*, int32_t opcode, int32_t, VstIntPtr, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

class ModuleAllocation : public ::testing::Test {
 protected:
  void SetUp() override {
    allocation_counter::Reset();
    library = OpenSharedLibrary(KESTRAVON_PLUGIN_PATH);
    ASSERT_NE(library, nullptr) << LastLoadError();
    auto entry = reinterpret_cast<VstPluginMainProc>(FindLibrarySymbol(library, "VSTPluginMain"));
    ASSERT_NE(entry, nullptr);
    effect = entry(QuietHost);
    ASSERT_NE(effect, nullptr);
    Dispatch(effOpen);
    Start(44100.0f);
    for (int i = 0; i < kBlock; ++i) {
      left[i] = 0.3 * std::sin(0.031 * i);
      right[i] = 0.2 * std::sin(0.047 * i);
      leftF[i] = static_cast<float>(left[i]);
      rightF[i] = static_cast<float>(right[i]);
    }
  }
  void TearDown() override {
    if (effect) Dispatch(effClose);
    // The library stays loaded: its thread-local storage is what is tested.
  }

  VstIntPtr Dispatch(int32_t opcode, int32_t index = 0, VstIntPtr value = 0, float opt = 0.0f) {
    return effect->dispatcher(effect, opcode, index, value, nullptr, opt);
  }
  void Start(float rate) {
    Dispatch(effMainsChanged, 0, 0);
    Dispatch(effSetSampleRate, 0, 0, rate);
    Dispatch(effSetBlockSize, 0, kBlock);
    Dispatch(effMainsChanged, 0, 1);
  }

  // One block of each kind, counted, on the calling thread.
  void ProcessBlocks() {
    double* in[2] = {left.data(), right.data()};
    double* out[2] = {outLeft.data(), outRight.data()};
    float* inF[2] = {leftF.data(), rightF.data()};
    float* outF[2] = {outLeftF.data(), outRightF.data()};
    allocation_counter::SetCounting(true);
    effect->processDoubleReplacing(effect, in, out, kBlock);
    effect->processReplacing(effect, inF, outF, kBlock);
    allocation_counter::SetCounting(false);
  }
  // Blocks on a thread of their own, as a host's new audio thread runs them.
  void ProcessOnAFreshThread() {
    std::thread audio([this] { ProcessBlocks(); });
    audio.join();
  }

  static constexpr int kBlock = 256;
  void* library = nullptr;
  AEffect* effect = nullptr;
  std::vector<double> left = std::vector<double>(kBlock), right = std::vector<double>(kBlock);
  std::vector<double> outLeft = std::vector<double>(kBlock),
                      outRight = std::vector<double>(kBlock);
  std::vector<float> leftF = std::vector<float>(kBlock), rightF = std::vector<float>(kBlock);
  std::vector<float> outLeftF = std::vector<float>(kBlock), outRightF = std::vector<float>(kBlock);
};

}  // namespace

TEST_F(ModuleAllocation, FirstBlocksOnFreshThreadsInEveryProgramAllocateNothing) {
  for (int program = 0; program < 16; ++program) {
    Dispatch(effSetProgram, 0, program);
    ProcessOnAFreshThread();
    EXPECT_EQ(allocation_counter::Count(), 0) << "program " << program;
  }
}

TEST_F(ModuleAllocation, ParameterAndProgramChangesBetweenBlocksAllocateNothing) {
  std::thread audio([this] {
    for (int block = 0; block < 300; ++block) {
      effect->setParameter(effect, block % 22, static_cast<float>((block * 7) % 11) / 10.0f);
      if (block % 37 == 5) Dispatch(effSetProgram, 0, block % 16);
      ProcessBlocks();
    }
  });
  audio.join();
  EXPECT_EQ(allocation_counter::Count(), 0);
}

TEST_F(ModuleAllocation, FirstBlocksAtANewRateAllocateNothing) {
  for (float rate : {48000.0f, 22050.0f, 96000.0f, 44100.0f}) {
    Start(rate);
    ProcessOnAFreshThread();
    EXPECT_EQ(allocation_counter::Count(), 0) << rate;
  }
}
