#include "SettingsCases.h"

#include <algorithm>
#include <cstdio>

#include "product/TovraneParams.h"

namespace {

constexpr int kProfileSteps = 3;
constexpr int kNoiseTypeSteps = 4;

// A uniform value in 0..1 with 24 bits, exact as a float. The generator's
// sequence is fixed by the standard, unlike its distributions'.
float Uniform(std::mt19937& random) { return static_cast<float>(random() >> 8) / 16777216.0f; }

float IntegerStep(std::mt19937& random, int steps) {
  return static_cast<float>(random() % (steps + 1)) / static_cast<float>(steps);
}

float RandomValue(std::mt19937& random, int index, bool withQuadMix) {
  switch (index) {
    case kProfile:
      return IntegerStep(random, kProfileSteps);
    case kNoiseType:
      return IntegerStep(random, kNoiseTypeSteps);
    case kQuadMix:
      return withQuadMix ? Uniform(random) : 0.0f;
    default:
      return Uniform(random);
  }
}

}  // namespace

const std::vector<int>& SoundParameters() {
  static const std::vector<int> kParameters = [] {
    std::vector<int> parameters;
    for (int i = 0; i <= kOutputGain; ++i) parameters.push_back(i);
    for (const int i : {kQuadMix, kQuadDelay, kSpeed}) parameters.push_back(i);
    return parameters;
  }();
  return kParameters;
}

std::vector<ParameterChange> RandomSettings(std::mt19937& random, int64_t frame, bool withQuadMix) {
  std::vector<ParameterChange> settings;
  for (const int index : SoundParameters()) {
    settings.push_back({frame, index, RandomValue(random, index, withQuadMix)});
  }
  return settings;
}

std::vector<ParameterChange> RandomAutomation(std::mt19937& random, int64_t frames, int blockFrames,
                                              bool withQuadMix) {
  constexpr int kMinBlocks = 1;
  constexpr int kMaxBlocks = 8;
  constexpr int kMaxParameters = 4;
  const std::vector<int>& parameters = SoundParameters();
  std::vector<ParameterChange> changes;
  int64_t frame = 0;
  for (;;) {
    frame += static_cast<int64_t>(blockFrames) * (kMinBlocks + random() % kMaxBlocks);
    if (frame >= frames) break;
    const int count = 1 + static_cast<int>(random() % kMaxParameters);
    for (int i = 0; i < count; ++i) {
      const int index = parameters[random() % parameters.size()];
      changes.push_back({frame, index, RandomValue(random, index, withQuadMix)});
    }
  }
  return changes;
}

ParameterChange NoiseTypeSetting(int noiseType) {
  return {0, kNoiseType, static_cast<float>(noiseType) / kNoiseTypeSteps};
}

std::string DescribePlan(const ComparisonPlan& plan, const std::vector<std::string>& names) {
  auto name = [&](int index) {
    return index < static_cast<int>(names.size()) ? names[index] : std::to_string(index);
  };
  char text[160];
  std::snprintf(text, sizeof text, "kestravon-render --program %d --sample-rate %.0f", plan.program,
                plan.sampleRate);
  std::string command = text;
  std::string during;
  for (const ParameterChange& change : plan.changes) {
    std::snprintf(text, sizeof text, " --set \"%s=n:%.9g\"", name(change.index).c_str(),
                  change.value);
    if (change.frame == 0) {
      command += text;
    } else {
      during += "\n  at frame " + std::to_string(change.frame) + ":" + text;
    }
  }
  if (!during.empty()) command += "\nthen, during the render:" + during;
  return command;
}
