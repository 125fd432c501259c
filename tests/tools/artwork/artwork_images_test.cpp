#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "resources/EditorImages.h"

namespace {

std::string PathOf(const std::string& file) { return std::string(KESTRAVON_IMAGE_DIR) + "/" + file; }

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

uint32_t BigEndian32(const uint8_t* p) {
  return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

// Straight (not premultiplied) RGBA pixels of a whole image.
struct Rgba {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;

  const uint8_t* At(int x, int y) const {
    return &pixels[(static_cast<size_t>(y) * width + x) * 4];
  }
};

Rgba Decode(const std::string& file) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  Rgba out;
  if (!png_image_begin_read_from_file(&image, PathOf(file).c_str())) return out;
  image.format = PNG_FORMAT_RGBA;
  out.pixels.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, out.pixels.data(), 0, nullptr)) {
    png_image_free(&image);
    return Rgba{};
  }
  out.width = static_cast<int>(image.width);
  out.height = static_cast<int>(image.height);
  return out;
}

bool FramesEqual(const Rgba& strip, int frameHeight, int a, int b) {
  const size_t bytes = static_cast<size_t>(frameHeight) * strip.width * 4;
  return std::equal(strip.pixels.begin() + a * bytes, strip.pixels.begin() + (a + 1) * bytes,
                    strip.pixels.begin() + b * bytes);
}

// Angle (cairo convention: radians clockwise from +x) of the knob's ivory pointer,
// from the centroid of its pixels between the cap and the rim.
double PointerAngle(const Rgba& strip, int frame) {
  double sx = 0, sy = 0;
  int count = 0;
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      const uint8_t* p = strip.At(x, frame * 64 + y);
      const double dx = x + 0.5 - 32, dy = y + 0.5 - 32;
      const double r = std::sqrt(dx * dx + dy * dy);
      const bool ivory = p[0] > 200 && p[1] > 180 && p[2] > 150 && p[3] > 200;
      if (ivory && r > 7 && r < 20) {
        sx += dx;
        sy += dy;
        ++count;
      }
    }
  }
  EXPECT_GT(count, 10) << "no pointer found in frame " << frame;
  return std::atan2(sy, sx);
}

// Rows of one frame that hold clearly visible (alpha >= 128) pixels.
void OpaqueRowSpan(const Rgba& strip, int frames, int* first, int* last) {
  const int frameHeight = strip.height / frames;
  *first = frameHeight;
  *last = -1;
  for (int f = 0; f < frames; ++f) {
    for (int y = 0; y < frameHeight; ++y) {
      for (int x = 0; x < strip.width; ++x) {
        if (strip.At(x, f * frameHeight + y)[3] >= 128) {
          *first = std::min(*first, y);
          *last = std::max(*last, y);
        }
      }
    }
  }
}

double MeanBrightness(const Rgba& strip, int frameHeight, int frame) {
  double sum = 0;
  for (int y = 0; y < frameHeight; ++y) {
    for (int x = 0; x < strip.width; ++x) {
      const uint8_t* p = strip.At(x, frame * frameHeight + y);
      sum += (p[0] + p[1] + p[2]) * (p[3] / 255.0);
    }
  }
  return sum / (frameHeight * strip.width);
}

TEST(ArtworkImages, EveryImageOfEverySetIsAn8BitRgbaPngOfItsSize) {
  static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  for (const EditorImage& image : kEditorImages) {
    for (int factor : kImageSetFactors) {
      const std::string file = ImageSetFile(image.file, factor);
      SCOPED_TRACE(file);
      const std::vector<uint8_t> bytes = ReadBytes(PathOf(file));
      ASSERT_GE(bytes.size(), 33u) << "missing or truncated";
      EXPECT_TRUE(std::equal(kSignature, kSignature + 8, bytes.begin()));
      EXPECT_EQ(BigEndian32(&bytes[8]), 13u);
      EXPECT_EQ(std::string(bytes.begin() + 12, bytes.begin() + 16), "IHDR");
      EXPECT_EQ(BigEndian32(&bytes[16]), static_cast<uint32_t>(image.width * factor));
      EXPECT_EQ(BigEndian32(&bytes[20]), static_cast<uint32_t>(image.height * factor));
      EXPECT_EQ(bytes[24], 8) << "bit depth";
      EXPECT_EQ(bytes[25], 6) << "colour type RGBA";
      EXPECT_EQ(bytes[28], 0) << "interlace";
    }
    // Frames are stacked top to bottom and divide the height exactly.
    EXPECT_EQ(image.height % image.frames, 0);
  }
}

