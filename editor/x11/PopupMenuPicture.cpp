#include "editor/x11/PopupMenuPicture.h"

#include <algorithm>

#include "raster/LICE_CachedFont.h"

namespace {

// In the layout's units.
constexpr int kRowHeight = 22;
constexpr int kMargin = 10;
constexpr int kMarkWidth = 18;
constexpr int kNarrowest = 90;

constexpr LICE_pixel kBackground = LICE_RGBA(38, 31, 26, 255);
constexpr LICE_pixel kBorder = LICE_RGBA(110, 92, 70, 255);
constexpr LICE_pixel kLit = LICE_RGBA(214, 132, 44, 255);
constexpr LICE_pixel kText = LICE_RGBA(236, 226, 204, 255);
constexpr LICE_pixel kDisabledText = LICE_RGBA(120, 110, 96, 255);
constexpr LICE_pixel kLitText = LICE_RGBA(20, 14, 10, 255);

void Fill(LICE_IBitmap& bitmap, const LICE_Rect& area, LICE_pixel colour) {
  for (int y = std::max(area.top, 0); y < std::min(area.bottom, bitmap.Height()); ++y) {
    LICE_pixel* row = bitmap.Bits() + static_cast<std::ptrdiff_t>(y) * bitmap.RowSpan();
    std::fill(row + std::max(area.left, 0), row + std::min(area.right, bitmap.Width()), colour);
  }
}

int TextWidth(LICE_CachedFont* font, const std::string& text) {
  if (!font || text.empty()) return 0;
  LICE_Rect extent{0, 0, 0, 0};
  font->DrawText(nullptr, text.c_str(), -1, &extent, kTextMeasureOnly | kTextSingleLine);
  return extent.Width();
}

}  // namespace

PopupMenuPicture::PopupMenuPicture(const PopupMenu& menu, LICE_CachedFont* font,
                                   const EditorScale& scale)
    : menu(menu),
      font(font),
      rowHeight(scale.ToPixels(kRowHeight)),
      margin(scale.ToPixels(kMargin)),
      width(scale.ToPixels(kNarrowest)),
      height(0) {
  int widest = 0;
  for (int i = 0; i < menu.NItems(); ++i) widest = std::max(widest, TextWidth(font, menu.GetItem(i)->text));
  width = std::max(width, widest + 2 * margin + scale.ToPixels(kMarkWidth));
  height = std::max(menu.NItems(), 1) * rowHeight + 2;
  bitmap.Resize(width, height);
}

int PopupMenuPicture::ItemAt(int x, int y) const {
  if (x < 0 || x >= width || y < 1 || y >= height - 1) return -1;
  const int index = (y - 1) / rowHeight;
  const PopupMenu::Item* item = menu.GetItem(index);
  return item && item->enabled ? index : -1;
}

void PopupMenuPicture::Draw(int highlighted) {
  Fill(bitmap, LICE_Rect{0, 0, width, height}, kBorder);
  Fill(bitmap, LICE_Rect{1, 1, width - 1, height - 1}, kBackground);
  for (int i = 0; i < menu.NItems(); ++i) {
    const PopupMenu::Item& item = *menu.GetItem(i);
    const int top = 1 + i * rowHeight;
    const bool lit = i == highlighted && item.enabled;
    if (lit) Fill(bitmap, LICE_Rect{1, top, width - 1, top + rowHeight}, kLit);
    const LICE_pixel ink = lit ? kLitText : (item.enabled ? kText : kDisabledText);
    if (item.checked) {
      // A small square before the text marks the current choice.
      const int side = rowHeight / 4;
      const int middle = top + rowHeight / 2;
      Fill(bitmap, LICE_Rect{margin, middle - side / 2, margin + side, middle - side / 2 + side}, ink);
    }
    if (!font) continue;
    font->SetTextColour(ink);
    LICE_Rect row{margin + rowHeight * 3 / 4, top, width - margin, top + rowHeight};
    font->DrawText(&bitmap, item.text.c_str(), -1, &row,
                   kTextAlignLeft | kTextAlignMiddle | kTextSingleLine);
  }
}
