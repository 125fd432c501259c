#include "PanelArt.h"

#include <cairo.h>

#include <cmath>
#include <cstdint>

#include "ArtImage.h"
#include "EditorGeometry.h"
#include "Painter.h"

namespace {

using namespace EditorGeometry;

struct Section {
  double left, top, right, bottom;
  const char* title;
};

constexpr double kBarHeight = 40;

constexpr Section kSections[] = {
    {10, 48, 110, 216, "INPUT"},         {120, 48, 360, 216, "SATURATION"},
    {370, 48, 840, 216, "PROFILE"},      {850, 48, 990, 216, "OUTPUT"},
    {10, 224, 360, 414, "NOISE"},        {370, 224, 630, 356, "TRANSPORT"},
    {640, 224, 990, 356, "QUAD STEREO"}, {370, 364, 990, 414, nullptr},
};

// Our own generator keeps the grain identical on every machine.
class Grain {
 public:
  int Next() {
    state = state * 1103515245u + 12345u;
    return static_cast<int>((state >> 16) & 0x7fff);
  }

 private:
  uint32_t state = 0x4b455354u;
};

uint8_t AddClamped(uint32_t channel, int delta) {
  const int v = static_cast<int>(channel) + delta;
  return static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
}

// Fine grain plus faint horizontal fibres, like a painted steel panel. The
// grain is one surface pixel fine at every scale, so larger sets stay crisp;
// at 1x the sequence, and so the image, is the one the panel always had.
void AddTexture(ArtImage& image) {
  cairo_surface_t* s = image.Surface();
  cairo_surface_flush(s);
  uint8_t* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  Grain grain;
  int fibre = 0;
  for (int y = 0; y < image.PixelHeight(); ++y) {
    if (grain.Next() % 7 == 0) fibre = grain.Next() % 5 - 2;
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < image.PixelWidth(); ++x) {
      const int delta = grain.Next() % 7 - 3 + fibre;
      const uint32_t w = row[x];
      row[x] = (w & 0xff000000u) | AddClamped((w >> 16) & 0xff, delta) << 16 |
               AddClamped((w >> 8) & 0xff, delta) << 8 | AddClamped(w & 0xff, delta);
    }
  }
  cairo_surface_mark_dirty(s);
}

void DrawBase(Painter& p, cairo_t* cr) {
  p.SetVerticalGradient(0, kHeight, ArtStyle::kPanelTop, ArtStyle::kPanelBottom);
  cairo_paint(cr);
  // Darkened corners pull the eye to the middle.
  cairo_pattern_t* v = cairo_pattern_create_radial(kWidth / 2.0, kHeight / 2.0, 200, kWidth / 2.0,
                                                   kHeight / 2.0, 620);
  cairo_pattern_add_color_stop_rgba(v, 0, 0, 0, 0, 0);
  cairo_pattern_add_color_stop_rgba(v, 1, 0, 0, 0, 0.35);
  cairo_set_source(cr, v);
  cairo_paint(cr);
  cairo_pattern_destroy(v);
}

void DrawTopBar(Painter& p, cairo_t* cr) {
  p.SetVerticalGradient(0, kBarHeight, Rgb{0.075, 0.057, 0.046}, ArtStyle::kBarFill);
  cairo_rectangle(cr, 0, 0, kWidth, kBarHeight);
  cairo_fill(cr);
  cairo_set_line_width(cr, 1.0);
  p.SetColour(Rgb{0, 0, 0}, 0.8);
  cairo_move_to(cr, 0, kBarHeight - 0.5);
  cairo_line_to(cr, kWidth, kBarHeight - 0.5);
  cairo_stroke(cr);
  p.SetColour(Rgb{1, 0.9, 0.75}, 0.10);
  cairo_move_to(cr, 0, kBarHeight + 0.5);
  cairo_line_to(cr, kWidth, kBarHeight + 0.5);
  cairo_stroke(cr);
  // Recessed tray behind the history and comparison keys.
  p.SetColour(Rgb{0, 0, 0}, 0.45);
  p.RoundedRect(kUndo.x - 7, 3, kCopy.x + 75 + 7 - (kUndo.x - 7), 34, 6);
  cairo_fill(cr);
  p.SetColour(Rgb{1, 0.9, 0.75}, 0.07);
  cairo_set_line_width(cr, 1.0);
  p.RoundedRect(kUndo.x - 7.5, 2.5, kCopy.x + 75 + 8 - (kUndo.x - 7), 35, 6);
  cairo_stroke(cr);
}