TEST(ArtworkImages, EveryImageDecodesAndMultiFrameStripsChangeFromFrameToFrame) {
  for (const EditorImage& image : kEditorImages) {
    SCOPED_TRACE(image.file);
    const Rgba strip = Decode(image.file);
    ASSERT_EQ(strip.width, static_cast<int>(image.width));
    ASSERT_EQ(strip.height, static_cast<int>(image.height));
    const int frameHeight = strip.height / image.frames;
    for (int f = 1; f < image.frames; ++f) {
      EXPECT_FALSE(FramesEqual(strip, frameHeight, f - 1, f)) << "frames " << f - 1 << ", " << f;
    }
  }
}

TEST(ArtworkImages, KnobPointerSweepsClockwiseThroughTheTop) {
  const Rgba knob = Decode("PlainKnob01-64-101ov2.png");
  ASSERT_EQ(knob.height, 6464);
  // Minimum points down-left, the middle straight up, the maximum down-right.
  EXPECT_NEAR(PointerAngle(knob, 0), 0.75 * M_PI, 0.1);
  EXPECT_NEAR(PointerAngle(knob, 50), -0.5 * M_PI, 0.1);
  EXPECT_NEAR(PointerAngle(knob, 100), 0.25 * M_PI, 0.1);
  double previous = PointerAngle(knob, 0);
  for (int f = 1; f <= 100; ++f) {
    double a = PointerAngle(knob, f);
    while (a < previous - M_PI) a += 2 * M_PI;
    EXPECT_GT(a, previous) << "frame " << f;
    previous = a;
  }
}

// Pixels of the knob's amber value arc (outside the knob body) in one frame.
int ValueArcPixels(const Rgba& strip, int frame) {
  int count = 0;
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      const uint8_t* p = strip.At(x, frame * 64 + y);
      const double dx = x + 0.5 - 32, dy = y + 0.5 - 32;
      const bool amber = p[0] > 200 && p[1] > 120 && p[1] < 190 && p[2] < 110 && p[3] > 200;
      if (amber && std::sqrt(dx * dx + dy * dy) > 24) ++count;
    }
  }
  return count;
}

TEST(ArtworkImages, KnobValueArcGrowsWithTheValue) {
  const Rgba knob = Decode("PlainKnob01-64-101ov2.png");
  ASSERT_EQ(knob.height, 6464);
  EXPECT_EQ(ValueArcPixels(knob, 0), 0);
  int previous = 0;
  for (int f = 10; f <= 100; f += 10) {
    const int arc = ValueArcPixels(knob, f);
    EXPECT_GT(arc, previous) << "frame " << f;
    previous = arc;
  }
}

double MeanBrightnessIn(const Rgba& image, int left, int top, int right, int bottom) {
  double sum = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      const uint8_t* p = image.At(x, y);
      sum += (p[0] + p[1] + p[2]) / 3.0;
    }
  }
  return sum / ((right - left) * (bottom - top));
}

TEST(ArtworkImages, ReadoutSitsOnADarkDisplayPanel) {
  // The readout prints green text into (663, 368, 773, 399).
  const Rgba background = Decode("Kestravon38exp.png");
  ASSERT_EQ(background.width, 1000);
  const double display = MeanBrightnessIn(background, 663, 368, 773, 399);
  EXPECT_LT(display, 25.0);
  EXPECT_LT(display * 1.5, MeanBrightnessIn(background, 600, 300, 640, 340));
}

TEST(ArtworkImages, BackgroundIsOpaqueBecauseItIsCopiedNotBlended) {
  const Rgba background = Decode("Kestravon38exp.png");
  ASSERT_EQ(background.width, 1000);
  for (size_t i = 3; i < background.pixels.size(); i += 4) {
    ASSERT_EQ(background.pixels[i], 255) << "pixel " << i / 4;
  }
}

TEST(ArtworkImages, RadioLampFitsBetweenOverlappingNeighbours) {
  // The profile buttons are 34 pixels tall on a 22-pixel step.
  const Rgba radio = Decode("button_standart25.png");
  ASSERT_EQ(radio.height, 68);
  int first = 0, last = 0;
  OpaqueRowSpan(radio, 2, &first, &last);
  ASSERT_LE(first, last);
  EXPECT_LE(last - first + 1, 22);
  EXPECT_GT(MeanBrightness(radio, 34, 1), MeanBrightness(radio, 34, 0)) << "lit frame is second";
}

