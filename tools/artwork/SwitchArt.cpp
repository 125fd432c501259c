#include "SwitchArt.h"

#include <cmath>

#include "ArtImage.h"
#include "Painter.h"

namespace {

void DrawTogglePlate(Painter& p, cairo_t* cr, double cx, double cy) {
  p.SetColour(Rgb{0, 0, 0}, 0.5);
  p.RoundedRect(cx - 15, cy - 23, 32, 48, 5);
  cairo_fill(cr);
  p.SetVerticalGradient(cy - 24, cy + 24, ArtStyle::kMetalLight, ArtStyle::kMetalDark);
  p.RoundedRect(cx - 16, cy - 24, 32, 48, 5);
  cairo_fill(cr);
  // Mounting nut.
  p.SetVerticalGradient(cy - 9, cy + 9, Rgb{0.55, 0.52, 0.47}, Rgb{0.16, 0.14, 0.12});
  p.Circle(cx, cy, 9);
  cairo_fill(cr);
  p.SetColour(ArtStyle::kBakeliteDark);
  p.Circle(cx, cy, 5);
  cairo_fill(cr);
}

// position: -1 up, 0 centre, 1 down. The lever is seen from the front, so it
// shortens as it tilts towards the viewer.
void DrawLever(Painter& p, cairo_t* cr, double cx, double cy, int position) {
  const double reach = position == 0 ? 4.0 : 20.0;
  const double tipY = cy + position * reach;
  const double tipR = position == 0 ? 6.5 : 5.0;
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  if (position != 0) {
    cairo_set_line_width(cr, 6.0);
    p.SetColour(Rgb{0, 0, 0}, 0.4);
    cairo_move_to(cr, cx + 1.5, cy + 2);
    cairo_line_to(cr, cx + 1.5, tipY + 2);
    cairo_stroke(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(cx - 3, 0, cx + 3, 0);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.35, 0.33, 0.30);
    cairo_pattern_add_color_stop_rgb(g, 0.4, 0.90, 0.87, 0.82);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.30, 0.28, 0.25);
    cairo_set_source(cr, g);
    cairo_set_line_width(cr, 5.0);
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx, tipY);
    cairo_stroke(cr);
    cairo_pattern_destroy(g);
  }
  cairo_pattern_t* ball = cairo_pattern_create_radial(cx - 1.5, tipY - 1.5, 0.5, cx, tipY, tipR);
  cairo_pattern_add_color_stop_rgb(ball, 0, 1, 0.98, 0.94);
  cairo_pattern_add_color_stop_rgb(ball, 1, 0.38, 0.35, 0.31);
  cairo_set_source(cr, ball);
  p.Circle(cx, tipY, tipR);
  cairo_fill(cr);
  cairo_pattern_destroy(ball);
}

void DrawSlide(Painter& p, cairo_t* cr, double top, double width, double height, bool right) {
  const double cy = top + height / 2;
  p.SetColour(Rgb{0, 0, 0}, 0.6);
  p.RoundedRect(6, cy - 8, width - 12, 16, 4);
  cairo_fill(cr);
  p.SetVerticalGradient(cy - 7, cy + 7, ArtStyle::kBakeliteDark, Rgb{0.16, 0.12, 0.10});
  p.RoundedRect(7, cy - 7, width - 14, 14, 3.5);
  cairo_fill(cr);
  const double slider = 20;
  const double x = right ? width - 7 - slider - 1 : 8;
  p.SetColour(Rgb{0, 0, 0}, 0.5);
  p.RoundedRect(x + 1, cy - 10, slider, 22, 3);
  cairo_fill(cr);
  p.SetVerticalGradient(cy - 11, cy + 11, ArtStyle::kMetalLight, ArtStyle::kMetalDark);
  p.RoundedRect(x, cy - 11, slider, 22, 3);
  cairo_fill(cr);
  cairo_set_line_width(cr, 1.0);
  for (int i = 0; i < 4; ++i) {
    const double gx = x + 5.5 + i * 3;
    p.SetColour(Rgb{0, 0, 0}, 0.45);
    cairo_move_to(cr, gx, cy - 6);
    cairo_line_to(cr, gx, cy + 6);
    cairo_stroke(cr);
  }
  // Indicator dot shows the selected side.
  p.SetColour(right ? ArtStyle::kAmber : ArtStyle::kAmberDark);
  p.Circle(right ? width - 10 : 10, top + 10, 2.5);
  cairo_fill(cr);
}

}  // namespace

void SwitchArt::DrawToggleStrip(ArtImage& image, int frames) {
  cairo_t* cr = image.Context();
  Painter p(cr);
  const double frame = static_cast<double>(image.Height()) / frames;
  for (int f = 0; f < frames; ++f) {
    const double cx = image.Width() / 2.0;
    const double cy = f * frame + frame / 2;
    DrawTogglePlate(p, cr, cx, cy);
    const int position = frames == 1 ? 0 : (f * 2) / (frames - 1) - 1;
    DrawLever(p, cr, cx, cy, position);
  }
}

void SwitchArt::DrawSlideStrip(ArtImage& image) {
  cairo_t* cr = image.Context();
  Painter p(cr);
  const int frame = image.Height() / 2;
  for (int f = 0; f < 2; ++f) DrawSlide(p, cr, f * frame, image.Width(), frame, f == 1);
}
