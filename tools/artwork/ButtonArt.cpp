#include "ButtonArt.h"

#include <cmath>

#include "ArtImage.h"
#include "Painter.h"

namespace {

void DrawLamp(cairo_t* cr, double cx, double cy, bool lit) {
  Painter p(cr);
  p.SoftShadow(cx + 0.8, cy + 1.5, 11.5, 0.55);
  if (lit) p.Glow(cx, cy, 5, 13, ArtStyle::kAmber, 0.45);
  // Turned metal bezel, lit from above.
  cairo_pattern_t* bezel = cairo_pattern_create_linear(cx, cy - 9.5, cx, cy + 9.5);
  cairo_pattern_add_color_stop_rgb(bezel, 0, 0.72, 0.68, 0.61);
  cairo_pattern_add_color_stop_rgb(bezel, 1, 0.20, 0.18, 0.16);
  cairo_set_source(cr, bezel);
  p.Circle(cx, cy, 9.5);
  cairo_fill(cr);
  cairo_pattern_destroy(bezel);
  p.SetColour(ArtStyle::kBakeliteDark);
  p.Circle(cx, cy, 7.6);
  cairo_fill(cr);
  // Lamp glass.
  cairo_pattern_t* glass = cairo_pattern_create_radial(cx - 1.5, cy - 1.5, 0.5, cx, cy, 7);
  if (lit) {
    cairo_pattern_add_color_stop_rgb(glass, 0, 1.0, 0.96, 0.80);
    cairo_pattern_add_color_stop_rgb(glass, 0.35, ArtStyle::kAmberHot.r, ArtStyle::kAmberHot.g,
                                     ArtStyle::kAmberHot.b);
    cairo_pattern_add_color_stop_rgb(glass, 1, 0.86, 0.42, 0.08);
  } else {
    cairo_pattern_add_color_stop_rgb(glass, 0, 0.40, 0.25, 0.13);
    cairo_pattern_add_color_stop_rgb(glass, 1, 0.13, 0.075, 0.04);
  }
  cairo_set_source(cr, glass);
  p.Circle(cx, cy, 6.6);
  cairo_fill(cr);
  cairo_pattern_destroy(glass);
  // Glass reflection.
  p.SetColour(Rgb{1, 1, 1}, lit ? 0.45 : 0.18);
  cairo_save(cr);
  cairo_translate(cr, cx - 2.2, cy - 3.0);
  cairo_scale(cr, 2.6, 1.5);
  p.Circle(0, 0, 1);
  cairo_restore(cr);
  cairo_fill(cr);
}

// Key cap of a momentary button; pressed caps sit lower and darker.
void DrawKey(cairo_t* cr, double x, double y, double w, double h, bool pressed) {
  Painter p(cr);
  p.SetColour(Rgb{0, 0, 0}, 0.55);
  p.RoundedRect(x, y + 1, w, h, 4);
  cairo_fill(cr);
  const double dy = pressed ? 1.0 : 0.0;
  p.SetColour(ArtStyle::kBakeliteDark);
  p.RoundedRect(x, y + dy, w, h - 1, 4);
  cairo_fill(cr);
  if (pressed) {
    p.SetVerticalGradient(y, y + h, Rgb{0.115, 0.088, 0.070}, Rgb{0.205, 0.160, 0.128});
  } else {
    p.SetVerticalGradient(y, y + h, Rgb{0.330, 0.270, 0.225}, Rgb{0.150, 0.118, 0.096});
  }
  p.RoundedRect(x + 1, y + 1 + dy, w - 2, h - 3, 3);
  cairo_fill(cr);
  if (!pressed) {
    cairo_set_line_width(cr, 1.0);
    p.SetColour(Rgb{1, 0.95, 0.85}, 0.16);
    cairo_move_to(cr, x + 3.5, y + 1.5);
    cairo_line_to(cr, x + w - 3.5, y + 1.5);
    cairo_stroke(cr);
  }
}

// Colour of the symbol on a key: ivory at rest, amber while held.
void SetSymbolColour(cairo_t* cr, bool pressed) {
  Painter(cr).SetColour(pressed ? ArtStyle::kAmberHot : ArtStyle::kIvory);
}

void DrawTurnArrow(cairo_t* cr, double cx, double cy, bool clockwise, bool pressed) {
  // An arc over the top, open below, with the head on the side it turns towards.
  const double r = 5.8;
  const double from = clockwise ? 0.9 * M_PI : 0.1 * M_PI;
  const double to = clockwise ? 2.1 * M_PI : -1.1 * M_PI;
  cy += 2.0;
  cairo_set_line_width(cr, 2.0);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetSymbolColour(cr, pressed);
  if (clockwise) {
    cairo_arc(cr, cx, cy, r, from, to);
  } else {
    cairo_arc_negative(cr, cx, cy, r, from, to);
  }
  cairo_stroke(cr);
  const double hx = cx + r * std::cos(to);
  const double hy = cy + r * std::sin(to);
  const double travel = clockwise ? to + M_PI / 2 : to - M_PI / 2;
  const double tx = std::cos(travel), ty = std::sin(travel);
  const double nx = -ty, ny = tx;
  cairo_move_to(cr, hx + tx * 3.8, hy + ty * 3.8);
  cairo_line_to(cr, hx - tx * 1.0 + nx * 3.6, hy - ty * 1.0 + ny * 3.6);
  cairo_line_to(cr, hx - tx * 1.0 - nx * 3.6, hy - ty * 1.0 - ny * 3.6);
  cairo_close_path(cr);
  cairo_fill(cr);
}

void DrawKeyLabel(cairo_t* cr, const char* text, double cx, double baseline, bool pressed) {
  Painter p(cr);
  p.SetFont(ArtStyle::kSansFace, 10, true);
  SetSymbolColour(cr, pressed);
  p.TrackedText(text, cx, baseline, 1.2, 1);
}

void DrawArrowStrip(ArtImage& image, bool clockwise) {
  cairo_t* cr = image.Context();
  const int frame = image.Height() / 2;
  for (int f = 0; f < 2; ++f) {
    const bool pressed = f == 1;
    const double top = f * frame;
    DrawKey(cr, 1, top + 1, image.Width() - 2, frame - 2, pressed);
    DrawTurnArrow(cr, image.Width() / 2.0, top + frame / 2.0 - 1 + (pressed ? 1 : 0), clockwise,
                  pressed);
  }
}

void DrawPowerSymbol(cairo_t* cr, double cx, double cy, double r, bool lit) {
  Painter p(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 2.2);
  p.SetColour(lit ? ArtStyle::kAmberHot : Rgb{0.36, 0.30, 0.25});
  cairo_arc(cr, cx, cy, r, -M_PI / 2 + 0.65, -M_PI / 2 - 0.65 + 2 * M_PI);
  cairo_stroke(cr);
  cairo_move_to(cr, cx, cy - r - 1.5);
  cairo_line_to(cr, cx, cy - 0.5);
  cairo_stroke(cr);
}

void DrawPowerButton(cairo_t* cr, double cx, double cy, bool on) {
  Painter p(cr);
  p.SoftShadow(cx + 1.5, cy + 2.5, 23, 0.6);
  if (on) p.Glow(cx, cy, 14, 24, ArtStyle::kAmber, 0.35);
  cairo_pattern_t* bezel = cairo_pattern_create_linear(cx - 19, cy - 19, cx + 19, cy + 19);
  cairo_pattern_add_color_stop_rgb(bezel, 0, 0.78, 0.74, 0.67);
  cairo_pattern_add_color_stop_rgb(bezel, 1, 0.18, 0.16, 0.14);
  cairo_set_source(cr, bezel);
  p.Circle(cx, cy, 19);
  cairo_fill(cr);
  // Lamp ring between bezel and cap.
  p.SetColour(on ? ArtStyle::kAmber : ArtStyle::kAmberDark);
  p.Circle(cx, cy, 16.5);
  cairo_fill(cr);
  p.SetColour(ArtStyle::kBakeliteDark);
  p.Circle(cx, cy, 15);
  cairo_fill(cr);
  cairo_pattern_t* cap = cairo_pattern_create_linear(cx, cy - 14, cx, cy + 14);
  if (on) {
    cairo_pattern_add_color_stop_rgb(cap, 0, 0.30, 0.245, 0.205);
    cairo_pattern_add_color_stop_rgb(cap, 1, 0.11, 0.085, 0.068);
  } else {
    cairo_pattern_add_color_stop_rgb(cap, 0, 0.12, 0.095, 0.078);
    cairo_pattern_add_color_stop_rgb(cap, 1, 0.22, 0.175, 0.145);
  }
  cairo_set_source(cr, cap);
  p.Circle(cx, cy, 14);
  cairo_fill(cr);
  cairo_pattern_destroy(cap);
  cairo_pattern_destroy(bezel);
  if (on) p.Glow(cx, cy, 2, 11, ArtStyle::kAmber, 0.30);
  DrawPowerSymbol(cr, cx, cy + 0.5, 6.5, on);
}

}  // namespace

