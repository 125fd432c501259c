#include "ArtImage.h"

#include "SurfacePng.h"

ArtImage::ArtImage(int width, int height, int scale)
    : width(width),
      height(height),
      scale(scale),
      surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, PixelWidth(), PixelHeight())),
      cr(cairo_create(surface)) {
  cairo_scale(cr, scale, scale);
}

ArtImage::~ArtImage() {
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
}

bool ArtImage::WritePng(const std::string& path) const {
  cairo_surface_flush(surface);
  return WriteSurfacePng(path, PixelWidth(), PixelHeight(), cairo_image_surface_get_data(surface),
                         cairo_image_surface_get_stride(surface));
}
