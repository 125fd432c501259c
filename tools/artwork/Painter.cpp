#include "Painter.h"

#include <cmath>

void Painter::SetColour(Rgb c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

void Painter::RoundedRect(double x, double y, double w, double h, double radius) {
  const double r = std::fmin(radius, std::fmin(w, h) / 2);
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

void Painter::Circle(double cx, double cy, double radius) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
  cairo_close_path(cr);
}

void Painter::SetVerticalGradient(double y0, double y1, Rgb top, Rgb bottom, double alpha) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
  cairo_pattern_add_color_stop_rgba(p, 0, top.r, top.g, top.b, alpha);
  cairo_pattern_add_color_stop_rgba(p, 1, bottom.r, bottom.g, bottom.b, alpha);
  cairo_set_source(cr, p);
  cairo_pattern_destroy(p);
}

void Painter::SoftShadow(double cx, double cy, double radius, double alpha) {
  cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius);
  cairo_pattern_add_color_stop_rgba(p, 0, 0, 0, 0, alpha);
  cairo_pattern_add_color_stop_rgba(p, 0.7, 0, 0, 0, alpha * 0.6);
  cairo_pattern_add_color_stop_rgba(p, 1, 0, 0, 0, 0);
  cairo_set_source(cr, p);
  Circle(cx, cy, radius);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void Painter::Glow(double cx, double cy, double inner, double outer, Rgb c, double alpha) {
  cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, inner, cx, cy, outer);
  cairo_pattern_add_color_stop_rgba(p, 0, c.r, c.g, c.b, alpha);
  cairo_pattern_add_color_stop_rgba(p, 0.45, c.r, c.g, c.b, alpha * 0.35);
  cairo_pattern_add_color_stop_rgba(p, 1, c.r, c.g, c.b, 0);
  cairo_set_source(cr, p);
  Circle(cx, cy, outer);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void Painter::SetFont(const char* face, double size, bool bold, bool italic) {
  cairo_select_font_face(cr, face, italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                         bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, size);
  // Unhinted advances keep the letter spacing even at small sizes.
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

namespace {

// Copies the UTF-8 character starting at text into out; returns its byte length.
int NextCharacter(const char* text, char out[5]) {
  int length = 1;
  while (length < 4 && (static_cast<unsigned char>(text[length]) & 0xc0) == 0x80) ++length;
  for (int i = 0; i < length; ++i) out[i] = text[i];
  out[length] = 0;
  return length;
}

}  // namespace

double Painter::Advance(const char* character, double tracking) {
  cairo_text_extents_t e;
  cairo_text_extents(cr, character, &e);
  // Spread lettering needs wider word gaps, or the words run together.
  return character[0] == ' ' ? e.x_advance + 1.5 * tracking : e.x_advance;
}

double Painter::TrackedWidth(const char* text, double tracking) {
  if (tracking == 0) {
    cairo_text_extents_t e;
    cairo_text_extents(cr, text, &e);
    return e.x_advance;
  }
  double width = 0;
  int letters = 0;
  char one[5];
  for (const char* p = text; *p; ++letters) {
    p += NextCharacter(p, one);
    width += Advance(one, tracking);
  }
  return letters > 1 ? width + tracking * (letters - 1) : width;
}

void Painter::TrackedText(const char* text, double x, double y, double tracking, int align) {
  double pen = x;
  if (align == 1) pen -= TrackedWidth(text, tracking) / 2;
  if (align == 2) pen -= TrackedWidth(text, tracking);
  if (tracking == 0) {
    // Whole runs keep the font's kerning.
    cairo_move_to(cr, pen, y);
    cairo_show_text(cr, text);
    return;
  }
  char one[5];
  for (const char* p = text; *p;) {
    p += NextCharacter(p, one);
    cairo_move_to(cr, pen, y);
    cairo_show_text(cr, one);
    pen += Advance(one, tracking) + tracking;
  }
}

void Painter::PrintedText(const char* text, double x, double y, double tracking, int align, Rgb c) {
  cairo_set_source_rgba(cr, 0, 0, 0, 0.55);
  TrackedText(text, x, y + 1, tracking, align);
  SetColour(c);
  TrackedText(text, x, y, tracking, align);
}
