#include "KnobArt.h"

#include <cmath>

#include "ArtImage.h"
#include "Painter.h"

namespace {

constexpr double kStartAngle = 0.75 * M_PI;
constexpr double kSweep = 1.5 * M_PI;
constexpr double kArcRadius = 28.0;
constexpr double kBodyRadius = 21.5;
constexpr double kCapRadius = 8.0;
constexpr int kKnurls = 40;

void DrawScale(Painter& p, cairo_t* cr, double cx, double cy, double value) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 3.0);
  p.SetColour(ArtStyle::kBakeliteDark, 0.85);
  cairo_arc(cr, cx, cy, kArcRadius, kStartAngle, kStartAngle + kSweep);
  cairo_stroke(cr);
  if (value <= 0) return;
  const double end = KnobArt::PointerAngle(value);
  cairo_set_line_width(cr, 5.0);
  p.SetColour(ArtStyle::kAmber, 0.22);
  cairo_arc(cr, cx, cy, kArcRadius, kStartAngle, end);
  cairo_stroke(cr);
  cairo_set_line_width(cr, 2.2);
  p.SetColour(ArtStyle::kAmber);
  cairo_arc(cr, cx, cy, kArcRadius, kStartAngle, end);
  cairo_stroke(cr);
}

void DrawBody(Painter& p, cairo_t* cr, double cx, double cy) {
  p.SoftShadow(cx + 1.5, cy + 2.5, kBodyRadius + 4, 0.6);
  cairo_pattern_t* g = cairo_pattern_create_linear(cx - kBodyRadius, cy - kBodyRadius,
                                                   cx + kBodyRadius, cy + kBodyRadius);
  cairo_pattern_add_color_stop_rgb(g, 0, 0.30, 0.245, 0.205);
  cairo_pattern_add_color_stop_rgb(g, 0.5, 0.135, 0.105, 0.085);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.050, 0.036, 0.028);
  cairo_set_source(cr, g);
  p.Circle(cx, cy, kBodyRadius);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  // Light catches the upper-left edge of the skirt.
  cairo_pattern_t* rim = cairo_pattern_create_linear(cx - kBodyRadius, cy - kBodyRadius,
                                                     cx + kBodyRadius, cy + kBodyRadius);
  cairo_pattern_add_color_stop_rgba(rim, 0, 1, 0.92, 0.80, 0.35);
  cairo_pattern_add_color_stop_rgba(rim, 0.5, 1, 0.92, 0.80, 0.04);
  cairo_pattern_add_color_stop_rgba(rim, 1, 0, 0, 0, 0.3);
  cairo_set_source(cr, rim);
  cairo_set_line_width(cr, 1.0);
  p.Circle(cx, cy, kBodyRadius - 0.5);
  cairo_stroke(cr);
  cairo_pattern_destroy(rim);
}

// Grip ridges on the rim turn with the knob.
void DrawKnurls(Painter& p, cairo_t* cr, double cx, double cy, double angle) {
  cairo_set_line_width(cr, 1.0);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  for (int i = 0; i < kKnurls; ++i) {
    const double a = angle + 2 * M_PI * i / kKnurls;
    // Ridges facing the light are brighter.
    const double lit = 0.5 + 0.5 * std::cos(a + 0.75 * M_PI);
    p.SetColour(Rgb{0.42, 0.36, 0.31}, 0.10 + 0.35 * lit);
    cairo_move_to(cr, cx + std::cos(a) * (kBodyRadius - 3.0),
                  cy + std::sin(a) * (kBodyRadius - 3.0));
    cairo_line_to(cr, cx + std::cos(a) * (kBodyRadius - 0.5),
                  cy + std::sin(a) * (kBodyRadius - 0.5));
    cairo_stroke(cr);
  }
}

