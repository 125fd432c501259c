#pragma once

#include <cairo.h>

#include <string>

// One drawing surface (premultiplied ARGB32) with its cairo context.
class ArtImage {
 public:
  ArtImage(int width, int height);
  ~ArtImage();
  ArtImage(const ArtImage&) = delete;
  ArtImage& operator=(const ArtImage&) = delete;

  int Width() const { return width; }
  int Height() const { return height; }
  cairo_t* Context() const { return cr; }
  cairo_surface_t* Surface() const { return surface; }

  bool WritePng(const std::string& path) const;

 private:
  int width;
  int height;
  cairo_surface_t* surface;
  cairo_t* cr;
};
