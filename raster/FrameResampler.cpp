#include "FrameResampler.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The source pixels one target pixel covers, with their shares of it.
struct Tap {
  int first = 0;
  std::vector<double> weights;
};

// Target pixel i covers source [i/ratio, (i+1)/ratio) of a frame sourceSize
// pixels long; each source pixel weighs the length it shares with that span,
// relative to the span's whole length.
std::vector<Tap> TapsFor(int targetSize, int sourceSize, double ratio) {
  std::vector<Tap> taps(static_cast<std::size_t>(targetSize));
  const double span = 1.0 / ratio;
  for (int i = 0; i < targetSize; ++i) {
    const double from = i * span;
    const double to = from + span;
    Tap& tap = taps[static_cast<std::size_t>(i)];
    tap.first = std::min(static_cast<int>(std::floor(from)), sourceSize);
    const int end = std::min(static_cast<int>(std::ceil(to)), sourceSize);
    for (int j = tap.first; j < end; ++j) {
      const double shared = std::min(to, j + 1.0) - std::max(from, static_cast<double>(j));
      tap.weights.push_back(shared > 0 ? shared / span : 0.0);
    }
  }
  return taps;
}

// Four channels with colour weighted by alpha: alpha, red·alpha, green·alpha, blue·alpha.
struct Weighted {
  double a = 0, r = 0, g = 0, b = 0;
};

Weighted FromPixel(LICE_pixel p) {
  const double a = LICE_GetA(p);
  return Weighted{a, LICE_GetR(p) * a, LICE_GetG(p) * a, LICE_GetB(p) * a};
}

void AddWeighted(Weighted& sum, double w, const Weighted& p) {
  sum.a += w * p.a;
  sum.r += w * p.r;
  sum.g += w * p.g;
  sum.b += w * p.b;
}

int ToByte(double v) { return static_cast<int>(std::clamp(std::floor(v + 0.5), 0.0, 255.0)); }

LICE_pixel ToPixel(const Weighted& w) {
  if (w.a <= 0) return 0;
  return LICE_RGBA(ToByte(w.r / w.a), ToByte(w.g / w.a), ToByte(w.b / w.a), ToByte(w.a));
}

struct FrameGeometry {
  int sourceWidth;
  int sourceHeight;
  int targetWidth;
  int targetHeight;
};

// One frame: rows first into a weighted scratch, then columns into target.
void ResampleFrame(const LICE_pixel* source, int sourceSpan, LICE_pixel* target, int targetSpan,
                   const FrameGeometry& g, const std::vector<Tap>& across,
                   const std::vector<Tap>& down, std::vector<Weighted>& scratch) {
  scratch.assign(static_cast<std::size_t>(g.targetWidth) * g.sourceHeight, Weighted{});
  for (int y = 0; y < g.sourceHeight; ++y) {
    const LICE_pixel* row = source + static_cast<std::ptrdiff_t>(y) * sourceSpan;
    for (int x = 0; x < g.targetWidth; ++x) {
      const Tap& tap = across[static_cast<std::size_t>(x)];
      Weighted sum;
      for (std::size_t k = 0; k < tap.weights.size(); ++k) {
        AddWeighted(sum, tap.weights[k], FromPixel(row[tap.first + static_cast<int>(k)]));
      }
      scratch[static_cast<std::size_t>(y) * g.targetWidth + x] = sum;
    }
  }
  for (int y = 0; y < g.targetHeight; ++y) {
    const Tap& tap = down[static_cast<std::size_t>(y)];
    LICE_pixel* out = target + static_cast<std::ptrdiff_t>(y) * targetSpan;
    for (int x = 0; x < g.targetWidth; ++x) {
      Weighted sum;
      for (std::size_t k = 0; k < tap.weights.size(); ++k) {
        const auto row = static_cast<std::size_t>(tap.first + static_cast<int>(k));
        AddWeighted(sum, tap.weights[k], scratch[row * g.targetWidth + x]);
      }
      out[x] = ToPixel(sum);
    }
  }
}

}  // namespace

std::unique_ptr<LICE_MemBitmap> ResampleFrames(LICE_IBitmap& source,
                                               const FrameResampleRequest& request) {
  const LICE_pixel* bits = source.Bits();
  const int frames = request.frames;
  if (!bits || frames < 1 || !(request.ratio > 0) || request.frameWidth < 1 ||
      request.frameHeight < 1) {
    return nullptr;
  }
  const bool horizontal = request.framesHorizontal;
  const FrameGeometry g{horizontal ? source.Width() / frames : source.Width(),
                        horizontal ? source.Height() : source.Height() / frames,
                        request.frameWidth, request.frameHeight};
  if (g.sourceWidth < 1 || g.sourceHeight < 1) return nullptr;
  auto target = std::make_unique<LICE_MemBitmap>(horizontal ? g.targetWidth * frames : g.targetWidth,
                                                 horizontal ? g.targetHeight : g.targetHeight * frames);
  LICE_pixel* out = target->Bits();
  if (!out) return nullptr;
  const std::vector<Tap> across = TapsFor(g.targetWidth, g.sourceWidth, request.ratio);
  const std::vector<Tap> down = TapsFor(g.targetHeight, g.sourceHeight, request.ratio);
  std::vector<Weighted> scratch;
  const int sourceSpan = source.RowSpan();
  const int targetSpan = target->RowSpan();
  for (int f = 0; f < frames; ++f) {
    const std::ptrdiff_t from = horizontal ? static_cast<std::ptrdiff_t>(f) * g.sourceWidth
                                           : static_cast<std::ptrdiff_t>(f) * g.sourceHeight * sourceSpan;
    const std::ptrdiff_t to = horizontal ? static_cast<std::ptrdiff_t>(f) * g.targetWidth
                                         : static_cast<std::ptrdiff_t>(f) * g.targetHeight * targetSpan;
    ResampleFrame(bits + from, sourceSpan, out + to, targetSpan, g, across, down, scratch);
  }
  return target;
}
