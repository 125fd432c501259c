#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "dsp/Maths.h"
#include "dsp/TransportSines.h"

namespace {

// One channel's transport one sample at a time, as TapeChannel works it out.
struct OneByOne {
  double flutterOmega, wowOmega, readFlutterOmega, time, rate;
  double wow = 0.0, readFlutter = 0.0;
  void Advance() {
    const double flutter = maths::Sin(flutterOmega * time);
    time += (1.0 + static_cast<double>(0.025f) * flutter) / rate;
    const double wobble = maths::Sin(TransportSines::kWobbleOmega * time);
    wow = maths::Sin(wowOmega * (time + TransportSines::kWowOffsetScale * wobble));
    readFlutter = maths::Sin(readFlutterOmega * time);
  }
};

}  // namespace

// Both channels side by side give each channel's own results, bit for bit,
// at different rates and omegas in the two channels, from the start of a
// session and far into one.
TEST(TransportSines, SideBySideEqualsOneByOne) {
  for (double startB : {376.0, 9.5e5}) {
    OneByOne a{0.57, 1.75, 4.33, 0.0, 48000.0};
    OneByOne b{0.61, 1.8, 4.4, startB, 96000.0};
    double timeA = a.time, timeB = b.time;
    constexpr int kFrames = 2600;
    std::vector<double> wowA(kFrames), flutterA(kFrames), wowB(kFrames), flutterB(kFrames);
    for (int start = 0; start < kFrames; start += 100) {
      TransportSines::AdvanceBoth(
          {a.flutterOmega, a.wowOmega, a.readFlutterOmega, &timeA, a.rate, &wowA[start],
           &flutterA[start]},
          {b.flutterOmega, b.wowOmega, b.readFlutterOmega, &timeB, b.rate, &wowB[start],
           &flutterB[start]},
          100);
    }
    for (int i = 0; i < kFrames; ++i) {
      a.Advance();
      b.Advance();
      ASSERT_EQ(wowA[i], a.wow) << i;
      ASSERT_EQ(flutterA[i], a.readFlutter) << i;
      ASSERT_EQ(wowB[i], b.wow) << i;
      ASSERT_EQ(flutterB[i], b.readFlutter) << i;
    }
    EXPECT_EQ(timeA, a.time);
    EXPECT_EQ(timeB, b.time);
  }
}
