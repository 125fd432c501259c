#include "ArtImage.h"

#include "SurfacePng.h"

ArtImage::ArtImage(int width, int height)
    : width(width),
      height(height),
      surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr(cairo_create(surface)) {}

ArtImage::~ArtImage() {
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
}

bool ArtImage::WritePng(const std::string& path) const {
  cairo_surface_flush(surface);
  return WriteSurfacePng(path, width, height, cairo_image_surface_get_data(surface),
                              cairo_image_surface_get_stride(surface));
}
