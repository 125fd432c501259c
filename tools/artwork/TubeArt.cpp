#include "TubeArt.h"

#include <cmath>

#include "ArtImage.h"
#include "Painter.h"

namespace {

constexpr Rgb kWarmWhite{1.0, 0.93, 0.80};
constexpr Rgb kOrange{1.0, 0.50, 0.12};

void TubeOutline(Painter& p, double cx, double top, double width, double height) {
  const double r = width / 2;
  p.RoundedRect(cx - r, top, width, height, r);
}

void DrawLargeTube(cairo_t* cr, double cx, double top, double size, double level) {
  Painter p(cr);
  const double width = size * 0.40, height = size * 0.78;
  const double bodyTop = top + size * 0.06;
  // Base socket.
  p.SetVerticalGradient(top + size * 0.80, top + size * 0.95, Rgb{0.20, 0.16, 0.13},
                        ArtStyle::kBakeliteDark);
  p.RoundedRect(cx - width * 0.62, top + size * 0.80, width * 1.24, size * 0.14, 4);
  cairo_fill(cr);
  if (level > 0) p.Glow(cx, bodyTop + height * 0.55, 4, size * 0.48, kWarmWhite, 0.45 * level);
  // Dark interior seen through the glass.
  p.SetColour(Rgb{0.06, 0.05, 0.05}, 0.85);
  TubeOutline(p, cx, bodyTop, width, height);
  cairo_fill(cr);
  // Anode plate.
  p.SetVerticalGradient(bodyTop + height * 0.3, bodyTop + height * 0.8, Rgb{0.35, 0.34, 0.33},
                        Rgb{0.15, 0.14, 0.14});
  cairo_rectangle(cr, cx - width * 0.28, bodyTop + height * 0.32, width * 0.56, height * 0.45);
  cairo_fill(cr);
  // Filament: a thin line whose colour runs from dull red to warm white.
  if (level > 0) {
    p.Glow(cx, bodyTop + height * 0.55, 1, width * 0.45, kWarmWhite, 0.9 * level);
    cairo_set_line_width(cr, 1.5);
    cairo_set_source_rgba(cr, 1.0, 0.55 + 0.4 * level, 0.25 + 0.55 * level, 0.35 + 0.65 * level);
    cairo_move_to(cr, cx, bodyTop + height * 0.35);
    cairo_line_to(cr, cx, bodyTop + height * 0.75);
    cairo_stroke(cr);
  }
  // Glass highlight.
  cairo_pattern_t* g = cairo_pattern_create_linear(cx - width / 2, 0, cx + width / 2, 0);
  cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 1, 0.05);
  cairo_pattern_add_color_stop_rgba(g, 0.22, 1, 1, 1, 0.35);
  cairo_pattern_add_color_stop_rgba(g, 0.4, 1, 1, 1, 0.04);
  cairo_pattern_add_color_stop_rgba(g, 1, 1, 1, 1, 0.12);
  cairo_set_source(cr, g);
  TubeOutline(p, cx, bodyTop, width, height);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  cairo_set_line_width(cr, 1.0);
  p.SetColour(Rgb{0.8, 0.8, 0.8}, 0.35);
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
