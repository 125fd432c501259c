#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>

#include "dsp/Biquad.h"
#include "dsp/Maths.h"

namespace {

// Magnitude of the transfer function at a frequency given as a fraction of fs.
double Magnitude(const Biquad& f, double frequency) {
  const std::complex<double> z1 = std::polar(1.0, -2.0 * std::numbers::pi * frequency);
  const std::complex<double> z2 = z1 * z1;
  return std::abs((f.b0 + f.b1 * z1 + f.b2 * z2) / (1.0 + f.a1 * z1 + f.a2 * z2));
}

template <class Maths>
Biquad Design(BiquadType type, double fc, double q, double gainDb) {
  Biquad f;
  f.type = type;
  f.fc = fc;
  f.q = q;
  f.gainDb = gainDb;
  f.CalcCoefficients<Maths>();
  return f;
}

// Every design property holds for both maths policies.
template <class Maths>
class BiquadDesign : public ::testing::Test {};
using MathsPolicies = ::testing::Types<ProductMaths, LiteralMaths>;
TYPED_TEST_SUITE(BiquadDesign, MathsPolicies);

double DbToGain(double db) { return std::pow(10.0, db / 20.0); }

// Steady-state amplitude of a sine run through the filter's own Process step.
double MeasuredGain(Biquad f, double frequency) {
  const double w = 2.0 * std::numbers::pi * frequency;
  double peak = 0.0;
  for (int n = 0; n < 40000; ++n) {
    const double y = f.Process(std::sin(w * n));
    if (n > 30000) peak = std::max(peak, std::fabs(y));
  }
  return peak;
}

}  // namespace

TEST(Biquad, DefaultObjectPassesItsInputUnchanged) {
  Biquad f;
  for (double x : {0.5, -1.25, 3.0, 1e-9, 0.0}) EXPECT_EQ(f.Process(x), x);
}

TYPED_TEST(BiquadDesign, LowpassHasUnityGainAtDcAndNullAtNyquist) {
  Biquad f = Design<TypeParam>(BiquadType::Lowpass, 8000.0 / 44100.0, 0.707, 0.0);
  EXPECT_NEAR(Magnitude(f, 0.0), 1.0, 1e-12);
  EXPECT_NEAR(Magnitude(f, 0.5), 0.0, 1e-12);
  EXPECT_NEAR(Magnitude(f, 8000.0 / 44100.0), 0.707, 1e-3);
  double y = 0.0;
  for (int i = 0; i < 2000; ++i) y = f.Process(1.0);
  EXPECT_NEAR(y, 1.0, 1e-9);
}

TYPED_TEST(BiquadDesign, HighpassBlocksDc) {
  Biquad f = Design<TypeParam>(BiquadType::Highpass, 10.0 / 44100.0, 0.707, 0.0);
  EXPECT_EQ(f.b0 + f.b1 + f.b2, 0.0);
  EXPECT_NEAR(Magnitude(f, 0.5), 1.0, 1e-12);
  double y = 1.0;
  for (int i = 0; i < 100000; ++i) y = f.Process(1.0);
  EXPECT_NEAR(y, 0.0, 1e-6);
}

TYPED_TEST(BiquadDesign, BandpassPeaksAtUnityAndNotchNullsAtTheCentre) {
  const double fc = 1000.0 / 44100.0;
  const Biquad band = Design<TypeParam>(BiquadType::Bandpass, fc, 2.0, 0.0);
  EXPECT_NEAR(Magnitude(band, fc), 1.0, 1e-12);
  EXPECT_NEAR(Magnitude(band, 0.0), 0.0, 1e-12);
  EXPECT_LT(Magnitude(band, fc * 4.0), 0.2);
  const Biquad notch = Design<TypeParam>(BiquadType::Notch, fc, 2.0, 0.0);
  EXPECT_NEAR(Magnitude(notch, fc), 0.0, 1e-12);
  EXPECT_NEAR(Magnitude(notch, 0.0), 1.0, 1e-12);
  EXPECT_NEAR(Magnitude(notch, 0.5), 1.0, 1e-12);
}

TYPED_TEST(BiquadDesign, AllpassHasUnitMagnitudeEverywhere) {
  const Biquad f = Design<TypeParam>(BiquadType::Allpass, 1300.0 / 44100.0, 2.0, 0.0);
  EXPECT_EQ(f.b2, 1.0);
  EXPECT_EQ(f.a2, f.b0);
  EXPECT_EQ(f.a1, f.b1);
  for (double frequency = 0.0; frequency <= 0.5; frequency += 0.01)
    EXPECT_NEAR(Magnitude(f, frequency), 1.0, 1e-12) << frequency;
  EXPECT_NEAR(MeasuredGain(f, 0.013), 1.0, 1e-3);
}

TYPED_TEST(BiquadDesign, PeakAtZeroGainIsTheIdentity) {
  Biquad f = Design<TypeParam>(BiquadType::Peak, 1000.0 / 44100.0, 2.0, 0.0);
  for (double frequency = 0.0; frequency <= 0.5; frequency += 0.01)
    EXPECT_NEAR(Magnitude(f, frequency), 1.0, 1e-12);
  for (int i = 0; i < 100; ++i) {
    const double x = std::sin(i * 0.3);
    EXPECT_NEAR(f.Process(x), x, 1e-12);
  }
}

