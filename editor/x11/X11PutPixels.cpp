#include "editor/x11/X11PutPixels.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>

void PutPixels(Display* display, unsigned long window, GC gc, void* visual, int depth,
               const LICE_pixel* pixels, int rowSpan, int width, int height, const Rect& area) {
  if (!display || window == 0 || !pixels || width <= 0 || height <= 0 || rowSpan < width) return;
  const int left = std::max(area.left, 0);
  const int top = std::max(area.top, 0);
  const int right = std::min(area.right, width);
  const int bottom = std::min(area.bottom, height);
  if (right <= left || bottom <= top) return;
  XImage* image =
      XCreateImage(display, static_cast<Visual*>(visual), static_cast<unsigned>(depth), ZPixmap, 0,
                   reinterpret_cast<char*>(const_cast<LICE_pixel*>(pixels)),
                   static_cast<unsigned>(width), static_cast<unsigned>(height), 32, rowSpan * 4);
  if (!image) return;
  // The words are little-endian in memory; Xlib swaps for a server that
  // wants otherwise.
  image->byte_order = LSBFirst;
  XPutImage(display, window, gc, image, left, top, left, top, static_cast<unsigned>(right - left),
            static_cast<unsigned>(bottom - top));
  image->data = nullptr;  // the pixels belong to the caller
  XDestroyImage(image);
}
