#include <gtest/gtest.h>

#include <vector>

#include "TestPlug.h"

namespace {

// Host-side stereo buffers of n frames.
struct HostBuffers {
  explicit HostBuffers(int frames)
      : in(2, std::vector<float>(frames)), out(2, std::vector<float>(frames)) {
    for (int s = 0; s < frames; ++s) {
      in[0][s] = 0.1f * static_cast<float>(s + 1);
      in[1][s] = -0.3f * static_cast<float>(s + 1);
    }
    inPtr[0] = in[0].data();
    inPtr[1] = in[1].data();
    outPtr[0] = out[0].data();
    outPtr[1] = out[1].data();
  }
  std::vector<std::vector<float>> in, out;
  float* inPtr[2];
  float* outPtr[2];
};

TestPlug* Connected(TestPlug& plug, int blockSize) {
  for (int i = 0; i < plug.NInputs(); ++i) plug.SetInputConnected(i, true);
  for (int i = 0; i < plug.NOutputs(); ++i) plug.SetOutputConnected(i, true);
  plug.PrepareBlockSize(blockSize);
  return &plug;
}

}  // namespace

TEST(ChannelIO, ParsesPairsAndAnswersLegalIO) {
  TestPlug plug;
  ASSERT_EQ(plug.NChannelIOPairs(), 2);
  EXPECT_EQ(plug.ChannelIOAt(0)->inputs, 1);
  EXPECT_EQ(plug.ChannelIOAt(1)->outputs, 2);
  EXPECT_EQ(plug.NInputs(), 2);
  EXPECT_EQ(plug.NOutputs(), 2);
  EXPECT_TRUE(plug.LegalIO(1, -1));
  EXPECT_TRUE(plug.LegalIO(2, 2));
  EXPECT_TRUE(plug.LegalIO(-1, -1));
  EXPECT_FALSE(plug.LegalIO(3, -1));
  EXPECT_FALSE(plug.LegalIO(1, 2));
}

TEST(ChannelIO, UnreadableTokensCountAsEmptyPairs) {
  TestPlug plug(1, "x 0-4 2-1", 1);
  ASSERT_EQ(plug.NChannelIOPairs(), 3);
  EXPECT_EQ(plug.ChannelIOAt(0)->inputs, 0);
  EXPECT_EQ(plug.ChannelIOAt(0)->outputs, 0);
  EXPECT_EQ(plug.NInputs(), 2);
  EXPECT_EQ(plug.NOutputs(), 4);
  EXPECT_TRUE(plug.LegalIO(0, 0));
}

TEST(AudioEntry, FloatBlockReachesEngineExactly) {
  TestPlug plug;
  Connected(plug, 8);
  HostBuffers host(8);
  plug.scale = 1.0;
  plug.ProcessFloatReplacing(host.inPtr, host.outPtr, 8);
  for (int s = 0; s < 8; ++s) {
    EXPECT_EQ(host.out[0][s], host.in[0][s]);
    EXPECT_EQ(host.out[1][s], host.in[1][s]);
  }
}

TEST(AudioEntry, OutputsAreNarrowedEngineResults) {
  TestPlug plug;
  Connected(plug, 4);
  HostBuffers host(4);
  plug.scale = 1.0 / 3.0;
  plug.offset = 1e-9;
  plug.ProcessFloatReplacing(host.inPtr, host.outPtr, 4);
  for (int s = 0; s < 4; ++s) {
    const double expected = static_cast<double>(host.in[1][s]) * (1.0 / 3.0) + 1e-9;
    EXPECT_EQ(host.out[1][s], static_cast<float>(expected));
  }
}

TEST(AudioEntry, AccumulatingAddsReplacingOverwrites) {
  TestPlug plug;
  Connected(plug, 4);
  HostBuffers host(4);
  plug.scale = 2.0;
  for (auto& channel : host.out) std::fill(channel.begin(), channel.end(), 1.0f);
  plug.ProcessFloatAccumulating(host.inPtr, host.outPtr, 4);
  for (int s = 0; s < 4; ++s)
    EXPECT_EQ(host.out[0][s], 1.0f + static_cast<float>(2.0 * host.in[0][s]));
  plug.ProcessFloatReplacing(host.inPtr, host.outPtr, 4);
  for (int s = 0; s < 4; ++s) EXPECT_EQ(host.out[0][s], static_cast<float>(2.0 * host.in[0][s]));
}

TEST(AudioEntry, DoubleEntryUsesHostBuffersDirectly) {
  TestPlug plug;
  Connected(plug, 4);
  std::vector<double> inL{1, 2, 3, 4}, inR{5, 6, 7, 8}, outL(4), outR(4);
  double* in[2] = {inL.data(), inR.data()};
  double* out[2] = {outL.data(), outR.data()};
  plug.scale = 0.5;
  plug.ProcessDoubleReplacing(in, out, 4);
  EXPECT_EQ(outL, (std::vector<double>{0.5, 1, 1.5, 2}));
  EXPECT_EQ(outR, (std::vector<double>{2.5, 3, 3.5, 4}));
}