TEST(ArtworkImages, PowerSwitchShowsLitFirstAndStaysAboveTheWindowEdge) {
  // The switch sits at y 359 in a 420-pixel window: its last three rows are cut off.
  const Rgba power = Decode("Power_switch_01-4.png");
  ASSERT_EQ(power.height, 128);
  int first = 0, last = 0;
  OpaqueRowSpan(power, 2, &first, &last);
  EXPECT_LT(last, 61);
  // Value 0 means the effect is on.
  EXPECT_GT(MeanBrightness(power, 64, 0), MeanBrightness(power, 64, 1));
}

// Premultiplied RGBA (0..255) of an image shrunk by factor: each pixel is the
// mean of a factor x factor block. Averaging premultiplied values is what a
// box filter over the drawn surface gives; straight colour would let the
// colour of nearly clear pixels count as much as that of opaque ones.
std::vector<double> ShrunkPremultiplied(const Rgba& image, int factor) {
  const int width = image.width / factor, height = image.height / factor;
  std::vector<double> out(static_cast<size_t>(width) * height * 4, 0.0);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const uint8_t* p = image.At(x, y);
      double* q = &out[(static_cast<size_t>(y / factor) * width + x / factor) * 4];
      for (int c = 0; c < 3; ++c) q[c] += p[c] * (p[3] / 255.0);
      q[3] += p[3];
    }
  }
  for (double& v : out) v /= factor * factor;
  return out;
}

struct Difference {
  double mean = 0;  // mean absolute difference per channel
  double max = 0;   // largest absolute difference of any channel
};

// Difference between frame a of one premultiplied image and frame b of another,
// both width pixels wide with frames of frameHeight rows.
Difference FrameDifference(const std::vector<double>& one, int a, const std::vector<double>& other,
                           int b, int width, int frameHeight) {
  const size_t frameValues = static_cast<size_t>(width) * frameHeight * 4;
  Difference d;
  for (size_t i = 0; i < frameValues; ++i) {
    const double diff = std::fabs(one[a * frameValues + i] - other[b * frameValues + i]);
    d.mean += diff;
    d.max = std::max(d.max, diff);
  }
  d.mean /= static_cast<double>(frameValues);
  return d;
}

// A larger set is the same drawing as 1x, only finer: shrunk back by its factor
// it matches the 1x image frame by frame. Per channel of premultiplied values
// (0..255), the mean difference of every frame stays under 4 (at most 3.4
// measured, on the small keys with lettering) and the largest under 224. The
// lettering is hinted to each size's own pixel grid, so the top of a capital
// can fill a 1x row that the larger set only half covers: up to 216 measured,
// on the keys' labels and the panel's titles; images without lettering stay
// under 42. A painter that ignores the scale leaves its drawing in the top left
// corner and misses the mean by far. Each frame must also be nearer its own 1x
// frame than the 1x frames either side, which catches a set out of step.
TEST(ArtworkImages, LargerSetsShrunkByTheirFactorMatchThe1xSetFrameByFrame) {
  for (const EditorImage& image : kEditorImages) {
    const Rgba base = Decode(image.file);
    ASSERT_EQ(base.width, image.width) << image.file;
    const std::vector<double> reference = ShrunkPremultiplied(base, 1);
    const int frameHeight = image.height / image.frames;
    for (int factor : kImageSetFactors) {
      if (factor == 1) continue;
      const std::string file = ImageSetFile(image.file, factor);
      SCOPED_TRACE(file);
      const Rgba large = Decode(file);
      ASSERT_EQ(large.width, image.width * factor);
      ASSERT_EQ(large.height, image.height * factor);
      const std::vector<double> shrunk = ShrunkPremultiplied(large, factor);
      for (int f = 0; f < image.frames; ++f) {
        const Difference own = FrameDifference(shrunk, f, reference, f, image.width, frameHeight);
        EXPECT_LT(own.mean, 4.0) << "frame " << f;
        EXPECT_LT(own.max, 224.0) << "frame " << f;
        for (int n : {f - 1, f + 1}) {
          if (n < 0 || n >= image.frames) continue;
          const Difference other =
              FrameDifference(shrunk, f, reference, n, image.width, frameHeight);
          EXPECT_LT(own.mean, other.mean) << "frame " << f << " is nearer 1x frame " << n;
        }
      }
    }
  }
}

}  // namespace
