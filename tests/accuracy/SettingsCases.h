#pragma once
// Settings for the accuracy comparison beyond the factory programs as
// shipped: a noise type put into a program, random settings of every
// parameter that shapes the sound, and random automation of them during the
// render. Every case is drawn from a seed, so a failure names it fully.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "ModuleComparison.h"

// Every parameter that shapes the sound: all but "Power", the spare slots
// and the editor's buttons.
const std::vector<int>& SoundParameters();

// A normalised value for each sound parameter, uniform over 0..1; integer
// parameters take each of their values alike. "Quad mix" is 0 unless
// `withQuadMix`, so both sides of that switch are covered.
std::vector<ParameterChange> RandomSettings(std::mt19937& random, int64_t frame, bool withQuadMix);

// Every `minBlocks` to `maxBlocks` blocks of `blockFrames`, new values for a
// few sound parameters, as a host plays back automation, until `frames`.
std::vector<ParameterChange> RandomAutomation(std::mt19937& random, int64_t frames, int blockFrames,
                                              bool withQuadMix);

// "Noise type" n as the host sets it.
ParameterChange NoiseTypeSetting(int noiseType);

// The plan as a command line of kestravon-render that applies the same
// program, rate and starting settings through the same plug-in module
// (normalised values, exactly as the comparison set them); changes made
// during the render are listed after it.
std::string DescribePlan(const ComparisonPlan& plan, const std::vector<std::string>& names);
