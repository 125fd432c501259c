#pragma once

#include <cairo.h>

#include "ArtStyle.h"

// Small drawing helpers shared by every image.
class Painter {
 public:
  explicit Painter(cairo_t* cr) : cr(cr) {}

  void SetColour(Rgb c, double alpha = 1.0);
  void RoundedRect(double x, double y, double w, double h, double radius);
  void Circle(double cx, double cy, double radius);
  // Vertical gradient from top to bottom colour over [y0, y1].
  void SetVerticalGradient(double y0, double y1, Rgb top, Rgb bottom, double alpha = 1.0);
  // Radial shadow that fades to nothing at radius.
  void SoftShadow(double cx, double cy, double radius, double alpha);
  // Glow of colour c fading outwards from inner to outer radius.
  void Glow(double cx, double cy, double inner, double outer, Rgb c, double alpha);
  void SetFont(const char* face, double size, bool bold, bool italic = false);
  // Width of text with extra tracking between letters.
  double TrackedWidth(const char* text, double tracking);
  // Draws text with its baseline at y; align 0 left, 1 centre, 2 right of x.
  void TrackedText(const char* text, double x, double y, double tracking, int align);
  // Ivory print with a one-pixel dark shadow below, as silk-screen on a lit panel.
  void PrintedText(const char* text, double x, double y, double tracking, int align, Rgb c);

 private:
  double Advance(const char* character, double tracking);

  cairo_t* cr;
};
