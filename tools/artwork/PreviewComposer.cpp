#include "PreviewComposer.h"

#include <algorithm>
#include <cmath>

#include "ArtworkSet.h"
#include "EditorGeometry.h"

namespace {

using namespace EditorGeometry;

// Copies the frame-sized region at (srcX, srcY) of a strip to (x, y), blended.
void Place(cairo_t* cr, const ArtImage& strip, int frameHeight, int x, int y, int srcY) {
  cairo_save(cr);
  cairo_set_source_surface(cr, strip.Surface(), x, y - srcY);
  cairo_rectangle(cr, x, y, strip.Width(), frameHeight);
  cairo_fill(cr);
  cairo_restore(cr);
}

// Frame (0-based) a multi-frame control shows for a value, as the controls pick it.
int FrameFor(double value, int frames) {
  const int frame = static_cast<int>((frames - 1) * value + 0.5);
  return std::clamp(frame, 0, frames - 1);
}

void PlaceStrip(cairo_t* cr, const ArtImage& strip, int frames, int x, int y, double value) {
  const int frameHeight = strip.Height() / frames;
  const int srcY = static_cast<int>(
      std::trunc(static_cast<double>(strip.Height()) * FrameFor(value, frames) / frames + 0.5));
  Place(cr, strip, frameHeight, x, y, srcY);
}

void PlaceRadio(cairo_t* cr, const ArtImage& strip, const RadioPlace& r) {
  const int h = strip.Height() / 2;
  for (int i = 0; i < r.count; ++i) {
    Place(cr, strip, h, r.left, RadioButtonTop(r, i), i == r.defaultIndex ? h : 0);
  }
}

}  // namespace

void PreviewComposer::Compose(const ArtworkSet& set, ArtImage& target) {
  cairo_t* cr = target.Context();
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, set.Image(103).Surface(), 0, 0);
  cairo_paint(cr);
  cairo_restore(cr);
  // Same order as the editor's control list, which is its drawing order.
  PlaceStrip(cr, set.Image(120), 2, kUndo.x, kUndo.y, 0);
  PlaceStrip(cr, set.Image(121), 2, kRedo.x, kRedo.y, 0);
  PlaceStrip(cr, set.Image(123), 2, kCopy.x, kCopy.y, 0);
  PlaceStrip(cr, set.Image(122), 2, kAb.x, kAb.y, 0);
  PlaceRadio(cr, set.Image(105), kNoiseType);
  PlaceRadio(cr, set.Image(105), kProfile);
  for (const KnobPlace& k : kKnobs) {
    PlaceStrip(cr, set.Image(101), kKnobFrames, k.x, k.y, k.defaultValue);
  }
  PlaceStrip(cr, set.Image(108), 2, kPower.x, kPower.y, 0);
}