TYPED_TEST(BiquadDesign, PeakBoostAndCutMirrorEachOther) {
  const double fc = 1000.0 / 44100.0;
  const Biquad boost = Design<TypeParam>(BiquadType::Peak, fc, 2.0, 3.0);
  const Biquad cut = Design<TypeParam>(BiquadType::Peak, fc, 2.0, -3.0);
  EXPECT_NEAR(Magnitude(boost, fc), DbToGain(3.0), 1e-12);
  EXPECT_NEAR(Magnitude(cut, fc), DbToGain(-3.0), 1e-12);
  for (double frequency = 0.0; frequency <= 0.5; frequency += 0.01)
    EXPECT_NEAR(Magnitude(boost, frequency) * Magnitude(cut, frequency), 1.0, 1e-12);
  EXPECT_NEAR(Magnitude(boost, 0.0), 1.0, 1e-12);
  EXPECT_NEAR(MeasuredGain(boost, fc), DbToGain(3.0), 1e-3);
}

TYPED_TEST(BiquadDesign, ShelvesSetTheirDcAndNyquistGainsWhateverTheQ) {
  const double fc = 2000.0 / 44100.0;
  for (double db : {6.0, -6.0}) {
    const Biquad low = Design<TypeParam>(BiquadType::LowShelf, fc, 0.707, db);
    const Biquad high = Design<TypeParam>(BiquadType::HighShelf, fc, 0.707, db);
    EXPECT_NEAR(Magnitude(low, 0.0), DbToGain(db), 1e-12);
    EXPECT_NEAR(Magnitude(low, 0.5), 1.0, 1e-12);
    EXPECT_NEAR(Magnitude(high, 0.0), 1.0, 1e-12);
    EXPECT_NEAR(Magnitude(high, 0.5), DbToGain(db), 1e-12);
    for (double q : {0.1, 1.0, 9.0}) {
      const Biquad lowQ = Design<TypeParam>(BiquadType::LowShelf, fc, q, db);
      const Biquad highQ = Design<TypeParam>(BiquadType::HighShelf, fc, q, db);
      for (double frequency = 0.0; frequency <= 0.5; frequency += 0.02) {
        EXPECT_EQ(Magnitude(lowQ, frequency), Magnitude(low, frequency));
        EXPECT_EQ(Magnitude(highQ, frequency), Magnitude(high, frequency));
      }
    }
  }
}

TYPED_TEST(BiquadDesign, UnknownTypeKeepsTheCoefficients) {
  Biquad f = Design<TypeParam>(BiquadType::Lowpass, 0.1, 0.707, 0.0);
  const Biquad before = f;
  f.type = static_cast<BiquadType>(8);
  f.fc = 0.3;
  f.template CalcCoefficients<TypeParam>();
  EXPECT_EQ(f.b0, before.b0);
  EXPECT_EQ(f.b1, before.b1);
  EXPECT_EQ(f.b2, before.b2);
  EXPECT_EQ(f.a1, before.a1);
  EXPECT_EQ(f.a2, before.a2);
}

TYPED_TEST(BiquadDesign, RedesignKeepsTheState) {
  Biquad f = Design<TypeParam>(BiquadType::Lowpass, 0.05, 0.707, 0.0);
  for (int i = 0; i < 10; ++i) f.Process(1.0);
  const double z1 = f.z1, z2 = f.z2;
  ASSERT_NE(z1, 0.0);
  f.fc = 0.2;
  f.template CalcCoefficients<TypeParam>();
  EXPECT_EQ(f.z1, z1);
  EXPECT_EQ(f.z2, z2);
}

TYPED_TEST(BiquadDesign, RoundedStepRoundsInputAndOutputToSinglePrecision) {
  Biquad f;  // identity: any difference from the input comes from rounding
  EXPECT_NE(static_cast<double>(0.1f), 0.1);
  EXPECT_EQ(f.ProcessRounded(0.1), static_cast<double>(0.1f));
  Biquad g = Design<TypeParam>(BiquadType::Lowpass, 0.1, 0.707, 0.0);
  for (int i = 0; i < 50; ++i) {
    const double y = g.ProcessRounded(std::sin(i * 0.7) * 0.3);
    EXPECT_EQ(static_cast<double>(static_cast<float>(y)), y);
  }
}

// The product's designs, from the sine and cosine, stay within a few ulps of
// the designs as written, through the tangent, across the audio band.
TEST(Biquad, ProductDesignsFollowTheDesignsAsWritten) {
  const BiquadType types[] = {BiquadType::Lowpass, BiquadType::Highpass, BiquadType::Bandpass,
                              BiquadType::Notch,   BiquadType::Peak,     BiquadType::LowShelf,
                              BiquadType::HighShelf, BiquadType::Allpass};
  double largest = 0.0;
  for (BiquadType type : types) {
    for (double fc = 1e-4; fc < 0.45; fc *= 1.07) {
      for (double gainDb : {-9.0, 0.0, 6.0}) {
        const Biquad product = Design<ProductMaths>(type, fc, 2.0, gainDb);
        const Biquad literal = Design<LiteralMaths>(type, fc, 2.0, gainDb);
        const double scale = 1.0 + std::fabs(literal.b0) + std::fabs(literal.b1) +
                             std::fabs(literal.b2) + std::fabs(literal.a1) + std::fabs(literal.a2);
        for (double d : {product.b0 - literal.b0, product.b1 - literal.b1, product.b2 - literal.b2,
                         product.a1 - literal.a1, product.a2 - literal.a2}) {
          largest = std::max(largest, std::fabs(d) / scale);
        }
      }
    }
  }
  EXPECT_LT(largest, 1e-14);
}
