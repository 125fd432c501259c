#include "TubeArt.h"

#include <cmath>

#include "ArtImage.h"
#include "Painter.h"

namespace {

constexpr Rgb kOrange{1.0, 0.50, 0.12};

void TubeOutline(Painter& p, double cx, double top, double width, double height) {
  const double r = width / 2;
  p.RoundedRect(cx - r, top, width, height, r);
}

void DrawSocket(Painter& p, cairo_t* cr, double cx, double top, double width) {
  p.SetVerticalGradient(top, top + 14, Rgb{0.26, 0.20, 0.16}, ArtStyle::kBakeliteDark);
  p.RoundedRect(cx - width / 2, top, width, 14, 4);
  cairo_fill(cr);
  p.SetColour(Rgb{1, 0.9, 0.75}, 0.15);
  cairo_set_line_width(cr, 1.0);
  cairo_move_to(cr, cx - width / 2 + 4, top + 1.5);
  cairo_line_to(cr, cx + width / 2 - 4, top + 1.5);
  cairo_stroke(cr);
}

// Heater colour from dull red when barely warm to warm white at full glow.
Rgb HeaterColour(double level) {
  return Rgb{1.0, 0.35 + 0.58 * level, 0.10 + 0.70 * level * level};
}

void DrawLargeTube(cairo_t* cr, double cx, double top, double size, double level) {
  Painter p(cr);
  const double width = size * 0.42, height = size * 0.74;
  const double bodyTop = top + size * 0.06;
  const double bodyBottom = bodyTop + height;
  DrawSocket(p, cr, cx, bodyBottom - 6, width * 1.3);
  // Smoked glass envelope.
  p.SetColour(Rgb{0.10, 0.09, 0.085}, 0.55);
  TubeOutline(p, cx, bodyTop, width, height);
  cairo_fill(cr);
  // Silvered getter at the top of the glass.
  p.SetVerticalGradient(bodyTop, bodyTop + width * 0.5, Rgb{0.55, 0.55, 0.56},
                        Rgb{0.12, 0.12, 0.13}, 0.85);
  cairo_save(cr);
  TubeOutline(p, cx, bodyTop, width, height);
  cairo_clip(cr);
  cairo_rectangle(cr, cx - width / 2, bodyTop, width, width * 0.42);
  cairo_fill(cr);
  cairo_restore(cr);
  // Plates either side of the heater, held between two mica discs.
  const double plateTop = bodyTop + height * 0.30, plateH = height * 0.46;
  const double plateW = width * 0.30, gap = width * 0.07;
  for (int side = -1; side <= 1; side += 2) {
    const double x = side < 0 ? cx - gap - plateW : cx + gap;
    p.SetVerticalGradient(plateTop, plateTop + plateH, Rgb{0.38, 0.37, 0.36},
                          Rgb{0.16, 0.155, 0.15});
    cairo_rectangle(cr, x, plateTop, plateW, plateH);
    cairo_fill(cr);
  }
  p.SetColour(Rgb{0.75, 0.72, 0.66}, 0.7);
  for (double y : {plateTop - 3, plateTop + plateH + 1}) {
    cairo_rectangle(cr, cx - width * 0.40, y, width * 0.80, 2);
    cairo_fill(cr);
  }
  if (level > 0) {
    const Rgb heat = HeaterColour(level);
    const double hy = plateTop + plateH / 2;
    p.Glow(cx, hy, 1, size * 0.45, heat, 0.40 * level);
    p.Glow(cx, hy, 0.5, width * 0.35, heat, 0.9 * level);
    cairo_set_line_width(cr, 1.6);
    p.SetColour(heat, 0.3 + 0.7 * level);
    cairo_move_to(cr, cx, plateTop + 2);
    cairo_line_to(cr, cx, plateTop + plateH - 2);
    cairo_stroke(cr);
  }
  // Glass reflections.
  cairo_pattern_t* g = cairo_pattern_create_linear(cx - width / 2, 0, cx + width / 2, 0);
  cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 1, 0.06);
  cairo_pattern_add_color_stop_rgba(g, 0.18, 1, 1, 1, 0.38);
  cairo_pattern_add_color_stop_rgba(g, 0.32, 1, 1, 1, 0.03);
  cairo_pattern_add_color_stop_rgba(g, 0.85, 1, 1, 1, 0.02);
  cairo_pattern_add_color_stop_rgba(g, 1, 1, 1, 1, 0.15);
  cairo_set_source(cr, g);
  TubeOutline(p, cx, bodyTop, width, height);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  cairo_set_line_width(cr, 1.0);
  p.SetColour(Rgb{0.85, 0.85, 0.85}, 0.35);
  TubeOutline(p, cx, bodyTop + 0.5, width - 1, height - 1);
  cairo_stroke(cr);
}

void DrawSmallTube(cairo_t* cr, double cx, double cy, double size, double level) {
  Painter p(cr);
  const double r = size * 0.34;
  p.SoftShadow(cx + 0.5, cy + 1, r + 3, 0.5);
  if (level > 0) p.Glow(cx, cy, r * 0.3, size * 0.5, kOrange, 0.55 * level);
  p.SetColour(Rgb{0.07, 0.055, 0.05});
  p.Circle(cx, cy, r);
  cairo_fill(cr);
  // Glowing getter ring inside the glass.
  cairo_set_line_width(cr, 2.0);
  cairo_set_source_rgba(cr, 0.35 + 0.65 * level, 0.12 + 0.45 * level, 0.04 + 0.10 * level, 1);
  p.Circle(cx, cy, r * 0.55);
  cairo_stroke(cr);
  if (level > 0) p.Glow(cx, cy, 0.5, r * 0.9, kOrange, 0.8 * level);
  p.SetColour(Rgb{1, 1, 1}, 0.3);
  p.Circle(cx - r * 0.35, cy - r * 0.4, r * 0.2);
  cairo_fill(cr);
  cairo_set_line_width(cr, 1.0);
  p.SetColour(Rgb{0.75, 0.72, 0.68}, 0.6);
  p.Circle(cx, cy, r);
  cairo_stroke(cr);
}

double Level(int frame, int frames) {
  return frames > 1 ? static_cast<double>(frame) / (frames - 1) : 1.0;
}

}  // namespace

void TubeArt::DrawWhiteStrip(ArtImage& image, int frames) {
  const int size = image.Width();
  for (int f = 0; f < frames; ++f) {
    DrawLargeTube(image.Context(), size / 2.0, f * size, size, Level(f, frames));
  }
}

void TubeArt::DrawOrangeStrip(ArtImage& image, int frames) {
  const int size = image.Width();
  for (int f = 0; f < frames; ++f) {
    DrawSmallTube(image.Context(), size / 2.0, f * size + size / 2.0, size, Level(f, frames));
  }
}