void DrawFace(Painter& p, cairo_t* cr, double cx, double cy) {
  const double face = kBodyRadius - 3.5;
  cairo_pattern_t* g = cairo_pattern_create_linear(cx, cy - face, cx, cy + face);
  cairo_pattern_add_color_stop_rgb(g, 0, 0.075, 0.058, 0.048);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.215, 0.175, 0.145);
  cairo_set_source(cr, g);
  p.Circle(cx, cy, face);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  // Specular sheen on the upper left of the dished face.
  cairo_pattern_t* s = cairo_pattern_create_radial(cx - 6, cy - 8, 1, cx - 4, cy - 5, face);
  cairo_pattern_add_color_stop_rgba(s, 0, 1, 0.95, 0.85, 0.16);
  cairo_pattern_add_color_stop_rgba(s, 1, 1, 0.95, 0.85, 0);
  cairo_set_source(cr, s);
  p.Circle(cx, cy, face);
  cairo_fill(cr);
  cairo_pattern_destroy(s);
  // Thin bright rim where the face meets the skirt.
  cairo_set_line_width(cr, 1.0);
  cairo_pattern_t* rim = cairo_pattern_create_linear(cx, cy - face, cx, cy + face);
  cairo_pattern_add_color_stop_rgba(rim, 0, 0, 0, 0, 0.6);
  cairo_pattern_add_color_stop_rgba(rim, 1, 0.6, 0.52, 0.45, 0.5);
  cairo_set_source(cr, rim);
  p.Circle(cx, cy, face + 0.5);
  cairo_stroke(cr);
  cairo_pattern_destroy(rim);
}

void DrawPointer(Painter& p, cairo_t* cr, double cx, double cy, double angle) {
  const double c = std::cos(angle), s = std::sin(angle);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 3.4);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
  cairo_move_to(cr, cx + c * 7 + 0.5, cy + s * 7 + 0.8);
  cairo_line_to(cr, cx + c * (kBodyRadius - 2.5) + 0.5, cy + s * (kBodyRadius - 2.5) + 0.8);
  cairo_stroke(cr);
  cairo_set_line_width(cr, 2.2);
  p.SetColour(ArtStyle::kIvory);
  cairo_move_to(cr, cx + c * 7, cy + s * 7);
  cairo_line_to(cr, cx + c * (kBodyRadius - 2.5), cy + s * (kBodyRadius - 2.5));
  cairo_stroke(cr);
}

void DrawCap(Painter& p, cairo_t* cr, double cx, double cy) {
  cairo_pattern_t* g = cairo_pattern_create_linear(cx - kCapRadius, cy - kCapRadius,
                                                   cx + kCapRadius, cy + kCapRadius);
  cairo_pattern_add_color_stop_rgb(g, 0, ArtStyle::kMetalLight.r, ArtStyle::kMetalLight.g,
                                   ArtStyle::kMetalLight.b);
  cairo_pattern_add_color_stop_rgb(g, 1, ArtStyle::kMetalDark.r, ArtStyle::kMetalDark.g,
                                   ArtStyle::kMetalDark.b);
  cairo_set_source(cr, g);
  p.Circle(cx, cy, kCapRadius * 0.55);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
}

}  // namespace

double KnobArt::PointerAngle(double value) { return kStartAngle + kSweep * value; }

void KnobArt::DrawKnob(cairo_t* cr, double cx, double cy, double value) {
  Painter p(cr);
  const double angle = PointerAngle(value);
  DrawScale(p, cr, cx, cy, value);
  DrawBody(p, cr, cx, cy);
  DrawKnurls(p, cr, cx, cy, angle);
  DrawFace(p, cr, cx, cy);
  DrawPointer(p, cr, cx, cy, angle);
  DrawCap(p, cr, cx, cy);
}

void KnobArt::DrawStrip(ArtImage& image, int frames) {
  const int size = image.Width();
  for (int f = 0; f < frames; ++f) {
    const double value = frames > 1 ? static_cast<double>(f) / (frames - 1) : 0.0;
    DrawKnob(image.Context(), size / 2.0, f * size + size / 2.0, value);
  }
}
