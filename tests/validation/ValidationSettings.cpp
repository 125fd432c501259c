#include "ValidationSettings.h"

namespace {

// The only place the two forms differ.
constexpr ValidationSettings kShort{
    .blockSizeSeconds = 0.5,
    .programsPerSmallSize = 1,
    .programsPerLargeSize = 4,
    .sampleRateSeconds = 0.25,
    .sampleRateMaxFrames = 131072,
    .rateChangePrograms = 4,
    .blocksPerRateChange = 8,
    .lifecycleCycles = 60,
    .childTimeoutSeconds = 120.0,
};

constexpr ValidationSettings kLong{
    .blockSizeSeconds = 3.0,
    .programsPerSmallSize = 16,
    .programsPerLargeSize = 16,
    .sampleRateSeconds = 4.0,
    .sampleRateMaxFrames = 0,
    .rateChangePrograms = 16,
    .blocksPerRateChange = 64,
    .lifecycleCycles = 1000,
    .childTimeoutSeconds = 300.0,
};

const ValidationSettings* current = &kShort;

}  // namespace

const ValidationSettings& Settings() { return *current; }

void UseLongSettings() { current = &kLong; }
