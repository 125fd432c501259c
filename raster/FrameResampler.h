#pragma once

#include <memory>

#include "LICE_IBitmap.h"
#include "LICE_MemBitmap.h"

// Resizes a strip of equal frames one frame at a time, so that no frame
// bleeds into the next. Each target pixel is the average of the source area
// it covers (partly covered pixels counted by their share), taken with
// alpha weighting so that transparent pixels lend no colour to the edges
// of what they surround.
//
// ratio is target pixels per source pixel; frameWidth x frameHeight the size
// of a target frame, which may be a pixel larger than the scaled source
// frame: what lies beyond the source is transparent.
struct FrameResampleRequest {
  int frames = 1;
  bool framesHorizontal = false;
  double ratio = 1.0;
  int frameWidth = 0;
  int frameHeight = 0;
};

// Null when the source holds no pixels or the request is out of range.
std::unique_ptr<LICE_MemBitmap> ResampleFrames(LICE_IBitmap& source,
                                               const FrameResampleRequest& request);