void DrawTitle(Painter& p) {
  p.SetFont(ArtStyle::kSansFace, 18, true);
  p.PrintedText("KESTRAVON", kWidth / 2.0, 27, 7, 1, ArtStyle::kIvory);
}

void DrawScrew(Painter& p, cairo_t* cr, double cx, double cy) {
  p.SetColour(Rgb{0, 0, 0}, 0.5);
  p.Circle(cx + 0.5, cy + 0.8, 2.6);
  cairo_fill(cr);
  p.SetVerticalGradient(cy - 2.5, cy + 2.5, Rgb{0.55, 0.51, 0.45}, Rgb{0.22, 0.20, 0.18});
  p.Circle(cx, cy, 2.5);
  cairo_fill(cr);
  cairo_set_line_width(cr, 0.9);
  p.SetColour(Rgb{0, 0, 0}, 0.6);
  cairo_move_to(cr, cx - 1.8, cy + 1.1);
  cairo_line_to(cr, cx + 1.8, cy - 1.1);
  cairo_stroke(cr);
}

void DrawSectionTitle(Painter& p, cairo_t* cr, const Section& s) {
  const double cx = (s.left + s.right) / 2;
  const double baseline = s.top + 17;
  p.SetFont(ArtStyle::kSansFace, 10.5, true);
  const double w = p.TrackedWidth(s.title, 2.5);
  p.PrintedText(s.title, cx, baseline, 2.5, 1, ArtStyle::kAmber);
  // Engraved rules either side of the title.
  cairo_set_line_width(cr, 1.0);
  const double y = baseline - 4.5;
  const double inner = w / 2 + 8;
  const double outer = 16;
  for (int side = -1; side <= 1; side += 2) {
    const double a = cx + side * inner;
    const double b = side < 0 ? s.left + outer : s.right - outer;
    p.SetColour(Rgb{0, 0, 0}, 0.55);
    cairo_move_to(cr, a, y - 0.5);
    cairo_line_to(cr, b, y - 0.5);
    cairo_stroke(cr);
    p.SetColour(Rgb{1, 0.9, 0.75}, 0.12);
    cairo_move_to(cr, a, y + 0.5);
    cairo_line_to(cr, b, y + 0.5);
    cairo_stroke(cr);
  }
}

void DrawSection(Painter& p, cairo_t* cr, const Section& s) {
  const double w = s.right - s.left, h = s.bottom - s.top;
  p.SetColour(Rgb{0, 0, 0}, 0.45);
  p.RoundedRect(s.left + 1, s.top + 2, w, h, 7);
  cairo_fill(cr);
  p.SetVerticalGradient(s.top, s.bottom, Rgb{0.235, 0.188, 0.150}, Rgb{0.180, 0.142, 0.113}, 0.9);
  p.RoundedRect(s.left, s.top, w, h, 7);
  cairo_fill(cr);
  cairo_set_line_width(cr, 1.0);
  p.SetColour(ArtStyle::kSectionEdge, 0.9);
  p.RoundedRect(s.left + 0.5, s.top + 0.5, w - 1, h - 1, 7);
  cairo_stroke(cr);
  p.SetColour(Rgb{1, 0.9, 0.75}, 0.09);
  cairo_move_to(cr, s.left + 7, s.top + 1.5);
  cairo_line_to(cr, s.right - 7, s.top + 1.5);
  cairo_stroke(cr);
}

void DrawSectionPrint(Painter& p, cairo_t* cr, const Section& s) {
  // The untitled strip holds the power switch hard against its right edge: no screws.
  if (!s.title) return;
  DrawSectionTitle(p, cr, s);
  for (double x : {s.left + 7.0, s.right - 7.0}) {
    for (double y : {s.top + 7.0, s.bottom - 7.0}) DrawScrew(p, cr, x, y);
  }
}