TEST(AudioEntry, DisconnectedInputReadsZerosAndHostBuffersShift) {
  TestPlug plug;
  plug.SetInputConnected(0, true);
  plug.SetOutputConnected(0, true);
  plug.SetOutputConnected(1, true);
  plug.SetInputConnected(1, false);
  plug.PrepareBlockSize(4);
  HostBuffers host(4);
  plug.ProcessFloatReplacing(host.inPtr, host.outPtr, 4);
  for (int s = 0; s < 4; ++s) {
    EXPECT_EQ(host.out[0][s], host.in[0][s]);
    EXPECT_EQ(host.out[1][s], 0.0f) << "a disconnected input reads zeros";
  }

  // Input 0 disconnected: input 1 takes the first host buffer.
  TestPlug second;
  second.SetInputConnected(0, false);
  second.SetInputConnected(1, true);
  second.SetOutputConnected(0, true);
  second.SetOutputConnected(1, true);
  second.PrepareBlockSize(4);
  HostBuffers host2(4);
  second.ProcessFloatReplacing(host2.inPtr, host2.outPtr, 4);
  for (int s = 0; s < 4; ++s) {
    EXPECT_EQ(host2.out[0][s], 0.0f);
    EXPECT_EQ(host2.out[1][s], host2.in[0][s]);
  }
}

TEST(AudioEntry, DisconnectedInputIsSilentAfterCarryingABlock) {
  TestPlug plug;
  Connected(plug, 4);
  HostBuffers host(4);
  plug.ProcessFloatReplacing(host.inPtr, host.outPtr, 4);
  plug.SetInputConnected(1, false);
  HostBuffers next(4);
  plug.ProcessFloatReplacing(next.inPtr, next.outPtr, 4);
  for (int s = 0; s < 4; ++s) EXPECT_EQ(next.out[1][s], 0.0f) << s;
  for (int s = 0; s < 4; ++s) EXPECT_EQ(next.out[0][s], next.in[0][s]) << s;
}

TEST(AudioEntry, ZeroFramesStillRunsTheBlock) {
  TestPlug plug;
  Connected(plug, 4);
  HostBuffers host(1);
  host.out[0][0] = 7.0f;
  plug.ProcessFloatReplacing(host.inPtr, host.outPtr, 0);
  ASSERT_EQ(plug.blocks, std::vector<int>{0});
  EXPECT_EQ(host.out[0][0], 7.0f);
}

TEST(AudioEntry, OversizedHostBlocksAreServedInPieces) {
  TestPlug plug;
  Connected(plug, 4);
  HostBuffers host(11);
  plug.scale = 1.0;
  plug.ProcessFloatReplacing(host.inPtr, host.outPtr, 11);
  EXPECT_EQ(plug.blocks, (std::vector<int>{4, 4, 3}));
  for (int s = 0; s < 11; ++s) EXPECT_EQ(host.out[1][s], host.in[1][s]) << s;

  plug.blocks.clear();
  std::vector<double> inL(10, 1.0), inR(10, 2.0), outL(10), outR(10);
  double* in[2] = {inL.data(), inR.data()};
  double* out[2] = {outL.data(), outR.data()};
  plug.ProcessDoubleReplacing(in, out, 10);
  EXPECT_EQ(plug.blocks, (std::vector<int>{4, 4, 2}));
  EXPECT_EQ(outR, std::vector<double>(10, 2.0));
}

TEST(AudioEntry, MissingHostBuffersAreSilenceNotACrash) {
  TestPlug plug;
  Connected(plug, 4);
  HostBuffers host(4);
  float* inputs[2] = {nullptr, host.in[1].data()};
  float* outputs[2] = {host.out[0].data(), nullptr};
  plug.ProcessFloatReplacing(inputs, outputs, 4);
  for (int s = 0; s < 4; ++s) EXPECT_EQ(host.out[0][s], 0.0f);
  plug.ProcessFloatReplacing(nullptr, nullptr, 4);
  EXPECT_EQ(plug.blocks.size(), 2u);
}

TEST(AudioEntry, DisconnectedInputStaysSilentWhateverTheBlockSize) {
  TestPlug plug;
  Connected(plug, 4);
  HostBuffers host(4);
  plug.ProcessFloatReplacing(host.inPtr, host.outPtr, 4);
  plug.SetInputConnected(1, false);
  plug.PrepareBlockSize(4);
  EXPECT_EQ(plug.BlockSize(), 4);
  HostBuffers next(4);
  plug.ProcessFloatReplacing(next.inPtr, next.outPtr, 4);
  EXPECT_EQ(next.out[1][3], 0.0f);
  plug.PrepareBlockSize(8);
  HostBuffers after(8);
  plug.ProcessFloatReplacing(after.inPtr, after.outPtr, 8);
  EXPECT_EQ(after.out[1][3], 0.0f);
  EXPECT_EQ(after.out[0][7], after.in[0][7]);
}

TEST(AudioEntry, EditorSetParameterChangesValueAndNotifies) {
  TestPlug plug;
  plug.SetParameterFromEditor(2, 0.25);
  EXPECT_EQ(plug.GetParam(2)->Value(), 25.0);
  EXPECT_EQ(plug.changed, std::vector<int>{2});
  plug.SetParameterFromEditor(99, 0.25);
  EXPECT_EQ(plug.changed.size(), 1u);
  plug.AnnounceAllParams();
  EXPECT_EQ(plug.changed, (std::vector<int>{2, 0, 1, 2, 3}));
}
