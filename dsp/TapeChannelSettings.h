#pragma once
#include <cstddef>
#include <cstdint>
#include <type_traits>

// Per-block settings of a tape channel. The engine's settings record begins
// with exactly this layout, so the field order and sizes are fixed.
struct TapeChannelSettings {
  int32_t profile = 0;    // 0..2 tone sets; 3 = no saturator and tone filters
  int32_t noiseType = 0;  // 0..3 banks, 4 brown, other = none
  double noiseAmp = 0.0;
  double noiseDynamic = 0.0;
  double harmonics = 0.0;
  double tubeDrive = 0.0;
  double wow = 0.0;
  double scratch = 0.0;
  double lfBoost = 0.0;
  double hfBoost = 0.0;
  double age = 0.0;
  double wide = 0.0;
  double speed = 0.0;
};

static_assert(std::is_standard_layout_v<TapeChannelSettings>);
static_assert(sizeof(TapeChannelSettings) == 96);
static_assert(offsetof(TapeChannelSettings, profile) == 0);
static_assert(offsetof(TapeChannelSettings, noiseType) == 4);
static_assert(offsetof(TapeChannelSettings, noiseAmp) == 8);
static_assert(offsetof(TapeChannelSettings, noiseDynamic) == 16);
static_assert(offsetof(TapeChannelSettings, harmonics) == 24);
static_assert(offsetof(TapeChannelSettings, tubeDrive) == 32);
static_assert(offsetof(TapeChannelSettings, wow) == 40);
static_assert(offsetof(TapeChannelSettings, scratch) == 48);
static_assert(offsetof(TapeChannelSettings, lfBoost) == 56);
static_assert(offsetof(TapeChannelSettings, hfBoost) == 64);
static_assert(offsetof(TapeChannelSettings, age) == 72);
static_assert(offsetof(TapeChannelSettings, wide) == 80);
static_assert(offsetof(TapeChannelSettings, speed) == 88);