// Eleven scale marks around each knob, in the ring the knob's frame leaves clear.
void DrawKnobScale(Painter& p, cairo_t* cr, double cx, double cy) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  for (int i = 0; i <= 10; ++i) {
    const double a = 0.75 * M_PI + 1.5 * M_PI * i / 10;
    const bool end = i == 0 || i == 10;
    const double inner = 31.0, outer = end ? 35.5 : 33.5;
    cairo_set_line_width(cr, end ? 1.4 : 1.0);
    p.SetColour(ArtStyle::kIvoryDim, end ? 0.8 : 0.5);
    cairo_move_to(cr, cx + std::cos(a) * inner, cy + std::sin(a) * inner);
    cairo_line_to(cr, cx + std::cos(a) * outer, cy + std::sin(a) * outer);
    cairo_stroke(cr);
  }
}

void DrawKnobLabels(Painter& p) {
  p.SetFont(ArtStyle::kSansFace, 9.5, true);
  for (const KnobPlace& k : kKnobs) {
    p.PrintedText(k.label, k.x + kKnobSize / 2.0, k.y + kKnobSize + 9.5, 1.2, 1,
                  ArtStyle::kIvoryDim);
  }
}

void DrawRadioCaptions(Painter& p, const RadioPlace& r) {
  p.SetFont(ArtStyle::kSansFace, 9.5, true);
  for (int i = 0; i < r.count; ++i) {
    const double cy = RadioButtonTop(r, i) + kRadioSize / 2.0;
    p.PrintedText(r.captions[i], r.left + 3.0, cy + 3.5, 1.0, 2, ArtStyle::kIvoryDim);
  }
}

void DrawDisplayWindow(Painter& p, cairo_t* cr) {
  const double l = kReadout.left - 5, t = kReadout.top - 3;
  const double w = kReadout.right - kReadout.left + 10, h = kReadout.bottom - kReadout.top + 6;
  // Bezel: dark above, lit below, so the glass sits in the panel.
  p.SetVerticalGradient(t - 2, t + h + 2, Rgb{0.02, 0.015, 0.01}, Rgb{0.42, 0.36, 0.30});
  p.RoundedRect(l - 2, t - 2, w + 4, h + 4, 5);
  cairo_fill(cr);
  p.SetColour(ArtStyle::kGlassDark);
  p.RoundedRect(l, t, w, h, 4);
  cairo_fill(cr);
  // Faint green cast and an inner shadow along the top of the glass.
  cairo_pattern_t* g = cairo_pattern_create_linear(0, t, 0, t + h);
  cairo_pattern_add_color_stop_rgba(g, 0, 0, 0, 0, 0.6);
  cairo_pattern_add_color_stop_rgba(g, 0.3, 0.05, 0.12, 0.06, 0.25);
  cairo_pattern_add_color_stop_rgba(g, 1, 0.06, 0.14, 0.07, 0.35);
  cairo_set_source(cr, g);
  p.RoundedRect(l, t, w, h, 4);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  // Soft gloss across the upper left of the glass.
  cairo_pattern_t* gloss = cairo_pattern_create_linear(l, t, l + w * 0.6, t + h);
  cairo_pattern_add_color_stop_rgba(gloss, 0, 1, 1, 1, 0.07);
  cairo_pattern_add_color_stop_rgba(gloss, 1, 1, 1, 1, 0);
  cairo_set_source(cr, gloss);
  p.RoundedRect(l + 1, t + 1, w - 2, h - 2, 3);
  cairo_fill(cr);
  cairo_pattern_destroy(gloss);
}

void DrawReel(Painter& p, cairo_t* cr, double cx, double cy, double pack) {
  p.SetColour(Rgb{0.17, 0.105, 0.06});
  p.Circle(cx, cy, pack);
  cairo_fill(cr);
  p.SetColour(Rgb{0.32, 0.20, 0.11}, 0.8);
  cairo_set_line_width(cr, 0.6);
  for (double r = 6.5; r < pack; r += 1.6) {
    p.Circle(cx, cy, r);
    cairo_stroke(cr);
  }
  p.SetVerticalGradient(cy - 6, cy + 6, ArtStyle::kIvory, ArtStyle::kIvoryDim);
  p.Circle(cx, cy, 5.5);
  cairo_fill(cr);
  p.SetColour(ArtStyle::kGlassDark);
  p.Circle(cx, cy, 2.6);
  cairo_fill(cr);
  for (int i = 0; i < 6; ++i) {
    const double a = i * M_PI / 3;
    cairo_move_to(cr, cx + std::cos(a) * 2.0, cy + std::sin(a) * 2.0);
    cairo_line_to(cr, cx + std::cos(a) * 3.6, cy + std::sin(a) * 3.6);
  }
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
}

