#pragma once

#include "editor/EditorScale.h"
#include "editor/PopupMenu.h"
#include "raster/LICE_MemBitmap.h"

class LICE_CachedFont;

// A menu drawn by the editor itself, for window layers with no menus of
// their own: one row per item, the checked one marked, the one under the
// pointer lit, in the panel's colours and at the editor's scale.
class PopupMenuPicture {
 public:
  // font is set at the scaled size and outlives the picture.
  PopupMenuPicture(const PopupMenu& menu, LICE_CachedFont* font, const EditorScale& scale);

  int Width() const { return width; }
  int Height() const { return height; }
  // The enabled item whose row holds the point, or -1.
  int ItemAt(int x, int y) const;
  // Draws every row, lighting highlighted (-1 for none).
  void Draw(int highlighted);
  LICE_MemBitmap& Bitmap() { return bitmap; }

 private:
  const PopupMenu& menu;
  LICE_CachedFont* font;
  int rowHeight;
  int margin;
  int width;
  int height;
  LICE_MemBitmap bitmap;
};
