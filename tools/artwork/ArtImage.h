#pragma once

#include <cairo.h>

#include <string>

// One drawing surface (premultiplied ARGB32) with its cairo context.
// The surface holds scale pixels per layout unit in each direction and the
// context starts scaled to match, so painters draw in layout units at any scale.
class ArtImage {
 public:
  ArtImage(int width, int height, int scale = 1);
  ~ArtImage();
  ArtImage(const ArtImage&) = delete;
  ArtImage& operator=(const ArtImage&) = delete;

  // Size in layout units.
  int Width() const { return width; }
  int Height() const { return height; }
  int Scale() const { return scale; }
  // Size of the surface in pixels.
  int PixelWidth() const { return width * scale; }
  int PixelHeight() const { return height * scale; }
  cairo_t* Context() const { return cr; }
  cairo_surface_t* Surface() const { return surface; }

  bool WritePng(const std::string& path) const;

 private:
  int width;
  int height;
  int scale;
  cairo_surface_t* surface;
  cairo_t* cr;
};
