#include "LICE_Blit.h"

#include <algorithm>
#include <cstring>

#include "LICE_Combine.h"

namespace {

// The area both bitmaps share after clipping.
struct BlitSpan {
  int srcX, srcY, dstX, dstY, width, height;
};

bool ClipBlit(LICE_IBitmap* dest, LICE_IBitmap* src, int dstX, int dstY, const LICE_Rect* srcRect,
              BlitSpan* span) {
  int srcX = 0;
  int srcY = 0;
  int srcRight = src->Width();
  int srcBottom = src->Height();
  if (srcRect) {
    srcX = srcRect->left;
    srcY = srcRect->top;
    srcRight = std::min(srcRect->right, srcRight);
    srcBottom = std::min(srcRect->bottom, srcBottom);
    if (srcX < 0) {
      dstX -= srcX;
      srcX = 0;
    }
    if (srcY < 0) {
      dstY -= srcY;
      srcY = 0;
    }
  }
  if (dstX < 0) {
    srcX -= dstX;
    dstX = 0;
  }
  if (dstY < 0) {
    srcY -= dstY;
    dstY = 0;
  }
  span->width = std::min(srcRight - srcX, dest->Width() - dstX);
  span->height = std::min(srcBottom - srcY, dest->Height() - dstY);
  span->srcX = srcX;
  span->srcY = srcY;
  span->dstX = dstX;
  span->dstY = dstY;
  return span->width > 0 && span->height > 0;
}

// Pointer to pixel (x, y) counted from the visual top row.
LICE_pixel* PixelAt(LICE_IBitmap* bitmap, int x, int y) {
  const int row = bitmap->IsFlipped() ? bitmap->Height() - 1 - y : y;
  return bitmap->Bits() + static_cast<long>(row) * bitmap->RowSpan() + x;
}

template <typename Combine>
void CombineRows(LICE_IBitmap* dest, LICE_IBitmap* src, const BlitSpan& span, Combine combine) {
  for (int y = 0; y < span.height; ++y) {
    LICE_pixel* out = PixelAt(dest, span.dstX, span.dstY + y);
    const LICE_pixel* in = PixelAt(src, span.srcX, span.srcY + y);
    for (int x = 0; x < span.width; ++x) out[x] = combine(out[x], in[x]);
  }
}

void CopyRows(LICE_IBitmap* dest, LICE_IBitmap* src, const BlitSpan& span) {
  const std::size_t rowBytes = static_cast<std::size_t>(span.width) * sizeof(LICE_pixel);
  for (int y = 0; y < span.height; ++y) {
    // memmove: a bitmap blitted onto itself may overlap.
    std::memmove(PixelAt(dest, span.dstX, span.dstY + y), PixelAt(src, span.srcX, span.srcY + y),
                 rowBytes);
  }
}

void BlitCopy(LICE_IBitmap* dest, LICE_IBitmap* src, const BlitSpan& span, float weight, int ia) {
  if (ia == 256) {
    CopyRows(dest, src, span);
  } else if (weight == 0.5f) {
    CombineRows(dest, src, span, LICE_CombineCopyHalf);
  } else {
    CombineRows(dest, src, span,
                [ia](LICE_pixel d, LICE_pixel s) { return LICE_CombineCopyWeighted(d, s, ia); });
  }
}

// Add and dodge without the source-alpha flag treat the source as opaque.
LICE_pixel MakeOpaque(LICE_pixel p) { return p | 0xff000000u; }

}  // namespace

void Blit(LICE_IBitmap* dest, LICE_IBitmap* src, int dstX, int dstY, const LICE_Rect* srcRect,
          float weight, int mode) {
  // Negative and NaN weights draw nothing; weights above 1 act as 1 so that no
  // channel can leave 0..255.
  if (!dest || !src || !(weight > 0.0f)) return;
  weight = std::min(weight, 1.0f);
  if (!dest->Bits() || !src->Bits()) return;
  BlitSpan span;
  if (!ClipBlit(dest, src, dstX, dstY, srcRect, &span)) return;

  const int ia = static_cast<int>(weight * 256.0f);
  const bool sourceAlpha = (mode & kBlitUseSourceAlpha) != 0;
  switch (mode & kBlitModeMask) {
    case kBlitModeCopy:
      if (!sourceAlpha) {
        BlitCopy(dest, src, span, weight, ia);
      } else {
        CombineRows(dest, src, span, [ia](LICE_pixel d, LICE_pixel s) {
          return LICE_CombineCopySourceAlpha(d, s, ia);
        });
      }
      break;
    case kBlitModeAdd:
      CombineRows(dest, src, span, [ia, sourceAlpha](LICE_pixel d, LICE_pixel s) {
        return LICE_CombineAddSourceAlpha(d, sourceAlpha ? s : MakeOpaque(s), ia);
      });
      break;
    case kBlitModeDodge:
      CombineRows(dest, src, span, [ia, sourceAlpha](LICE_pixel d, LICE_pixel s) {
        return LICE_CombineDodgeSourceAlpha(d, sourceAlpha ? s : MakeOpaque(s), ia);
      });
      break;
    default:
      // Further combine modes are not part of this library.
      break;
  }
}
