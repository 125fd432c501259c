#pragma once

#include <png.h>

#include <vector>

// Describes a PNG to be written with libpng directly, so the decoder is
// checked against files it did not write itself.
struct TestPngLayout {
  int width = 1;
  int height = 1;
  int bitDepth = 8;
  int colourType = PNG_COLOR_TYPE_RGB_ALPHA;
  bool interlaced = false;
  std::vector<png_color> palette;
  std::vector<png_byte> paletteAlpha;  // tRNS for palette images
  bool greyTransparent = false;        // tRNS for grey images
  int transparentGrey = 0;
  std::vector<std::vector<png_byte>> rows;  // packed as the PNG stores them
};

std::vector<unsigned char> MakeTestPng(const TestPngLayout& layout);
