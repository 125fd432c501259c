#include <gtest/gtest.h>

#include <vector>

#include "dsp/TransportSines.h"

namespace {

TransportSines Started(double time) {
  TransportSines sines;
  sines.SetOmegas(0.57, 1.75, 4.33);
  sines.Anchor(time);
  return sines;
}

}  // namespace

// Both channels side by side give each channel's own results, bit for bit,
// across anchors (every 1024 steps, at different points in the two
// channels), at a rate where the steps need the full sine, and at a
// different rate in each channel.
TEST(TransportSines, SideBySideEqualsOneByOne) {
  for (auto [rateA, rateB] : {std::pair{48000.0, 48000.0}, {2000.0, 44100.0}}) {
    TransportSines soloA = Started(0.0), soloB = Started(376.0);
    TransportSines pairA = soloA, pairB = soloB;
    double soloTimeA = 0.0, soloTimeB = 376.0, pairTimeA = 0.0, pairTimeB = 376.0;
    // Put channel B's anchors 300 steps away from A's.
    for (int i = 0; i < 300; ++i) {
      soloB.Advance(&soloTimeB, rateB);
      pairB.Advance(&pairTimeB, rateB);
    }
    constexpr int kFrames = 2600;
    std::vector<double> wowA(kFrames), flutterA(kFrames), wowB(kFrames), flutterB(kFrames);
    for (int start = 0; start < kFrames; start += 100) {
      TransportSines::AdvanceBoth({&pairA, &pairTimeA, rateA, &wowA[start], &flutterA[start]},
                                  {&pairB, &pairTimeB, rateB, &wowB[start], &flutterB[start]}, 100);
    }
    for (int i = 0; i < kFrames; ++i) {
      soloA.Advance(&soloTimeA, rateA);
      soloB.Advance(&soloTimeB, rateB);
      ASSERT_EQ(wowA[i], soloA.Wow()) << i;
      ASSERT_EQ(flutterA[i], soloA.ReadFlutter()) << i;
      ASSERT_EQ(wowB[i], soloB.Wow()) << i;
      ASSERT_EQ(flutterB[i], soloB.ReadFlutter()) << i;
    }
    EXPECT_EQ(pairTimeA, soloTimeA);
    EXPECT_EQ(pairTimeB, soloTimeB);
  }
}