void ButtonArt::DrawRadioStrip(ArtImage& image) {
  const int frame = image.Height() / 2;
  for (int f = 0; f < 2; ++f) {
    DrawLamp(image.Context(), image.Width() / 2.0, f * frame + frame / 2.0, f == 1);
  }
}

void ButtonArt::DrawUndoStrip(ArtImage& image) { DrawArrowStrip(image, false); }

void ButtonArt::DrawRedoStrip(ArtImage& image) { DrawArrowStrip(image, true); }

void ButtonArt::DrawCopyStrip(ArtImage& image) {
  cairo_t* cr = image.Context();
  const int frame = image.Height() / 2;
  for (int f = 0; f < 2; ++f) {
    const bool pressed = f == 1;
    const double top = f * frame;
    DrawKey(cr, 1, top + 1, image.Width() - 2, frame - 2, pressed);
    DrawKeyLabel(cr, "COPY", image.Width() / 2.0, top + 16.5 + (pressed ? 1 : 0), pressed);
  }
}

void ButtonArt::DrawAbStrip(ArtImage& image) {
  cairo_t* cr = image.Context();
  const int frame = image.Height() / 2;
  const double half = image.Width() / 2.0;
  for (int f = 0; f < 2; ++f) {
    const double top = f * frame;
    DrawKey(cr, 1, top + 1, half - 1, frame - 2, f == 0);
    DrawKey(cr, half, top + 1, half - 1, frame - 2, f == 1);
    DrawKeyLabel(cr, "A", half / 2.0 + 0.5, top + 16.5 + (f == 0 ? 1 : 0), f == 0);
    DrawKeyLabel(cr, "B", half * 1.5 - 0.5, top + 16.5 + (f == 1 ? 1 : 0), f == 1);
  }
}

void ButtonArt::DrawPowerStrip(ArtImage& image) {
  const int frame = image.Height() / 2;
  // The window ends three pixels above the strip's frame bottom, so the button sits high.
  for (int f = 0; f < 2; ++f) {
    DrawPowerButton(image.Context(), image.Width() / 2.0, f * frame + 29.0, f == 0);
  }
}
