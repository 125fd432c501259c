#pragma once
// The seven noise recordings, compiled into the library as constant tables of
// 32-bit float samples at 44.1 kHz. Each table loops: its end joins its start.

inline constexpr int kNoise1Length = 536576;
inline constexpr int kNoise2Length = 535992;
inline constexpr int kVinyl1Length = 594932;
inline constexpr int kVinyl2Length = 427482;

extern "C" {
extern const float noise1Left[kNoise1Length];
extern const float noise1Right[kNoise1Length];
extern const float noise2Left[kNoise2Length];
extern const float noise2Right[kNoise2Length];
extern const float vinyl1Left[kVinyl1Length];
extern const float vinyl1Right[kVinyl1Length];
extern const float vinyl2Mono[kVinyl2Length];
}
