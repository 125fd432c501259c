#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "RenderTestSupport.h"
#include "tools/render/PluginHost.h"
#include "tools/render/ProgressBar.h"
#include "tools/render/Renderer.h"

namespace {

constexpr int kFrames = 3000;

struct Rendered {
  bool ok = false;
  std::string error;
  std::vector<double> samples;  // interleaved, as many channels as outputs
  int64_t dropped = 0;
};

Rendered RenderThroughFake(const AudioData& input, RenderSettings settings) {
  PluginHost host;
  Rendered result;
  if (!host.Load(FAKE_PLUGIN, &result.error)) return result;
  host.Open(input.sampleRate, settings.blockSize);
  host.Resume();
  size_t readPos = 0;
  Renderer renderer(host, settings);
  ProgressBar silent(false, stderr);
  result.ok = renderer.Render(
      input.channels, static_cast<int64_t>(input.Frames()),
      [&](double* frames, int64_t count) {
        const auto n = std::min<int64_t>(count, input.Frames() - readPos);
        std::copy_n(input.samples.begin() + readPos * input.channels, n * input.channels, frames);
        readPos += n;
        return n;
      },
      [&](const double* frames, int64_t count) {
        result.samples.insert(result.samples.end(), frames, frames + count * 2);
        return true;
      },
      silent, &result.error);
  result.dropped = renderer.DroppedFrames();
  return result;
}

class LatencyAlignment : public testing::TestWithParam<std::tuple<int, int, bool>> {};

TEST_P(LatencyAlignment, CompensatedOutputEqualsTheInputSampleForSample) {
  const auto [blockSize, sampleRate, useDouble] = GetParam();
  const AudioData input = TestSignal(2, kFrames, sampleRate);
  RenderSettings settings;
  settings.blockSize = blockSize;
  settings.useDouble = useDouble;
  const Rendered out = RenderThroughFake(input, settings);
  ASSERT_TRUE(out.ok) << out.error;
  // The fake delays by 100 samples at 44.1 kHz and 109 at 48 kHz, and tells
  // the host only during the first block.
  EXPECT_EQ(out.dropped, sampleRate == 48000 ? 109 : 100);
  ASSERT_EQ(out.samples.size(), input.samples.size());
  EXPECT_EQ(out.samples, input.samples);
}

INSTANTIATE_TEST_SUITE_P(BlockSizesAndRates, LatencyAlignment,
                         testing::Combine(testing::Values(1, 7, 99, 512, 4097),
                                          testing::Values(44100, 48000), testing::Bool()));

TEST(RendererTest, WithoutCompensationTheLatencyStaysAtTheStart) {
  const AudioData input = TestSignal(2, kFrames, 44100);
  RenderSettings settings;
  settings.compensateLatency = false;
  settings.blockSize = 64;
  const Rendered out = RenderThroughFake(input, settings);
  ASSERT_TRUE(out.ok) << out.error;
  ASSERT_EQ(out.samples.size(), input.samples.size());
  EXPECT_TRUE(std::all_of(out.samples.begin(), out.samples.begin() + 200,
                          [](double v) { return v == 0.0; }));
  EXPECT_TRUE(std::equal(out.samples.begin() + 200, out.samples.end(), input.samples.begin()));
}

TEST(RendererTest, TailFramesFollowTheAlignedInput) {
  const AudioData input = TestSignal(2, kFrames, 44100);
  RenderSettings settings;
  settings.tailFrames = 250;
  settings.blockSize = 128;
  const Rendered out = RenderThroughFake(input, settings);
  ASSERT_TRUE(out.ok) << out.error;
  ASSERT_EQ(out.samples.size(), input.samples.size() + 2 * 250);
  EXPECT_TRUE(std::equal(input.samples.begin(), input.samples.end(), out.samples.begin()));
  EXPECT_TRUE(std::all_of(out.samples.begin() + input.samples.size(), out.samples.end(),
                          [](double v) { return v == 0.0; }));
}

TEST(RendererTest, MonoInputFeedsBothInputs) {
  const AudioData mono = TestSignal(1, kFrames, 44100);
  const Rendered out = RenderThroughFake(mono, RenderSettings{});
  ASSERT_TRUE(out.ok) << out.error;
  ASSERT_EQ(out.samples.size(), mono.samples.size() * 2);
  for (size_t n = 0; n < mono.samples.size(); ++n) {
    ASSERT_EQ(out.samples[2 * n], mono.samples[n]) << n;
    ASSERT_EQ(out.samples[2 * n + 1], mono.samples[n]) << n;
  }
}

TEST(RendererTest, MoreChannelsThanInputsIsRefused) {
  const Rendered out = RenderThroughFake(TestSignal(3, 100, 44100), RenderSettings{});
  EXPECT_FALSE(out.ok);
  EXPECT_NE(out.error.find("3 channels"), std::string::npos) << out.error;
}

TEST(RendererTest, EmptyInputGivesEmptyOutput) {
  const Rendered out = RenderThroughFake(AudioData{2, 44100, {}}, RenderSettings{});
  ASSERT_TRUE(out.ok) << out.error;
  EXPECT_TRUE(out.samples.empty());
}

}  // namespace