// A cassette window with its two reels, left of the readout.
void DrawCassetteWindow(Painter& p, cairo_t* cr, double left, double top, double w, double h) {
  p.SetVerticalGradient(top - 2, top + h + 2, Rgb{0.02, 0.015, 0.01}, Rgb{0.42, 0.36, 0.30});
  p.RoundedRect(left - 2, top - 2, w + 4, h + 4, 7);
  cairo_fill(cr);
  p.SetColour(Rgb{0.05, 0.04, 0.035});
  p.RoundedRect(left, top, w, h, 6);
  cairo_fill(cr);
  const double cy = top + h / 2;
  const double lx = left + 26, rx = left + w - 26;
  cairo_save(cr);
  p.RoundedRect(left, top, w, h, 6);
  cairo_clip(cr);
  // Tape running between the packs along the bottom of the window.
  p.SetColour(Rgb{0.20, 0.12, 0.07});
  cairo_rectangle(cr, lx, cy + 10.5, rx - lx, 1.5);
  cairo_fill(cr);
  DrawReel(p, cr, lx, cy, 12.0);
  DrawReel(p, cr, rx, cy, 8.5);
  cairo_restore(cr);
  p.SetColour(Rgb{1, 1, 1}, 0.06);
  p.RoundedRect(left + 3, top + 2, w - 6, h / 2 - 2, 4);
  cairo_fill(cr);
}

void DrawStatusStrip(Painter& p, cairo_t* cr) {
  p.SetFont(ArtStyle::kSansFace, 9.5, true);
  p.PrintedText("POWER", kPower.x + 9.0, 392, 1.2, 2, ArtStyle::kIvoryDim);
  DrawCassetteWindow(p, cr, 384, 374, 104, 30);
  p.SetFont(ArtStyle::kSerifFace, 15, false, true);
  p.PrintedText("Kestravon", 502, 386, 0, 0, ArtStyle::kIvory);
  p.SetFont(ArtStyle::kSansFace, 7.5, true);
  p.PrintedText("TAPE \xc2\xb7 VINYL \xc2\xb7 TUBE", 503, 400, 1.2, 0, ArtStyle::kAmber);
}

void DrawLogo(Painter& p, cairo_t* cr) {
  const double cx = kLink.left + 16, cy = (kLink.top + kLink.bottom) / 2.0;
  // Emblem: a reel with three spokes.
  p.SetColour(ArtStyle::kAmber);
  p.Circle(cx, cy, 8.5);
  cairo_fill(cr);
  p.SetColour(ArtStyle::kBarFill);
  p.Circle(cx, cy, 6.5);
  cairo_fill(cr);
  p.SetColour(ArtStyle::kAmber);
  p.Circle(cx, cy, 1.8);
  cairo_fill(cr);
  for (int i = 0; i < 3; ++i) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, i * 2 * M_PI / 3 - M_PI / 2);
    cairo_rectangle(cr, 2.5, -1.2, 4.5, 2.4);
    cairo_restore(cr);
    cairo_fill(cr);
  }
  p.SetFont(ArtStyle::kSerifFace, 21, true, true);
  p.PrintedText("Ostrelle", cx + 14, cy + 7, 0, 0, ArtStyle::kIvory);
}

}  // namespace

void PanelArt::Draw(ArtImage& image) {
  cairo_t* cr = image.Context();
  Painter p(cr);
  DrawBase(p, cr);
  DrawTopBar(p, cr);
  for (const Section& s : kSections) DrawSection(p, cr, s);
  // Grain goes under the print so the lettering stays crisp.
  AddTexture(image);
  DrawTitle(p);
  for (const Section& s : kSections) DrawSectionPrint(p, cr, s);
  for (const KnobPlace& k : kKnobs) {
    DrawKnobScale(p, cr, k.x + kKnobSize / 2.0, k.y + kKnobSize / 2.0);
  }
  DrawKnobLabels(p);
  DrawRadioCaptions(p, kNoiseType);
  DrawRadioCaptions(p, kProfile);
  DrawDisplayWindow(p, cr);
  DrawStatusStrip(p, cr);
  DrawLogo(p, cr);
}
